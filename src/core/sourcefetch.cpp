#include "core/sourcefetch.h"

#include "core/fetchscope.h"
#include "core/searchlimits.h"
#include "core/siteconfig.h"

#include <algorithm>

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

bool SourceFetch::anyAnswered() const
{
    return std::any_of(m_outcomes.cbegin(), m_outcomes.cend(),
                       [](const FetchOutcome &outcome) { return !outcome.failed() && !outcome.cancelled(); });
}

qsizetype SourceFetch::listedRows(qsizetype found)
{
    if (found > SearchLimits::MaxListRows)
        m_cutFrom = qMax(m_cutFrom, found);
    return SearchLimits::listedRows(found);
}

qsizetype SourceFetch::cutFrom() const
{
    return m_cutFrom;
}

const PatternErrors &SourceFetch::patternErrors() const
{
    return m_patternErrors;
}
