#include "demo/demomediaserver.h"

#include "demo/demomedia.h"

#include <QTcpServer>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

DemoMediaServer::DemoMediaServer(QObject *parent)
    : QObject(parent)
{
    m_thread.setObjectName(u"DemoMediaServer"_s);
    m_thread.start();
    auto *server = new QTcpServer;
    m_worker = server;
    server->moveToThread(&m_thread);
    const QByteArray body = DemoMedia::toneWav(3000);
    const QByteArray response = "HTTP/1.1 200 OK\r\nContent-Type: audio/wav\r\nContent-Length: "
                                + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    QMetaObject::invokeMethod(
        server,
        [this, server, response] {
            connect(server, &QTcpServer::newConnection, server, [this, server, response] {
                while (QTcpSocket *socket = server->nextPendingConnection()) {
                    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, response] {
                        // One answer per connection, once the request head is in.
                        if (socket->property("answered").toBool() || !socket->peek(65536).contains("\r\n\r\n"))
                            return;
                        socket->setProperty("answered", true);
                        ++m_requests;
                        socket->write(response);
                        socket->disconnectFromHost();
                    });
                }
            });
            if (server->listen(QHostAddress::LocalHost, 0))
                m_port = server->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

DemoMediaServer::~DemoMediaServer()
{
    QObject *worker = m_worker;
    QMetaObject::invokeMethod(worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QString DemoMediaServer::mediaAddress() const
{
    return m_port == 0 ? QString() : u"http://127.0.0.1:"_s + QString::number(m_port) + u"/media/demo.wav"_s;
}

int DemoMediaServer::requestCount() const
{
    return m_requests.load();
}
