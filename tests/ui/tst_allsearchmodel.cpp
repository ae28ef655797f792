#include "core/allsearchrow.h"
#include "ui/allsearchcsv.h"
#include "ui/allsearchfiltermodel.h"
#include "ui/allsearchmodel.h"
#include "ui/resultlistcatalog.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Hex = u"0123456789abcdef0123456789abcdef01234567"_s;
const QString Base32 = u"AERUKZ4JVPG66AJDIVTYTK6N54ASGRLH"_s; // the same 20 bytes
const QString Ed2kHash = u"0123456789ABCDEF0123456789ABCDEF"_s;

AllSearchRow hit(const QString &source, const QString &name, const QString &address, const QString &size = {},
                 const QString &date = {})
{
    return {source, source + u"标题"_s, name, size, date, address};
}

QStringList column(const QAbstractItemModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

} // namespace

class TestAllSearchModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressKeys_data();
    void addressKeys();
    void sizes_data();
    void sizes();
    void dates_data();
    void dates();
    void rowsOfEachList_data();
    void rowsOfEachList();
    void sameAddressMerges_data();
    void sameAddressMerges();
    void rowsLandInBoundedChunks();
    void clearDropsPendingRows();
    void filterWords_data();
    void filterWords();
    void sortEachColumn_data();
    void sortEachColumn();
    void csvCells_data();
    void csvCells();
    void csvFollowsTheVisibleRows();
    void longCellsAreCutForShowing();
};

void TestAllSearchModel::addressKeys_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("key");
    const QString btih = u"btih:"_s + Hex;
    QTest::newRow("hex") << u"magnet:?xt=urn:btih:"_s + Hex + u"&dn=x"_s << btih;
    QTest::newRow("upper-case hex and scheme") << u"  MAGNET:?XT=URN:BTIH:"_s + Hex.toUpper() << btih;
    QTest::newRow("base32") << u"magnet:?dn=a&xt=urn:btih:"_s + Base32 << btih;
    QTest::newRow("base32 lower-case") << u"magnet:?xt=urn:btih:"_s + Base32.toLower() << btih;
    QTest::newRow("topic percent-encoded") << u"magnet:?xt=urn%3Abtih%3A"_s + Hex << btih;
    QTest::newRow("whole link percent-encoded") << u"magnet%3A%3Fxt%3Durn%3Abtih%3A"_s + Hex << btih;
    QTest::newRow("HTML entity before xt") << u"magnet:?dn=a&amp;xt=urn:btih:"_s + Hex << btih;
    QTest::newRow("numbered exact topic") << u"magnet:?xt.1=urn:btih:"_s + Hex << btih;
    QTest::newRow("hash too short") << u"magnet:?xt=urn:btih:0123 "_s << u"magnet:?xt=urn:btih:0123"_s;
    QTest::newRow("not base32") << u"magnet:?xt=urn:btih:"_s + Base32.left(31) + u"1"_s
                                << u"magnet:?xt=urn:btih:"_s + Base32.left(31) + u"1"_s;
    QTest::newRow("ed2k") << u"ed2k://|file|a.avi|100|"_s + Ed2kHash + u"|/"_s << u"ed2k:"_s + Ed2kHash.toLower();
    QTest::newRow("ed2k with AICH") << u"ED2K://|FILE|b.avi|7|"_s + Ed2kHash.toLower() + u"|h=ABC|/"_s
                                    << u"ed2k:"_s + Ed2kHash.toLower();
    QTest::newRow("ed2k percent-encoded") << u"ed2k://%7Cfile%7Ca.avi%7C100%7C"_s + Ed2kHash + u"%7C/"_s
                                          << u"ed2k:"_s + Ed2kHash.toLower();
    QTest::newRow("ed2k without hash") << u"ed2k://|file|a.avi|100|/"_s << u"ed2k://|file|a.avi|100|/"_s;
    QTest::newRow("ed2k server link") << u"ed2k://|server|1.2.3.4|4661|/"_s << u"ed2k://|server|1.2.3.4|4661|/"_s;
    QTest::newRow("web address trimmed") << u" http://a.example/t/1 \n"_s << u"http://a.example/t/1"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestAllSearchModel::addressKeys()
{
    QFETCH(QString, address);
    QFETCH(QString, key);
    QCOMPARE(addressKey(address), key);
}

void TestAllSearchModel::sizes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("bytes");
    QTest::newRow("GB with point") << u"1.2 GB"_s << qint64(1288490189);
    QTest::newRow("MB without space") << u"900MB"_s << qint64(900) * 1024 * 1024;
    QTest::newRow("KiB") << u"3 KiB"_s << qint64(3072);
    QTest::newRow("decimal comma") << u"1,5 G"_s << qint64(1610612736);
    QTest::newRow("thousands comma") << u"1,024 MB"_s << qint64(1024) * 1024 * 1024;
    QTest::newRow("thousands and point") << u"1,024.5 KB"_s << qint64(1049088);
    QTest::newRow("TB") << u"2 tb"_s << (qint64(2) << 40);
    QTest::newRow("bytes in Chinese") << u"512 字节"_s << qint64(512);
    QTest::newRow("bare number") << u" 77 "_s << qint64(77);
    QTest::newRow("unknown") << u"未知"_s << qint64(-1);
    QTest::newRow("empty") << QString() << qint64(-1);
    QTest::newRow("text after unit") << u"3 MB free"_s << qint64(-1);
    QTest::newRow("negative") << u"-3 MB"_s << qint64(-1);
    QTest::newRow("two points") << u"1.2.3 GB"_s << qint64(-1);
    QTest::newRow("huge") << u"9999999999999999999999 TB"_s << qint64(-1);
    QTest::newRow("large but real") << u"8000000 TB"_s << qint64(8796093022208000000);
    QTest::newRow("2^63 bytes") << u"8388608 TB"_s << qint64(-1);
    QTest::newRow("long garbage") << QString(100000, u'9') << qint64(-1);
}

void TestAllSearchModel::sizes()
{
    QFETCH(QString, text);
    QFETCH(qint64, bytes);
    QCOMPARE(sizeInBytes(text), bytes);
}

void TestAllSearchModel::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("iso"); // empty: no date
    QTest::newRow("dashes") << u"2014-01-02"_s << u"2014-01-02T00:00:00"_s;
    QTest::newRow("slashes, one digit") << u"2014/1/2"_s << u"2014-01-02T00:00:00"_s;
    QTest::newRow("points") << u"2014.01.02"_s << u"2014-01-02T00:00:00"_s;
    QTest::newRow("minutes") << u"2014-01-02 12:30"_s << u"2014-01-02T12:30:00"_s;
    QTest::newRow("seconds") << u" 2014-01-02 12:30:45 "_s << u"2014-01-02T12:30:45"_s;
    QTest::newRow("ISO T") << u"2014-01-02T07:08:09Z"_s << u"2014-01-02T07:08:09"_s;
    QTest::newRow("Chinese") << u"2014年1月2日"_s << u"2014-01-02T00:00:00"_s;
    QTest::newRow("Chinese with time") << u"2014年12月31日 23:59"_s << u"2014-12-31T23:59:00"_s;
    QTest::newRow("text after the date") << u"2014-01-02 (3天前)"_s << u"2014-01-02T00:00:00"_s;
    QTest::newRow("bad time ignored") << u"2014-01-02 25:61"_s << u"2014-01-02T00:00:00"_s;
    QTest::newRow("no year, this year") << u"03-01"_s << u"2026-03-01T00:00:00"_s;
    QTest::newRow("no year, today") << u"3月10日 08:00"_s << u"2026-03-10T08:00:00"_s;
    QTest::newRow("no year, last year") << u"12-25"_s << u"2025-12-25T00:00:00"_s;
    QTest::newRow("no year, 29 February") << u"02-29"_s << u"2024-02-29T00:00:00"_s;
    QTest::newRow("month 13") << u"2014-13-01"_s << QString();
    QTest::newRow("30 February") << u"2014-02-30"_s << QString();
    QTest::newRow("mixed separators") << u"2014-01/02"_s << QString();
    QTest::newRow("two-digit year") << u"14-01-02"_s << QString();
    QTest::newRow("five-digit year") << u"99999-01-01"_s << QString();
    QTest::newRow("day runs on") << u"2014-01-023"_s << QString();
    QTest::newRow("relative") << u"3天前"_s << QString();
    QTest::newRow("RSS, its own clock") << u"Sun, 01 Dec 2013 12:00:00 +0800"_s << u"2013-12-01T12:00:00"_s;
    QTest::newRow("RSS, five-digit year") << u"Sun, 01 Dec 12013 12:00:00 +0800"_s << QString();
    QTest::newRow("long digits") << QString(100000, u'1') << QString();
}

void TestAllSearchModel::dates()
{
    QFETCH(QString, text);
    QFETCH(QString, iso);
    const qint64 key = dateKey(text, QDate(2026, 3, 10));
    if (iso.isEmpty()) {
        QCOMPARE(key, NoDateKey);
        return;
    }
    const QDateTime expected = QDateTime::fromString(iso + u"Z"_s, Qt::ISODate);
    QCOMPARE(key, expected.toMSecsSinceEpoch());
    QVERIFY(NoDateKey < key);
}

void TestAllSearchModel::rowsOfEachList_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("keys"); // the row's cells; column 0 is the item text
    QTest::addColumn<QString>("magnetKey"); // the cell holding a magnet link, if any
    QTest::addColumn<QString>("sizeKey");
    QTest::addColumn<QString>("dateKey");
    QTest::addColumn<QString>("addressKey");
    const QString none;
    QTest::newRow("ListView1 netdisk") << u"ListView1"_s << QStringList() << none << none << none << u"dz"_s;
    QTest::newRow("ListView2 torrent") << u"ListView2"_s << QStringList() << u"fhdz"_s << u"dx"_s << u"rq"_s
                                       << u"fhdz"_s;
    QTest::newRow("ListView2 without magnet") << u"ListView2"_s << QStringList{u"mc"_s, u"xzdz"_s} << none << none
                                              << none << u"xzdz"_s;
    QTest::newRow("ListView4 rss") << u"ListView4"_s << QStringList() << none << u"dx"_s << u"rq"_s << u"zzdz"_s;
    QTest::newRow("ListView13 movie resource") << u"ListView13"_s << QStringList() << none << none << u"gx"_s
                                               << u"zzdz"_s;
    QTest::newRow("ListView14 qvod search") << u"ListView14"_s << QStringList() << none << none << none << u"dz"_s;
    QTest::newRow("ListView15 ed2k") << u"ListView15"_s << QStringList() << none << none << none << u"zzdz"_s;
    QTest::newRow("ListView17 emule search") << u"ListView17"_s << QStringList() << none << none << none << u"dz"_s;
    QTest::newRow("ListView19 magnet") << u"ListView19"_s << QStringList() << u"cl"_s << u"dx"_s << u"fb"_s
                                       << u"cl"_s;
    QTest::newRow("user's source") << QString() << QStringList{u"mc"_s, u"dx"_s, u"rq"_s, u"dz"_s} << none << u"dx"_s
                                   << u"rq"_s << u"dz"_s;
    QTest::newRow("magnet in a later cell wins") << QString() << QStringList{u"mc"_s, u"xzdz"_s, u"dz"_s} << u"dz"_s
                                                 << none << none << u"dz"_s;
}

void TestAllSearchModel::rowsOfEachList()
{
    QFETCH(QString, list);
    QFETCH(QStringList, keys);
    QFETCH(QString, magnetKey);
    QFETCH(QString, sizeKey);
    QFETCH(QString, dateKey);
    QFETCH(QString, addressKey);
    if (keys.isEmpty()) {
        const ResultListShape *shape = findResultListShape(list);
        QVERIFY(shape);
        for (qsizetype i = 1; i < shape->columns.size(); ++i)
            keys.append(shape->columns.at(i).key);
    }
    QVERIFY(keys.contains(u"mc"_s));
    ListRow row{u"7"_s, {}};
    for (const QString &key : keys) {
        const QString value = key == magnetKey ? QString(u"magnet:?xt=urn:btih:"_s + Hex) : QString(u"\n"_s + key + u"\t值"_s);
        row.cells.append({key, value});
    }
    const AllSearchRow out = allSearchRow(u"src"_s, u"标题"_s, row);
    auto expected = [&](const QString &key) { return key.isEmpty() ? QString() : row.value(key).trimmed().replace(u'\t', u' '); };
    QCOMPARE(out.source, u"src"_s);
    QCOMPARE(out.title, u"标题"_s);
    QCOMPARE(out.name, u"mc 值"_s);
    QCOMPARE(out.size, expected(sizeKey));
    QCOMPARE(out.date, expected(dateKey));
    QCOMPARE(out.address, expected(addressKey));
}

void TestAllSearchModel::sameAddressMerges_data()
{
    QTest::addColumn<int>("chunk");
    QTest::newRow("one chunk") << 500;
    QTest::newRow("a row per chunk") << 1;
}

void TestAllSearchModel::sameAddressMerges()
{
    QFETCH(int, chunk);
    AllSearchModel model;
    model.setChunkRows(chunk);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.addRows({hit(u"torrent"_s, u"第一个"_s, u"magnet:?xt=urn:btih:"_s + Hex.toUpper(), u"未知"_s),
                   hit(u"ed2k"_s, u"无地址"_s, {}), hit(u"emule"_s, u"也无地址"_s, u"  "_s),
                   hit(u"magnet"_s, u"第二个"_s, u"magnet:?xt=urn:btih:"_s + Base32, u"2 GB"_s, u"2014-01-02"_s),
                   hit(u"torrent"_s, u"第三个"_s, u"MAGNET:?xt=urn:btih:"_s + Hex)});
    QCOMPARE(model.rowCount(), 0); // nothing lands before the event loop turns
    QTRY_COMPARE(model.pendingRows(), 0);
    QCOMPARE(column(model, AllSearchModel::Name), (QStringList{u"第一个"_s, u"无地址"_s, u"也无地址"_s}));
    QCOMPARE(model.rowAt(0).title, u"torrent标题、magnet标题"_s);
    QCOMPARE(model.index(0, AllSearchModel::Source).data().toString(), u"torrent标题、magnet标题"_s);
    QCOMPARE(model.sourcesAt(0), (QStringList{u"torrent"_s, u"magnet"_s}));
    QCOMPARE(model.rowAt(0).source, u"torrent"_s);
    QCOMPARE(model.rowAt(0).size, u"2 GB"_s); // the first had none
    QCOMPARE(model.index(0, AllSearchModel::Size).data(AllSearchModel::SortKeyRole).toLongLong(), 2LL << 30);
    QCOMPARE(model.rowAt(0).date, u"2014-01-02"_s);
    QCOMPARE(model.sourcesAt(1), QStringList{u"ed2k"_s});
    // Merges into a row already shown are announced.
    QCOMPARE(changed.size(), chunk == 1 ? 1 : 0);
}

void TestAllSearchModel::rowsLandInBoundedChunks()
{
    AllSearchModel model;
    model.setChunkRows(100);
    QSignalSpy landed(&model, &AllSearchModel::rowsLanded);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QList<AllSearchRow> rows;
    for (int i = 0; i < 1050; ++i)
        rows.append(hit(u"s"_s + QString::number(i % 13), QString::number(i), u"http://a.example/"_s + QString::number(i)));
    model.addRows(rows.mid(0, 600));
    model.addRows(rows.mid(600));
    QCOMPARE(model.pendingRows(), 1050);
    QTRY_COMPARE(model.pendingRows(), 0);
    QCOMPARE(model.rowCount(), 1050);
    QVERIFY(landed.size() >= 11); // more only when a chunk ran out of time
    QCOMPARE(inserted.size(), landed.size());
    for (const QList<QVariant> &args : std::as_const(inserted))
        QVERIFY(args.at(2).toInt() - args.at(1).toInt() + 1 <= 100);
    QCOMPARE(model.rowAt(1049).name, u"1049"_s);
}

void TestAllSearchModel::clearDropsPendingRows()
{
    AllSearchModel model;
    model.setChunkRows(10);
    QSignalSpy landed(&model, &AllSearchModel::rowsLanded);
    QList<AllSearchRow> old;
    for (int i = 0; i < 100; ++i)
        old.append(hit(u"old"_s, u"旧"_s, u"http://old.example/"_s + QString::number(i)));
    model.addRows(old);
    QVERIFY(landed.wait());
    QVERIFY(model.rowCount() > 0 && model.pendingRows() > 0);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.pendingRows(), 0);
    // The new search's rows land first and alone: no old row comes after.
    model.addRows({hit(u"new"_s, u"新"_s, u"http://old.example/1"_s)});
    QTRY_COMPARE(model.pendingRows(), 0);
    QCOMPARE(column(model, AllSearchModel::Name), QStringList{u"新"_s});
    QCOMPARE(model.sourcesAt(0), QStringList{u"new"_s}); // no merge with a dropped row
}

void TestAllSearchModel::filterWords_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("none") << QString() << QStringList{u"Alpha Beta 1080p"_s, u"alpha gamma"_s, u"流浪地球 2 1080P"_s, u"流浪 地球"_s};
    QTest::newRow("one word, any case") << u"ALPHA"_s << QStringList{u"Alpha Beta 1080p"_s, u"alpha gamma"_s};
    QTest::newRow("two words") << u" alpha  beta "_s << QStringList{u"Alpha Beta 1080p"_s};
    QTest::newRow("words in any order") << u"1080P 流浪"_s << QStringList{u"流浪地球 2 1080P"_s};
    QTest::newRow("ideographic space") << u"地球　流浪"_s << QStringList{u"流浪地球 2 1080P"_s, u"流浪 地球"_s};
    QTest::newRow("no match") << u"alpha delta"_s << QStringList();
}

void TestAllSearchModel::filterWords()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    AllSearchModel model;
    AllSearchFilterModel shown;
    shown.setSourceModel(&model);
    QList<AllSearchRow> rows;
    for (const QString &name : {u"Alpha Beta 1080p"_s, u"alpha gamma"_s, u"流浪地球 2 1080P"_s, u"流浪 地球"_s})
        rows.append(hit(u"s"_s, name, {}));
    model.addRows(rows);
    QTRY_COMPARE(model.rowCount(), 4);
    shown.setFilterText(filter);
    QCOMPARE(column(shown, AllSearchModel::Name), names);
}

void TestAllSearchModel::sortEachColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<QStringList>("names");
    const auto up = Qt::AscendingOrder;
    const auto down = Qt::DescendingOrder;
    QTest::newRow("name up: pinyin, numbers by value")
        << int(AllSearchModel::Name) << up << QStringList{u"阿"_s, u"北"_s, u"第2集"_s, u"第10集"_s, u"中"_s};
    QTest::newRow("name down") << int(AllSearchModel::Name) << down
                               << QStringList{u"中"_s, u"第10集"_s, u"第2集"_s, u"北"_s, u"阿"_s};
    QTest::newRow("size up, unknown last") << int(AllSearchModel::Size) << up
                                           << QStringList{u"第10集"_s, u"阿"_s, u"中"_s, u"北"_s, u"第2集"_s};
    QTest::newRow("size down, unknown last") << int(AllSearchModel::Size) << down
                                             << QStringList{u"中"_s, u"阿"_s, u"第10集"_s, u"北"_s, u"第2集"_s};
    QTest::newRow("date up, none last") << int(AllSearchModel::Date) << up
                                        << QStringList{u"阿"_s, u"中"_s, u"第10集"_s, u"第2集"_s, u"北"_s};
    QTest::newRow("date down, none last") << int(AllSearchModel::Date) << down
                                          << QStringList{u"第2集"_s, u"第10集"_s, u"中"_s, u"阿"_s, u"北"_s};
    QTest::newRow("source up") << int(AllSearchModel::Source) << up
                               << QStringList{u"阿"_s, u"北"_s, u"中"_s, u"第10集"_s, u"第2集"_s};
}

void TestAllSearchModel::sortEachColumn()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    QFETCH(QStringList, names);
    AllSearchModel model(nullptr, QLocale(QLocale::Chinese, QLocale::China));
    AllSearchFilterModel shown;
    shown.setSourceModel(&model);
    model.addRows({hit(u"c"_s, u"中"_s, u"http://z.example/"_s, u"1.5 GB"_s, u"2014-01-02"_s),
                   hit(u"a"_s, u"阿"_s, {}, u"900 MB"_s, u"2013/12/31 23:59"_s),
                   hit(u"b"_s, u"北"_s, {}, u"未知"_s),
                   hit(u"d"_s, u"第10集"_s, {}, u"2 KB"_s, u"2014年1月2日 08:00"_s),
                   hit(u"e"_s, u"第2集"_s, {}, {}, u"2014.01.03"_s)});
    QTRY_COMPARE(model.rowCount(), 5);
    shown.sort(column, order);
    QCOMPARE(::column(shown, AllSearchModel::Name), names);
    // The name's sort key role ranks names in the same order.
    QList<int> ranks;
    for (const QString &name : {u"阿"_s, u"北"_s, u"第2集"_s, u"第10集"_s, u"中"_s}) {
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.rowAt(row).name == name)
                ranks.append(model.index(row, AllSearchModel::Name).data(AllSearchModel::SortKeyRole).toInt());
        }
    }
    QCOMPARE(ranks, (QList<int>{0, 1, 2, 3, 4}));
}

void TestAllSearchModel::csvCells_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("fields");
    const QString title = u"来源甲"_s;
    const auto row = [&](const char *tag, const QString &name, const QByteArray &field) {
        QTest::newRow(tag) << title << name << u"来源甲,"_s.toUtf8() + field;
    };
    row("plain", u"流浪地球"_s, "流浪地球");
    row("comma", u"a,b"_s, "\"a,b\"");
    row("quotes", u"say \"hi\""_s, "\"say \"\"hi\"\"\"");
    // Cells are cleaned as in the list: no line breaks, no hidden controls.
    row("line break", u"a\r\nb"_s, "a  b");
    row("right-to-left override", u"rtl \u202Egpj.exe"_s, "rtl gpj.exe");
    row("isolates and C1", u"\u2066a\u2069\u0085b\u009B"_s, "ab");
    row("formula =", u"=1+1"_s, "'=1+1");
    row("formula +", u"+cmd"_s, "'+cmd");
    row("formula -", u"-2"_s, "'-2");
    row("formula @ with comma", u"@SUM(A1,A2)"_s, "\"'@SUM(A1,A2)\"");
    row("sign inside", u"a=b"_s, "a=b");
    // A source's title comes from a definition file.
    QTest::newRow("title with controls") << u"\u001B]0;x\u0007来源\u202E乙"_s << u"名"_s
                                         << u"]0;x来源乙,名"_s.toUtf8();
}

void TestAllSearchModel::csvCells()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QFETCH(QByteArray, fields);
    AllSearchModel model;
    model.addRows({{u"s"_s, title, name, u"1 MB"_s, u"2014-01-02"_s, u"http://a.example/?a=1&b=2"_s}});
    QTRY_COMPARE(model.rowCount(), 1);
    const QByteArray expected = "\xEF\xBB\xBF" + u"来源,名称,大小,日期,地址\r\n"_s.toUtf8() + fields
                                + ",1 MB,2014-01-02,http://a.example/?a=1&b=2\r\n";
    QCOMPARE(allSearchCsv(model), expected);
}

void TestAllSearchModel::csvFollowsTheVisibleRows()
{
    AllSearchModel model;
    AllSearchFilterModel shown;
    shown.setSourceModel(&model);
    model.addRows({hit(u"s"_s, u"x 1"_s, {}, u"1 KB"_s), hit(u"s"_s, u"y"_s, {}, u"3 KB"_s),
                   hit(u"s"_s, u"x 2"_s, {}, u"2 KB"_s)});
    QTRY_COMPARE(model.rowCount(), 3);
    shown.setFilterText(u"x"_s);
    shown.sort(AllSearchModel::Size, Qt::DescendingOrder);
    const QList<QByteArray> lines = allSearchCsv(shown).split('\n');
    QCOMPARE(lines.size(), 4); // header, two rows, nothing after the last CR LF
    QVERIFY(lines.at(1).startsWith("s标题,x 2,2 KB"));
    QVERIFY(lines.at(2).startsWith("s标题,x 1,1 KB"));
}

void TestAllSearchModel::longCellsAreCutForShowing()
{
    AllSearchModel model;
    const QString name = QString(AllSearchModel::ShownChars - 1, u'名') + u"😀"_s; // a pair across the cut
    model.addRows({hit(u"s"_s, name, {})});
    QTRY_COMPARE(model.rowCount(), 1);
    const QModelIndex cell = model.index(0, AllSearchModel::Name);
    QCOMPARE(cell.data().toString(), QString(AllSearchModel::ShownChars - 1, u'名') + u"…"_s);
    QCOMPARE(cell.data(Qt::EditRole).toString(), name);
    QVERIFY(allSearchCsv(model).contains(name.toUtf8()));
}

QTEST_MAIN(TestAllSearchModel)
#include "tst_allsearchmodel.moc"
