#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class BrowserView;

// Form5 "网络视频": one portal page at a time in a silent browser, chosen
// with the option buttons; it always opens on the start entry's page.
class PortalWindow : public QDialog
{
    Q_OBJECT

public:
    struct Entry
    {
        QString option;  // the option button's name, e.g. "Option3"
        QString caption;
        QString address; // empty when the portal is not configured
    };

    PortalWindow(const QList<Entry> &entries, const QString &startOption, QWidget *parent = nullptr);

    BrowserView *browser() const;

private:
    BrowserView *m_browser = nullptr;
};
