#include "support/hostileserver.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

QByteArray head(const QByteArray &status, const QList<QByteArray> &headers)
{
    QByteArray out = "HTTP/1.1 " + status + "\r\n";
    for (const QByteArray &h : headers)
        out += h + "\r\n";
    return out + "\r\n";
}

} // namespace

HostileServer::HostileServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HostileServer::onConnection);
}

HostileServer::~HostileServer()
{
    // Open sockets die with the server below, after this object's members:
    // their signals must not reach us any more.
    for (QTcpSocket *socket : m_server.findChildren<QTcpSocket *>())
        socket->disconnect(this);
}

bool HostileServer::start()
{
    if (!m_server.listen(QHostAddress::LocalHost))
        return false;
    m_port = m_server.serverPort();
    return true;
}

void HostileServer::stopListening()
{
    m_server.close();
    // A kept-alive connection of an earlier case would still take requests:
    // a refusing site refuses them all.
    for (QTcpSocket *socket : m_server.findChildren<QTcpSocket *>())
        socket->abort();
}

bool HostileServer::listenAgain()
{
    return m_server.listen(QHostAddress::LocalHost, m_port);
}

void HostileServer::resetCounters()
{
    m_requests = 0;
    m_hugeSent = 0;
}

QString HostileServer::root() const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(m_port);
}

void HostileServer::setCase(Case c)
{
    m_case = c;
}

void HostileServer::setDemoRoot(const QString &root)
{
    m_demoRoot = root;
}

void HostileServer::setStartMarker(const QByteArray &marker)
{
    m_marker = marker;
}

int HostileServer::requestCount() const
{
    return m_requests;
}

qint64 HostileServer::hugeBytesSent() const
{
    return m_hugeSent;
}

void HostileServer::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { feedHuge(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            m_hugeLeft.remove(socket);
            m_hugeSentTo.remove(socket);
            socket->deleteLater();
        });
    }
}

void HostileServer::onReadable(QTcpSocket *socket)
{
    QByteArray &pending = m_pending[socket];
    pending += socket->readAll();
    // One request per connection is all a client gets from this server.
    const qsizetype end = pending.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray requestLine = pending.left(pending.indexOf("\r\n"));
    pending.clear();
    const QList<QByteArray> parts = requestLine.split(' ');
    ++m_requests;
    answer(socket, parts.size() > 1 ? parts.at(1) : QByteArray("/"));
}

void HostileServer::answer(QTcpSocket *socket, const QByteArray &target)
{
    switch (m_case) {
    case Case::Hang:
        return;
    case Case::ServerError: {
        const QByteArray page = "<html><head><title>500 Internal Server Error</title></head>"
                                "<body><h1>Internal Server Error</h1><p>The server is on fire.</p></body></html>";
        socket->write(head("500 Internal Server Error",
                           {"Content-Type: text/html; charset=utf-8",
                            "Content-Length: " + QByteArray::number(page.size()), "Connection: close"}));
        socket->write(page);
        socket->disconnectFromHost();
        return;
    }
    case Case::RedirectLoop:
        socket->write(head("302 Found", {"Location: " + target, "Content-Length: 0", "Connection: close"}));
        socket->disconnectFromHost();
        return;
    case Case::BinaryJunk: {
        QByteArray junk(JunkBytes, Qt::Uninitialized);
        QRandomGenerator generator(11);
        for (qsizetype i = 0; i < junk.size(); ++i)
            junk[i] = i % 7 == 0 ? '\0' : char(generator.bounded(256));
        socket->write(head("200 OK", {"Content-Type: text/html", "Content-Length: " + QByteArray::number(junk.size()),
                                      "Connection: close"}));
        socket->write(junk);
        socket->disconnectFromHost();
        return;
    }
    case Case::StartMarkers: {
        const qint64 copies = MarkerBytes / qMax<qsizetype>(1, m_marker.size());
        const QByteArray body = m_marker.repeated(copies);
        socket->write(head("200 OK", {"Content-Type: text/html", "Content-Length: " + QByteArray::number(body.size()),
                                      "Connection: close"}));
        socket->write(body);
        socket->disconnectFromHost();
        return;
    }
    case Case::Huge:
        // Chunked, with no length up front: only counting while it arrives
        // can stop it.
        socket->write(head("200 OK", {"Content-Type: text/html", "Transfer-Encoding: chunked", "Connection: close"}));
        m_hugeLeft.insert(socket, HugeBytes);
        feedHuge(socket);
        return;
    case Case::SlowLoris:
        socket->write(head("200 OK", {"Content-Type: text/html",
                                      "Content-Length: " + QByteArray::number(SlowLorisBytes), "Connection: close"}));
        trickle(socket);
        return;
    case Case::RedirectToFile:
        socket->write(head("302 Found", {"Location: file:///etc/passwd", "Content-Length: 0", "Connection: close"}));
        socket->disconnectFromHost();
        return;
    case Case::RedirectOffHost:
        socket->write(head("302 Found", {"Location: " + m_demoRoot.toLatin1() + target, "Content-Length: 0",
                                         "Connection: close"}));
        socket->disconnectFromHost();
        return;
    case Case::Truncated:
    case Case::WrongCharset:
    case Case::HugePageCount:
    case Case::ManyRows:
        answerFromDemo(socket, target);
        return;
    }
}

void HostileServer::answerFromDemo(QTcpSocket *socket, const QByteArray &target)
{
    QNetworkReply *reply = m_demoClient.get(QNetworkRequest(QUrl(m_demoRoot + QString::fromLatin1(target))));
    const QPointer<QTcpSocket> guard(socket);
    const Case c = m_case;
    const QByteArray marker = m_marker;
    connect(reply, &QNetworkReply::finished, this, [reply, guard, c, marker] {
        reply->deleteLater();
        if (!guard)
            return;
        QByteArray page = reply->readAll();
        QByteArray type = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        if (c == Case::HugePageCount || c == Case::ManyRows) {
            if (c == Case::HugePageCount) {
                // "当前:1/3页" → "当前:1/2000000000页" (the QVOD search site is UTF-8;
                // other pages have no such text and pass unchanged).
                const QByteArray stated = u"当前:"_s.toUtf8();
                const qsizetype at = page.indexOf(stated);
                const qsizetype slash = at < 0 ? -1 : page.indexOf('/', at + stated.size());
                const qsizetype end = slash < 0 ? -1 : page.indexOf(u"页"_s.toUtf8(), slash);
                if (end > slash)
                    page.replace(slash + 1, end - slash - 1, "2000000000");
            } else {
                const qsizetype first = page.indexOf(marker);
                const qsizetype second = first < 0 ? -1 : page.indexOf(marker, first + marker.size());
                if (second > first)
                    page = page.left(first) + page.mid(first, second - first).repeated(ManyRowsCount) + page.mid(first);
            }
            guard->write(head("200 OK", {"Content-Type: " + type, "Content-Length: " + QByteArray::number(page.size()),
                                         "Connection: close"}));
            guard->write(page);
        } else if (c == Case::WrongCharset) {
            // A GBK page declared as UTF-8 and the other way round.
            const QByteArray lower = type.toLower() + page.left(2048).toLower();
            type = lower.contains("gb") ? "text/html; charset=utf-8" : "text/html; charset=gbk";
            guard->write(head("200 OK", {"Content-Type: " + type, "Content-Length: " + QByteArray::number(page.size()),
                                         "Connection: close"}));
            guard->write(page);
        } else {
            // Two thirds of the page, a length that promises all of it (and
            // some more, so an empty page is cut off too), then the end.
            guard->write(head("200 OK", {"Content-Type: " + type,
                                         "Content-Length: " + QByteArray::number(page.size() + 512),
                                         "Connection: close"}));
            guard->write(page.left(page.size() * 2 / 3));
        }
        guard->disconnectFromHost();
    });
}

void HostileServer::feedHuge(QTcpSocket *socket)
{
    auto left = m_hugeLeft.find(socket);
    if (left == m_hugeLeft.end())
        return;
    static const QByteArray chunk = QByteArray::number(ChunkBytes, 16) + "\r\n" + QByteArray(ChunkBytes, 'x') + "\r\n";
    // Generated as the socket drains: never more than a few chunks queued.
    while (*left > 0 && socket->bytesToWrite() < 4 * ChunkBytes) {
        socket->write(chunk);
        *left -= ChunkBytes;
        m_hugeSent = qMax(m_hugeSent, m_hugeSentTo[socket] += ChunkBytes);
    }
    if (*left <= 0) {
        m_hugeLeft.erase(left);
        socket->write("0\r\n\r\n");
        socket->disconnectFromHost();
    }
}

void HostileServer::trickle(QTcpSocket *socket)
{
    // One byte a second; the connection ends when the client gives up or
    // after SlowLorisBytes, whichever is first.
    auto *timer = new QTimer(socket);
    auto sent = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, sent] {
        if (++*sent > SlowLorisBytes) {
            timer->stop();
            socket->disconnectFromHost();
            return;
        }
        socket->write("x");
    });
    timer->start(1000);
}
