#pragma once

#include "core/fetchoutcome.h"
#include "core/networksettings.h"

#include <QCoroTask>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

// The program's one network manager and the three forms of the page fetch.
// Each is a coroutine: the caller awaits it while the window keeps running.
// Every failure (invalid or unconfigured address, unreachable host, time-out,
// a body over the size cap, a body cut off before its end, a redirect loop)
// yields an empty body; an error status still yields its page. Every fetch
// also says how it ended (`fetched`), for the per-site status.
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
    // Ends every pending fetch: each awaiting caller resumes with a failure.
    ~PageFetcher() override;

    // A page in one of the three forms, with how the fetch ended; a page
    // that declares no charset is read in `fallbackCharset` (UTF-8 when empty).
    QCoro::Task<Page> page(QString address, Form form = Form::GetBody, QByteArray fallbackCharset = {});

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

    QCoro::Task<Response> fetch(QString address, CacheHeader cacheHeader);

    NetworkSettings m_settings;
    QNetworkAccessManager m_manager;
    bool m_closing = false;
};
