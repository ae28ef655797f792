#include "sources/torrents/torrentheadless.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "core/texttools.h"
#include "sources/torrents/btboardparser.h"
#include "sources/torrents/btmovieparser.h"
#include "sources/torrents/magnetsitesparser.h"
#include "sources/torrents/movieresourceparser.h"
#include "sources/torrents/rssfeedparser.h"
#include "sources/torrents/torrentsearchparser.h"

#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The page counter of the readers that step pages with buttons: 1 up to
// the 16-bit top; a text that is no whole number from 1 on is page 1.
int pageCounter(const QString &text)
{
    bool ok = false;
    const qlonglong page = text.trimmed().toLongLong(&ok);
    if (!ok || page < 1)
        return 1;
    return int(qMin<qlonglong>(page, std::numeric_limits<qint16>::max()));
}

// A keyword that is a whole number from 1 to `last`; 0 for anything else.
int numberFrom(const QString &keyword, int last)
{
    bool ok = false;
    const int number = keyword.trimmed().toInt(&ok);
    return ok && number >= 1 && number <= last ? number : 0;
}

// The category a keyword names: its number (1-based) or its name; 0 for
// anything else.
int categoryOf(const QString &keyword, const QStringList &names)
{
    if (const int number = numberFrom(keyword, int(names.size())))
        return number;
    const QString text = keyword.trimmed();
    return text.isEmpty() ? 0 : int(names.indexOf(text)) + 1;
}

QCoro::Task<QList<ListRow>> torrentSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"torrent"_s);
    const QString base = fetch.sites().site(u"torrent_search"_s);
    const QString address = torrentSearchAddress(definition, base,
                                                 AddressTemplate::encodeKeyword(query.keyword, definition.keyword), query.page);
    const QString body = co_await fetch.get(address);
    const qsizetype count = fetch.listedRows(countTorrentSearchItems(definition, body));
    co_return parseTorrentSearchPage(definition, body, base, count);
}

QCoro::Task<QList<ListRow>> rssFeed(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"rss"_s);
    const QString address = rssFeedAddress(definition, fetch.sites().site(u"rss_feed"_s),
                                           AddressTemplate::encodeKeyword(query.keyword, definition.keyword));
    const QString body = co_await fetch.get(address);
    const qsizetype count = fetch.listedRows(countRssFeedItems(definition, body));
    co_return numberedRows(parseRssFeed(definition, body, count), rssFeedListRow);
}

const QString &movieResourcePlaceholder()
{
    static const QString text = u"请您输入关键字.."_s;
    return text;
}

QCoro::Task<QList<ListRow>> movieResource(SourceFetch &fetch, const SourceQuery &query)
{
    // The keyword box's placeholder is no keyword.
    if (query.keyword == movieResourcePlaceholder())
        co_return QList<ListRow>();
    const SiteDefinition &definition = fetch.sites().definitions().get(u"movie-resource"_s);
    const QString base = fetch.sites().site(u"movie_resource"_s);
    const QString address = movieResourceAddress(
        definition, base, AddressTemplate::encodeKeyword(query.keyword, definition.keyword), query.page);
    const QString body = co_await fetch.get(address);
    if (body.isEmpty() || isMovieResourceEmpty(definition, body) || !statesMovieResourceTotal(definition, body))
        co_return QList<ListRow>();
    co_return numberedRows(parseMovieResourcePage(definition, body, base), movieResourceListRow);
}

QCoro::Task<QList<ListRow>> magnetSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"magnet"_s);
    const QString base = fetch.sites().site(u"magnet_search"_s);
    const QString address = magnetSearchAddress(
        definition, base, AddressTemplate::encodeKeyword(query.keyword, definition.keyword), pageCounter(query.page));
    const QString body = co_await fetch.get(address);
    if (body.isEmpty() || isMagnetSearchEmpty(definition, body))
        co_return QList<ListRow>();
    const qsizetype count = fetch.listedRows(countMagnetSearchItems(definition, body));
    co_return numberedRows(parseMagnetSearchPage(definition, body, count), magnetSearchListRow);
}

// A release item's detail page; an item without a detail link fetches
// nothing.
QCoro::Task<QString> releaseDetail(SourceFetch &fetch, QString address)
{
    if (address.isEmpty())
        co_return QString();
    co_return co_await fetch.get(address);
}

QCoro::Task<QList<ListRow>> resourceRelease(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"release"_s);
    const QString base = fetch.sites().site(u"resource_release"_s);
    const QString address = resourceReleaseAddress(
        definition, base, AddressTemplate::encodeKeyword(query.keyword, definition.keyword), pageCounter(query.page));
    const QString body = co_await fetch.get(address);
    if (body.isEmpty() || isResourceReleaseEmpty(definition, body))
        co_return QList<ListRow>();
    const QList<ReleaseItem> items =
        parseResourceReleasePage(definition, body, fetch.listedRows(countResourceReleaseItems(definition, body)));

    // The detail pages come several at a time, as many as the window
    // fetches at once; the rows still go in page order.
    const qsizetype parallel = qMax(1, fetch.sites().network().parallel);
    std::vector<QCoro::Task<QString>> details;
    details.reserve(size_t(items.size()));
    const auto startUpTo = [&](qsizetype end) {
        while (qsizetype(details.size()) < qMin(end, items.size())) {
            const ReleaseItem &item = items.at(qsizetype(details.size()));
            const QString detail =
                item.detailPath.isEmpty() ? QString() : resourceReleaseDetailAddress(definition, base, item.detailPath);
            details.push_back(releaseDetail(fetch, detail));
        }
    };
    startUpTo(parallel);
    QList<ListRow> listed;
    listed.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString detailBody = co_await std::move(details[size_t(i)]);
        startUpTo(i + 1 + parallel);
        const ReleaseItem &item = items.at(i);
        const QString magnet = item.detailPath.isEmpty() ? QString() : resourceReleaseMagnet(definition, detailBody);
        listed.append(resourceReleaseListRow(item, magnet, i + 1));
    }
    co_return listed;
}

QCoro::Task<QList<ListRow>> btBoard(SourceFetch &fetch, const SourceQuery &query)
{
    const int board = numberFrom(query.keyword, LastBoard);
    if (board == 0)
        co_return QList<ListRow>();
    const SiteDefinition &definition = fetch.sites().definitions().get(u"bt-board"_s);
    const QString base = fetch.sites().site(u"bt_board"_s);
    const QString address = btBoardAddress(definition, base, board);
    const QString body = co_await fetch.get(address, PageFetcher::Form::Plain);
    co_return numberedRows(parseBtBoard(definition, body, base), btBoardListRow);
}

const QStringList &btMovieCategories()
{
    static const QStringList names = {u"电影"_s};
    return names;
}

QCoro::Task<QList<ListRow>> btMovies(SourceFetch &fetch, const SourceQuery &query)
{
    if (categoryOf(query.keyword, btMovieCategories()) == 0)
        co_return QList<ListRow>();
    const SiteDefinition &definition = fetch.sites().definitions().get(u"bt-movies"_s);
    const QString base = fetch.sites().site(u"emule"_s);
    const QString address = btMovieListAddress(definition, base, pageCounter(query.page));
    const QString body = co_await fetch.get(address);
    co_return numberedRows(parseBtMovieList(definition, body, base), btMovieListRow);
}

// The refusals in each reader's own words.
QString searchRefusal(const QString &keyword)
{
    return keyword.isEmpty() ? u"请输入您要搜索的关键字.."_s : QString();
}

QString furtherRefusal(const QString &keyword)
{
    return keyword.isEmpty() ? u"请输入关键字.."_s : QString();
}

QString movieResourceRefusal(const QString &keyword)
{
    return keyword.isEmpty() || keyword == movieResourcePlaceholder() ? u"请输入关键字..."_s : QString();
}

QString btBoardRefusal(const QString &keyword)
{
    return numberFrom(keyword, LastBoard) == 0 ? u"没有这个板块："_s + keyword + u"（板块 1-8）"_s : QString();
}

QString btMovieRefusal(const QString &keyword)
{
    return categoryOf(keyword, btMovieCategories()) == 0 ? u"没有这个分类："_s + keyword + u"（分类 1：电影）"_s
                                                          : QString();
}

} // namespace

QList<HeadlessSource> torrentHeadlessSources()
{
    return {
        {.name = u"torrent"_s,
         .title = u"番号资源"_s,
         .siteKey = u"torrent_search"_s,
         .list = u"ListView2"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"流浪地球"_s,
         .run = torrentSearch,
         .refusal = searchRefusal},
        {.name = u"rss"_s,
         .title = u"BT资源"_s,
         .siteKey = u"rss_feed"_s,
         .list = u"ListView4"_s,
         .keywordHelp = u"关键字（不分页）"_s,
         .probe = u"地球"_s,
         .run = rssFeed,
         .refusal = searchRefusal},
        {.name = u"magnet"_s,
         .title = u"云点播资源（搜索渠道①）"_s,
         .siteKey = u"magnet_search"_s,
         .list = u"ListView19"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"地球"_s,
         .run = magnetSearch,
         .refusal = furtherRefusal},
        {.name = u"release"_s,
         .title = u"云点播资源（搜索渠道②）"_s,
         .siteKey = u"resource_release"_s,
         .list = u"ListView19"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"地球"_s,
         .run = resourceRelease,
         .refusal = furtherRefusal},
        {.name = u"movie-resource"_s,
         .title = u"影视资源①"_s,
         .siteKey = u"movie_resource"_s,
         .list = u"ListView13"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"功夫12"_s,
         .run = movieResource,
         .refusal = movieResourceRefusal},
        {.name = u"bt-board"_s,
         .title = u"影视资源③"_s,
         .siteKey = u"bt_board"_s,
         .list = u"ListView18"_s,
         .keywordHelp = u"板块 1-8（不分页）"_s,
         .probe = u"1"_s,
         .run = btBoard,
         .refusal = btBoardRefusal},
        {.name = u"bt-movies"_s,
         .title = u"影视资源④"_s,
         .siteKey = u"emule"_s,
         .list = u"ListView16"_s,
         .keywordHelp = u"分类 1：电影"_s,
         .probe = u"1"_s,
         .run = btMovies,
         .refusal = btMovieRefusal},
    };
}
