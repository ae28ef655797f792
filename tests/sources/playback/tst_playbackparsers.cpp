#include "core/definitioncatalog.h"
#include "core/ed2klink.h"
#include "core/qvodaddresses.h"
#include "core/siteconfig.h"
#include "sources/playback/cloudondemand.h"
#include "sources/playback/livetvchannels.h"
#include "sources/playback/playerstates.h"
#include "sources/playback/portalpages.h"
#include "sources/playback/qvodchannelparser.h"
#include "sources/playback/qvodsearchparser.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const SiteDefinition &builtIn(const QString &name)
{
    return DefinitionCatalog::builtIns().get(name);
}

const SiteDefinition &channel()
{
    return builtIn(u"qvod-channel"_s);
}

const SiteDefinition &listing()
{
    return builtIn(u"qvod-list"_s);
}

const SiteDefinition &search()
{
    return builtIn(u"qvod-search"_s);
}

} // namespace

// The pure readers of the QVOD channel and search sites and of cloud
// on-demand, with their built-in definitions, on fixture pages.
class TestPlaybackParsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void channelPages_data();
    void channelPages();
    void channelTitles();
    void channelDetail_data();
    void channelDetail();
    void searchAddresses();
    void listingRows();
    void resultPages();
    void resultRowsAreCutPerRow();
    void markersComeFromTheDefinition();
    void portalPages_data();
    void portalPages();
    void liveTvChannels_data();
    void liveTvChannels();
    void cloudRequestAddress_data();
    void cloudRequestAddress();
    void firstEd2kLink_data();
    void firstEd2kLink();
    void stateTexts_data();
    void stateTexts();

private:
    static QString fixture(const QString &path);
};

QString TestPlaybackParsers::fixture(const QString &path)
{
    QFile file(QStringLiteral(JYX_TEST_DATA) + u"/"_s + path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

void TestPlaybackParsers::channelPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("firstId");
    QTest::newRow("25 entries") << u"list_25.html"_s << 25 << 25 << 101;
    QTest::newRow("7 entries, a short last page") << u"list_7.html"_s << 25 << 7 << 701;
    QTest::newRow("entry count bounds the rows") << u"list_25.html"_s << 10 << 10 << 101;
    QTest::newRow("a page without the list") << u"detail_full.html"_s << 25 << 0 << 0;
}

void TestPlaybackParsers::channelPages()
{
    QFETCH(QString, file);
    QFETCH(int, count);
    QFETCH(int, rows);
    QFETCH(int, firstId);
    const QList<ChannelEntry> entries = parseChannelPage(channel(), fixture(u"qvod_channel/"_s + file), u"http://c.example"_s, count);
    QCOMPARE(entries.size(), rows);
    for (int i = 0; i < entries.size(); ++i) {
        const QString id = QString::number(firstId + i);
        QCOMPARE(entries.at(i).detailAddress, u"http://c.example/content/detail_"_s + id + u".html"_s);
        QVERIFY2(entries.at(i).title.endsWith(id), qPrintable(entries.at(i).title));
    }
}

void TestPlaybackParsers::channelTitles()
{
    const QList<ChannelEntry> entries =
        parseChannelPage(channel(), fixture(u"qvod_channel/list_25.html"_s), u"http://c.example"_s);
    QCOMPARE(entries.at(0).title, u"影片101"_s);
    // Markup other than anchors keeps everything but its "<".
    QCOMPARE(entries.at(1).title, u"b>加粗/b>片名102"_s);
    // Anchors go whatever their case.
    QCOMPARE(entries.at(4).title, u"大写锚105"_s);
    QCOMPARE(channelListAddress(channel(), u"http://c.example"_s, 1), u"http://c.example/channel/list_0_1.html"_s);
}

void TestPlaybackParsers::channelDetail_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("qq");
    QTest::newRow("four tables") << u"detail_full.html"_s << u"qqlive://42|影片.rmvb|"_s;
    QTest::newRow("no ＱＱ影音 table") << u"detail_noqq.html"_s << QString();
}

void TestPlaybackParsers::channelDetail()
{
    QFETCH(QString, file);
    QFETCH(QString, qq);
    const ChannelDetail detail = parseChannelDetail(channel(), fixture(u"qvod_channel/"_s + file));
    QCOMPARE(detail.posterPath, u"/uploads/poster/42.jpg"_s);
    QCOMPARE(detail.xunbo, u"gvod://xunbo/42.mkv"_s);
    QCOMPARE(detail.qq, qq);
    QCOMPARE(detail.baidu, u"bdhd://42|影片.rmvb|"_s);
    QCOMPARE(detail.kuaibo, u"qvod://123456|ABCDEF|影片42.rmvb|"_s);

    const ChannelDetail none = parseChannelDetail(channel(), u"<html>nothing</html>"_s);
    QVERIFY(none.posterPath.isEmpty() && none.kuaibo.isEmpty() && none.xunbo.isEmpty());
}

void TestPlaybackParsers::searchAddresses()
{
    const QString base = u"http://s.example"_s;
    QCOMPARE(qvodListingAddress(listing(), base, 1), u"http://s.example/vod-show-p.html"_s);
    QCOMPARE(qvodListingAddress(listing(), base, 2), u"http://s.example/vod-show-p-2.html"_s);
    QCOMPARE(qvodSearchAddress(search(), base, u"%E5%8A%9F"_s), u"http://s.example/vod-search-wd-%E5%8A%9F-p.html"_s);
    QCOMPARE(qvodSearchAddress(search(), base, u"ab"_s, 3), u"http://s.example/vod-search-wd-ab-p-3.html"_s);
}

void TestPlaybackParsers::listingRows()
{
    const QString page = fixture(u"qvod_search/listing_18rows_20markers.html"_s);
    QCOMPARE(countQvodListingRows(listing(), page), 20);
    const QList<QvodSearchRow> rows = parseQvodRows(listing(), page, u"http://s.example"_s, 20);
    QCOMPARE(rows.size(), 18);
    QCOMPARE(rows.at(0).title, u"列表1"_s);
    QCOMPARE(rows.at(0).column, u"电视剧"_s);
    QCOMPARE(rows.at(0).region, u"香港"_s);
    QCOMPARE(rows.at(0).detailAddress, u"http://s.example/vod-detail-id-1.html"_s);
    QCOMPARE(rows.at(17).title, u"列表18"_s);
    // The listing's rows are not the search's: the marker's case differs.
    QVERIFY(parseQvodRows(search(), page, u"http://s.example"_s, 20).isEmpty());
}

void TestPlaybackParsers::resultPages()
{
    const QString first = fixture(u"qvod_search/results_page1.html"_s);
    QCOMPARE(qvodResultCount(search(), first), 12);
    QCOMPARE(qvodResultPages(search(), first), 2);
    QVERIFY(!isQvodSearchEmpty(search(), first));
    QVERIFY(isQvodSearchEmpty(search(), fixture(u"qvod_search/not_found.html"_s)));
    QCOMPARE(qvodResultCount(search(), u"<p>no count</p>"_s), 0);
    QCOMPARE(qvodResultPages(search(), u"<p>no count</p>"_s), 0);

    const QString joined = first + u"\r\n"_s + fixture(u"qvod_search/results_page2.html"_s);
    const QList<QvodSearchRow> rows = parseQvodRows(search(), joined, u"http://s.example"_s, 12);
    QCOMPARE(rows.size(), 12);
    QCOMPARE(rows.at(10).title, u"结果11"_s);
    QCOMPARE(rows.at(11).detailAddress, u"http://s.example/vod-detail-id-12.html"_s);
}

void TestPlaybackParsers::resultRowsAreCutPerRow()
{
    // A row without region or column gives empty fields, never a
    // neighbour's; a row where nothing can be cut at all is left out.
    const QString page = u"<tr bgcolor=\"#F5FAFE\"><td>裸行</td></tr>"
                         "<tr bgcolor=\"#F5FAFE\"><td><a href=\"/vod-detail-id-8.html\">八</a></td></tr>"
                         "<tr bgcolor=\"#F5FAFE\"><td><a href=\"/vod-detail-id-9.html\">九</a></td><td>"
                         "<a href=\"/t.html\">动漫</a></td><td><font color=\"#3D709E\">日本</font></td></tr>"_s;
    const QList<QvodSearchRow> rows = parseQvodRows(search(), page, u"http://s.example"_s, 5);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).title, u"八"_s);
    QVERIFY(rows.at(0).region.isEmpty());
    QVERIFY(rows.at(0).column.isEmpty());
    QCOMPARE(rows.at(1).title, u"九"_s);
    QCOMPARE(rows.at(1).column, u"动漫"_s);
    QCOMPARE(rows.at(1).region, u"日本"_s);
}

void TestPlaybackParsers::markersComeFromTheDefinition()
{
    // A definition that names the listing's row marker reads the listing's
    // rows as results; one with other addresses asks there.
    SiteDefinition mended = search();
    for (SiteDefinition::Named &marker : mended.markers) {
        if (marker.name == u"row"_s)
            marker.text = listing().marker(u"row"_s);
    }
    const QString page = fixture(u"qvod_search/listing_18rows_20markers.html"_s);
    QCOMPARE(parseQvodRows(mended, page, u"http://s.example"_s, 20).size(), 18);

    SiteDefinition moved = channel();
    for (SiteDefinition::Named &address : moved.addresses) {
        if (address.name == u"list_page"_s)
            address.text = u"{base}/new/{page}/"_s;
    }
    QCOMPARE(channelListAddress(moved, u"http://c.example"_s, 3), u"http://c.example/new/3/"_s);
}

void TestPlaybackParsers::portalPages_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("address");
    QTest::newRow("Option1") << u"Option1"_s << u"http://one.example/widget/qqplus/index.html"_s;
    QTest::newRow("Option3, the start page") << u"Option3"_s << u"http://three.example/qplus/"_s;
    QTest::newRow("Option5 keeps its query and fragment")
        << u"Option5"_s << u"http://five.example/mini/home800.html?app800&bd#pd%E9%A6%96%E9%A1%B5"_s;
    QTest::newRow("Option8") << u"Option8"_s << u"http://eight.example/channel_360_v2/zuixin.html"_s;
    QTest::newRow("no Option7") << u"Option7"_s << QString();
}

void TestPlaybackParsers::portalPages()
{
    QFETCH(QString, option);
    QFETCH(QString, address);
    SiteConfig sites;
    const QStringList hosts = {u"one"_s, u"two"_s, u"three"_s, u"four"_s, u"five"_s, u"six"_s, u"seven"_s, u"eight"_s};
    for (int i = 0; i < hosts.size(); ++i)
        sites.setPortal(u"Option"_s + QString::number(i + 1), u"http://"_s + hosts.at(i) + u".example"_s);
    QCOMPARE(PortalPages::address(sites, option), address);
}

void TestPlaybackParsers::liveTvChannels_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("address");
    QTest::newRow("first") << 0 << u"http://tv.example/qxk/livecn.swf"_s;
    QTest::newRow("start channel") << int(LiveTvChannels::StartChannel) << u"http://tv.example/tb/livecn.swf"_s;
    QTest::newRow("last") << 9 << u"http://tv.example/vip/1.swf"_s;
    QTest::newRow("past the last") << 10 << QString();
    QTest::newRow("negative") << -1 << QString();
}

void TestPlaybackParsers::liveTvChannels()
{
    QFETCH(int, index);
    QFETCH(QString, address);
    QCOMPARE(LiveTvChannels::address(builtIn(u"live-tv"_s), u"http://tv.example"_s, index), address);
    // Every channel has its address.
    QCOMPARE(LiveTvChannels::addressNames().size(), LiveTvChannels::names().size());
    for (const QString &name : LiveTvChannels::addressNames())
        QVERIFY2(!builtIn(u"live-tv"_s).address(name).isEmpty(), qPrintable(name));
}

void TestPlaybackParsers::cloudRequestAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("magnet with a display name")
        << u"magnet:?xt=urn:btih:0123456789abcdef0123456789abcdef01234567&dn=Some Film"_s;
    QTest::newRow("ed2k") << u"ed2k://|file|影片.rmvb|1024|ABCDEF|/"_s;
    QTest::newRow("spaces kept") << u" http://x.example/a b "_s;
}

void TestPlaybackParsers::cloudRequestAddress()
{
    QFETCH(QString, address);
    QCOMPARE(cloudOnDemandAddress(builtIn(u"cloud-on-demand"_s), u"http://cloud.example"_s, address),
             u"http://cloud.example/api.php?ed=1&url="_s + address);
}

void TestPlaybackParsers::firstEd2kLink_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("link");
    QTest::newRow("two links: the first") << u"<a href=\"ed2k://|file|a|1|/\">a</a><a href=\"ed2k://|file|b|2|/\">"_s
                                          << u"ed2k://|file|a|1|/"_s;
    QTest::newRow("none") << u"<a href=\"http://x.example/\">x</a>"_s << QString();
    QTest::newRow("no closing quote") << u"<a href=\"ed2k://|file|a"_s << QString();
}

void TestPlaybackParsers::firstEd2kLink()
{
    QFETCH(QString, page);
    QFETCH(QString, link);
    QCOMPARE(::firstEd2kLink(page), link);
}

void TestPlaybackParsers::stateTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("label");
    QTest::newRow("0") << 0 << u"播放器状态：准备就绪.."_s;
    QTest::newRow("3") << 3 << u"播放器状态：正在播放中.."_s;
    QTest::newRow("6") << 6 << u"播放器状态：播放结束.."_s;
    QTest::newRow("10") << 10 << u"播放器状态：正在连接中.."_s;
    QTest::newRow("11") << 11 << u"播放器状态：正在停止.."_s;
    QTest::newRow("12 unknown") << 12 << QString();
    QTest::newRow("-1 unknown") << -1 << QString();
}

void TestPlaybackParsers::stateTexts()
{
    QFETCH(int, code);
    QFETCH(QString, label);
    QCOMPARE(PlayerStates::labelText(code), label);
    QCOMPARE(PlayerStates::labelText(code).isNull(), label.isNull());
}

QTEST_APPLESS_MAIN(TestPlaybackParsers)
#include "tst_playbackparsers.moc"
