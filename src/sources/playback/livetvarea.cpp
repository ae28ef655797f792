#include "sources/playback/livetvarea.h"

#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "sources/playback/livetvchannels.h"
#include "windows/browserview.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

LiveTvArea::LiveTvArea(const SiteConfig &sites, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_sites(sites)
{
    setObjectName(u"LiveTvArea"_s);
    auto *layout = new QHBoxLayout(page);
    auto *frame = new QGroupBox(u"频道列表[双击播放]"_s, page);
    frame->setObjectName(u"Frame10"_s);
    auto *frameLayout = new QVBoxLayout(frame);
    m_list = new QListWidget(frame);
    m_list->setObjectName(u"List1"_s);
    m_list->addItems(LiveTvChannels::names());
    frameLayout->addWidget(m_list);
    frame->setFixedWidth(150);
    layout->addWidget(frame);
    m_browser = new BrowserView(u"WebBrowser1"_s, BrowserView::Silent, page);
    layout->addWidget(m_browser, 1);

    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { openChannel(m_list->currentRow()); });
}

void LiveTvArea::openStartChannel()
{
    m_browser->setVisible(true);
    openChannel(LiveTvChannels::StartChannel);
}

void LiveTvArea::openChannel(int index)
{
    const QString address =
        LiveTvChannels::address(m_sites.definitions().get(u"live-tv"_s), m_sites.site(u"live_tv"_s), index);
    if (!address.isEmpty())
        m_browser->navigate(address);
}

QListWidget *LiveTvArea::list() const
{
    return m_list;
}

BrowserView *LiveTvArea::browser() const
{
    return m_browser;
}
