#include "core/sourcefetch.h"

#include "core/fetchscope.h"
#include "core/siteconfig.h"

SourceFetch::SourceFetch(PageFetcher &fetcher, const SiteConfig &sites, FetchScope *scope)
    : m_fetcher(fetcher)
    , m_sites(sites)
    , m_scope(scope)
    , m_scoped(scope != nullptr)
{
}

const SiteConfig &SourceFetch::sites() const
{
    return m_sites;
}

QCoro::Task<QString> SourceFetch::get(QString address, PageFetcher::Form form, QByteArray fallbackCharset)
{
    if (m_scoped && !m_scope) {
        FetchOutcome cancelled;
        cancelled.address = address;
        cancelled.kind = FetchOutcome::Kind::Cancelled;
        m_outcomes.append(cancelled);
        m_patternErrors.makeCurrent();
        co_return QString();
    }
    PageFetcher::Page page = co_await m_fetcher.page(address, form, fallbackCharset, m_scope);
    m_outcomes.append(page.outcome);
    // The source parses this page before anything else runs.
    m_patternErrors.makeCurrent();
    co_return std::move(page.body);
}

const QList<FetchOutcome> &SourceFetch::outcomes() const
{
    return m_outcomes;
}

std::optional<FetchOutcome> SourceFetch::firstFailure() const
{
    for (const FetchOutcome &outcome : m_outcomes) {
        if (outcome.failed())
            return outcome;
    }
    return std::nullopt;
}

const PatternErrors &SourceFetch::patternErrors() const
{
    return m_patternErrors;
}
