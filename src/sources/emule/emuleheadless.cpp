#include "sources/emule/emuleheadless.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "sources/emule/ed2ksearchparser.h"
#include "sources/emule/emuleparser.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype CategoryItemsPerPage = 30;
constexpr int CartoonIndex = 6;

QCoro::Task<QList<ListRow>> ed2kSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"ed2k"_s);
    const QString base = fetch.sites().site(u"ed2k_search"_s);
    const QString address = ed2kSearchAddress(definition, base,
                                              AddressTemplate::encodeKeyword(query.keyword, definition.keyword), query.page);
    const QString body = co_await fetch.get(address);
    co_return numberedRows(parseEd2kSearchPage(definition, body, base, fetch.listedRows(countEd2kSearchRows(definition, body))),
                           ed2kSearchListRow);
}

// The category a keyword names: its number 1 .. 7 or its name; -1 for none.
int emuleCategoryIndex(const QString &keyword)
{
    static const QList<QStringList> names = {
        {u"电影"_s}, {u"音乐"_s}, {u"软件"_s}, {u"书籍"_s, u"图书"_s}, {u"教育"_s}, {u"综合"_s}, {u"动漫"_s},
    };
    const QString wanted = keyword.trimmed();
    bool number = false;
    const int n = wanted.toInt(&number);
    if (number)
        return n >= 1 && n <= names.size() ? n - 1 : -1;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).contains(wanted))
            return int(i);
    }
    return -1;
}

// The category's page as its next/previous buttons reach it: from 1 up,
// the cartoons' 16-bit page number stops at 32767.
qint64 emuleCategoryPage(const QString &pageText, int index)
{
    bool ok = false;
    const qint64 page = pageText.trimmed().toLongLong(&ok);
    if (!ok || page < 1)
        return 1;
    return index == CartoonIndex ? qMin<qint64>(page, std::numeric_limits<qint16>::max()) : page;
}

QCoro::Task<QList<ListRow>> emuleCategory(SourceFetch &fetch, const SourceQuery &query)
{
    const int index = emuleCategoryIndex(query.keyword);
    const qint64 page = emuleCategoryPage(query.page, index);
    QList<ListRow> listed;
    if (index < 0)
        co_return listed;
    const SiteDefinition &definition = fetch.sites().definitions().get(u"emule-category"_s);
    const QString base = fetch.sites().site(u"emule"_s);
    const QString address = emuleCategoryAddress(definition, base, index, page);
    const QString body = co_await fetch.get(address);
    co_return numberedRows(parseEmuleListing(definition, body, base, CategoryItemsPerPage), emuleListRow);
}

QCoro::Task<QList<ListRow>> emuleSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const SiteDefinition &definition = fetch.sites().definitions().get(u"emule-search"_s);
    const QString base = fetch.sites().site(u"emule"_s);
    const QString address = emuleSearchAddress(definition, base,
                                               AddressTemplate::encodeKeyword(query.keyword, definition.keyword), query.page);
    const QString body = co_await fetch.get(address);
    QList<ListRow> listed;
    if (body.isEmpty() || isEmuleSearchEmpty(definition, body))
        co_return listed;
    const qsizetype count = fetch.listedRows(countEmuleItems(definition, body));
    co_return numberedRows(parseEmuleListing(definition, body, base, count), emuleListRow);
}

QString keywordRefusal(const QString &keyword)
{
    return keyword.isEmpty() ? u"请输入资源关键字 .."_s : QString();
}

const QString &emuleCategoryHelp()
{
    static const QString help = u"分类 1-7：1 电影、2 音乐、3 软件、4 书籍、5 教育、6 综合、7 动漫（数字或名称）"_s;
    return help;
}

QString emuleCategoryRefusal(const QString &keyword)
{
    return emuleCategoryIndex(keyword) < 0 ? u"没有这个分类："_s + keyword + u"（"_s + emuleCategoryHelp() + u"）"_s
                                           : QString();
}

} // namespace

QList<HeadlessSource> emuleHeadlessSources()
{
    return {
        {.name = u"ed2k"_s,
         .title = u"综合资源②"_s,
         .siteKey = u"ed2k_search"_s,
         .list = u"ListView17"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"地球"_s,
         .run = ed2kSearch,
         .refusal = keywordRefusal},
        // Seven tabs, one list shape: ListView6 stands for ListView6 .. 12.
        {.name = u"emule-category"_s,
         .title = u"影视资源④/音乐资源/资源①/书籍资源/教育资源/综合资源①/动漫资源"_s,
         .siteKey = u"emule"_s,
         .list = u"ListView6"_s,
         .keywordHelp = emuleCategoryHelp(),
         .probe = u"1"_s,
         .run = emuleCategory,
         .refusal = emuleCategoryRefusal},
        {.name = u"emule-search"_s,
         .title = u"资源②（支持自定义搜索）"_s,
         .siteKey = u"emule"_s,
         .list = u"ListView15"_s,
         .keywordHelp = u"关键字"_s,
         .probe = u"地球"_s,
         .run = emuleSearch,
         .refusal = keywordRefusal},
    };
}
