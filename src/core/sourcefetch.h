#pragma once

#include "core/fetchoutcome.h"
#include "core/pagefetcher.h"
#include "core/patternerrors.h"

#include <QCoroTask>
#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class FetchScope;
class SiteConfig;

// The fetches of one headless search: the configuration it reads its
// addresses from, and how every page it asked for ended. Its fetches end
// as cancelled once `scope` (when given) is aborted.
class SourceFetch
{
public:
    SourceFetch(PageFetcher &fetcher, const SiteConfig &sites, FetchScope *scope = nullptr);

    const SiteConfig &sites() const;
    // The page, or an empty text when the fetch failed.
    QCoro::Task<QString> get(QString address, PageFetcher::Form form = PageFetcher::Form::GetBody,
                             QByteArray fallbackCharset = {});

    // The rows to list of a page that holds `found`: at most
    // SearchLimits::MaxListRows; a page cut is remembered (cutFrom()).
    qsizetype listedRows(qsizetype found);
    // Rows of the largest page whose list was cut; 0: none was.
    qsizetype cutFrom() const;

    const QList<FetchOutcome> &outcomes() const;
    // Whether a fetch of this search got its page.
    bool anyAnswered() const;
    // The first fetch that failed (an error status counts), if any.
    std::optional<FetchOutcome> firstFailure() const;
    // What the definitions' regular expressions met while this search's
    // pages were parsed: current from each page's return on.
    const PatternErrors &patternErrors() const;

private:
    PageFetcher &m_fetcher;
    const SiteConfig &m_sites;
    QPointer<FetchScope> m_scope;
    bool m_scoped = false; // a scope that is gone was aborted
    QList<FetchOutcome> m_outcomes;
    qsizetype m_cutFrom = 0;
    PatternErrors m_patternErrors;
};
