#include "core/markerscan.h"
#include "core/qvodaddresses.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMarkerScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findFromPositions_data();
    void findFromPositions();
    void counting_data();
    void counting();
    void cuts();
    void pieces();
    void piecesOfBodyWithoutMarker();
    void qvodAddresses_data();
    void qvodAddresses();
};

void TestMarkerScan::findFromPositions_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("position");
    QTest::newRow("first") << u"abcabc"_s << u"bc"_s << 1 << 2;
    QTest::newRow("at start position") << u"abcabc"_s << u"bc"_s << 2 << 2;
    QTest::newRow("after start") << u"abcabc"_s << u"bc"_s << 3 << 5;
    QTest::newRow("none") << u"abcabc"_s << u"x"_s << 1 << 0;
    QTest::newRow("case-sensitive") << u"ABC"_s << u"b"_s << 1 << 0;
    QTest::newRow("start beyond end") << u"abc"_s << u"a"_s << 9 << 0;
    QTest::newRow("start zero") << u"abc"_s << u"a"_s << 0 << 0;
}

void TestMarkerScan::findFromPositions()
{
    QFETCH(QString, body);
    QFETCH(QString, marker);
    QFETCH(int, start);
    QFETCH(int, position);
    QCOMPARE(findFrom(body, marker, start), qsizetype(position));
}

void TestMarkerScan::counting_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("count");
    QTest::newRow("three") << u"x\"title\":\"a\" \"title\":\"b\" \"title\":\"c\""_s << u"\"title\":\""_s << 3;
    QTest::newRow("none") << u"nothing"_s << u"magnet:?"_s << 0;
    QTest::newRow("empty body") << QString() << u"a"_s << 0;
    // Each search starts one position after the last hit.
    QTest::newRow("overlapping") << u"aaaa"_s << u"aa"_s << 3;
    QTest::newRow("at the very end") << u"xyz"_s << u"z"_s << 1;
}

void TestMarkerScan::counting()
{
    QFETCH(QString, body);
    QFETCH(QString, marker);
    QFETCH(int, count);
    QCOMPARE(countFrom(body, marker), qsizetype(count));
}

void TestMarkerScan::cuts()
{
    QCOMPARE(cutBefore(u"name</td>rest</td>", u"</td>"), u"name"_s);
    QCOMPARE(cutBefore(u"no end here", u"</td>"), QString());
    QCOMPARE(cutBefore(u"</td>at start", u"</td>"), QString());
    QCOMPARE(cutBetween(u"a[b]c[d]", u"[", u"]"), u"b"_s);
    QCOMPARE(cutBetween(u"a[b", u"[", u"]"), QString());
    QCOMPARE(cutBetween(u"ab]", u"[", u"]"), QString());
    QCOMPARE(removeAll(u"a<b<c"_s, u"<"), u"abc"_s);
    QCOMPARE(removeAll(u"&nbsp;x&nbsp;"_s, u"&nbsp;"), u"x"_s);
}

void TestMarkerScan::pieces()
{
    const MarkerPieces split(u"head|one||three|"_s, u"|"_s);
    QCOMPARE(split.size(), qsizetype(5));
    QCOMPARE(split.piece(0), u"head");
    QCOMPARE(split.piece(1), u"one");
    QCOMPARE(split.piece(2), u"");
    QCOMPARE(split.piece(3), u"three");
    QCOMPARE(split.piece(4), u"");
    QVERIFY(split.has(4));
    QVERIFY(!split.has(5));
    QVERIFY(split.piece(5).isEmpty());
    QVERIFY(split.piece(-1).isEmpty());

    const MarkerPieces multi(u"<td class=\"name\">A</td><td class=\"name\">B</td>"_s, u"<td class=\"name\">"_s);
    QCOMPARE(multi.size(), qsizetype(3));
    QCOMPARE(cutBefore(multi.piece(2), u"</td>"), u"B"_s);
}

void TestMarkerScan::piecesOfBodyWithoutMarker()
{
    const MarkerPieces none(u"plain"_s, u"magnet:"_s);
    QCOMPARE(none.size(), qsizetype(1));
    QCOMPARE(none.piece(0), u"plain");
    QVERIFY(none.piece(1).isEmpty());
    const MarkerPieces emptyMarker(u"plain"_s, QString());
    QCOMPARE(emptyMarker.size(), qsizetype(1));
}

void TestMarkerScan::qvodAddresses_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("addresses");

    QTest::newRow("none") << u"<a href=\"x\">x</a>"_s << QStringList();
    QTest::newRow("one") << u"<a>qvod://12|AB|a.rmvb|</a>"_s << QStringList{u"qvod://12|AB|a.rmvb|"_s};
    QTest::newRow("first of each kept, in order")
        << u"qvod://b</a> qvod://a</a> qvod://b</a> qvod://c</a> qvod://a</a>"_s
        << QStringList{u"qvod://b"_s, u"qvod://a"_s, u"qvod://c"_s};
    QTest::newRow("inner tags lose their <")
        << u"qvod://1|<b>x</b>|</a>"_s << QStringList{u"qvod://1|b>x/b>|"_s};
    QTest::newRow("no end, or nothing before it")
        << u"qvod://</a> qvod://open qvod://ok</a>"_s << QStringList{u"qvod://ok"_s};
}

void TestMarkerScan::qvodAddresses()
{
    QFETCH(QString, page);
    QFETCH(QStringList, addresses);
    QCOMPARE(extractQvodAddresses(page), addresses);
}

QTEST_GUILESS_MAIN(TestMarkerScan)
#include "tst_markerscan.moc"
