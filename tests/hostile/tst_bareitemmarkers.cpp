#include "core/bodydecoder.h"
#include "sources/emule/ed2ksearchparser.h"
#include "sources/emule/emuleparser.h"
#include "sources/movies/movielistingparser.h"
#include "sources/netdisk/netdiskparser.h"
#include "sources/playback/qvodchannelparser.h"
#include "sources/playback/qvodsearchparser.h"
#include "core/definitioncatalog.h"
#include "sources/torrents/btboardparser.h"
#include "sources/torrents/btmovieparser.h"
#include "sources/torrents/magnetsitesparser.h"
#include "sources/torrents/movieresourceparser.h"
#include "sources/torrents/rssfeedparser.h"
#include "sources/torrents/torrentsearchparser.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString Base = u"http://site.example"_s;

using Rows = QList<QStringList>;
// A parser as its reader calls it (count step first where it has one), its
// rows flattened to their fields.
using Parse = std::function<Rows(const QString &)>;

template<typename Row, typename Fields>
Rows flatten(const QList<Row> &rows, Fields fields)
{
    Rows out;
    for (const Row &row : rows)
        out.append(fields(row));
    return out;
}

struct Parser
{
    const char *name;
    QString fixture; // site folder / file under tests/data
    QString marker;  // the item marker the parser splits at
    Parse parse;
};

const QList<Parser> &parsers()
{
    static const QList<Parser> table = {
        {"netdisk", u"netdisk_search/three_hits.json"_s, u"\"title\":\""_s,
         [](const QString &body) {
             const SiteDefinition &netdisk = DefinitionCatalog::builtIns().get(u"netdisk"_s);
             return flatten(parseNetdiskPage(netdisk, body, countNetdiskHits(netdisk, body)),
                            [](const ListRow &h) { return QStringList{h.value(u"mc"), h.value(u"dz")}; });
         }},
        {"torrent search", u"torrent_search/results.html"_s, u"magnet:?"_s,
         [](const QString &body) {
             const SiteDefinition &torrent = DefinitionCatalog::builtIns().get(u"torrent"_s);
             return flatten(parseTorrentSearchPage(torrent, body, Base, countTorrentSearchItems(torrent, body)),
                            [](const ListRow &r) {
                                return QStringList{r.value(u"mc"), r.value(u"dx"), r.value(u"rq"), r.value(u"xzdz"),
                                                   r.value(u"fhdz")};
                            });
         }},
        {"RSS feed", u"rss_feed/feed.xml"_s, u"<item>"_s,
         [](const QString &body) {
             const SiteDefinition &rss = DefinitionCatalog::builtIns().get(u"rss"_s);
             return flatten(parseRssFeed(rss, body, countRssFeedItems(rss, body)), [](const RssFeedRow &r) {
                 return QStringList{r.title, r.size, r.torrentAddress, r.date};
             });
         }},
        {"ed2k search", u"ed2k_search/results.html"_s, u"<td>["_s,
         [](const QString &body) {
             const SiteDefinition &ed2k = DefinitionCatalog::builtIns().get(u"ed2k"_s);
             return flatten(parseEd2kSearchPage(ed2k, body, Base, countEd2kSearchRows(ed2k, body)),
                            [](const Ed2kSearchRow &r) { return QStringList{r.name, r.category, r.fileAddress}; });
         }},
        {"eMule listing", u"emule/listing.html"_s, u"<div class=\"thumb\">"_s,
         [](const QString &body) {
             const SiteDefinition &emule = DefinitionCatalog::builtIns().get(u"emule-search"_s);
             return flatten(parseEmuleListing(emule, body, Base, countEmuleItems(emule, body)),
                            [](const EmuleItem &i) { return QStringList{i.name, i.note, i.detailAddress}; });
         }},
        {"magnet search", u"magnet_search/results.html"_s, u"<ul class=\"m-files-ul\">"_s,
         [](const QString &body) {
             const SiteDefinition &magnet = DefinitionCatalog::builtIns().get(u"magnet"_s);
             return flatten(parseMagnetSearchPage(magnet, body, countMagnetSearchItems(magnet, body)),
                            [](const MagnetSearchRow &r) { return QStringList{r.name, r.size, r.time, r.magnetLink}; });
         }},
        {"resource release", u"resource_release/results.html"_s, u"<div class=\"name\">"_s,
         [](const QString &body) {
             const SiteDefinition &release = DefinitionCatalog::builtIns().get(u"release"_s);
             return flatten(parseResourceReleasePage(release, body, countResourceReleaseItems(release, body)),
                            [](const ReleaseItem &i) { return QStringList{i.name, i.time, i.detailPath}; });
         }},
        {"movie resource", u"movie_resource/total12.html"_s, u"<a href=\"detail.asp?ID="_s,
         [](const QString &body) {
             const SiteDefinition &movieResource = DefinitionCatalog::builtIns().get(u"movie-resource"_s);
             return flatten(parseMovieResourcePage(movieResource, body, Base), [](const MovieResourceRow &r) {
                 return QStringList{r.name, r.updateTime, r.region, r.detailAddress};
             });
         }},
        {"movie listing", u"movie_listing/category0.html"_s, u"<td height=\"26\">"_s,
         [](const QString &body) {
             const SiteDefinition &movies = DefinitionCatalog::builtIns().get(u"movie-listing"_s);
             return flatten(parseMovieListing(movies, body, Base, movieCategories().at(0)),
                            [](const MovieListingRow &r) { return QStringList{r.title, r.detailAddress}; });
         }},
        {"BT board", u"bt_board/list.html"_s, u"&nbsp;<A href=\""_s,
         [](const QString &body) {
             const SiteDefinition &btBoard = DefinitionCatalog::builtIns().get(u"bt-board"_s);
             return flatten(parseBtBoard(btBoard, body, Base), [](const BtBoardRow &r) {
                 return QStringList{r.title, r.address, r.size, r.category};
             });
         }},
        {"BT movies", u"bt_movies/list.html"_s, u"<a href=\"/Download/xiazai"_s,
         [](const QString &body) {
             return flatten(parseBtMovieList(DefinitionCatalog::builtIns().get(u"bt-movies"_s), body, Base),
                            [](const BtMovieRow &r) { return QStringList{r.name, r.pageAddress}; });
         }},
        {"QVOD channel", u"qvod_channel/list_7.html"_s, u"c_contentcj\"><a href=\"/content/detail_"_s,
         [](const QString &body) {
             return flatten(parseChannelPage(DefinitionCatalog::builtIns().get(u"qvod-channel"_s), body, Base),
                            [](const ChannelEntry &e) { return QStringList{e.title, e.detailAddress}; });
         }},
        {"QVOD listing", u"qvod_search/listing_18rows_20markers.html"_s, u"<tr bgcolor=\"#f5fef7\">"_s,
         [](const QString &body) {
             const SiteDefinition &listing = DefinitionCatalog::builtIns().get(u"qvod-list"_s);
             return flatten(parseQvodRows(listing, body, Base, 20), [](const QvodSearchRow &r) {
                 return QStringList{r.title, r.column, r.region, r.detailAddress};
             });
         }},
        {"QVOD results", u"qvod_search/results_page1.html"_s, u"<tr bgcolor=\"#F5FAFE\">"_s,
         [](const QString &body) {
             const SiteDefinition &search = DefinitionCatalog::builtIns().get(u"qvod-search"_s);
             return flatten(parseQvodRows(search, body, Base, 30), [](const QvodSearchRow &r) {
                 return QStringList{r.title, r.column, r.region, r.detailAddress};
             });
         }},
    };
    return table;
}

QString fixture(const QString &path)
{
    QFile file(QStringLiteral(JYX_TEST_DATA "/") + path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(path));
    return decodeBody(file.readAll(), {});
}

bool blank(const QStringList &fields)
{
    return std::all_of(fields.begin(), fields.end(), [](const QString &field) { return field.isEmpty(); });
}

} // namespace

// A page made of a reader's own item markers and nothing else (what a
// hostile site or a broken template may send) lists nothing; markers
// trailing a real page add nothing to its rows.
class TestBareItemMarkers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyMarkersGiveNoRow_data();
    void onlyMarkersGiveNoRow();
    void trailingMarkersAddNoRow_data();
    void trailingMarkersAddNoRow();
};

void TestBareItemMarkers::onlyMarkersGiveNoRow_data()
{
    QTest::addColumn<int>("parser");
    QTest::addColumn<int>("markers");
    QTest::addColumn<QString>("between");
    for (qsizetype p = 0; p < parsers().size(); ++p) {
        QTest::addRow("%s, one marker", parsers().at(p).name) << int(p) << 1 << QString();
        QTest::addRow("%s, 5000 markers", parsers().at(p).name) << int(p) << 5000 << QString();
        QTest::addRow("%s, markers and spaces", parsers().at(p).name) << int(p) << 200 << u" \r\n "_s;
    }
}

void TestBareItemMarkers::onlyMarkersGiveNoRow()
{
    QFETCH(int, parser);
    QFETCH(int, markers);
    QFETCH(QString, between);
    const Parser &p = parsers().at(parser);
    const QString page = QString(p.marker + between).repeated(markers);
    QCOMPARE(p.parse(page), Rows());
}

void TestBareItemMarkers::trailingMarkersAddNoRow_data()
{
    QTest::addColumn<int>("parser");
    for (qsizetype p = 0; p < parsers().size(); ++p)
        QTest::addRow("%s", parsers().at(p).name) << int(p);
}

void TestBareItemMarkers::trailingMarkersAddNoRow()
{
    QFETCH(int, parser);
    const Parser &p = parsers().at(parser);
    const QString page = fixture(p.fixture);
    const Rows rows = p.parse(page);
    QVERIFY2(!rows.isEmpty(), "the fixture must hold rows");
    for (const QStringList &row : rows)
        QVERIFY2(!blank(row), qPrintable(row.join(u'|')));
    QCOMPARE(p.parse(page + p.marker.repeated(40)), rows);
}

QTEST_GUILESS_MAIN(TestBareItemMarkers)
#include "tst_bareitemmarkers.moc"
