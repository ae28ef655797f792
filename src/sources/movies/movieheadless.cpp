#include "sources/movies/movieheadless.h"

#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "sources/movies/movielistingparser.h"

using namespace Qt::StringLiterals;

namespace {

// The category a keyword names: its number 1 .. 6 or its button caption;
// -1 for none.
qsizetype movieCategoryIndex(const QString &keyword)
{
    const QList<MovieCategory> &categories = movieCategories();
    const QString wanted = keyword.trimmed();
    bool number = false;
    const int n = wanted.toInt(&number);
    if (number)
        return n >= 1 && n <= categories.size() ? n - 1 : -1;
    for (qsizetype i = 0; i < categories.size(); ++i) {
        if (categories.at(i).caption == wanted)
            return i;
    }
    return -1;
}

QCoro::Task<QList<ListRow>> movieListing(SourceFetch &fetch, const SourceQuery &query)
{
    const qsizetype index = movieCategoryIndex(query.keyword);
    QList<ListRow> listed;
    if (index < 0)
        co_return listed;
    const MovieCategory category = movieCategories().at(index);
    const SiteDefinition &definition = fetch.sites().definitions().get(u"movie-listing"_s);
    const QString base = fetch.sites().site(u"movie_listing"_s);
    const QString address = movieListingAddress(definition, base, category);
    const QString body = co_await fetch.get(address, PageFetcher::Form::Transfer);
    if (body.isEmpty())
        co_return listed;
    co_return numberedRows(parseMovieListing(definition, body, base, category), movieListingListRow);
}

QString categoryHelp()
{
    QString help = u"分类 1-"_s + QString::number(movieCategories().size()) + u"："_s;
    for (qsizetype i = 0; i < movieCategories().size(); ++i)
        help += (i ? u"、"_s : QString()) + QString::number(i + 1) + u' ' + movieCategories().at(i).caption;
    return help + u"（数字或名称）"_s;
}

QString movieCategoryRefusal(const QString &keyword)
{
    return movieCategoryIndex(keyword) < 0 ? u"没有这个分类："_s + keyword + u"（"_s + categoryHelp() + u"）"_s
                                           : QString();
}

} // namespace

QList<HeadlessSource> movieHeadlessSources()
{
    return {
        {.name = u"movie-listing"_s,
         .title = u"影视资源②"_s,
         .siteKey = u"movie_listing"_s,
         .list = u"ListView5"_s,
         .keywordHelp = categoryHelp(),
         .probe = u"1"_s,
         .run = movieListing,
         .refusal = movieCategoryRefusal},
    };
}
