#include "core/definitioncatalog.h"
#include "sources/torrents/btboardparser.h"
#include "sources/torrents/btmovieparser.h"
#include "sources/playback/qvodsearchdetailparser.h"
#include "core/definitioncatalog.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString fixture(const QString &site, const QString &name)
{
    QFile file(QStringLiteral(JYX_TEST_DATA "/") + site + u"/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s/%s", qPrintable(site), qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

const QString Base = u"http://site.example/base"_s;

const SiteDefinition &btBoard()
{
    return DefinitionCatalog::builtIns().get(u"bt-board"_s);
}

const SiteDefinition &btMovies()
{
    return DefinitionCatalog::builtIns().get(u"bt-movies"_s);
}

QString boardPage(int posts)
{
    QString page;
    for (int k = 1; k <= posts; ++k) {
        page += u"<TR><TD>&nbsp;<A href=\"display.php?ID="_s + QString::number(k) + u"\">帖"_s + QString::number(k)
                + u"</A></TD><TD>r</TD><TD>"_s + QString::number(k) + u" MB</TD><TD>a</TD><TD>c</TD></TR>"_s;
    }
    return page;
}

QString btMoviePage(int movies)
{
    QString page;
    for (int k = 1; k <= movies; ++k) {
        page += u"<li><a href=\"/Download/xiazai/dy"_s + QString::number(k) + u".html\" title=\"片"_s
                + QString::number(k) + u"\">片</a></li>"_s;
    }
    return page;
}

} // namespace

// The BT board, the BT movie section and the QVOD search detail page.
class TestBtParsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boardAddress();
    void boardRows();
    void rowCounts_data();
    void rowCounts();
    void btMovieAddresses_data();
    void btMovieAddresses();
    void btMovieRows();
    void btMovieDownload_data();
    void btMovieDownload();
    void qvodSearchDetail_data();
    void qvodSearchDetail();
};

void TestBtParsers::boardAddress()
{
    QCOMPARE(btBoardAddress(btBoard(), Base, 1), u"http://site.example/base/list.php?BoardID=1"_s);
    QCOMPARE(btBoardAddress(btBoard(), Base, 8), u"http://site.example/base/list.php?BoardID=8"_s);
}

void TestBtParsers::boardRows()
{
    const QList<BtBoardRow> rows = parseBtBoard(btBoard(), fixture(u"bt_board"_s, u"list.html"_s), Base);
    QCOMPARE(rows.size(), 3);
    // The query goes into the address as the page gives it.
    QCOMPARE(rows.at(0).address, u"http://site.example/base/display.php?BoardID=2&ID=2001"_s);
    QCOMPARE(rows.at(0).title, u"[BT下载] 河流 720p"_s);
    QCOMPARE(rows.at(0).size, u"1.37 GB"_s);
    // The category drops its link and span tags whole.
    QCOMPARE(rows.at(0).category, u"剧情片"_s);
    // A title keeps the text of inline tags other than anchors, without "<".
    QCOMPARE(rows.at(1).title, u"font color=red>追击/font> b>HD/b>"_s);
    QCOMPARE(rows.at(1).size, u"700 MB"_s);
    QCOMPARE(rows.at(1).category, u"动作片"_s);
    // A row cut short keeps what it has; the rest is empty, not the row before's.
    QCOMPARE(rows.at(2).title, u"残缺的帖子"_s);
    QCOMPARE(rows.at(2).address, u"http://site.example/base/display.php?BoardID=2&ID=2003"_s);
    QCOMPARE(rows.at(2).size, QString());
    QCOMPARE(rows.at(2).category, QString());
}

void TestBtParsers::rowCounts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("expected");
    QTest::newRow("board, none") << u"board"_s << 0 << 0;
    QTest::newRow("board, short") << u"board"_s << 23 << 23;
    QTest::newRow("board, full") << u"board"_s << 50 << 50;
    QTest::newRow("board, longer") << u"board"_s << 60 << 50;
    QTest::newRow("bt movies, none") << u"bt"_s << 0 << 0;
    QTest::newRow("bt movies, short") << u"bt"_s << 12 << 12;
    QTest::newRow("bt movies, full") << u"bt"_s << 35 << 35;
    QTest::newRow("bt movies, longer") << u"bt"_s << 40 << 35;
}

void TestBtParsers::rowCounts()
{
    QFETCH(QString, kind);
    QFETCH(int, items);
    QFETCH(int, expected);
    if (kind == u"board"_s) {
        const QList<BtBoardRow> rows = parseBtBoard(btBoard(), boardPage(items), Base);
        QCOMPARE(rows.size(), expected);
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows.at(i).title, u"帖"_s + QString::number(i + 1));
            QCOMPARE(rows.at(i).size, QString::number(i + 1) + u" MB"_s);
        }
    } else {
        const QList<BtMovieRow> rows = parseBtMovieList(btMovies(), btMoviePage(items), Base);
        QCOMPARE(rows.size(), expected);
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows.at(i).name, u"片"_s + QString::number(i + 1));
            QCOMPARE(rows.at(i).pageAddress,
                     Base + u"/Download/xiazai/dy"_s + QString::number(i + 1) + u".html"_s);
        }
    }
}

void TestBtParsers::btMovieAddresses_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("address");
    QTest::newRow("page 1, no number") << 1 << u"http://site.example/base/Download/bt/dianying"_s;
    QTest::newRow("page 2") << 2 << u"http://site.example/base/Download/bt/dianying/2"_s;
    QTest::newRow("page 17") << 17 << u"http://site.example/base/Download/bt/dianying/17"_s;
}

void TestBtParsers::btMovieAddresses()
{
    QFETCH(int, page);
    QFETCH(QString, address);
    QCOMPARE(btMovieListAddress(btMovies(), Base, page), address);
}

void TestBtParsers::btMovieRows()
{
    const QList<BtMovieRow> rows = parseBtMovieList(btMovies(), fixture(u"bt_movies"_s, u"list.html"_s), Base);
    // A link that is never closed gives nothing, so it is left out.
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).name, u"河流 BD1280高清中字"_s);
    QCOMPARE(rows.at(0).pageAddress, u"http://site.example/base/Download/xiazai/dy101.html"_s);
    // The name comes from the title attribute, not the link text.
    QCOMPARE(rows.at(1).name, u"追击 加长版"_s);
    QCOMPARE(rows.at(2).name, QString());
    QCOMPARE(rows.at(2).pageAddress, u"http://site.example/base/Download/xiazai/dy103.html"_s);
}

void TestBtParsers::btMovieDownload_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("address");
    QTest::newRow("download page") << fixture(u"bt_movies"_s, u"download.html"_s) << u"2013-12-05"_s
                                   << u"magnet:?xt=urn:btih:0123456789abcdef0123456789abcdef01234567&dn=dy101&tr=udp"_s;
    QTest::newRow("no markers") << fixture(u"bt_movies"_s, u"download_bare.html"_s) << QString() << QString();
    QTest::newRow("unclosed text area") << u"<textarea onclick=\"this.select()\">magnet:?xt=1"_s << QString()
                                        << QString();
}

void TestBtParsers::btMovieDownload()
{
    QFETCH(QString, page);
    QFETCH(QString, date);
    QFETCH(QString, address);
    const BtMovieDownload download = parseBtMovieDownload(btMovies(), page);
    QCOMPARE(download.date, date);
    QCOMPARE(download.address, address);
}

void TestBtParsers::qvodSearchDetail_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fileAddress");
    QTest::addColumn<QString>("picture");
    QTest::newRow("playable") << u"detail.html"_s
                              << u"qvod://123456789|0123456789ABCDEF0123456789ABCDEF01234567|演示影片.rmvb|"_s
                              << u"http://img.example/qvod/show.jpg"_s;
    QTest::newRow("fewer than five values") << u"detail_gone.html"_s << QString()
                                            << u"http://img.example/qvod/show.jpg"_s;
}

void TestBtParsers::qvodSearchDetail()
{
    QFETCH(QString, file);
    QFETCH(QString, fileAddress);
    QFETCH(QString, picture);
    const QvodSearchDetail detail = parseQvodSearchDetail(DefinitionCatalog::builtIns().get(u"qvod-search"_s),
                                                          fixture(u"qvod_search"_s, file));
    QCOMPARE(detail.fileAddress, fileAddress);
    QCOMPARE(detail.pictureAddress, picture);
}

QTEST_GUILESS_MAIN(TestBtParsers)
#include "tst_btparsers.moc"
