#include "sources/torrents/rssfeedreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/services.h"
#include "core/siteconfig.h"
#include "sources/torrents/rssfeedparser.h"
#include "sources/torrents/sourcebuttongroup.h"
#include "sources/torrents/torrentfilesaver.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "ui/searchpanel.h"
#include "ui/searchrun.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;

RssFeedReader::RssFeedReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"RssFeedReader"_s);
    SourceButtonGroup *sources = SourceButtonGroup::of(m_context.window());
    buildControls(page, sources);

    m_parseTimer = new ReaderTimer(u"Timer5"_s, 100, this);
    m_notFoundTimer = new ReaderTimer(u"Timer6"_s, 1000, this);
    connect(m_parseTimer, &QTimer::timeout, this, &RssFeedReader::parseTick);
    connect(m_notFoundTimer, &QTimer::timeout, this, &RssFeedReader::notFoundTick);
    m_run = new SearchRun(m_context,
                          {.buttons = {m_start},
                           .list = m_list,
                           .timers = {m_parseTimer, m_notFoundTimer},
                           .notFoundText = u"未找到相关资源.."_s},
                          this);
    m_run->setSiteKey(u"rss_feed"_s);

    connect(m_keyword, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_encodedKeyword = AddressTemplate::encodeKeyword(text, definition().keyword);
    });
    connect(sources, &SourceButtonGroup::pressed, this, [this](int index) {
        if (index == 1)
            search();
    });
    m_list->bindRowActions(m_context);
    connect(m_list->menuAction(u"dkbtxz"_s), &QAction::triggered, this, [this] { downloadTorrent(); });
}

void RssFeedReader::buildControls(QWidget *page, SourceButtonGroup *sources)
{
    const SearchPanel panel = buildSearchPanel(page, {.keywordBox = u"Text8"_s, .list = u"ListView4"_s});
    m_keyword = panel.keyword;
    m_list = panel.list;
    m_start = sources->addMember(1, u"开始搜索"_s, page);
    panel.row->addWidget(m_start);
}

QCoro::Task<> RssFeedReader::search()
{
    if (m_keyword->text().isEmpty()) {
        m_context.report(u"请输入您要搜索的关键字.."_s);
        co_return;
    }
    m_run->begin(u"正在进行搜索..."_s);
    m_itemCount = 0;

    const QString address = rssFeedAddress(definition(), m_context.sites().site(u"rss_feed"_s), m_encodedKeyword);
    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    // A failed fetch (empty body) ends like a feed without items.
    m_body = *body;
    countStep();
}

void RssFeedReader::countStep()
{
    const qsizetype count = m_run->listedRows(countRssFeedItems(definition(), m_body));
    m_itemCount = qint16(count);
    if (count > 0)
        m_parseTimer->arm();
    m_notFoundTimer->arm();
}

void RssFeedReader::parseTick()
{
    const QList<RssFeedRow> rows = parseRssFeed(definition(), m_body, m_itemCount);
    m_itemCount = 0;
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(rssFeedListRow(rows.at(i), i + 1));
    m_parseTimer->disarm();
    m_run->finish(u"搜索完毕.."_s);
}

void RssFeedReader::notFoundTick()
{
    m_notFoundTimer->disarm();
    if (m_list->rowCount() > 0) {
        m_run->finish(u"搜索完毕.."_s);
        return;
    }
    m_run->finish(u"未找到相关资源.."_s);
    m_context.message(u"未找到相关资源!"_s);
}

QCoro::Task<> RssFeedReader::downloadTorrent()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    const QString address = m_list->cellText(row, 4);
    const QString directory = m_context.services().downloadDir;
    m_context.report(u"开始下载..."_s);

    QPointer<RssFeedReader> self(this);
    const QByteArray torrent = co_await m_context.fetcher().bytes(address);
    if (!self)
        co_return;
    const QString path =
        looksLikeTorrent(torrent) ? saveNewFile(directory, safeTorrentFileName(address), torrent) : QString();
    if (path.isEmpty())
        m_context.report(u"种子下载失败.."_s);
    else
        m_context.report(u"种子已下载到："_s + QDir::toNativeSeparators(path));
}

const SiteDefinition &RssFeedReader::definition() const
{
    return m_context.sites().definitions().get(u"rss"_s);
}
