#pragma once

#include "core/fetchoutcome.h"
#include "core/networksettings.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

#include <coroutine>
#include <deque>
#include <functional>
#include <memory>

class FetchScope;
class QUrl;

// The program's one network manager and the three forms of the page fetch.
// Each is a coroutine: the caller awaits it while the window keeps running.
// Every failure (invalid or unconfigured address, unreachable host, time-out,
// a body over the size cap, a body cut off before its end, a redirect loop)
// yields an empty body; an error status still yields its page. Every fetch
// also says how it ended (`fetched`), for the per-site status.
//
// At most `[network] parallel` fetches of one site run at once; the others
// wait for a fetch of that site to end, first come first served, so a slow
// site never holds back another. Waiting counts against no time-out: the
// transfer time-out (`[network] timeout_ms` without data) and the page's
// deadline (`[network] deadline_ms` for the whole page, so a site that
// trickles ends too) start when the request is sent. The
// fetches of an aborted FetchScope, running or waiting, end as cancelled on
// the next pass of the event loop, never inside the caller of abort().
class PageFetcher : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxBodyBytes = 32 * 1024 * 1024;
    // How much the network layer may hold for us before it waits.
    static constexpr qint64 ReadChunkBytes = 256 * 1024;

    enum class Form {
        GetBody,  // "If-Modified-Since: 0", declared charset
        Plain,    // without the cache header
        Transfer, // decoded as GBK
    };
    struct Page
    {
        QString body; // empty on failure
        FetchOutcome outcome;
    };

    explicit PageFetcher(const NetworkSettings &settings, QObject *parent = nullptr);
    // Ends every pending fetch, running or waiting for its site: each
    // awaiting caller resumes with a failure; a waiting one is never sent.
    ~PageFetcher() override;

    // Which site an address belongs to, for the per-site limit; by default,
    // and where it answers an empty text, scheme://host:port.
    void setSiteOf(std::function<QString(const QUrl &)> siteOf);

    // A page in one of the three forms, with how the fetch ended; a page
    // that declares no charset is read in `fallbackCharset` (UTF-8 when empty).
    // When `scope` is aborted the fetch ends as cancelled, with no body.
    QCoro::Task<Page> page(QString address, Form form = Form::GetBody, QByteArray fallbackCharset = {},
                           FetchScope *scope = nullptr);

    // GET with "If-Modified-Since: 0", decoded by the declared charset.
    QCoro::Task<QString> GetBody(const QString &address);
    // The same without the cache header.
    QCoro::Task<QString> plainBody(const QString &address);
    // The transfer-control form: the body decoded as GBK.
    QCoro::Task<QString> transferBody(const QString &address);
    // The raw bytes (downloads); empty on failure.
    QCoro::Task<QByteArray> bytes(const QString &address);

    QNetworkAccessManager *manager();

    // An address worth sending: http or https with a host.
    static bool isFetchable(const QUrl &url);

Q_SIGNALS:
    // After every fetch, whoever asked for it.
    void fetched(const FetchOutcome &outcome);

private:
    struct Response
    {
        QByteArray body;
        QByteArray contentType;
        bool ok = false;
        FetchOutcome outcome;
    };
    enum class CacheHeader { Send, Omit };
    // A fetch waiting for a free place among its site's running fetches.
    struct Waiter
    {
        std::coroutine_handle<> handle;
        bool granted = false;   // holds a place of its site
        bool cancelled = false; // its scope was aborted
        bool resumed = false;
    };
    struct SiteQueue
    {
        int running = 0;
        std::deque<std::shared_ptr<Waiter>> waiting;
    };
    // Suspends the fetch until its waiter is resumed. A plain pointer: GCC
    // 12 may destroy a co_await operand twice.
    struct Park
    {
        Waiter *waiter;
        bool await_ready() const noexcept;
        void await_suspend(std::coroutine_handle<> handle) noexcept;
        void await_resume() const noexcept;
    };

    QCoro::Task<Response> fetch(QString address, CacheHeader cacheHeader, FetchScope *scope = nullptr);
    QString siteOf(const QUrl &url) const;
    // Takes a place of `site` now, or queues a waiter that must be parked.
    std::shared_ptr<Waiter> enter(const QString &site);
    // Gives a place of `site` back: the next waiter gets it.
    void leave(const QString &site);
    void cancelWaiter(const QString &site, const std::shared_ptr<Waiter> &waiter);
    // From the event loop, never from inside the fetch that made way.
    void resumeLater(const std::shared_ptr<Waiter> &waiter);
    void resume(const std::shared_ptr<Waiter> &waiter);
    Response endedEarly(const QString &address, FetchOutcome::Kind kind);

    NetworkSettings m_settings;
    QNetworkAccessManager m_manager;
    std::function<QString(const QUrl &)> m_siteOf;
    QHash<QString, SiteQueue> m_sites;
    // Every waiter not yet resumed, whether still queued or already granted.
    QList<std::shared_ptr<Waiter>> m_parked;
    bool m_closing = false;
};
