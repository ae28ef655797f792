#pragma once

#include "core/networksettings.h"

#include <QCoroTask>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

// The program's one network manager and the three forms of the page fetch.
// Each is a coroutine: the caller awaits it while the window keeps running.
// Every failure (invalid or unconfigured address, unreachable host, time-out,
// a body over the size cap, a body cut off before its end, a redirect loop)
// yields an empty body; an error status still yields its page.
class PageFetcher : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxBodyBytes = 32 * 1024 * 1024;
    // How much the network layer may hold for us before it waits.
    static constexpr qint64 ReadChunkBytes = 256 * 1024;

    explicit PageFetcher(const NetworkSettings &settings, QObject *parent = nullptr);
    // Ends every pending fetch: each awaiting caller resumes with a failure.
    ~PageFetcher() override;

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

private:
    struct Response
    {
        QByteArray body;
        QByteArray contentType;
        bool ok = false;
    };
    enum class CacheHeader { Send, Omit };

    QCoro::Task<Response> fetch(const QString &address, CacheHeader cacheHeader);

    NetworkSettings m_settings;
    QNetworkAccessManager m_manager;
    bool m_closing = false;
};
