#include "ui/searchrun.h"

#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/searchlimits.h"
#include "core/services.h"
#include "core/siteconfig.h"
#include "core/sitestatusboard.h"
#include "ui/resultlist.h"

#include <QAbstractButton>
#include <QTimer>

using namespace Qt::StringLiterals;

SearchRun::SearchRun(const ReaderContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

SearchRun::SearchRun(const ReaderContext &context, const Setup &setup, QObject *parent)
    : SearchRun(context, parent)
{
    setStartButtons(setup.buttons);
    setList(setup.list);
    addTimers(setup.timers);
    setNotFoundText(setup.notFoundText);
}

void SearchRun::setStartButtons(const QList<QAbstractButton *> &buttons)
{
    m_buttons.clear();
    for (QAbstractButton *button : buttons)
        m_buttons.append(button);
}

void SearchRun::setList(ResultList *list)
{
    m_list = list;
}

void SearchRun::addTimers(const QList<ReaderTimer *> &timers)
{
    for (ReaderTimer *timer : timers) {
        m_timers.append(timer);
        // Posted, so the reader's own tick handler has run when we look.
        connect(timer, &QTimer::timeout, this, &SearchRun::scheduleStallCheck);
        // A tick parses a page of this search.
        connect(timer, &ReaderTimer::aboutToTick, this, [this] { m_patternErrors.makeCurrent(); });
    }
}

void SearchRun::setNotFoundText(const QString &text)
{
    m_notFoundText = text;
}

void SearchRun::setSiteKey(const QString &key)
{
    m_siteKey = key;
}

void SearchRun::setStallHandler(std::function<void()> handler)
{
    m_stallHandler = std::move(handler);
}

quint64 SearchRun::begin(const QString &progress)
{
    ++m_search;
    m_running = true;
    m_fetching = 0;
    m_failure.reset();
    m_answeredSites.clear();
    m_cutFrom = 0;
    m_patternErrors.clear();
    for (ReaderTimer *timer : std::as_const(m_timers))
        timer->disarm();
    if (m_list)
        m_list->clear();
    for (const QPointer<QAbstractButton> &button : std::as_const(m_buttons)) {
        if (button)
            button->setEnabled(false);
    }
    m_context.report(progress);
    return m_search;
}

bool SearchRun::isCurrent(quint64 search) const
{
    return search == m_search;
}

bool SearchRun::isRunning() const
{
    return m_running;
}

quint64 SearchRun::current() const
{
    return m_search;
}

QCoro::Task<std::optional<QString>> SearchRun::fetch(const QString &address, Form form)
{
    return fetchFor(m_search, address, form);
}

QCoro::Task<std::optional<QString>> SearchRun::fetchFor(quint64 search, QString address, Form form)
{
    if (!isCurrent(search))
        co_return std::nullopt;
    ++m_fetching;
    QPointer<SearchRun> self(this);
    PageFetcher::Page page = co_await m_context.fetcher().page(address, form);
    // A closed window or a newer search: the caller must not go on.
    if (!self || !self->isCurrent(search))
        co_return std::nullopt;
    --m_fetching;
    // The reader parses this page before anything else runs.
    m_patternErrors.makeCurrent();
    if (page.outcome.failed()) {
        if (!m_failure)
            m_failure = page.outcome;
    } else if (!page.outcome.cancelled()) {
        QString site = m_context.sites().siteKeyFor(address);
        if (site.isEmpty())
            site = m_siteKey;
        if (!site.isEmpty() && !m_answeredSites.contains(site))
            m_answeredSites.append(site);
    }
    scheduleStallCheck();
    co_return std::move(page.body);
}

QString SearchRun::failureReport() const
{
    return m_failure ? failureText(m_context.sites(), *m_failure, m_siteKey) : QString();
}

QString SearchRun::patternReport() const
{
    if (m_patternErrors.isEmpty())
        return {};
    const QString key = m_siteKey.isEmpty() && !m_answeredSites.isEmpty() ? m_answeredSites.first() : m_siteKey;
    const QString rules = m_patternErrors.messages().join(QStringLiteral("；"));
    return key.isEmpty() ? rules : SiteConfig::siteTitle(key) + QStringLiteral("：") + rules;
}

QString SearchRun::failureText(const SiteConfig &sites, const FetchOutcome &outcome, const QString &fallbackSite)
{
    QString key = sites.siteKeyFor(outcome.address);
    if (key.isEmpty())
        key = fallbackSite;
    const QString site = key.isEmpty() ? QStringLiteral("站点") : SiteConfig::siteTitle(key);
    // A reader whose site has no address builds a bare path.
    if (outcome.kind == FetchOutcome::Kind::InvalidAddress && !key.isEmpty() && sites.site(key).isEmpty())
        return site + QStringLiteral("：未配置地址");
    return site + QStringLiteral("：") + outcome.describe();
}

void SearchRun::finish(const QString &message)
{
    m_running = false;
    for (const QPointer<QAbstractButton> &button : std::as_const(m_buttons)) {
        if (button)
            button->setEnabled(true);
    }
    const int rows = m_list ? m_list->rowCount() : -1;
    m_patternErrors.release();
    if (!m_patternErrors.isEmpty())
        m_context.report(patternReport());
    else if (rows == 0 && m_failure)
        m_context.report(failureText(m_context.sites(), *m_failure, m_siteKey));
    else if (m_cutFrom > 0 && rows != 0)
        // Rows were left out: say so, not only that the search is done.
        m_context.report(message + u"（"_s + SearchLimits::cutNote(m_cutFrom) + u"）"_s);
    else if (!message.isNull())
        m_context.report(message);
    if (SiteStatusBoard *board = m_context.services().siteStatus; board && rows >= 0) {
        for (const QString &site : std::as_const(m_answeredSites))
            board->noteItems(site, rows);
    }
    m_failure.reset();
    m_answeredSites.clear();
    m_cutFrom = 0;
}

qsizetype SearchRun::listedRows(qsizetype found)
{
    if (found > SearchLimits::MaxListRows)
        m_cutFrom = qMax(m_cutFrom, found);
    return SearchLimits::listedRows(found);
}

void SearchRun::scheduleStallCheck()
{
    const quint64 search = m_search;
    QTimer::singleShot(0, this, [this, search] { lookForStall(search); });
}

void SearchRun::lookForStall(quint64 search)
{
    if (!isCurrent(search) || !m_running || m_fetching > 0)
        return;
    for (const ReaderTimer *timer : std::as_const(m_timers)) {
        if (timer->isActive())
            return;
    }
    if (m_stallHandler)
        m_stallHandler();
    else
        finish(m_notFoundText.isEmpty() ? QString() : m_notFoundText);
    // A handler that neither finished nor armed a timer still must not leave
    // the button disabled.
    if (m_running) {
        bool waiting = m_fetching > 0;
        for (const ReaderTimer *timer : std::as_const(m_timers))
            waiting = waiting || timer->isActive();
        if (!waiting)
            finish();
    }
}
