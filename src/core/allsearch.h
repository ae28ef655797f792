#pragma once

#include "core/fetchoutcome.h"
#include "core/headlesssource.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class FetchScope;
class PageFetcher;
class SiteConfig;

// How one source answered a search across every source.
struct AllSearchAnswer
{
    int index = -1;        // in the sources the search was started with
    QList<ListRow> rows;   // as the source's own list would show them
    std::optional<FetchOutcome> failure; // its first failed fetch, if any
    QList<FetchOutcome> outcomes; // every fetch it made
    bool answeredFetch = false; // one of its fetches got its page
    qsizetype cutFrom = 0; // rows of a page its list was cut from; 0: none
    QString refusal;       // why it did not search this keyword, if it did not
    QStringList patternErrors; // a definition's regex that failed: "rule\tcode\twords" each
    qint64 elapsedMs = 0;
};

// One keyword asked of many sources at once, page 1 each, as their own tabs
// would read it. Every source runs side by side (the fetcher limits each
// site on its own), and each one's rows are handed over as soon as it is
// done, so a slow or failing site never holds the others back. A newer
// search supersedes the older one: nothing of the older one lands.
class AllSearch : public QObject
{
    Q_OBJECT

public:
    AllSearch(PageFetcher &fetcher, const SiteConfig &sites, QObject *parent = nullptr);
    ~AllSearch() override;

    void start(const QList<HeadlessSource> &sources, const QString &keyword);
    // Ends the running search: its pending fetches are dropped, and it
    // answers nothing more.
    void cancel();

    bool isRunning() const;
    // Sources of the running (or last) search that have answered.
    int answeredCount() const;
    const QList<HeadlessSource> &sources() const;

Q_SIGNALS:
    void answered(const AllSearchAnswer &answer);
    // Every source of the search has answered (not after cancel()).
    void finished();

private:
    QCoro::Task<> ask(quint64 search, int index, QString keyword);
    void land(quint64 search, AllSearchAnswer answer);
    void endFetches();

    PageFetcher &m_fetcher;
    const SiteConfig &m_sites;
    QList<HeadlessSource> m_sources;
    quint64 m_search = 0;
    int m_answered = 0;
    bool m_running = false;
    FetchScope *m_scope = nullptr; // the running search's fetches
};
