#include "core/pagefetcher.h"

#include "core/bodydecoder.h"
#include "core/texttools.h"

#include <QCoroNetworkReply>
#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include <memory>

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

FetchOutcome::Kind outcomeKind(QNetworkReply::NetworkError error, bool oversize, bool httpAnswered, bool statusError)
{
    using Kind = FetchOutcome::Kind;
    if (oversize)
        return Kind::TooLarge;
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
    case QNetworkReply::InsecureRedirectError:
        return Kind::RedirectLoop;
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
    // lost. Aborting ends each one now (abort() emits finished() at once);
    // a fetch asked for while this runs fails at once instead of starting.
    m_closing = true;
    QList<QPointer<QNetworkReply>> replies;
    for (QNetworkReply *reply : m_manager.findChildren<QNetworkReply *>(Qt::FindDirectChildrenOnly))
        replies.append(reply);
    for (const QPointer<QNetworkReply> &reply : std::as_const(replies)) {
        if (reply && reply->isRunning())
            reply->abort();
    }
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

QCoro::Task<PageFetcher::Response> PageFetcher::fetch(QString address, CacheHeader cacheHeader)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (m_closing || !isFetchable(url)) {
        Response refused;
        refused.outcome.address = address;
        if (m_closing)
            refused.outcome.kind = FetchOutcome::Kind::NetworkError;
        Q_EMIT fetched(refused.outcome);
        co_return refused;
    }
    QElapsedTimer clock;
    clock.start();
    QPointer<PageFetcher> self(this);

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

    co_await reply.data();

    Response response;
    response.outcome.address = address;
    response.outcome.elapsedMs = clock.elapsed();
    if (!reply) {
        response.outcome.kind = FetchOutcome::Kind::NetworkError;
        if (self)
            Q_EMIT self->fetched(response.outcome);
        co_return response;
    }
    if (!*oversize)
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
    if (!*oversize && httpAnswered && (error == QNetworkReply::NoError || statusError)) {
        response.body = std::move(*body);
        response.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        response.ok = true;
    }
    response.outcome.kind = outcomeKind(error, *oversize, httpAnswered, statusError);
    reply->deleteLater();
    if (self)
        Q_EMIT self->fetched(response.outcome);
    co_return response;
}

QCoro::Task<PageFetcher::Page> PageFetcher::page(QString address, Form form, QByteArray fallbackCharset)
{
    const Response response = co_await fetch(address, form == Form::GetBody ? CacheHeader::Send : CacheHeader::Omit);
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
