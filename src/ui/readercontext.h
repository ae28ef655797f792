#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

class PageFetcher;
class QLabel;
class QWidget;
class SiteConfig;
struct Services;

// What a site reader needs from the main window: the status panel, the
// message box, the opener and clipboard conventions, and the services.
// Cheap to copy; every reader keeps its own.
class ReaderContext
{
public:
    ReaderContext(Services *services, QLabel *statusPanel, QWidget *window);

    // Replaces the whole text of the status panel.
    void report(const QString &text) const;
    QString statusText() const;

    QMessageBox::StandardButton message(const QString &text, QMessageBox::Icon icon = QMessageBox::Information,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok) const;

    // Opens an address in the default handler; a refused address reports
    // "无法打开该地址.." and returns false.
    bool openAddress(const QString &address) const;
    // The clipboard convention: clear, then set the text.
    void copyText(const QString &text) const;

    PageFetcher &fetcher() const;
    const SiteConfig &sites() const;
    Services &services() const;
    QWidget *window() const;

private:
    Services *m_services;
    QPointer<QLabel> m_statusPanel;
    QPointer<QWidget> m_window;
};
