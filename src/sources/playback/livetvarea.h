#pragma once

#include <QObject>

class BrowserView;
class QListWidget;
class QWidget;
class SiteConfig;

// The live TV area of the playback tab: the channel list List1 and the
// browser WebBrowser1 that shows the channel's player page.
class LiveTvArea : public QObject
{
    Q_OBJECT

public:
    LiveTvArea(const SiteConfig &sites, QWidget *page, QObject *parent = nullptr);

    // Start-up: the page of channel 2, loaded when the tab is first shown.
    void openStartChannel();
    void openChannel(int index);

    QListWidget *list() const;
    BrowserView *browser() const;

private:
    const SiteConfig &m_sites;
    QListWidget *m_list = nullptr;
    BrowserView *m_browser = nullptr;
};
