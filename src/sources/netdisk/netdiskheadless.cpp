#include "sources/netdisk/netdiskheadless.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "core/texttools.h"
#include "sources/netdisk/netdiskparser.h"

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int NetdiskCount = 24;

struct Pages
{
    QStringList addresses;
    QStringList bodies;
    qsizetype next = 0;
};

QCoro::Task<> fetchWorker(SourceFetch &fetch, std::shared_ptr<Pages> pages)
{
    while (pages->next < pages->addresses.size()) {
        const qsizetype slot = pages->next++;
        const QString address = pages->addresses.at(slot);
        pages->bodies[slot] = co_await fetch.get(address);
    }
}

// Several pages at a time, as the window fetches them; the bodies in
// address order (a failed page is empty).
QCoro::Task<QStringList> fetchAll(SourceFetch &fetch, QStringList addresses, int parallel)
{
    auto pages = std::make_shared<Pages>();
    pages->addresses = std::move(addresses);
    pages->bodies.resize(pages->addresses.size());
    std::vector<QCoro::Task<>> workers;
    const qsizetype count = qMin<qsizetype>(qMax(parallel, 1), pages->addresses.size());
    for (qsizetype i = 0; i < count; ++i)
        workers.push_back(fetchWorker(fetch, pages));
    for (QCoro::Task<> &worker : workers)
        co_await std::move(worker);
    co_return pages->bodies;
}

// Every netdisk with a configured filter, listed in box order.
QCoro::Task<QList<ListRow>> netdiskSearch(SourceFetch &fetch, const SourceQuery &query)
{
    const QString keyword = query.keyword;
    const QString pageText = query.page;
    QList<ListRow> listed;
    // The window refuses keywords shorter than two characters.
    if (keyword.size() < 2)
        co_return listed;
    const SiteConfig &sites = fetch.sites();
    const SiteDefinition &definition = sites.definitions().get(u"netdisk"_s);
    const QString base = sites.site(u"netdisk_search"_s);
    const QString encoded = AddressTemplate::encodeKeyword(keyword, definition.keyword);
    QStringList addresses;
    QStringList captions;
    for (int i = 0; i < NetdiskCount; ++i) {
        const QString filter = sites.netdiskFilter(i);
        if (filter.isEmpty())
            continue;
        addresses.append(netdiskSearchAddress(definition, base, filter, encoded, pageText));
        captions.append(definition.captions.value(i));
    }
    const QStringList bodies = co_await fetchAll(fetch, addresses, sites.network().parallel);
    qsizetype pending = 0;
    for (qsizetype slot = 0; slot < bodies.size(); ++slot) {
        const qsizetype count = fetch.listedRows(pending + countNetdiskHits(definition, bodies.at(slot))) - pending;
        if (count <= 0)
            continue;
        pending += count;
        for (ListRow &hit : parseNetdiskPage(definition, bodies.at(slot), count))
            listed.append(netdiskListRow(definition, std::move(hit), captions.at(slot)));
    }
    co_return listed;
}

QString netdiskRefusal(const QString &keyword)
{
    if (keyword.isEmpty())
        return u"请输入要搜索的资源名称.."_s;
    return keyword.size() < 2 ? u"请至少输入两位关键字.."_s : QString();
}

} // namespace

QList<HeadlessSource> netdiskHeadlessSources()
{
    return {
        {.name = u"netdisk"_s,
         .title = u"网盘资源"_s,
         .siteKey = u"netdisk_search"_s,
         .list = u"ListView1"_s,
         .keywordHelp = u"资源名称（至少两个字），在每个配置了 [netdisk] 过滤词的网盘中搜索"_s,
         .probe = u"电影"_s,
         .run = netdiskSearch,
         .refusal = netdiskRefusal},
    };
}
