#include "demo/demoserver.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

using namespace Qt::StringLiterals;

// The demo server's latency: a distant site answers late, as it would
// have answered at once, and never holds up another site meanwhile.
class TestDemoServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void latencyDelaysWithoutBlocking_data();
    void latencyDelaysWithoutBlocking();

private:
    DemoServer m_distant;
    DemoServer m_near;
};

void TestDemoServer::initTestCase()
{
    for (DemoServer *server : {&m_distant, &m_near}) {
        server->addSite(u"t"_s, [](const DemoRequest &request) {
            if (request.path == u"/missing"_s)
                return DemoResponse::notFound();
            DemoResponse response = DemoResponse::html(u"page "_s + request.path);
            if (request.path == u"/slow"_s)
                response.delayMs = 100;
            return response;
        });
        QVERIFY(server->start());
    }
    m_distant.setLatencyMs(1500);
}

void TestDemoServer::latencyDelaysWithoutBlocking_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::newRow("plain page") << u"/t/page"_s << 200;
    QTest::newRow("page with a delay of its own") << u"/t/slow"_s << 200;
    QTest::newRow("not found") << u"/t/missing"_s << 404;
}

void TestDemoServer::latencyDelaysWithoutBlocking()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    m_distant.clearRequests();
    QNetworkAccessManager manager;
    QStringList finished;
    QList<QByteArray> bodies;
    for (DemoServer *server : {&m_distant, &m_near}) {
        QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(server->root() + path)));
        const QString name = server == &m_distant ? u"distant"_s : u"near"_s;
        connect(reply, &QNetworkReply::finished, this, [&finished, &bodies, reply, name, status] {
            QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
            finished.append(name);
            bodies.append(reply->readAll());
            reply->deleteLater();
        });
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 30000);
    QCOMPARE(finished, QStringList({u"near"_s, u"distant"_s}));
    QCOMPARE(bodies.at(0), bodies.at(1));
    QCOMPARE(m_distant.requests(), QStringList({path}));
}

QTEST_MAIN(TestDemoServer)
#include "tst_demoserver.moc"
