#include "core/definitioncatalog.h"
#include "core/definitionloader.h"
#include "core/sitedefinition.h"
#include "sources/movies/moviedetailparser.h"
#include "sources/movies/movielistingparser.h"
#include "support/mendeddefinition.h"

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

const QString Base = u"http://movies.example"_s;

// The built-in definitions the readers use.
const SiteDefinition &listingDefinition()
{
    return DefinitionCatalog::builtIns().get(u"movie-listing"_s);
}

const SiteDefinition &detailDefinition()
{
    return DefinitionCatalog::builtIns().get(u"movie-detail"_s);
}

// A listing page of `rows` complete rows, titles "片N", links "<prefix>N.html".
QString listingPage(int rows, const QString &prefix)
{
    QString page = u"<html><body>"_s;
    for (int n = 1; n <= rows; ++n) {
        page += u"<tr><td height=\"26\"><b><a href=\""_s + prefix + QString::number(n)
                + u".html\" class=\"ulink\">片"_s + QString::number(n)
                + u"</a></b></td></tr><tr><td style=\"padding-left:3px\">&nbsp;</td></tr>"_s;
    }
    return page + u"</body></html>"_s;
}

} // namespace

class TestMovieParsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void categoryTable();
    void listingRows();
    void listingRowCount_data();
    void listingRowCount();
    void listingAddressesPerCategory_data();
    void listingAddressesPerCategory();
    void downloadAddress_data();
    void downloadAddress();

    void detailLayouts_data();
    void detailLayouts();
    void layoutBDataLines();
    void layoutAKeepsOtherJu();
    void secondLinkWithAndWithoutScheme();
    void missingMarkers();
    void mendedMarkers_data();
    void mendedMarkers();
};

void TestMovieParsers::categoryTable()
{
    const QList<MovieCategory> &categories = movieCategories();
    QCOMPARE(categories.size(), 6);
    QCOMPARE(categories.at(0).caption, u"综合最新电影"_s);
    QCOMPARE(categories.at(5).caption, u"动漫资源"_s);
    // The Western page reads its links under the latest-movies tree.
    QCOMPARE(movieListingAddress(listingDefinition(), Base, categories.at(2)), Base + u"/html/gndy/oumei/index.html"_s);
    QCOMPARE(listingDefinition().marker(categories.at(2).name + u"_link"_s), u"<a href=\"/html/gndy/dyzz/"_s);
    QCOMPARE(listingDefinition().address(categories.at(2).name + u"_detail"_s), u"{base}/html/gndy/dyzz/{path}"_s);
    QCOMPARE(listingDefinition().marker(categories.at(1).name + u"_link"_s), u"<a href=\"/html/gndy/"_s);
    // Every category names its three entries.
    for (const MovieCategory &category : categories) {
        QVERIFY2(!listingDefinition().address(category.name).isEmpty(), qPrintable(category.name));
        QVERIFY2(!listingDefinition().address(category.name + u"_detail"_s).isEmpty(), qPrintable(category.name));
        QVERIFY2(!listingDefinition().marker(category.name + u"_link"_s).isEmpty(), qPrintable(category.name));
    }
}

void TestMovieParsers::listingRows()
{
    const QList<MovieListingRow> rows = parseMovieListing(listingDefinition(), fixture(u"movie_listing"_s, u"category0.html"_s), Base,
                                                          movieCategories().at(0));
    // The last row lacks its end marker: nothing can be cut from it, nothing
    // of the row before leaks into it, and so it is left out.
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).title, u"2013年剧情片《河流》BD中字"_s);
    QCOMPARE(rows.at(0).detailAddress, u"http://movies.example/html/gndy/dyzz/20131201/43001.html"_s);
    // Inline tags keep their text and lose every "<".
    QCOMPARE(rows.at(1).title, u"font color=\"#FF0000\">2013年动作片《追击》/font>"_s);
    QCOMPARE(rows.at(1).detailAddress, u"http://movies.example/html/gndy/dyzz/20131201/43002.html"_s);
    // A link outside the category's tree gives no address, the title stays.
    QCOMPARE(rows.at(2).title, u"经典片《旧梦》"_s);
    QCOMPARE(rows.at(2).detailAddress, QString());
}

void TestMovieParsers::listingRowCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty page") << 0 << 0;
    QTest::newRow("short page") << 7 << 7;
    QTest::newRow("full page") << 25 << 25;
    QTest::newRow("longer page") << 40 << 25;
}

void TestMovieParsers::listingRowCount()
{
    QFETCH(int, rows);
    QFETCH(int, expected);
    const QList<MovieListingRow> parsed =
        parseMovieListing(listingDefinition(), listingPage(rows, u"/html/gndy/dyzz/"_s), Base, movieCategories().at(0));
    QCOMPARE(parsed.size(), expected);
    for (int i = 0; i < parsed.size(); ++i) {
        QCOMPARE(parsed.at(i).title, u"片"_s + QString::number(i + 1));
        QCOMPARE(parsed.at(i).detailAddress, Base + u"/html/gndy/dyzz/"_s + QString::number(i + 1) + u".html"_s);
    }
}

void TestMovieParsers::listingAddressesPerCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("address");
    QTest::newRow("0 latest") << 0 << u"/html/gndy/dyzz/20131201/1.html"_s
                              << u"/html/gndy/dyzz/20131201/1.html"_s;
    QTest::newRow("1 domestic, any subtree") << 1 << u"/html/gndy/china/20131201/1.html"_s
                                             << u"/html/gndy/china/20131201/1.html"_s;
    QTest::newRow("2 western, latest tree") << 2 << u"/html/gndy/dyzz/20131203/1.html"_s
                                            << u"/html/gndy/dyzz/20131203/1.html"_s;
    QTest::newRow("2 western, own tree") << 2 << u"/html/gndy/oumei/1.html"_s << QString();
    QTest::newRow("3 tv") << 3 << u"/html/tv/hytv/1.html"_s << u"/html/tv/hytv/1.html"_s;
    QTest::newRow("4 tv") << 4 << u"/html/tv/rihantv/1.html"_s << u"/html/tv/rihantv/1.html"_s;
    QTest::newRow("5 cartoon") << 5 << u"/html/dongman/1.html"_s << u"/html/dongman/1.html"_s;
}

void TestMovieParsers::listingAddressesPerCategory()
{
    QFETCH(int, category);
    QFETCH(QString, link);
    QFETCH(QString, address);
    const QString page = u"<td height=\"26\"><a href=\""_s + link
                         + u"\" class=\"ulink\">T</a></td><td style=\"padding-left:3px\">&nbsp;</td>"_s;
    const QList<MovieListingRow> rows = parseMovieListing(listingDefinition(), page, Base, movieCategories().at(category));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).detailAddress, address.isEmpty() ? QString() : Base + address);
}

void TestMovieParsers::downloadAddress_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("address");
    QTest::newRow("first of two links") << fixture(u"movie_listing"_s, u"detail.html"_s)
                                        << u"ftp://movies.example:21/[电影]河流.BD.mkv"_s;
    QTest::newRow("no link") << fixture(u"movie_listing"_s, u"detail_nolink.html"_s) << QString();
    QTest::newRow("unclosed link") << u"#fdfddf\"><a href=\"ftp://x.example/a.mkv"_s << QString();
}

void TestMovieParsers::downloadAddress()
{
    QFETCH(QString, page);
    QFETCH(QString, address);
    QCOMPARE(movieDownloadAddress(listingDefinition(), page), address);
}

void TestMovieParsers::detailLayouts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("poster");
    QTest::addColumn<QString>("dataStart");
    QTest::addColumn<QString>("synopsis");
    QTest::addColumn<QString>("link1");
    QTest::addColumn<QString>("link2");
    QTest::newRow("layout A") << u"layout_a.html"_s << true << u"http://img.example/poster/2001.jpg"_s
                              << u"片名: 河流\r\n\r\n年代: 2013"_s << u"一段发生在 A & B 之间的故事。"_s
                              << u"http://files.example/bt/2001.torrent"_s << u"http://mirror.example/bt/2001.torrent"_s;
    QTest::newRow("layout B") << u"layout_b.html"_s << true << u"http://img.example/poster/2002.jpg"_s
                              << u"◎译　　名　追击\r\n\r\n片　　名　The Chase"_s
                              << u"　　一段发生在 C & D 之间的故事。"_s << u"http://files.example/bt/2002.torrent"_s
                              << u"http://mirror.example/bt/2002.torrent"_s;
    QTest::newRow("single link") << u"single_link.html"_s << true << u"http://img.example/poster/2009.jpg"_s
                                 << u"片名: 单链\r\n\r\n"_s << u"只有一个下载地址。"_s
                                 << u"http://files.example/bt/2009.torrent"_s << u"http://"_s;
    QTest::newRow("unreadable") << u"unreadable.html"_s << false << QString() << u"片名:"_s << QString()
                                << u"http://files.example/bt/2007.torrent"_s << u"http://"_s;
}

void TestMovieParsers::detailLayouts()
{
    QFETCH(QString, file);
    QFETCH(bool, readable);
    QFETCH(QString, poster);
    QFETCH(QString, dataStart);
    QFETCH(QString, synopsis);
    QFETCH(QString, link1);
    QFETCH(QString, link2);
    const MovieDetail detail = parseMovieDetail(detailDefinition(), fixture(u"bt_board"_s, file));
    QCOMPARE(detail.isReadable(), readable);
    QCOMPARE(detail.posterAddress, poster);
    QVERIFY2(detail.filmData.startsWith(dataStart), qPrintable(detail.filmData));
    QCOMPARE(detail.synopsis, synopsis);
    QCOMPARE(detail.link1, link1);
    QCOMPARE(detail.link2, link2);
    QVERIFY(!detail.filmData.contains(u"<br />"_s));
    QVERIFY(!detail.filmData.contains(u"&nbsp;"_s));
}

void TestMovieParsers::layoutBDataLines()
{
    const MovieDetail detail = parseMovieDetail(detailDefinition(), fixture(u"bt_board"_s, u"layout_b.html"_s));
    // Every "<br />◎" line stands after two line breaks without its "◎";
    // the leading "◎译　　名" is the only one left.
    QCOMPARE(detail.filmData, u"◎译　　名　追击\r\n\r\n片　　名　The Chase\r\n\r\n年　　代　2013\r\n\r\n"
                              "类　　别　动作 剧情\r\n\r\n"_s);
    QCOMPARE(detail.filmData.count(u'◎'), 1);
    QVERIFY(!detail.synopsis.contains(u'◎'));
}

void TestMovieParsers::layoutAKeepsOtherJu()
{
    const MovieDetail detail = parseMovieDetail(detailDefinition(), fixture(u"bt_board"_s, u"layout_a.html"_s));
    QCOMPARE(detail.filmData, u"片名: 河流\r\n\r\n年代: 2013\r\n\r\n类别: 剧情 冒险\r\n\r\n主演: 演员甲 演员乙\r\n\r\n"
                              "\r\n\r\n"_s);
}

void TestMovieParsers::secondLinkWithAndWithoutScheme()
{
    const QString with = u"片名:x剧情简介 <a href=\"jump.php?url=a\">1</a><a href=\"jump.php?url=http://b.example/t\">2</a>"_s;
    const QString without = u"片名:x剧情简介 <a href=\"jump.php?url=a\">1</a><a href=\"jump.php?url=b.example/t\">2</a>"_s;
    QCOMPARE(parseMovieDetail(detailDefinition(), with).link2, u"http://b.example/t"_s);
    QCOMPARE(parseMovieDetail(detailDefinition(), without).link2, u"http://b.example/t"_s);
}

void TestMovieParsers::missingMarkers()
{
    // Layout A whose synopsis heading is missing: no data, so unreadable.
    const MovieDetail noHeading = parseMovieDetail(detailDefinition(), u"<br />片名: 河流<br />年代: 2013"_s);
    QVERIFY(!noHeading.isReadable());
    QCOMPARE(noHeading.synopsis, QString());
    // A synopsis without the screenshot heading after it is empty.
    const MovieDetail noShots = parseMovieDetail(detailDefinition(), u"<br />片名: 河流<br />剧情简介<br />故事"_s);
    QVERIFY(noShots.isReadable());
    QCOMPARE(noShots.synopsis, QString());
    // A poster tag that is never closed gives no poster.
    QCOMPARE(parseMovieDetail(detailDefinition(), u"[IMG]http://img.example/a.jpg"_s).posterAddress, QString());
    QCOMPARE(parseMovieDetail(detailDefinition(), QString()).link2, u"http://"_s);
}

void TestMovieParsers::mendedMarkers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("fixtureFile");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("listing rows") << u"movie-listing"_s << u"movie_listing"_s << u"category0.html"_s
                                  << u"<td height=\"26\">"_s << u"<td height=\"30\">"_s;
    QTest::newRow("listing links") << u"movie-listing"_s << u"movie_listing"_s << u"category0.html"_s
                                   << u"<a href=\"/html/gndy/dyzz/"_s << u"<a href=\"/html/gndy/dyzz/x"_s;
    QTest::newRow("download link") << u"movie-listing"_s << u"movie_listing"_s << u"detail.html"_s
                                   << u"#fdfddf\"><a href=\""_s << u"#fdfddf\"><a class=\"d\" href=\""_s;
    QTest::newRow("post line breaks") << u"movie-detail"_s << u"bt_board"_s << u"layout_a.html"_s << u"<br />"_s
                                      << u"<br>"_s;
    QTest::newRow("post jump links") << u"movie-detail"_s << u"bt_board"_s << u"layout_b.html"_s
                                     << u"jump.php?url="_s << u"go.php?to="_s;
}

// A definition that says where the site moved its markup reads the moved
// page as the built-in read the old one, and the built-in no longer does.
void TestMovieParsers::mendedMarkers()
{
    QFETCH(QString, name);
    QFETCH(QString, site);
    QFETCH(QString, fixtureFile);
    QFETCH(QString, from);
    QFETCH(QString, to);
    const DefinitionLoader::Result mended = mendedBuiltIn(name, from, to);
    QVERIFY2(mended.definition, qPrintable(mended.problems.value(0).text()));
    const SiteDefinition &builtIn = DefinitionCatalog::builtIns().get(name);
    const QString old = fixture(site, fixtureFile);
    const QString moved = QString(old).replace(from, to);
    QVERIFY(moved != old);
    const auto fields = [&](const SiteDefinition &definition, const QString &page) {
        QStringList out;
        if (name == u"movie-detail"_s) {
            const MovieDetail detail = parseMovieDetail(definition, page);
            out << detail.posterAddress << detail.filmData << detail.synopsis << detail.link1 << detail.link2;
        } else {
            for (const MovieListingRow &row : parseMovieListing(definition, page, Base, movieCategories().at(0)))
                out << row.title << row.detailAddress;
            out << movieDownloadAddress(definition, page);
        }
        return out;
    };
    const QStringList expected = fields(builtIn, old);
    QVERIFY(!QString(expected.join(QString())).isEmpty());
    QCOMPARE(fields(*mended.definition, moved), expected);
    QVERIFY(fields(builtIn, moved) != expected);
}

QTEST_GUILESS_MAIN(TestMovieParsers)
#include "tst_movieparsers.moc"
