#include "sources/playback/playbackheadless.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/searchlimits.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "sources/playback/qvodchannelparser.h"
#include "sources/playback/qvodsearchparser.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int ChannelEntries = 25;

// A listing page as the next/previous buttons reach it: 1 .. 32767.
int listingPage(const QString &pageText)
{
    bool ok = false;
    const qint64 page = pageText.trimmed().toLongLong(&ok);
    if (!ok || page < 1)
        return 1;
    return int(qMin<qint64>(page, std::numeric_limits<qint16>::max()));
}

QCoro::Task<QList<ListRow>> qvodChannel(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"qvod-channel"_s);
    const QString base = fetch.sites().site(u"qvod_channel"_s);
    const QString address = channelListAddress(definition, base, listingPage(query.page));
    const QString body = co_await fetch.get(address, PageFetcher::Form::Transfer);
    co_return numberedRows(parseChannelPage(definition, body, base, ChannelEntries), channelListRow);
}

QCoro::Task<QList<ListRow>> qvodListing(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"qvod-list"_s);
    const QString base = fetch.sites().site(u"qvod_search"_s);
    const QString address = qvodListingAddress(definition, base, listingPage(query.page));
    const QString body = co_await fetch.get(address);
    const qsizetype count = fetch.listedRows(countQvodListingRows(definition, body));
    co_return numberedRows(parseQvodRows(definition, body, base, count), qvodSearchListRow);
}

// The first result page states the total and the page count; the further
// pages are read from the last one back to the second, each appended to the
// text the rows are cut from, as the window does. Whatever the site states,
// no more than SearchLimits' pages and text.
QCoro::Task<QList<ListRow>> qvodSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"qvod-search"_s);
    const QString base = fetch.sites().site(u"qvod_search"_s);
    const QString encoded = AddressTemplate::encodeKeyword(query.keyword, definition.keyword);
    const QString first = qvodSearchAddress(definition, base, encoded);
    QString text = co_await fetch.get(first);
    QList<ListRow> listed;
    if (text.isEmpty() || isQvodSearchEmpty(definition, text))
        co_return listed;
    const int total = qvodResultCount(definition, text);
    for (int page = SearchLimits::lastPage(qvodResultPages(definition, text));
         page > 1 && SearchLimits::roomForPage(text.size()); --page) {
        const QString address = qvodSearchAddress(definition, base, encoded, page);
        const QString body = co_await fetch.get(address);
        // A page that fails adds only the line break.
        SearchLimits::appendPage(text, u"\r\n", body);
    }
    const QList<QvodSearchRow> rows = parseQvodRows(definition, text, base, total);
    for (qsizetype i = 0; i < rows.size(); ++i)
        listed.append(qvodSearchListRow(rows.at(i), total - i));
    co_return listed;
}

QString qvodSearchRefusal(const QString &keyword)
{
    return keyword.isEmpty() ? u"请输入要搜索的关键字 .."_s : QString();
}

} // namespace

QList<HeadlessSource> playbackHeadlessSources()
{
    const QString pageOnly = u"不使用（任意文字）；页码用 --page"_s;
    return {
        {.name = u"qvod-channel"_s,
         .title = u"快播影视"_s,
         .siteKey = u"qvod_channel"_s,
         .list = u"ListView3"_s,
         .keywordHelp = pageOnly,
         .probe = u"-"_s,
         .run = qvodChannel,
         .refusal = nullptr},
        {.name = u"qvod-search"_s,
         .title = u"影视搜索"_s,
         .siteKey = u"qvod_search"_s,
         .list = u"ListView14"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"地球"_s,
         .run = qvodSearch,
         .refusal = qvodSearchRefusal},
        // The same tab's 获取资源: the site's newest titles, page by page.
        {.name = u"qvod-list"_s,
         .title = u"影视搜索"_s,
         .siteKey = u"qvod_search"_s,
         .list = u"ListView14"_s,
         .keywordHelp = pageOnly,
         .probe = u"-"_s,
         .run = qvodListing,
         .refusal = nullptr},
    };
}
