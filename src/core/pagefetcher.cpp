#include "core/pagefetcher.h"

#include "core/bodydecoder.h"
#include "core/texttools.h"

#include <QCoroNetworkReply>
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

QCoro::Task<PageFetcher::Response> PageFetcher::fetch(const QString &address, CacheHeader cacheHeader)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (m_closing || !isFetchable(url))
        co_return Response{};

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
    if (!reply)
        co_return response;
    if (!*oversize)
        body->append(reply->readAll());
    const auto error = reply->error();
    // Transport failures give no page, and neither does a body cut off
    // before its end (the connection closed early, a time-out mid-body):
    // a partial page listed as if complete would hide the failure. An
    // HTTP error status still has its page.
    const bool statusError = (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
                             || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    const bool httpAnswered = !reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isNull();
    if (!*oversize && httpAnswered && (error == QNetworkReply::NoError || statusError)) {
        response.body = std::move(*body);
        response.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        response.ok = true;
    }
    reply->deleteLater();
    co_return response;
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
