#include "support/testharness.h"

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// Every timer of the window, as start-up leaves it: its interval and
// whether it runs from the start.
class TestTimers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void intervals_data();
    void intervals();

private:
    TestHarness m_h;
};

void TestTimers::initTestCase()
{
    m_h.waitForUnlock = false;
    m_h.window();
}

void TestTimers::intervals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("running");
    QTest::newRow("Timer9 version check") << u"Timer9"_s << 1000 << true;
    QTest::newRow("Timer12 announcements") << u"Timer12"_s << 100 << false;
    QTest::newRow("Timer25 browser closing") << u"Timer25"_s << 10 << false;
    QTest::newRow("Timer17 netdisk parse") << u"Timer17"_s << 100 << false;
    QTest::newRow("Timer18 netdisk not found") << u"Timer18"_s << 1000 << false;
    QTest::newRow("Timer3 torrent parse") << u"Timer3"_s << 100 << false;
    QTest::newRow("Timer4 torrent not found") << u"Timer4"_s << 1000 << false;
    QTest::newRow("Timer5 feed parse") << u"Timer5"_s << 100 << false;
    QTest::newRow("Timer6 feed not found") << u"Timer6"_s << 1000 << false;
    QTest::newRow("Timer24 magnet site parse") << u"Timer24"_s << 3000 << false;
    QTest::newRow("Timer26 release site parse") << u"Timer26"_s << 100 << false;
}

void TestTimers::intervals()
{
    QFETCH(QString, name);
    QFETCH(int, interval);
    QFETCH(bool, running);
    const QList<QTimer *> found = m_h.window().findChildren<QTimer *>(name);
    QCOMPARE(found.size(), qsizetype(1));
    QCOMPARE(found.first()->interval(), interval);
    QCOMPARE(found.first()->isActive(), running);
}

QTEST_MAIN(TestTimers)
#include "tst_timers.moc"
