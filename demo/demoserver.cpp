#include "demo/demoserver.h"

#include "core/siteconfig.h"
#include "demo/btboardsite.h"
#include "demo/btmoviesection.h"
#include "demo/cloudsite.h"
#include "demo/ed2ksite.h"
#include "demo/emulesite.h"
#include "demo/exampleboardsite.h"
#include "demo/makersite.h"
#include "demo/movielistingsite.h"
#include "demo/netdisksite.h"
#include "demo/qvodsites.h"
#include "demo/torrentsites.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace {

void writeResponse(QHttpServerResponder &responder, const DemoResponse &response)
{
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
    responder.writeHeader("Content-Type", response.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    for (const auto &header : response.headers)
        responder.writeHeader(header.first, header.second);
    responder.writeBody(response.body);
}

// An answer given later: the client may have given up and closed the
// connection meanwhile, and a responder must not write to a socket that is
// gone.
struct LaterResponder
{
    explicit LaterResponder(QHttpServerResponder &&responder)
        : responder(std::move(responder))
        , socket(this->responder.socket())
    {
    }
    void write(const DemoResponse &response)
    {
        if (socket && socket->state() == QAbstractSocket::ConnectedState)
            writeResponse(responder, response);
    }
    QHttpServerResponder responder;
    QPointer<QTcpSocket> socket;
};

} // namespace

DemoServer::DemoServer(QObject *parent)
    : QObject(parent)
{
    registerNetdiskSite(*this);
    registerMakerSite(*this);
    registerTorrentSearchSite(*this);
    registerRedesignedTorrentSearchSite(*this);
    registerRssFeedSite(*this);
    registerMagnetSearchSite(*this);
    registerResourceReleaseSite(*this);
    registerMovieResourceSite(*this);
    registerEmuleSite(*this);
    registerEd2kSearchSite(*this);
    registerMovieListingSite(*this);
    registerBtBoardSite(*this);
    registerBtMovieSection(*this);
    registerQvodChannelSite(*this);
    registerQvodSearchSite(*this);
    registerCloudSite(*this);
    registerExampleBoardSite(*this);

    m_server.setMissingHandler([this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        handle(request, std::move(responder));
    });
}

bool DemoServer::start()
{
    m_port = m_server.listen(QHostAddress::LocalHost, 0);
    return m_port != 0;
}

quint16 DemoServer::port() const
{
    return m_port;
}

QString DemoServer::root() const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(m_port);
}

QString DemoServer::siteBase(const QString &siteKey) const
{
    return root() + QLatin1Char('/') + siteKey;
}

SiteConfig DemoServer::siteConfig() const
{
    SiteConfig config;
    for (const QString &key : SiteConfig::siteKeys())
        config.setSite(key, siteBase(key));
    // Read by no built-in source: the worked example of a user's definition.
    config.setSite(QStringLiteral("example_board"), siteBase(QStringLiteral("example_board")));
    configureNetdiskDemo(config);
    configureMakerDemo(config, *this);
    configureQvodDemo(config, *this);
    NetworkSettings network;
    network.timeoutMs = 10000;
    config.setNetwork(network);
    return config;
}

void DemoServer::addSite(const QString &siteKey, DemoHandler handler)
{
    m_sites[siteKey].append(std::move(handler));
}

QStringList DemoServer::requests() const
{
    return m_requests;
}

QStringList DemoServer::requestsFor(const QString &siteKey) const
{
    const QString prefix = QLatin1Char('/') + siteKey + QLatin1Char('/');
    QStringList out;
    for (const QString &request : m_requests) {
        if (request.startsWith(prefix))
            out.append(request);
    }
    return out;
}

void DemoServer::clearRequests()
{
    m_requests.clear();
}

void DemoServer::setLatencyMs(int latencyMs)
{
    m_latencyMs = qMax(0, latencyMs);
}

void DemoServer::holdSite(const QString &siteKey)
{
    m_held.insert(siteKey, {});
}

void DemoServer::releaseSite(const QString &siteKey)
{
    const QList<std::function<void()>> waiting = m_held.take(siteKey);
    for (const std::function<void()> &write : waiting)
        write();
}

void DemoServer::releaseNewest(const QString &siteKey)
{
    const auto held = m_held.find(siteKey);
    if (held == m_held.end() || held->isEmpty())
        return;
    const std::function<void()> write = held->takeLast();
    write();
}

int DemoServer::heldRequests(const QString &siteKey) const
{
    return int(m_held.value(siteKey).size());
}

void DemoServer::handle(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    const auto held = m_held.find(request.url().path().section(QLatin1Char('/'), 1, 1));
    if (held != m_held.end()) {
        // Answered as the site is at its release.
        auto later = std::make_shared<LaterResponder>(std::move(responder));
        held->append([this, later, url = request.url()] { later->write(answer(url, root())); });
        return;
    }
    const DemoResponse response = answer(request.url(), root());
    const int delayMs = qMax(0, response.delayMs) + m_latencyMs;
    if (delayMs <= 0) {
        writeResponse(responder, response);
        return;
    }
    // A timer, not a wait: the other requests go on being answered meanwhile.
    auto later = std::make_shared<LaterResponder>(std::move(responder));
    QTimer::singleShot(delayMs, this, [later, response] { later->write(response); });
}

DemoResponse DemoServer::answer(const QUrl &url, const QString &root)
{
    const QString rawPath = url.path(QUrl::FullyEncoded);
    const QString rawQuery = url.query(QUrl::FullyEncoded);
    m_requests.append(rawQuery.isEmpty() && !url.hasQuery() ? rawPath : rawPath + QLatin1Char('?') + rawQuery);

    // "/key/rest": the first segment picks the site.
    const qsizetype slash = rawPath.indexOf(QLatin1Char('/'), 1);
    const QString key = rawPath.mid(1, slash < 0 ? -1 : slash - 1);
    const auto site = m_sites.constFind(key);
    DemoResponse response = DemoResponse::notFound();
    if (site != m_sites.constEnd()) {
        DemoRequest demoRequest;
        demoRequest.rawPath = slash < 0 ? QStringLiteral("/") : rawPath.mid(slash);
        demoRequest.path = QUrl::fromPercentEncoding(demoRequest.rawPath.toUtf8());
        demoRequest.query = QUrlQuery(url.query(QUrl::FullyEncoded));
        demoRequest.siteBase = root + QLatin1Char('/') + key;
        for (auto handler = site->crbegin(); handler != site->crend(); ++handler) {
            response = (*handler)(demoRequest);
            if (response.status != 404)
                break;
        }
    }
    return response;
}
