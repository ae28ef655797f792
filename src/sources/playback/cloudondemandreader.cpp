#include "sources/playback/cloudondemandreader.h"

#include "core/definitioncatalog.h"
#include "core/ed2klink.h"
#include "core/pagefetcher.h"
#include "core/siteconfig.h"
#include "sources/playback/cloudondemand.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "windows/cloudplayerwindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString &guardText()
{
    static const QString text = u"请先查询再进行操作!"_s;
    return text;
}

} // namespace

CloudOnDemandReader::CloudOnDemandReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"CloudOnDemandReader"_s);
    buildControls(page);
    connect(m_play, &QPushButton::clicked, this, &CloudOnDemandReader::playAddressBox);
    connect(m_paste, &QPushButton::clicked, this, [this] {
        m_address->clear();
        m_address->setText(QGuiApplication::clipboard()->text());
    });
    if (QWidget *window = m_context.window()) {
        connect(PlaybackFeeds::of(window), &PlaybackFeeds::cloudPlayRequested, this,
                [this](const QString &address) { open(address, false); });
        // The torrent list and the eMule film list belong to their own
        // readers, which may be placed later.
        const auto wireLists = [this, window] {
            auto *torrents = window->findChild<ResultList *>(u"ListView19"_s);
            auto *films = window->findChild<ResultList *>(u"ListView6"_s);
            QAction *torrentAction = torrents ? torrents->menuAction(u"ydydbf"_s) : nullptr;
            QAction *filmAction = films ? films->menuAction(u"jdydbf"_s) : nullptr;
            if (torrentAction)
                connect(torrentAction, &QAction::triggered, this, &CloudOnDemandReader::playTorrentRow,
                        Qt::UniqueConnection);
            if (filmAction)
                connect(filmAction, &QAction::triggered, this, &CloudOnDemandReader::playFilmRow,
                        Qt::UniqueConnection);
            return torrentAction && filmAction;
        };
        if (!wireLists())
            QTimer::singleShot(0, this, wireLists);
    }
}

void CloudOnDemandReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addWidget(new QLabel(u"视频地址："_s, page));
    m_address = new QLineEdit(page);
    m_address->setObjectName(u"Text12"_s);
    row->addWidget(m_address, 1);
    m_play = new QPushButton(u"在线云点播"_s, page);
    m_play->setObjectName(u"Command43"_s);
    row->addWidget(m_play);
    m_paste = new QPushButton(u"粘贴地址"_s, page);
    m_paste->setObjectName(u"Command56"_s);
    row->addWidget(m_paste);
    layout->addLayout(row);
    layout->addStretch(1);
}

void CloudOnDemandReader::playAddressBox()
{
    const QString address = m_address->text();
    if (address.isEmpty()) {
        m_context.report(u"请输入视频地址"_s);
        return;
    }
    open(address, false);
}

void CloudOnDemandReader::playTorrentRow()
{
    QWidget *window = m_context.window();
    auto *list = window ? window->findChild<ResultList *>(u"ListView19"_s) : nullptr;
    const QTreeWidgetItem *row = list ? list->actionRow() : nullptr;
    if (!row) {
        m_context.report(guardText());
        return;
    }
    open(list->cellText(row, 4), true);
}

void CloudOnDemandReader::playFilmRow()
{
    QWidget *window = m_context.window();
    playFirstEd2kLink(window ? window->findChild<ResultList *>(u"ListView6"_s) : nullptr);
}

QCoro::Task<> CloudOnDemandReader::playFirstEd2kLink(ResultList *list)
{
    const QTreeWidgetItem *row = list ? list->actionRow() : nullptr;
    if (!row) {
        m_context.report(guardText());
        co_return;
    }
    m_context.report(u"正在进行澄川云点播.."_s);
    const LatestRequest::Ticket ticket = m_playRequest.take();
    const QString page = co_await m_context.fetcher().GetBody(list->cellText(row, 3));
    if (!ticket.isLatest())
        co_return;
    const QString link = firstEd2kLink(page);
    if (!link.isEmpty())
        open(link, true);
}

void CloudOnDemandReader::open(const QString &address, bool appreciate)
{
    m_playRequest.supersede();
    if (!m_window) {
        m_window = new CloudPlayerWindow(m_context.window());
        connect(m_window, &QDialog::finished, this, [this] {
            if (m_appreciate)
                m_context.report(u"请您欣赏.."_s);
            m_appreciate = false;
        });
    }
    m_appreciate = appreciate;
    const SiteConfig &sites = m_context.sites();
    m_window->play(
        cloudOnDemandAddress(sites.definitions().get(u"cloud-on-demand"_s), sites.site(u"cloud_on_demand"_s), address));
}

CloudPlayerWindow *CloudOnDemandReader::playerWindow() const
{
    return m_window;
}
