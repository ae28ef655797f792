#pragma once

#include <QDialog>

class BrowserView;
class SiteConfig;

// Form5 "网络视频": one portal page at a time in a silent browser, chosen
// with the option buttons; it always opens on the 腾讯视频 page.
class PortalWindow : public QDialog
{
    Q_OBJECT

public:
    PortalWindow(const SiteConfig &sites, QWidget *parent = nullptr);

    BrowserView *browser() const;

private:
    const SiteConfig &m_sites;
    BrowserView *m_browser = nullptr;
};
