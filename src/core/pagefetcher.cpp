#include "core/pagefetcher.h"

#include "core/bodydecoder.h"
#include "core/fetchscope.h"
#include "core/texttools.h"

#include <QCoroNetworkReply>
#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QNetworkProxy proxyFrom(const QString &address)
{
    const QUrl url(address);
    if (address.isEmpty() || !url.isValid() || url.host().isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    const QString scheme = url.scheme().toLower();
    const auto type = scheme.startsWith(QLatin1String("socks")) ? QNetworkProxy::Socks5Proxy
                                                                : QNetworkProxy::HttpProxy;
    const int defaultPort = type == QNetworkProxy::Socks5Proxy ? 1080 : 8080;
    return QNetworkProxy(type, url.host(), quint16(url.port(defaultPort)), url.userName(), url.password());
}

FetchOutcome::Kind outcomeKind(QNetworkReply::NetworkError error, bool oversize, bool overDeadline, int httpStatus,
                               bool statusError)
{
    using Kind = FetchOutcome::Kind;
    const bool httpAnswered = httpStatus != 0;
    if (oversize)
        return Kind::TooLarge;
    if (overDeadline)
        return Kind::Timeout;
    if (error == QNetworkReply::NoError)
        return httpAnswered ? Kind::Ok : Kind::NetworkError;
    if (statusError && httpAnswered)
        return Kind::HttpError;
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return Kind::Refused;
    case QNetworkReply::HostNotFoundError:
        return Kind::HostNotFound;
    // The transfer time-out aborts the reply.
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return Kind::Timeout;
    case QNetworkReply::TooManyRedirectsError:
        return Kind::RedirectLoop;
    // A redirect off http(s) (file:, ftp:, …) or down from https to http.
    case QNetworkReply::InsecureRedirectError:
        return Kind::RedirectRefused;
    case QNetworkReply::ProtocolUnknownError:
        if (httpStatus >= 300 && httpStatus < 400)
            return Kind::RedirectRefused;
        break;
    case QNetworkReply::RemoteHostClosedError:
        return httpAnswered ? Kind::CutOff : Kind::Closed;
    default:
        break;
    }
    // Answered, but the body did not arrive whole.
    return httpAnswered ? Kind::CutOff : Kind::NetworkError;
}

} // namespace

PageFetcher::PageFetcher(const NetworkSettings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
    m_manager.setProxy(proxyFrom(settings.proxy));
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

PageFetcher::~PageFetcher()
{
    // A reply destroyed with the manager never signals its end, so the
    // coroutines awaiting it would never resume and their frames would be
    // lost; the same goes for a fetch still waiting for its site. Waiting
    // fetches resume now with a failure, unsent; aborting a reply ends its
    // fetch now (abort() emits finished() at once). A fetch asked for while
    // this runs fails at once instead of starting.
    m_closing = true;
    const QList<std::shared_ptr<Waiter>> parked = std::exchange(m_parked, {});
    for (const std::shared_ptr<Waiter> &waiter : parked)
        resume(waiter);
    QList<QPointer<QNetworkReply>> replies;
    for (QNetworkReply *reply : m_manager.findChildren<QNetworkReply *>(Qt::FindDirectChildrenOnly))
        replies.append(reply);
    for (const QPointer<QNetworkReply> &reply : std::as_const(replies)) {
        if (reply && reply->isRunning())
            reply->abort();
    }
}

void PageFetcher::setSiteOf(std::function<QString(const QUrl &)> siteOf)
{
    m_siteOf = std::move(siteOf);
}

QNetworkAccessManager *PageFetcher::manager()
{
    return &m_manager;
}

bool PageFetcher::isFetchable(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
           && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool PageFetcher::Park::await_ready() const noexcept
{
    return false;
}

void PageFetcher::Park::await_suspend(std::coroutine_handle<> handle) noexcept
{
    waiter->handle = handle;
}

void PageFetcher::Park::await_resume() const noexcept
{
}

QString PageFetcher::siteOf(const QUrl &url) const
{
    QString site = m_siteOf ? m_siteOf(url) : QString();
    if (site.isEmpty()) {
        const QString scheme = url.scheme().toLower();
        site = scheme + u"://"_s + url.host().toLower() + u':'
               + QString::number(url.port(scheme == u"https"_s ? 443 : 80));
    }
    return site;
}

namespace {

// Another host or port than the one asked: where the user should know the
// page came from.
bool otherHost(const QUrl &asked, const QUrl &answered)
{
    if (!answered.isValid() || answered.isEmpty())
        return false;
    const auto portOf = [](const QUrl &url) { return url.port(url.scheme().toLower() == u"https"_s ? 443 : 80); };
    return asked.host().compare(answered.host(), Qt::CaseInsensitive) != 0 || portOf(asked) != portOf(answered);
}

} // namespace

std::shared_ptr<PageFetcher::Waiter> PageFetcher::enter(const QString &site)
{
    SiteQueue &queue = m_sites[site];
    if (queue.running < qMax(1, m_settings.parallel) && queue.waiting.empty()) {
        ++queue.running;
        return nullptr;
    }
    auto waiter = std::make_shared<Waiter>();
    queue.waiting.push_back(waiter);
    m_parked.append(waiter);
    return waiter;
}

void PageFetcher::leave(const QString &site)
{
    if (m_closing)
        return;
    const auto queue = m_sites.find(site);
    if (queue == m_sites.end())
        return;
    --queue->running;
    while (queue->running < qMax(1, m_settings.parallel) && !queue->waiting.empty()) {
        std::shared_ptr<Waiter> next = queue->waiting.front();
        queue->waiting.pop_front();
        ++queue->running;
        next->granted = true;
        resumeLater(next);
    }
    if (queue->running <= 0 && queue->waiting.empty())
        m_sites.erase(queue);
}

void PageFetcher::cancelWaiter(const QString &site, const std::shared_ptr<Waiter> &waiter)
{
    if (waiter->cancelled || waiter->resumed)
        return;
    waiter->cancelled = true;
    // A granted waiter is already on its way; it gives its place back.
    if (waiter->granted)
        return;
    const auto queue = m_sites.find(site);
    if (queue != m_sites.end())
        std::erase(queue->waiting, waiter);
    resumeLater(waiter);
}

void PageFetcher::resumeLater(const std::shared_ptr<Waiter> &waiter)
{
    // Should the fetcher go first, its destructor resumes the waiter.
    QMetaObject::invokeMethod(this, [this, waiter] { resume(waiter); }, Qt::QueuedConnection);
}

void PageFetcher::resume(const std::shared_ptr<Waiter> &waiter)
{
    if (waiter->resumed)
        return;
    waiter->resumed = true;
    m_parked.removeOne(waiter);
    waiter->handle.resume();
}

PageFetcher::Response PageFetcher::endedEarly(const QString &address, FetchOutcome::Kind kind)
{
    Response response;
    response.outcome.address = address;
    response.outcome.kind = kind;
    Q_EMIT fetched(response.outcome);
    return response;
}

QCoro::Task<PageFetcher::Response> PageFetcher::fetch(QString address, CacheHeader cacheHeader, FetchScope *scope)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (scope && scope->isAborted())
        co_return endedEarly(address, FetchOutcome::Kind::Cancelled);
    if (m_closing || !isFetchable(url))
        co_return endedEarly(address, m_closing ? FetchOutcome::Kind::NetworkError : FetchOutcome::Kind::InvalidAddress);
    QPointer<PageFetcher> self(this);
    const QString site = siteOf(url);

    const std::shared_ptr<Waiter> waiter = enter(site);
    if (waiter) {
        QMetaObject::Connection onAbort;
        if (scope)
            onAbort = connect(scope, &FetchScope::aborted, this, [this, site, waiter] { cancelWaiter(site, waiter); });
        co_await Park{waiter.get()};
        QObject::disconnect(onAbort);
        // Resumed only by this fetcher's own queued call or its destructor.
        if (!self) {
            Response lost;
            lost.outcome.address = address;
            lost.outcome.kind = FetchOutcome::Kind::NetworkError;
            co_return lost;
        }
        if (waiter->cancelled || m_closing) {
            if (waiter->granted)
                leave(site);
            co_return endedEarly(address, m_closing ? FetchOutcome::Kind::NetworkError : FetchOutcome::Kind::Cancelled);
        }
    }

    // The time taken, the transfer time-out and the deadline start when the
    // request goes: waiting for a place of the site is bounded by the
    // deadlines of the fetches ahead.
    QElapsedTimer clock;
    clock.start();
    QNetworkRequest request(url);
    request.setTransferTimeout(m_settings.timeoutMs);
    request.setMaximumRedirectsAllowed(10);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_settings.userAgent);
    if (cacheHeader == CacheHeader::Send)
        request.setRawHeader("If-Modified-Since", "0");

    QPointer<QNetworkReply> reply = m_manager.get(request);
    // The body is taken from the reply as it arrives and the reply's own
    // buffer is bounded, so the network thread stops reading the socket
    // until we catch up: a body over the cap is cut off while it arrives
    // instead of being held whole first.
    reply->setReadBufferSize(ReadChunkBytes);
    auto body = std::make_shared<QByteArray>();
    auto oversize = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [r = reply.data(), body, oversize] {
        if (*oversize)
            return;
        const QVariant length = r->header(QNetworkRequest::ContentLengthHeader);
        if (body->size() + r->bytesAvailable() > MaxBodyBytes
            || (length.isValid() && length.toLongLong() > MaxBodyBytes)) {
            *oversize = true;
            body->clear();
            r->abort();
            return;
        }
        body->append(r->readAll());
    });
    // A page that trickles in never trips the transfer time-out.
    auto overDeadline = std::make_shared<bool>(false);
    QTimer::singleShot(m_settings.effectiveDeadlineMs(), reply, [r = reply.data(), overDeadline] {
        if (!r->isRunning())
            return;
        *overDeadline = true;
        r->abort();
    });
    auto cancelled = std::make_shared<bool>(false);
    QMetaObject::Connection onAbort;
    if (scope) {
        // The abort goes through the event loop, so abort() never runs an
        // asker's code inside the caller of abort().
        onAbort = QObject::connect(scope, &FetchScope::aborted, reply, [r = reply.data(), cancelled] {
            *cancelled = true;
            QMetaObject::invokeMethod(r, &QNetworkReply::abort, Qt::QueuedConnection);
        });
    }

    co_await reply.data();
    QObject::disconnect(onAbort);

    Response response;
    response.outcome.address = address;
    response.outcome.elapsedMs = clock.elapsed();
    if (self)
        self->leave(site);
    if (*cancelled) {
        response.outcome.kind = FetchOutcome::Kind::Cancelled;
        if (reply)
            reply->deleteLater();
        if (self)
            Q_EMIT self->fetched(response.outcome);
        co_return response;
    }
    if (!reply) {
        response.outcome.kind = FetchOutcome::Kind::NetworkError;
        if (self)
            Q_EMIT self->fetched(response.outcome);
        co_return response;
    }
    if (!*oversize && reply->isOpen())
        body->append(reply->readAll());
    const auto error = reply->error();
    // Transport failures give no page, and neither does a body cut off
    // before its end (the connection closed early, a time-out mid-body):
    // a partial page listed as if complete would hide the failure. An
    // HTTP error status still has its page.
    const bool statusError = (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
                             || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool httpAnswered = !status.isNull();
    response.outcome.httpStatus = status.toInt();
    if (otherHost(url, reply->url()))
        response.outcome.redirectedTo = reply->url().toString();
    if (!*oversize && !*overDeadline && httpAnswered && (error == QNetworkReply::NoError || statusError)) {
        response.body = std::move(*body);
        response.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        response.ok = true;
    }
    response.outcome.kind =
        outcomeKind(error, *oversize, *overDeadline, httpAnswered ? qMax(1, response.outcome.httpStatus) : 0, statusError);
    reply->deleteLater();
    if (self)
        Q_EMIT self->fetched(response.outcome);
    co_return response;
}

QCoro::Task<PageFetcher::Page> PageFetcher::page(QString address, Form form, QByteArray fallbackCharset, FetchScope *scope)
{
    const Response response =
        co_await fetch(address, form == Form::GetBody ? CacheHeader::Send : CacheHeader::Omit, scope);
    Page page;
    page.body = form == Form::Transfer ? fromGbk(response.body)
                                       : decodeBody(response.body, response.contentType, fallbackCharset);
    page.outcome = response.outcome;
    co_return page;
}

QCoro::Task<QString> PageFetcher::GetBody(const QString &address)
{
    const Response response = co_await fetch(address, CacheHeader::Send);
    co_return decodeBody(response.body, response.contentType);
}

QCoro::Task<QString> PageFetcher::plainBody(const QString &address)
{
    const Response response = co_await fetch(address, CacheHeader::Omit);
    co_return decodeBody(response.body, response.contentType);
}

QCoro::Task<QString> PageFetcher::transferBody(const QString &address)
{
    const Response response = co_await fetch(address, CacheHeader::Omit);
    co_return fromGbk(response.body);
}

QCoro::Task<QByteArray> PageFetcher::bytes(const QString &address)
{
    const Response response = co_await fetch(address, CacheHeader::Omit);
    co_return response.body;
}
