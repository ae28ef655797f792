#pragma once

#include <QObject>
#include <QSslCertificate>
#include <QSslServer>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <unordered_map>

class DemoServer;
class QSslSocket;

// The demo sites over TLS with HTTP/2 (ALPN "h2") on 127.0.0.1, the way
// real search engines serve their pages: every request is answered by the
// demo server's own site handlers (and logged there), each after its page's
// delay, the delays running concurrently on one connection. Its certificate
// is self-signed, made by the openssl command at start; whoever fetches from
// here must trust certificate() first.
class H2DemoServer : public QObject
{
    Q_OBJECT

public:
    explicit H2DemoServer(DemoServer &demo, QObject *parent = nullptr);
    ~H2DemoServer() override;

    bool start();
    QString error() const;
    QString root() const; // https://127.0.0.1:PORT
    QSslCertificate certificate() const;

    // The server's own log.
    int connections() const;    // TLS connections accepted
    int h2Connections() const;  // of which agreed on "h2"
    int streamsAnswered() const; // requests answered over HTTP/2
    int mostStreamsOpen() const; // most requests waiting at once on one connection

private:
    struct Connection;

    bool makeCertificate();
    void accept();
    void receive(QSslSocket *socket);
    void drop(QSslSocket *socket);
    void answer(const std::shared_ptr<Connection> &connection, int streamId);

    DemoServer &m_demo;
    QSslServer m_server;
    QTemporaryDir m_dir;
    QSslCertificate m_certificate;
    QString m_error;
    std::unordered_map<QSslSocket *, std::shared_ptr<Connection>> m_connections;
    int m_connectionCount = 0;
    int m_h2Count = 0;
    int m_streamsAnswered = 0;
    int m_mostStreamsOpen = 0;

    friend struct H2Callbacks;
};
