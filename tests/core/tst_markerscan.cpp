#include "core/markerscan.h"
#include "core/markersearch.h"
#include "core/qvodaddresses.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMarkerScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markerIndexAgreesWithIndexOf_data();
    void markerIndexAgreesWithIndexOf();
    void firstPieceAgreesWithPieces_data();
    void firstPieceAgreesWithPieces();
    void everyShapeAgreesWithQt_data();
    void everyShapeAgreesWithQt();
    void removeAllAgreesWithRemove_data();
    void removeAllAgreesWithRemove();
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

void TestMarkerScan::markerIndexAgreesWithIndexOf_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("marker");
    // Bodies around the eight-position step, markers of one, two and many
    // characters, hits in every lane, at the ends and straddling steps.
    const QString pad(40, u'x');
    QTest::newRow("empty body") << QString() << u"<a"_s;
    QTest::newRow("empty marker") << u"abc"_s << QString();
    QTest::newRow("marker longer than body") << u"<td"_s << u"<td>"_s;
    QTest::newRow("whole body") << u"<td class=\"name\">"_s << u"<td class=\"name\">"_s;
    QTest::newRow("one character") << pad + u"<"_s + pad << u"<"_s;
    QTest::newRow("two characters") << pad + u"]]"_s << u"]]"_s;
    QTest::newRow("last position") << pad + u"magnet:?"_s << u"magnet:?"_s;
    QTest::newRow("first position") << u"magnet:?"_s + pad << u"magnet:?"_s;
    QTest::newRow("ends match, middle differs") << pad + u"<td clasX=\"name\"><td class=\"name\">"_s
                                                << u"<td class=\"name\">"_s;
    QTest::newRow("many near misses") << u"<t><t><t><t><t><t><t><t><td>"_s << u"<td>"_s;
    QTest::newRow("overlapping") << u"aaaaaaaaaaaaaaaaaaab"_s << u"aab"_s;
    QTest::newRow("none") << pad + pad << u"<td>"_s;
    // Characters whose low or high bytes equal the marker's own.
    QTest::newRow("wide characters") << u"资源\u3c00\u003c\u3c3c<资源<资源>"_s << u"<资源>"_s;
    QTest::newRow("high bytes only") << QString(20, QChar(0xff3c)) + u"\u003c"_s << u"\u003c"_s;
    for (int at = 0; at < 17; ++at) {
        QTest::addRow("lane %d, short marker", at) << QString(at, u'-') + u"<a>"_s + QString(17 - at, u'-') << u"<a>"_s;
        QTest::addRow("lane %d, long marker", at)
            << QString(at, u'-') + u"<div class=\"thumb\">"_s + QString(17 - at, u'-') << u"<div class=\"thumb\">"_s;
    }
}

void TestMarkerScan::markerIndexAgreesWithIndexOf()
{
    QFETCH(QString, body);
    QFETCH(QString, marker);
    // Every start position, and one past the end.
    for (qsizetype from = 0; from <= body.size() + 1; ++from)
        QCOMPARE(markerIndex(body, marker, from), QStringView(body).indexOf(marker, from));
}

void TestMarkerScan::firstPieceAgreesWithPieces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("found");
    QTest::newRow("plain") << u"x<a href=\"/p.html\">t"_s << u"<a href=\"/"_s << u"\""_s << true;
    QTest::newRow("no marker") << u"x p.html\">t"_s << u"<a href=\"/"_s << u"\""_s << false;
    QTest::newRow("no end") << u"x<a href=\"/p.html"_s << u"<a href=\"/"_s << u"\""_s << false;
    QTest::newRow("end only after the next marker") << u"<b>one<b>two</b>"_s << u"<b>"_s << u"</b>"_s << false;
    // The end's first characters before the next marker, the rest inside it.
    QTest::newRow("end straddling the next marker") << u"<i>ab<i>x"_s << u"<i>"_s << u"b<i"_s << false;
    QTest::newRow("end just before the next marker") << u"<i>ab<i>x"_s << u"<i>"_s << u"ab"_s << true;
    QTest::newRow("marker holding the end's character") << u"<a href=\"/<a href=\"/x\""_s << u"<a href=\"/"_s
                                                        << u"\""_s << false;
    QTest::newRow("empty piece, empty end") << u"<i><i>"_s << u"<i>"_s << QString() << true;
    QTest::newRow("empty end") << u"<i>abc"_s << u"<i>"_s << QString() << true;
    QTest::newRow("empty marker") << u"abc"_s << QString() << u"c"_s << false;
    QTest::newRow("wide text") << u"<font color=\"#3D709E\">大陆</font><font color=\"#3D709E\">"_s
                               << u"<font color=\"#3D709E\">"_s << u"</font>"_s << true;
}

void TestMarkerScan::firstPieceAgreesWithPieces()
{
    QFETCH(QString, text);
    QFETCH(QString, marker);
    QFETCH(QString, end);
    QFETCH(bool, found);
    // The long way: split the whole text, take piece 1, cut it.
    const MarkerPieces pieces(text, marker);
    const bool whole = pieces.has(1) && pieces.piece(1).indexOf(end) >= 0;
    QCOMPARE(whole, found);
    const std::optional<QStringView> piece = firstPieceBefore(text, marker, end);
    QCOMPARE(piece.has_value(), found);
    QCOMPARE(cutFirstPiece(text, marker, end), cutBefore(pieces.piece(1), end));
    if (found)
        QCOMPARE(piece->toString(), cutBefore(pieces.piece(1), end));
}

// Markers on both sides of the short-marker limit, against Qt's own search:
// every start position, the overlapping count, the split and the removal.
void TestMarkerScan::everyShapeAgreesWithQt_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("marker");
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QChar(u'a' + (i * 7) % 26);
    const QString longMarker = text; // 40 characters, no repeats near its ends
    const QString as = QString(MarkerSearch::ShortMarker + 8, u'a');
    const QString abab = QString(u"ab"_s).repeated(30);
    const QString abaab = QString(u"abaab"_s).repeated(9);
    QString middleChanged = longMarker;
    middleChanged[20] = u'#';
    const QString wide = u"资源"_s + QChar(0x3c00);
    const qsizetype limit = MarkerSearch::ShortMarker;
    const QString atLimit = longMarker.left(limit);
    const QString pastLimit = longMarker.left(limit + 1);
    struct Shape
    {
        const char *name;
        QString body;
        QString marker;
    };
    const QList<Shape> shapes = {
        {"one character", u"xx<x<<"_s, u"<"_s},
        {"at the limit, at the very end", u"--"_s + atLimit.chopped(1) + u"-"_s + atLimit, atLimit},
        {"past the limit, at the very end", u"--"_s + pastLimit.chopped(1) + u"-"_s + pastLimit, pastLimit},
        {"long, at the very start", longMarker + u"tail"_s, longMarker},
        {"long, whole body", longMarker, longMarker},
        {"long, body one short", longMarker.chopped(1), longMarker},
        {"long, none", QString(200, u'-'), longMarker},
        {"long, marker less its last, repeated", longMarker.chopped(1).repeated(6) + longMarker, longMarker},
        {"long, a middle character changed, repeated", middleChanged.repeated(6) + longMarker + middleChanged,
         longMarker},
        {"long, back to back", longMarker.repeated(4), longMarker},
        {"one letter repeated, overlapping", QString(as.size() * 3 + 5, u'a'), as},
        {"one letter repeated, broken runs", QString(as.chopped(1) + u"b"_s).repeated(4) + as + u"a"_s, as},
        {"periodic ab, overlapping", QString(u"ab"_s).repeated(80), abab},
        {"periodic ab, near misses", QString(abab.chopped(2) + u"ba"_s).repeated(3) + abab, abab},
        {"periodic abaab, offset", u"a"_s + abaab.repeated(3) + u"abaa"_s, abaab},
        {"periodic abaab, shifted near miss", QString(u"abaab"_s).repeated(8) + u"abaa"_s + abaab, abaab},
        {"wide characters", wide.repeated(30), wide.repeated(12)},
    };
    for (const Shape &shape : shapes)
        QTest::addRow("%s", shape.name) << shape.body << shape.marker;
}

void TestMarkerScan::everyShapeAgreesWithQt()
{
    QFETCH(QString, body);
    QFETCH(QString, marker);
    const QStringView view(body);
    qsizetype overlapping = 0;
    for (qsizetype at = view.indexOf(marker); at >= 0; at = view.indexOf(marker, at + 1))
        ++overlapping;
    const MarkerSearch search(marker);
    for (qsizetype from = 0; from <= body.size() + 1; ++from) {
        QCOMPARE(markerIndex(body, marker, from), view.indexOf(marker, from));
        QCOMPARE(search.indexIn(body, from), view.indexOf(marker, from));
    }
    QCOMPARE(countFrom(body, marker), overlapping);
    QCOMPARE(search.countIn(body), overlapping);
    const QStringList split = body.split(marker);
    const MarkerPieces pieces(body, marker);
    QCOMPARE(pieces.size(), split.size());
    for (qsizetype i = 0; i < split.size(); ++i)
        QCOMPARE(pieces.piece(i).toString(), split.at(i));
    QCOMPARE(removeAll(body, marker), QString(body).remove(marker));
}

void TestMarkerScan::removeAllAgreesWithRemove_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::newRow("none") << u"plain text"_s << u"<br />"_s;
    QTest::newRow("one character") << u"<a<b<"_s << u"<"_s;
    QTest::newRow("at both ends") << u"&nbsp;x&nbsp;"_s << u"&nbsp;"_s;
    QTest::newRow("adjacent") << u"</a</a</a"_s << u"</a"_s;
    // Removing one occurrence must not make a new one count.
    QTest::newRow("nested") << u"<<br />br />"_s << u"<br />"_s;
    QTest::newRow("overlapping") << u"aaaaa"_s << u"aa"_s;
    QTest::newRow("longer than text") << u"<b"_s << u"<br />"_s;
    QTest::newRow("whole text") << u"</span>"_s << u"</span>"_s;
    QTest::newRow("empty text") << QString() << u"</a"_s;
}

void TestMarkerScan::removeAllAgreesWithRemove()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QCOMPARE(removeAll(text, what), QString(text).remove(what));
}

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
