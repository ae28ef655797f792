#include "core/definitioncatalog.h"
#include "core/texttools.h"
#include "sources/torrents/magnetsitesparser.h"
#include "sources/torrents/movieresourceparser.h"
#include "sources/torrents/rssfeedparser.h"
#include "sources/torrents/torrentfilesaver.h"
#include "sources/torrents/torrentsearchparser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray fixtureBytes(const QString &site, const QString &name)
{
    QFile file(QStringLiteral(JYX_TEST_DATA "/") + site + u"/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s/%s", qPrintable(site), qPrintable(name));
    return file.readAll();
}

QString fixture(const QString &site, const QString &name)
{
    return QString::fromUtf8(fixtureBytes(site, name));
}

QString gbkFixture(const QString &name)
{
    return fromGbk(fixtureBytes(u"movie_resource"_s, name));
}

const QString Base = u"http://site.example/base"_s;

const SiteDefinition &torrent()
{
    return DefinitionCatalog::builtIns().get(u"torrent"_s);
}

const SiteDefinition &rss()
{
    return DefinitionCatalog::builtIns().get(u"rss"_s);
}

const SiteDefinition &magnet()
{
    return DefinitionCatalog::builtIns().get(u"magnet"_s);
}

const SiteDefinition &release()
{
    return DefinitionCatalog::builtIns().get(u"release"_s);
}

const SiteDefinition &movieResource()
{
    return DefinitionCatalog::builtIns().get(u"movie-resource"_s);
}

} // namespace

class TestTorrentParsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchAddresses_data();
    void searchAddresses();
    void releaseDetailAddresses_data();
    void releaseDetailAddresses();
    void torrentSearchRows();
    void torrentSearchRaggedPage();
    void rssFeedItemsKeepTheirOwnFields();
    void rssFeedWithoutItems();
    void magnetSearchRows();
    void noResultTexts_data();
    void noResultTexts();
    void resourceReleaseItems();
    void resourceReleaseMagnet_data();
    void resourceReleaseMagnet();
    void movieResourceRowLimit_data();
    void movieResourceRowLimit();
    void movieResourceFields();
    void movieResourceMissingCellsAreEmpty();
    void safeFileNames_data();
    void safeFileNames();
    void savingNeverOverwrites();
    void torrentContent_data();
    void torrentContent();
    void garbageNeverBreaksTheParsers();
};

void TestTorrentParsers::searchAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    const QString keyword = UTF8_URLEncoding(u"地球 a&b"_s);
    QTest::newRow("rss") << rssFeedAddress(rss(), Base, keyword) << Base + u"/rss/"_s + keyword + u"/"_s;
    QTest::newRow("magnet") << magnetSearchAddress(magnet(), Base, keyword, 3)
                            << Base + u"/?s="_s + keyword + u"&p=3"_s;
    QTest::newRow("release") << resourceReleaseAddress(release(), Base, keyword, 12)
                             << Base + u"/search/"_s + keyword + u"?page=12"_s;
    // The page box text goes in as typed.
    QTest::newRow("movie resource") << movieResourceAddress(movieResource(), Base, keyword, u" 2x"_s)
                                    << Base + u"/index.asp?keyword="_s + keyword + u"&page= 2x"_s;
}

void TestTorrentParsers::searchAddresses()
{
    QFETCH(QString, address);
    QFETCH(QString, expected);
    QCOMPARE(address, expected);
}

void TestTorrentParsers::releaseDetailAddresses_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("address");
    QTest::newRow("site path") << u"/detail/d1.html"_s << Base + u"/detail/d1.html"_s;
    QTest::newRow("host-like path stays on the site") << u"/@other.example/x.html"_s
                                                      << Base + u"/@other.example/x.html"_s;
}

void TestTorrentParsers::releaseDetailAddresses()
{
    QFETCH(QString, path);
    QFETCH(QString, address);
    QCOMPARE(resourceReleaseDetailAddress(release(), Base, path), address);
}

void TestTorrentParsers::torrentSearchRows()
{
    const QString body = fixture(u"torrent_search"_s, u"results.html"_s);
    QCOMPARE(countTorrentSearchItems(torrent(), body), qsizetype(3));
    const QList<ListRow> rows = parseTorrentSearchPage(torrent(), body, Base, 3);
    QCOMPARE(rows.size(), qsizetype(3));
    QCOMPARE(rows.at(0).value(u"mc"), u"流浪地球 第1集 1080P"_s);
    QCOMPARE(rows.at(0).value(u"dx"), u"1.2 GB"_s);
    QCOMPARE(rows.at(0).value(u"rq"), u"2013-12-02"_s);
    QCOMPARE(rows.at(0).value(u"xzdz"), Base + u"/information/aaa111"_s);
    QCOMPARE(rows.at(0).value(u"fhdz"), u"magnet:?xt=urn:btih:AAA111&dn=one"_s);
    // A "<" inside the name cell goes.
    QCOMPARE(rows.at(1).value(u"mc"), u"Linux  Windows"_s);
    QCOMPARE(rows.at(1).value(u"fhdz"), u"magnet:?xt=urn:btih:BBB222"_s);
    QCOMPARE(rows.at(2).value(u"xzdz"), Base + u"/information/ccc333"_s);
    QCOMPARE(rows.at(2).value(u"fhdz"), u"magnet:?xt=urn:btih:CCC333&tr=udp"_s);
    // The count decides the rows, whatever else the page holds.
    QCOMPARE(parseTorrentSearchPage(torrent(), body, Base, 2).size(), qsizetype(2));
}

void TestTorrentParsers::torrentSearchRaggedPage()
{
    const QString body = fixture(u"torrent_search"_s, u"ragged.html"_s);
    // The help text's "magnet:" lacks the "?": not counted ...
    QCOMPARE(countTorrentSearchItems(torrent(), body), qsizetype(3));
    const QList<ListRow> rows = parseTorrentSearchPage(torrent(), body, Base, 3);
    QCOMPARE(rows.size(), qsizetype(3));
    // ... but it still shifts the magnet column by one.
    QVERIFY(rows.at(0).value(u"fhdz").startsWith(u"magnet: 开头"_s));
    QCOMPARE(rows.at(1).value(u"fhdz"), u"magnet:?xt=urn:btih:H1"_s);
    QCOMPARE(rows.at(2).value(u"fhdz"), u"magnet:?xt=urn:btih:H2"_s);
    // Two name cells, one date cell: the rest is empty, never a stale value.
    QCOMPARE(rows.at(1).value(u"mc"), u"有名字二"_s);
    QCOMPARE(rows.at(2).value(u"mc"), QString());
    QCOMPARE(rows.at(0).value(u"rq"), u"2013-01-01"_s);
    QCOMPARE(rows.at(1).value(u"rq"), QString());
    QCOMPARE(rows.at(2).value(u"dx"), QString());
    // An information link without its closing quote.
    QCOMPARE(rows.at(2).value(u"xzdz"), Base + u"/information/"_s);
    // Beyond the count, row 4 still has the page's fourth "magnet:" and
    // nothing else; rows past the last piece of every marker would be empty
    // throughout: they are left out.
    const QList<ListRow> beyond = parseTorrentSearchPage(torrent(), body, Base, 6);
    QCOMPARE(beyond.size(), qsizetype(4));
    QCOMPARE(beyond.at(3).value(u"fhdz"), u"magnet:?xt=urn:btih:H3"_s);
    QCOMPARE(beyond.at(3).value(u"mc"), QString());
    QCOMPARE(beyond.at(3).value(u"xzdz"), QString());
}

void TestTorrentParsers::rssFeedItemsKeepTheirOwnFields()
{
    const QString body = fixture(u"rss_feed"_s, u"feed.xml"_s);
    // The channel title uses the item title's marker but is no item.
    QCOMPARE(countRssFeedItems(rss(), body), qsizetype(3));
    const QList<RssFeedRow> rows = parseRssFeed(rss(), body);
    QCOMPARE(rows.size(), qsizetype(3));
    QCOMPARE(rows.at(0).title, u"地球 合集1"_s);
    QCOMPARE(rows.at(0).size, u" 1.4 GB"_s); // the space after "Size:" stays
    QCOMPARE(rows.at(0).torrentAddress, u"http://feed.example/torrent/h1.torrent"_s);
    QCOMPARE(rows.at(0).date, u"Mon, 02 Dec 2013 12:00:00 +0800"_s);
    // A single "]" in a title is lost with the CDATA end.
    QCOMPARE(rows.at(1).title, u"地球 [特别版"_s);
    QCOMPARE(rows.at(1).size, u"700 MB"_s);
    // No enclosure in item 2: empty, and item 3 keeps its own torrent.
    QCOMPARE(rows.at(1).torrentAddress, QString());
    QCOMPARE(rows.at(2).title, u"地球 合集3"_s);
    QCOMPARE(rows.at(2).torrentAddress, u"http://feed.example/torrent/h3.torrent"_s);
    QCOMPARE(rows.at(2).date, u"Wed, 04 Dec 2013 12:00:00 +0800"_s);
    QCOMPARE(parseRssFeed(rss(), body, 1).size(), qsizetype(1));
}

void TestTorrentParsers::rssFeedWithoutItems()
{
    const QString body = fixture(u"rss_feed"_s, u"empty.xml"_s);
    QCOMPARE(countRssFeedItems(rss(), body), qsizetype(0));
    QVERIFY(parseRssFeed(rss(), body, 5).isEmpty());
}

void TestTorrentParsers::magnetSearchRows()
{
    const QString body = fixture(u"magnet_search"_s, u"results.html"_s);
    QCOMPARE(countMagnetSearchItems(magnet(), body), qsizetype(3));
    const QList<MagnetSearchRow> rows = parseMagnetSearchPage(magnet(), body, 3);
    QCOMPARE(rows.size(), qsizetype(3));
    QCOMPARE(rows.at(0).name, u"地球 高清合集 1"_s);
    QCOMPARE(rows.at(0).size, u"1.2 GB"_s);
    QCOMPARE(rows.at(0).time, u"2013-12-02"_s);
    // The parameters after the first "&" go ...
    QCOMPARE(rows.at(0).magnetLink, u"magnet:?xt=urn:btih:M1"_s);
    // ... a link without one stays whole.
    QCOMPARE(rows.at(1).magnetLink, u"magnet:?xt=urn:btih:M2"_s);
    QCOMPARE(rows.at(1).size, u"700 MB"_s);
    // The name ends at its "<span": without one there is no name. A meta
    // line without size and without "&nbsp;" leaves size and time empty.
    QCOMPARE(rows.at(2).name, QString());
    QCOMPARE(rows.at(2).size, QString());
    QCOMPARE(rows.at(2).time, QString());
    QCOMPARE(rows.at(2).magnetLink, u"magnet:?xt=urn:btih:M3"_s);
    // A count beyond the page's items adds no (blank) row.
    QCOMPARE(parseMagnetSearchPage(magnet(), body, 4).size(), qsizetype(3));
}

void TestTorrentParsers::noResultTexts_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("magnetEmpty");
    QTest::addColumn<bool>("releaseEmpty");
    QTest::newRow("nothing found text") << u"<div>没有找到任何结果</div>"_s << true << false;
    QTest::newRow("zero count") << u"找到 <strong>0</strong>个结果"_s << true << true;
    QTest::newRow("twenty is not zero") << u"找到 <strong>20</strong>个结果"_s << false << false;
    QTest::newRow("zero elsewhere") << u"<strong>0</strong> 个结果"_s << false << false;
}

void TestTorrentParsers::noResultTexts()
{
    QFETCH(QString, body);
    QFETCH(bool, magnetEmpty);
    QFETCH(bool, releaseEmpty);
    QCOMPARE(isMagnetSearchEmpty(magnet(), body), magnetEmpty);
    QCOMPARE(isResourceReleaseEmpty(release(), body), releaseEmpty);
}

void TestTorrentParsers::resourceReleaseItems()
{
    const QString body = fixture(u"resource_release"_s, u"results.html"_s);
    QCOMPARE(countResourceReleaseItems(release(), body), qsizetype(3));
    const QList<ReleaseItem> items = parseResourceReleasePage(release(), body, 3);
    QCOMPARE(items.size(), qsizetype(3));
    // Anchor and font tags go, whatever their case; other tags stay.
    QCOMPARE(items.at(0).name, u"地球 资源 1"_s);
    QCOMPARE(items.at(0).detailPath, u"/detail/d1.html"_s);
    QCOMPARE(items.at(0).time, u"2013-12-02"_s);
    QCOMPARE(items.at(1).name, u"地球 <span>资源</span> 2"_s);
    // An anchor that is never closed has no name, but still its address.
    QCOMPARE(items.at(2).name, QString());
    QCOMPARE(items.at(2).detailPath, u"/detail/d3.html"_s);
    QCOMPARE(items.at(2).time, QString());

    // A link that is no site path stays on the site.
    const QString odd = u"<div class=\"name\"></font><a href=\"@other.example/x.html\">别处</a>"_s;
    QCOMPARE(parseResourceReleasePage(release(), odd, 1).at(0).detailPath, u"/@other.example/x.html"_s);
}

void TestTorrentParsers::resourceReleaseMagnet_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("magnet");
    QTest::newRow("download anchor") << u"detail.html"_s << u"magnet:?xt=urn:btih:R1&dn=x"_s;
    QTest::newRow("no download anchor") << u"detail_gone.html"_s << QString();
}

void TestTorrentParsers::resourceReleaseMagnet()
{
    QFETCH(QString, page);
    QFETCH(QString, magnet);
    QCOMPARE(::resourceReleaseMagnet(release(), fixture(u"resource_release"_s, page)), magnet);
}

void TestTorrentParsers::movieResourceRowLimit_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("rows");
    QTest::newRow("12 matches") << u"total12.html"_s << 12 << 12;
    QTest::newRow("125 matches, page 1") << u"total125_page1.html"_s << 30 << 30;
    // The stated total allows 30, the page holds 5: no surplus rows.
    QTest::newRow("125 matches, page 5") << u"total125_page5.html"_s << 30 << 5;
    QTest::newRow("no stated total") << u"no_total.html"_s << 0 << 0;
    QTest::newRow("no match page") << u"none.html"_s << 0 << 0;
}

void TestTorrentParsers::movieResourceRowLimit()
{
    QFETCH(QString, page);
    QFETCH(int, limit);
    QFETCH(int, rows);
    const QString body = gbkFixture(page);
    QCOMPARE(::movieResourceRowLimit(movieResource(), body), limit);
    QCOMPARE(parseMovieResourcePage(movieResource(), body, Base).size(), qsizetype(rows));
}

void TestTorrentParsers::movieResourceFields()
{
    QVERIFY(isMovieResourceEmpty(movieResource(), gbkFixture(u"none.html"_s)));
    QVERIFY(!isMovieResourceEmpty(movieResource(), gbkFixture(u"total12.html"_s)));

    const QList<MovieResourceRow> rows =
        parseMovieResourcePage(movieResource(), gbkFixture(u"total125_page5.html"_s), Base);
    QCOMPARE(rows.at(0).name, u"功夫 第121部"_s);
    // The id keeps the space that ends it.
    QCOMPARE(rows.at(0).detailAddress, Base + u"/detail.asp?ID=1121 "_s);
    QCOMPARE(rows.at(0).region, u"香港"_s);
    QCOMPARE(rows.at(0).updateTime, u"2013-12-10"_s);
    QCOMPARE(rows.at(4).name, u"功夫 第125部"_s);
    QCOMPARE(rows.at(4).region, u"香港"_s);
}

void TestTorrentParsers::movieResourceMissingCellsAreEmpty()
{
    const QList<MovieResourceRow> rows = parseMovieResourcePage(movieResource(), gbkFixture(u"ragged.html"_s), Base);
    QCOMPARE(rows.size(), qsizetype(3));
    QCOMPARE(rows.at(1).region, u"欧美"_s);
    QCOMPARE(rows.at(1).updateTime, u"2013-12-03"_s);
    QCOMPARE(rows.at(2).name, u"功夫 第3部"_s);
    QCOMPARE(rows.at(2).region, QString());
    QCOMPARE(rows.at(2).updateTime, QString());
}

void TestTorrentParsers::safeFileNames_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << u"http://f.example/torrent/abc.torrent"_s << u"abc.torrent"_s;
    QTest::newRow("percent-encoded") << u"http://f.example/t/%E5%9C%B0%E7%90%83.torrent?x=1"_s << u"地球.torrent"_s;
    QTest::newRow("encoded separators") << u"http://f.example/t/..%2F..%2Fetc%2Fpasswd"_s << u"passwd"_s;
    QTest::newRow("encoded backslash") << u"http://f.example/t/a%5Cb.torrent"_s << u"b.torrent"_s;
    QTest::newRow("dot dot") << u"http://f.example/t/.."_s << u"download.torrent"_s;
    QTest::newRow("hidden file") << u"http://f.example/t/.bashrc"_s << u"bashrc"_s;
    QTest::newRow("trailing slash") << u"http://f.example/t/"_s << u"download.torrent"_s;
    QTest::newRow("control character") << u"http://f.example/t/a%0Ab.torrent"_s << u"a_b.torrent"_s;
    QTest::newRow("characters other systems refuse") << u"http://f.example/t/a%3F%2A%7C%3C%3E%22b.torrent"_s
                                                     << u"a______b.torrent"_s;
    QTest::newRow("trailing dots and spaces") << u"http://f.example/t/x.torrent.%20."_s << u"x.torrent"_s;
    QTest::newRow("empty") << QString() << u"download.torrent"_s;
}

void TestTorrentParsers::safeFileNames()
{
    QFETCH(QString, address);
    QFETCH(QString, name);
    QCOMPARE(safeTorrentFileName(address), name);
}

void TestTorrentParsers::savingNeverOverwrites()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"new/sub"_s);
    const QString first = saveNewFile(target, u"a.torrent"_s, "one");
    const QString second = saveNewFile(target, u"a.torrent"_s, "two");
    const QString third = saveNewFile(target, u"a.torrent"_s, "three");
    QCOMPARE(first, QDir(target).filePath(u"a.torrent"_s));
    QCOMPARE(second, QDir(target).filePath(u"a (1).torrent"_s));
    QCOMPARE(third, QDir(target).filePath(u"a (2).torrent"_s));
    QFile file(first);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("one"));
    QCOMPARE(saveNewFile(target, u"noext"_s, "x"), QDir(target).filePath(u"noext"_s));
    QCOMPARE(saveNewFile(target, u"noext"_s, "x"), QDir(target).filePath(u"noext (1)"_s));
    QCOMPARE(saveNewFile(QString(), u"a.torrent"_s, "x"), QString());
}

void TestTorrentParsers::torrentContent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("torrent");
    QTest::newRow("bencoded dictionary") << QByteArray("d8:announce3:abc4:infod4:name1:xee") << true;
    QTest::newRow("error page") << QByteArray("<html><body>404 Not Found</body></html>") << false;
    QTest::newRow("dictionary without info") << QByteArray("d3:key5:valuee") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestTorrentParsers::torrentContent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, torrent);
    QCOMPARE(looksLikeTorrent(bytes), torrent);
}

void TestTorrentParsers::garbageNeverBreaksTheParsers()
{
    // Pages made of the readers' markers and their ends in random order:
    // every parser gives at most the counted rows and never crashes.
    const QStringList parts = {
        u"<td class=\"name\">"_s, u"<td class=\"date\">"_s, u"<td class=\"size\">"_s, u"</td>"_s,
        u"/information/"_s, u"magnet:?"_s, u"magnet:"_s, u"\""_s, u"<item>"_s, u"</item>"_s,
        u"<title><![CDATA["_s, u"]]>"_s, u"]"_s, u"Size:"_s, u"</b>"_s, u"<enclosure url=\""_s, u"<pubDate>"_s,
        u"</pubDate>"_s, u"<ul class=\"m-files-ul\">"_s, u"<span"_s, u"<li>"_s, u"<p class=\"m-meta\">"_s,
        u"</li>"_s, u"大小: "_s, u"&nbsp;"_s, u"<a href=\""_s, u"&"_s, u"创建时间: "_s, u"<div class=\"name\">"_s,
        u"</font><a href=\""_s, u"</a>"_s, u"<p>发布:"_s, u"</p>"_s, u"共有"_s, u"部"_s, u"125"_s,
        u"<a href=\"detail.asp?ID="_s, u"<td class=\"l6 \">"_s, u"index.asp?RegionID="_s, u">"_s, u"<"_s,
        u"title="_s, u" "_s, u"\r\n"_s, u"片"_s, QString(QChar(0xDC00)),
    };
    QRandomGenerator random(20141230);
    for (int round = 0; round < 400; ++round) {
        QString body;
        const int length = int(random.bounded(80));
        for (int i = 0; i < length; ++i)
            body += parts.at(random.bounded(int(parts.size())));
        const QString base = u"http://site.example"_s;
        const qsizetype torrents = countTorrentSearchItems(torrent(), body);
        QVERIFY(parseTorrentSearchPage(torrent(), body, base, torrents).size() <= torrents);
        const qsizetype items = countRssFeedItems(rss(), body);
        QVERIFY(parseRssFeed(rss(), body, items).size() <= items);
        const qsizetype magnets = countMagnetSearchItems(magnet(), body);
        QVERIFY(parseMagnetSearchPage(magnet(), body, magnets).size() <= magnets);
        const qsizetype releases = countResourceReleaseItems(release(), body);
        for (const ReleaseItem &item : parseResourceReleasePage(release(), body, releases))
            QVERIFY(item.detailPath.isEmpty() || item.detailPath.startsWith(QLatin1Char('/')));
        ::resourceReleaseMagnet(release(), body);
        QVERIFY(parseMovieResourcePage(movieResource(), body, base).size() <= 30);
        isMagnetSearchEmpty(magnet(), body);
        isMovieResourceEmpty(movieResource(), body);
    }
}

QTEST_MAIN(TestTorrentParsers)
#include "tst_torrentparsers.moc"
