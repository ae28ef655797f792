#include "h2demoserver.h"

#include "demo/demoserver.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>

#include <nghttp2/nghttp2.h>

#include <algorithm>
#include <cstring>
#include <map>

using namespace Qt::StringLiterals;

namespace {

struct Stream
{
    QByteArray path;
    QByteArray body;
    qsizetype sent = 0;
};

nghttp2_nv header(const QByteArray &name, const QByteArray &value)
{
    // NGHTTP2_NV_FLAG_NONE: the library copies both before the call returns.
    return {reinterpret_cast<uint8_t *>(const_cast<char *>(name.constData())),
            reinterpret_cast<uint8_t *>(const_cast<char *>(value.constData())), size_t(name.size()),
            size_t(value.size()), NGHTTP2_NV_FLAG_NONE};
}

} // namespace

struct H2DemoServer::Connection
{
    H2DemoServer *server = nullptr;
    QSslSocket *socket = nullptr;
    nghttp2_session *session = nullptr;
    std::map<int32_t, Stream> streams;
    int waiting = 0; // requests received and not yet answered

    ~Connection()
    {
        if (session)
            nghttp2_session_del(session);
    }

    // Hands nghttp2's queued frames to the socket; false when the session is over.
    bool flush()
    {
        if (nghttp2_session_send(session) != 0)
            return false;
        return nghttp2_session_want_read(session) || nghttp2_session_want_write(session);
    }
};

// nghttp2's C callbacks; user_data is the Connection.
struct H2Callbacks
{
    static ssize_t send(nghttp2_session *, const uint8_t *data, size_t length, int, void *user)
    {
        auto *connection = static_cast<H2DemoServer::Connection *>(user);
        const qint64 written = connection->socket->write(reinterpret_cast<const char *>(data), qint64(length));
        return written < 0 ? ssize_t(NGHTTP2_ERR_CALLBACK_FAILURE) : ssize_t(written);
    }

    static int beginHeaders(nghttp2_session *, const nghttp2_frame *frame, void *user)
    {
        if (frame->hd.type == NGHTTP2_HEADERS && frame->headers.cat == NGHTTP2_HCAT_REQUEST)
            static_cast<H2DemoServer::Connection *>(user)->streams[frame->hd.stream_id] = Stream{};
        return 0;
    }

    static int onHeader(nghttp2_session *, const nghttp2_frame *frame, const uint8_t *name, size_t nameLength,
                        const uint8_t *value, size_t valueLength, uint8_t, void *user)
    {
        auto *connection = static_cast<H2DemoServer::Connection *>(user);
        const auto stream = connection->streams.find(frame->hd.stream_id);
        if (stream != connection->streams.end() && nameLength == 5 && std::memcmp(name, ":path", 5) == 0)
            stream->second.path = QByteArray(reinterpret_cast<const char *>(value), qsizetype(valueLength));
        return 0;
    }

    static int frameReceived(nghttp2_session *, const nghttp2_frame *frame, void *user)
    {
        auto *connection = static_cast<H2DemoServer::Connection *>(user);
        const bool requestEnds = (frame->hd.type == NGHTTP2_HEADERS || frame->hd.type == NGHTTP2_DATA)
                                 && (frame->hd.flags & NGHTTP2_FLAG_END_STREAM);
        if (!requestEnds || !connection->streams.contains(frame->hd.stream_id))
            return 0;
        H2DemoServer *server = connection->server;
        const auto owner = server->m_connections.find(connection->socket);
        if (owner != server->m_connections.end())
            server->answer(owner->second, frame->hd.stream_id);
        return 0;
    }

    static int streamClosed(nghttp2_session *, int32_t streamId, uint32_t, void *user)
    {
        static_cast<H2DemoServer::Connection *>(user)->streams.erase(streamId);
        return 0;
    }

    static ssize_t readBody(nghttp2_session *, int32_t streamId, uint8_t *buffer, size_t length, uint32_t *flags,
                            nghttp2_data_source *, void *user)
    {
        auto *connection = static_cast<H2DemoServer::Connection *>(user);
        const auto found = connection->streams.find(streamId);
        if (found == connection->streams.end())
            return NGHTTP2_ERR_TEMPORAL_CALLBACK_FAILURE;
        Stream &stream = found->second;
        const size_t count = std::min(length, size_t(stream.body.size() - stream.sent));
        std::memcpy(buffer, stream.body.constData() + stream.sent, count);
        stream.sent += qsizetype(count);
        if (stream.sent == stream.body.size())
            *flags |= NGHTTP2_DATA_FLAG_EOF;
        return ssize_t(count);
    }
};

H2DemoServer::H2DemoServer(DemoServer &demo, QObject *parent)
    : QObject(parent)
    , m_demo(demo)
{
    connect(&m_server, &QSslServer::pendingConnectionAvailable, this, &H2DemoServer::accept);
    connect(&m_server, &QSslServer::errorOccurred, this,
            [this](QSslSocket *, QAbstractSocket::SocketError) { m_error = u"a TLS connection failed"_s; });
    connect(&m_server, &QSslServer::handshakeInterruptedOnError, this,
            [this](QSslSocket *, const QSslError &error) { m_error = error.errorString(); });
}

H2DemoServer::~H2DemoServer()
{
    for (auto &[socket, connection] : m_connections)
        socket->disconnect(this);
    m_connections.clear();
}

bool H2DemoServer::makeCertificate()
{
    if (!m_dir.isValid()) {
        m_error = u"no temporary directory"_s;
        return false;
    }
    const QString key = m_dir.filePath(u"key.pem"_s);
    const QString certificate = m_dir.filePath(u"certificate.pem"_s);
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(u"openssl"_s, {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
                                 u"ec_paramgen_curve:prime256v1"_s, u"-nodes"_s, u"-days"_s, u"2"_s, u"-subj"_s,
                                 u"/CN=127.0.0.1"_s, u"-addext"_s, u"subjectAltName=IP:127.0.0.1"_s, u"-keyout"_s,
                                 key, u"-out"_s, certificate});
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        m_error = u"openssl failed: "_s + QString::fromLocal8Bit(openssl.readAll());
        return false;
    }
    QFile keyFile(key);
    QFile certificateFile(certificate);
    if (!keyFile.open(QIODevice::ReadOnly) || !certificateFile.open(QIODevice::ReadOnly)) {
        m_error = u"openssl wrote no certificate"_s;
        return false;
    }
    const QSslKey privateKey(&keyFile, QSsl::Ec);
    m_certificate = QSslCertificate(&certificateFile);
    if (privateKey.isNull() || m_certificate.isNull()) {
        m_error = u"the certificate or its key could not be read"_s;
        return false;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(m_certificate);
    tls.setPrivateKey(privateKey);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    tls.setAllowedNextProtocols({QByteArrayLiteral("h2")});
    m_server.setSslConfiguration(tls);
    return true;
}

bool H2DemoServer::start()
{
    if (!makeCertificate())
        return false;
    if (!m_server.listen(QHostAddress::LocalHost, 0)) {
        m_error = m_server.errorString();
        return false;
    }
    return true;
}

QString H2DemoServer::error() const
{
    return m_error;
}

QString H2DemoServer::root() const
{
    return u"https://127.0.0.1:"_s + QString::number(m_server.serverPort());
}

QSslCertificate H2DemoServer::certificate() const
{
    return m_certificate;
}

int H2DemoServer::connections() const
{
    return m_connectionCount;
}

int H2DemoServer::h2Connections() const
{
    return m_h2Count;
}

int H2DemoServer::streamsAnswered() const
{
    return m_streamsAnswered;
}

int H2DemoServer::mostStreamsOpen() const
{
    return m_mostStreamsOpen;
}

void H2DemoServer::accept()
{
    while (m_server.hasPendingConnections()) {
        auto *socket = qobject_cast<QSslSocket *>(m_server.nextPendingConnection());
        if (!socket)
            continue;
        ++m_connectionCount;
        connect(socket, &QSslSocket::disconnected, this, [this, socket] { drop(socket); });
        // Only a client that agreed on "h2" is served: this server speaks nothing else.
        if (socket->sslConfiguration().nextNegotiatedProtocol() != QByteArrayLiteral("h2")) {
            socket->disconnectFromHost();
            continue;
        }
        ++m_h2Count;

        auto connection = std::make_shared<Connection>();
        connection->server = this;
        connection->socket = socket;
        nghttp2_session_callbacks *callbacks = nullptr;
        nghttp2_session_callbacks_new(&callbacks);
        nghttp2_session_callbacks_set_send_callback(callbacks, &H2Callbacks::send);
        nghttp2_session_callbacks_set_on_begin_headers_callback(callbacks, &H2Callbacks::beginHeaders);
        nghttp2_session_callbacks_set_on_header_callback(callbacks, &H2Callbacks::onHeader);
        nghttp2_session_callbacks_set_on_frame_recv_callback(callbacks, &H2Callbacks::frameReceived);
        nghttp2_session_callbacks_set_on_stream_close_callback(callbacks, &H2Callbacks::streamClosed);
        nghttp2_session_server_new(&connection->session, callbacks, connection.get());
        nghttp2_session_callbacks_del(callbacks);
        // As many concurrent requests as a large search engine allows.
        const nghttp2_settings_entry settings[] = {{NGHTTP2_SETTINGS_MAX_CONCURRENT_STREAMS, 100}};
        nghttp2_submit_settings(connection->session, NGHTTP2_FLAG_NONE, settings, 1);
        m_connections[socket] = connection;

        connect(socket, &QSslSocket::readyRead, this, [this, socket] { receive(socket); });
        if (!connection->flush())
            socket->disconnectFromHost();
        else if (socket->bytesAvailable() > 0)
            receive(socket); // what came with the handshake
    }
}

void H2DemoServer::receive(QSslSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    const std::shared_ptr<Connection> connection = found->second;
    const QByteArray bytes = socket->readAll();
    const auto used = nghttp2_session_mem_recv(connection->session, reinterpret_cast<const uint8_t *>(bytes.constData()),
                                               size_t(bytes.size()));
    if (used < 0 || !connection->flush())
        socket->disconnectFromHost();
}

void H2DemoServer::drop(QSslSocket *socket)
{
    m_connections.erase(socket);
    socket->deleteLater();
}

void H2DemoServer::answer(const std::shared_ptr<Connection> &connection, int streamId)
{
    const QByteArray path = connection->streams.at(streamId).path;
    const QUrl url = QUrl::fromEncoded(root().toLatin1() + path, QUrl::StrictMode);
    const DemoResponse response = m_demo.answer(url, root());
    m_mostStreamsOpen = std::max(m_mostStreamsOpen, ++connection->waiting);

    std::weak_ptr<Connection> weak = connection;
    auto send = [this, weak, streamId, response] {
        const std::shared_ptr<Connection> connection = weak.lock();
        if (!connection)
            return;
        --connection->waiting;
        const auto stream = connection->streams.find(streamId);
        if (stream == connection->streams.end())
            return; // the client gave up on it
        stream->second.body = response.body;
        QList<QPair<QByteArray, QByteArray>> fields = {
            {":status", QByteArray::number(response.status)},
            {"content-type", response.contentType},
            {"content-length", QByteArray::number(response.body.size())},
        };
        for (const auto &field : response.headers)
            fields.append({field.first.toLower(), field.second});
        std::vector<nghttp2_nv> headers;
        for (const auto &field : std::as_const(fields))
            headers.push_back(header(field.first, field.second));
        nghttp2_data_provider body;
        body.source.ptr = nullptr;
        body.read_callback = &H2Callbacks::readBody;
        nghttp2_submit_response(connection->session, streamId, headers.data(), headers.size(), &body);
        ++m_streamsAnswered;
        if (!connection->flush())
            connection->socket->disconnectFromHost();
    };
    if (response.delayMs <= 0) {
        // Inside nghttp2's receive: queue it, the caller flushes.
        QTimer::singleShot(0, this, send);
        return;
    }
    QTimer::singleShot(response.delayMs, this, send);
}
