#include "sources/emule/emuleheadless.h"

#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "core/texttools.h"
#include "sources/emule/ed2ksearchparser.h"

using namespace Qt::StringLiterals;

namespace {

QCoro::Task<QList<ListRow>> ed2kSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const QString base = fetch.sites().site(u"ed2k_search"_s);
    const QString body = co_await fetch.get(ed2kSearchAddress(base, UTF8_URLEncoding(query.keyword), query.page));
    const QList<Ed2kSearchRow> rows = parseEd2kSearchPage(body, base, countEd2kSearchRows(body));
    QList<ListRow> listed;
    for (qsizetype i = 0; i < rows.size(); ++i)
        listed.append(ed2kSearchListRow(rows.at(i), i + 1));
    co_return listed;
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
         .run = ed2kSearch},
    };
}
