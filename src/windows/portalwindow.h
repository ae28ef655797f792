#pragma once

#include <QDialog>
#include <QList>

class BrowserView;
class QRadioButton;
class SiteConfig;

// Form5 "网络视频": one portal page at a time in a silent browser, chosen
// with the option buttons; it always opens on the 腾讯视频 page.
class PortalWindow : public QDialog
{
    Q_OBJECT

public:
    // The option names in button order (there is no Option7).
    static const QStringList &optionNames();
    // The portal host of `option` (configuration) + its page path.
    static QString portalAddress(const SiteConfig &sites, const QString &option);

    PortalWindow(const SiteConfig &sites, QWidget *parent = nullptr);

    BrowserView *browser() const;

private:
    const SiteConfig &m_sites;
    BrowserView *m_browser = nullptr;
};
