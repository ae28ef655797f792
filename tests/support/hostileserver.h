#pragma once

#include <QByteArray>
#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// A server on 127.0.0.1 that answers every request the way a broken or
// hostile site would. It speaks just enough HTTP/1.1 by hand, because a
// well-behaved server library cannot cut a body off, hang, or stream an
// endless answer. Some cases start from the demo site's own page for the
// same path (set with setDemoRoot), so the body looks like the real thing.
class HostileServer : public QObject
{
    Q_OBJECT

public:
    enum class Case {
        Hang,           // accepts, reads the request, never answers
        ServerError,    // 500 with an HTML error page
        Truncated,      // the demo page, Content-Length twice its size, half sent, closed
        Huge,           // 100 MB, chunked, generated as the socket drains
        WrongCharset,   // the demo page with the other charset declared
        RedirectLoop,   // 302 to the same address, forever
        BinaryJunk,     // 1 MB of bytes with NULs, declared text/html
        StartMarkers,   // 10 MB of the start marker, no end marker
        SlowLoris,      // headers, then one byte a second (at most SlowLorisBytes)
        HugePageCount,  // the demo page, a QVOD result page stating 2,000,000,000 pages
        RedirectToFile, // 302 to a local file
        RedirectOffHost, // 302 to the demo server's page for the same path (another port)
        ManyRows,       // the demo page, its first row (from the start marker) repeated ManyRowsCount times
    };
    Q_ENUM(Case)

    static constexpr qint64 HugeBytes = 100LL * 1024 * 1024;
    static constexpr qint64 JunkBytes = 1024 * 1024;
    static constexpr qint64 MarkerBytes = 10LL * 1024 * 1024;
    // Long enough to outlast any test's wait for the program.
    static constexpr int SlowLorisBytes = 150;
    static constexpr int ManyRowsCount = 40000;

    explicit HostileServer(QObject *parent = nullptr);
    ~HostileServer() override;

    bool start();
    QString root() const;

    void setCase(Case c);
    void setDemoRoot(const QString &root);
    void setStartMarker(const QByteArray &marker);

    // Connection refused on the same port, and back.
    void stopListening();
    bool listenAgain();

    // Requests seen, and the most bytes of the huge body one connection got.
    int requestCount() const;
    qint64 hugeBytesSent() const;
    void resetCounters();

private:
    void onConnection();
    void onReadable(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &target);
    void answerFromDemo(QTcpSocket *socket, const QByteArray &target);
    void feedHuge(QTcpSocket *socket);
    void trickle(QTcpSocket *socket);

    QTcpServer m_server;
    QNetworkAccessManager m_demoClient;
    Case m_case = Case::Hang;
    QString m_demoRoot;
    QByteArray m_marker = "<li>";
    QHash<QTcpSocket *, QByteArray> m_pending;
    QHash<QTcpSocket *, qint64> m_hugeLeft;
    QHash<QTcpSocket *, qint64> m_hugeSentTo;
    quint16 m_port = 0;
    int m_requests = 0;
    qint64 m_hugeSent = 0;
};
