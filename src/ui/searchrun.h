#pragma once

#include "core/fetchoutcome.h"
#include "core/pagefetcher.h"
#include "core/patternerrors.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>

class QAbstractButton;
class ReaderTimer;
class ResultList;

// What every site reader does around its own addresses, parse and rows:
// a new search supersedes the older one, disarms the reader's timers,
// clears its list, disables its start button and reports progress; its
// fetches come back only while it is still the current search and the
// reader still lives; and it always ends with the button enabled again.
//
// The last rule holds by construction: after every fetch and every tick of
// one of the reader's timers the run looks again, and a search that is
// neither finished, nor fetching, nor waiting on an armed timer is stalled:
// the stall handler ends it (by default: report the not-found text and
// enable the button).
//
// A search that ends with an empty list after one of its fetches failed
// reports which site failed and why ("网盘搜索：连接超时 (5.0 s)") instead
// of the reader's own text, which stays for a site that answered without a
// hit. Its rows go to the site status board. A definition's regular
// expression that failed while its pages were parsed (PatternErrors, made
// current as each page comes back) is what it reports above all.
class SearchRun : public QObject
{
    Q_OBJECT

public:
    using Form = PageFetcher::Form;

    // What a reader hands over, all optional: its start buttons (disabled
    // while a search runs), its list (cleared at every begin()), its timers
    // (disarmed at every begin(), their ticks watched for a stall) and the
    // text a stalled search reports.
    struct Setup
    {
        QList<QAbstractButton *> buttons = {};
        ResultList *list = nullptr;
        QList<ReaderTimer *> timers = {};
        QString notFoundText = {};
    };

    explicit SearchRun(const ReaderContext &context, QObject *parent);
    SearchRun(const ReaderContext &context, const Setup &setup, QObject *parent);

    // Disabled while a search runs; none is fine (a reader whose start
    // button stays usable).
    void setStartButtons(const QList<QAbstractButton *> &buttons);
    // Cleared at every begin().
    void setList(ResultList *list);
    // Disarmed at every begin(); their ticks are watched for a stall.
    void addTimers(const QList<ReaderTimer *> &timers);
    // The text a stalled search reports (default handler).
    void setNotFoundText(const QString &text);
    // The site a failed fetch is blamed on when its address lies under no
    // configured site (an unconfigured one, say).
    void setSiteKey(const QString &key);
    // Replaces the default stall handling; it must end the search (finish())
    // or arm one of the reader's timers.
    void setStallHandler(std::function<void()> handler);

    // Starts a new search and returns its number.
    quint64 begin(const QString &progress);
    bool isCurrent(quint64 search) const;
    bool isRunning() const;
    quint64 current() const;

    // Fetches a page for the current search: nullopt when the reader is gone
    // or a newer search began while it waited (the caller just returns,
    // without touching its object); an empty text when the fetch failed.
    QCoro::Task<std::optional<QString>> fetch(const QString &address, Form form = Form::GetBody);
    // The same for the search `search`, for work that outlives a begin()
    // of its own (one detail page per row).
    QCoro::Task<std::optional<QString>> fetchFor(quint64 search, QString address,
                                                 Form form = Form::GetBody);

    // Ends the current search: the buttons come back and `message`, when
    // not null, goes to the status panel (unless the list is empty because
    // a site failed: then the failure does).
    void finish(const QString &message = QString());

    // The rows to list of a page that holds `found`: at most
    // SearchLimits::MaxListRows. A cut list is told at finish().
    qsizetype listedRows(qsizetype found);

    // "<site>：<why>" for the current search's first failed fetch; null when
    // none failed (for a reader that keeps its rows when a fetch fails).
    QString failureReport() const;
    // "<site>：规则 … 超出匹配限制…" when a regular expression of the current
    // search failed; null otherwise.
    QString patternReport() const;
    // The status text for a search whose fetch failed: "<site>：<why>".
    static QString failureText(const SiteConfig &sites, const FetchOutcome &outcome,
                               const QString &fallbackSite = QString());

private:
    void scheduleStallCheck();
    void lookForStall(quint64 search);

    ReaderContext m_context;
    qsizetype m_cutFrom = 0; // rows of the largest page cut; 0: none
    QList<QPointer<QAbstractButton>> m_buttons;
    QPointer<ResultList> m_list;
    QList<ReaderTimer *> m_timers;
    QString m_notFoundText;
    QString m_siteKey;
    std::function<void()> m_stallHandler;
    quint64 m_search = 0;
    bool m_running = false;
    int m_fetching = 0; // fetches of the current search still waiting
    std::optional<FetchOutcome> m_failure; // the current search's first failed fetch
    QStringList m_answeredSites; // sites the current search read a page from
    PatternErrors m_patternErrors; // what the parse of the current search's pages met
};
