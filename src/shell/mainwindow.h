#pragma once

#include "ui/readercontext.h"

#include <QList>
#include <QMainWindow>

class QLabel;
class QTabWidget;
class WindowShell;
struct Services;

// The one window of the program: the main tab strip with its inner strips,
// the status bar with its six panels, and the site readers on their tabs.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static const QString &windowCaption();

    explicit MainWindow(Services &services, QWidget *parent = nullptr);

    ReaderContext context();
    QLabel *panel(int number) const; // 1..6
    QTabWidget *mainTabs() const;
    // A tab strip by name ("SSTab1" .. "SSTab5").
    QTabWidget *innerTabs(const QString &name) const;
    // Start-up, chrome, version check and exit around the readers.
    WindowShell *shell() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void buildTabs();
    void followTabCaption(QTabWidget *tabs);
    void placeReaders();

    Services &m_services;
    QList<QLabel *> m_panels;
    QTabWidget *m_mainTabs = nullptr;
    QList<QTabWidget *> m_innerTabs;
    WindowShell *m_shell = nullptr;
    bool m_startupDone = false;
};
