#include "core/allsearch.h"

#include "core/fetchscope.h"
#include "core/sourcefetch.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

AllSearch::AllSearch(PageFetcher &fetcher, const SiteConfig &sites, QObject *parent)
    : QObject(parent)
    , m_fetcher(fetcher)
    , m_sites(sites)
{
}

AllSearch::~AllSearch()
{
    // The sources' coroutines resume with cancelled fetches and find this
    // object gone.
    endFetches();
}

void AllSearch::start(const QList<HeadlessSource> &sources, const QString &keyword)
{
    endFetches();
    const quint64 search = ++m_search;
    m_sources = sources;
    m_answered = 0;
    m_running = true;
    m_scope = new FetchScope(this);
    for (int i = 0; i < m_sources.size(); ++i) {
        const QString refusal = m_sources.at(i).refusal ? m_sources.at(i).refusal(keyword) : QString();
        if (refusal.isEmpty()) {
            ask(search, i, keyword);
            continue;
        }
        // Answered on the next turn, like any other, so no answer comes
        // before start() has returned.
        QTimer::singleShot(0, this, [this, search, i, refusal] {
            AllSearchAnswer answer;
            answer.index = i;
            answer.refusal = refusal;
            land(search, std::move(answer));
        });
    }
    if (m_sources.isEmpty())
        QTimer::singleShot(0, this, [this, search] {
            if (search == m_search && m_running) {
                m_running = false;
                Q_EMIT finished();
            }
        });
}

void AllSearch::cancel()
{
    ++m_search;
    m_running = false;
    endFetches();
}

void AllSearch::endFetches()
{
    if (!m_scope)
        return;
    FetchScope *scope = m_scope;
    m_scope = nullptr;
    scope->abort();
    scope->deleteLater();
}

bool AllSearch::isRunning() const
{
    return m_running;
}

int AllSearch::answeredCount() const
{
    return m_answered;
}

const QList<HeadlessSource> &AllSearch::sources() const
{
    return m_sources;
}

QCoro::Task<> AllSearch::ask(quint64 search, int index, QString keyword)
{
    QPointer<AllSearch> self(this);
    // Copies: the frame outlives a newer search's list, and this object.
    const HeadlessSource source = m_sources.at(index);
    SourceFetch fetch(m_fetcher, m_sites, m_scope);
    QElapsedTimer clock;
    clock.start();
    const SourceQuery query{keyword, u"1"_s};
    QList<ListRow> rows = co_await source.run(fetch, query);
    if (!self)
        co_return;
    AllSearchAnswer answer;
    answer.index = index;
    answer.rows = std::move(rows);
    answer.failure = fetch.firstFailure();
    answer.outcomes = fetch.outcomes();
    answer.answeredFetch = fetch.anyAnswered();
    answer.cutFrom = fetch.cutFrom();
    for (qsizetype i = 0; i < fetch.patternErrors().codes().size(); ++i)
        answer.patternErrors.append(fetch.patternErrors().codes().at(i) + u'\t' + fetch.patternErrors().messages().at(i));
    answer.elapsedMs = clock.elapsed();
    self->land(search, std::move(answer));
}

void AllSearch::land(quint64 search, AllSearchAnswer answer)
{
    if (search != m_search || !m_running)
        return;
    ++m_answered;
    Q_EMIT answered(answer);
    // A slot may have started a newer search or cancelled this one.
    if (search == m_search && m_running && m_answered == m_sources.size()) {
        m_running = false;
        endFetches();
        Q_EMIT finished();
    }
}
