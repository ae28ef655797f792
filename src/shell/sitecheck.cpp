#include "shell/sitecheck.h"

#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "shell/escapedtext.h"
#include "shell/sourcetable.h"
#include "sources/playback/cloudondemand.h"
#include "sources/playback/livetvchannels.h"

#include <QElapsedTimer>

using namespace Qt::StringLiterals;

namespace {

// What the program itself reads from a site no reader searches.
QString pageProbe(const SiteConfig &sites, const QString &key)
{
    const QString base = sites.site(key);
    if (key == u"maker"_s)
        return base + u"/version/gx.txt"_s;
    if (key == u"live_tv"_s)
        return LiveTvChannels::address(sites.definitions().get(u"live-tv"_s), base, LiveTvChannels::StartChannel);
    // The on-demand service has no search: its player page, asked for nothing.
    if (key == u"cloud_on_demand"_s)
        return cloudOnDemandAddress(sites.definitions().get(u"cloud-on-demand"_s), base, QString());
    return base + u'/';
}

} // namespace

bool SiteCheck::passed() const
{
    return !outcome.failed() && items != 0;
}

QString SiteCheck::code() const
{
    if (outcome.failed())
        return outcome.code();
    return items == 0 ? u"no-items"_s : u"ok"_s;
}

QString SiteCheck::line() const
{
    return key + u'\t' + escapedText(address) + u'\t' + code() + u'\t' + (items < 0 ? u"-"_s : QString::number(items)) + u'\t'
           + QString::number(elapsedMs);
}

QStringList SiteCheck::sourcesOf(const SiteConfig &sites, const QString &key)
{
    QStringList names;
    for (const HeadlessSource &source : headlessSources(sites.definitions())) {
        // A user's source has no list of the window's; a built-in's others
        // search the same site the same way.
        if (source.siteKey == key && (names.isEmpty() || source.list.isEmpty()))
            names.append(source.name);
    }
    return names.isEmpty() ? QStringList{QString()} : names;
}

QCoro::Task<SiteCheck> SiteCheck::run(PageFetcher &fetcher, const SiteConfig &sites, QString key, QString sourceName)
{
    SiteCheck check;
    check.key = key;
    QElapsedTimer clock;
    clock.start();
    const HeadlessSource *probe = nullptr;
    const QList<HeadlessSource> sources = headlessSources(sites.definitions());
    for (const HeadlessSource &source : sources) {
        if (source.siteKey == key && (sourceName.isEmpty() || source.name == sourceName)) {
            probe = &source;
            break;
        }
    }
    SourceFetch fetch(fetcher, sites);
    if (probe) {
        const SourceQuery query{probe->probe}; // named: see HeadlessCommand
        const QList<ListRow> rows = co_await probe->run(fetch, query);
        check.items = int(rows.size());
    } else {
        co_await fetch.get(pageProbe(sites, key), PageFetcher::Form::Plain);
    }
    check.elapsedMs = clock.elapsed();
    const QList<FetchOutcome> &outcomes = fetch.outcomes();
    if (!outcomes.isEmpty()) {
        check.address = outcomes.first().address;
        check.outcome = fetch.firstFailure().value_or(outcomes.last());
    }
    co_return check;
}
