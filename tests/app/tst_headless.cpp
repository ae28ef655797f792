#include "core/siteconfig.h"
#include "demo/demoserver.h"
#include "shell/sourcetable.h"
#include "ui/resultlistcatalog.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The program without a window, against the demo sites over HTTP: every
// source's search, a failing site, and the site check.
class TestHeadless : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void search_data();
    void search();
    void failedSiteExitsOne();
    void usageErrors_data();
    void usageErrors();
    void checkSites();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Writes the sites file (the demo's sites, `failing` pointed at a port
    // nobody listens on) and runs the program with it.
    Run run(const QStringList &arguments, const QString &failing = QString());

    DemoServer m_demo;
    QTemporaryDir m_dir;
};

void TestHeadless::initTestCase()
{
    QVERIFY(m_demo.start());
    QVERIFY(m_dir.isValid());
}

void TestHeadless::init()
{
    m_demo.clearRequests();
}

TestHeadless::Run TestHeadless::run(const QStringList &arguments, const QString &failing)
{
    const SiteConfig demo = m_demo.siteConfig();
    QString ini = u"[sites]\n"_s;
    for (const QString &key : SiteConfig::siteKeys())
        ini += key + u" = "_s + (key == failing ? u"http://127.0.0.1:1/"_s + key : demo.site(key)) + u'\n';
    ini += u"[netdisk]\n"_s;
    for (int i = 0; i < 24; ++i)
        ini += QString::number(i) + u" = "_s + demo.netdiskFilter(i) + u'\n';
    const QString file = m_dir.filePath(u"sites.ini"_s);
    QFile sites(file);
    if (!sites.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    sites.write(ini.toUtf8());
    sites.close();

    QProcess program;
    // The demo sites answer from this thread: wait with its loop running.
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(QStringLiteral(JYX_PROGRAM), arguments + QStringList{u"--sites"_s, file});
    Run result;
    if (!finished.wait(60000) || program.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = program.exitCode();
    result.out = QString::fromUtf8(program.readAllStandardOutput());
    result.err = QString::fromUtf8(program.readAllStandardError());
    return result;
}

void TestHeadless::search_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("rows");
    // Fields of the first row, "key=value" separated by "|"; "{base}" is
    // the source's site base address.
    QTest::addColumn<QString>("first");
    // How many pages the sites were asked for, and requests they received
    // in this order, exactly as the window sends them: a source that reads
    // one page after another lists them all from the first; a source that
    // reads several at once, one of them.
    QTest::addColumn<int>("fetches");
    QTest::addColumn<QStringList>("requests");

    QTest::newRow("torrent") << u"torrent"_s << u"流浪地球"_s << u"2"_s << 10
                             << u"xh=1|mc=流浪地球 第11集 1080P|dx=4.1 GB|rq=2013-12-12"
                                "|xzdz={base}/information/99166f117570ad69c874107e8398f1b75f521260"_s
                             << 1 << QStringList{u"/torrent_search/search/%E6%B5%81%E6%B5%AA%E5%9C%B0%E7%90%83/2"_s};
    QTest::newRow("torrent, page text as typed") << u"torrent"_s << u"ab"_s << u"1.5"_s << 10 << u"mc=ab 第1集 1080P"_s
                                                 << 1 << QStringList{u"/torrent_search/search/ab/1.5"_s};
    QTest::newRow("torrent, no hit") << u"torrent"_s << u"无结果"_s << u"1"_s << 0 << QString()
                                     << 1 << QStringList{u"/torrent_search/search/%E6%97%A0%E7%BB%93%E6%9E%9C/1"_s};
    QTest::newRow("rss") << u"rss"_s << u"地球"_s << u"1"_s << 6
                         << u"xh=1|mc=地球 合集1|dx= 2.1 GB|rq=Sun, 01 Dec 2013 12:00:00 +0800"
                            "|zzdz={base}/torrent/63c5a063aece482a61ff34d54d5f8c41fa624164.torrent"_s
                         << 1 << QStringList{u"/rss_feed/rss/%E5%9C%B0%E7%90%83/"_s};
    QTest::newRow("rss, no hit") << u"rss"_s << u"无结果"_s << u"1"_s << 0 << QString()
                                 << 1 << QStringList{u"/rss_feed/rss/%E6%97%A0%E7%BB%93%E6%9E%9C/"_s};
    QTest::newRow("magnet") << u"magnet"_s << u"地球"_s << u"3"_s << 4
                            << u"xh=1|mc=地球 高清合集 17|dx=2.7 GB|fb=2013-12-18"
                               "|cl=magnet:?xt=urn:btih:1df2d2b9d573bcdd4f02dc99e973b6940d3c57bc"_s
                            << 1 << QStringList{u"/magnet_search/?s=%E5%9C%B0%E7%90%83&p=3"_s};
    QTest::newRow("magnet, page past the counter") << u"magnet"_s << u"地球"_s << u"99999"_s << 0 << QString()
                                                   << 1 << QStringList{u"/magnet_search/?s=%E5%9C%B0%E7%90%83&p=32767"_s};
    QTest::newRow("magnet, page no number") << u"magnet"_s << u"地球"_s << u"x"_s << 8 << u"mc=地球 高清合集 1"_s
                                            << 1 << QStringList{u"/magnet_search/?s=%E5%9C%B0%E7%90%83&p=1"_s};
    QTest::newRow("magnet, no hit") << u"magnet"_s << u"无结果"_s << u"1"_s << 0 << QString()
                                    << 1 << QStringList{u"/magnet_search/?s=%E6%97%A0%E7%BB%93%E6%9E%9C&p=1"_s};
    QTest::newRow("magnet, zero hits") << u"magnet"_s << u"零结果"_s << u"1"_s << 0 << QString()
                                       << 1 << QStringList{u"/magnet_search/?s=%E9%9B%B6%E7%BB%93%E6%9E%9C&p=1"_s};
    QTest::newRow("release") << u"release"_s << u"地球"_s << u"1"_s << 5
                             << u"xh=1|mc=地球 资源 1|dx=未知|fb=2013-12-02"
                                "|cl=magnet:?xt=urn:btih:3e98a89d238f0c91ac14b53e43141af6c7ec043f"_s
                             << 6 << QStringList{u"/resource_release/search/%E5%9C%B0%E7%90%83?page=1"_s};
    // The first detail page answers last: row 1 still carries its link.
    QTest::newRow("release, details out of order")
        << u"release"_s << u"倒序"_s << u"1"_s << 5
        << u"mc=倒序 资源 1|cl=magnet:?xt=urn:btih:1c311849dd964b1d06916b838ec6bae538f3d794&dn=r6f587eben1"_s
        << 6 << QStringList{u"/resource_release/search/%E5%80%92%E5%BA%8F?page=1"_s};
    QTest::newRow("release, page 3") << u"release"_s << u"地球"_s << u"3"_s << 2 << u"xh=1|mc=地球 资源 11"_s
                                     << 3 << QStringList{u"/resource_release/search/%E5%9C%B0%E7%90%83?page=3"_s};
    QTest::newRow("release, no hit") << u"release"_s << u"无结果"_s << u"1"_s << 0 << QString()
                                     << 1 << QStringList{u"/resource_release/search/%E6%97%A0%E7%BB%93%E6%9E%9C?page=1"_s};
    QTest::newRow("movie resource") << u"movie-resource"_s << u"功夫12"_s << u"1"_s << 12
                                    << u"xh=1|mc=功夫12 第1部|zzdz={base}/detail.asp?ID=1001 |gx=2013-12-02|bz=香港"_s
                                    << 1 << QStringList{u"/movie_resource/index.asp?keyword=%E5%8A%9F%E5%A4%AB12&page=1"_s};
    QTest::newRow("movie resource, page 5 of 125") << u"movie-resource"_s << u"功夫125"_s << u"5"_s << 5
                                                   << u"mc=功夫125 第121部"_s
                                                   << 1 << QStringList{u"/movie_resource/index.asp?keyword=%E5%8A%9F%E5%A4%AB125&page=5"_s};
    QTest::newRow("movie resource, no hit") << u"movie-resource"_s << u"无此片"_s << u"1"_s << 0 << QString()
                                            << 1 << QStringList{u"/movie_resource/index.asp?keyword=%E6%97%A0%E6%AD%A4%E7%89%87&page=1"_s};
    QTest::newRow("movie resource, placeholder") << u"movie-resource"_s << u"请您输入关键字.."_s << u"1"_s << 0
                                                 << QString() << 0 << QStringList();
    QTest::newRow("bt board") << u"bt-board"_s << u"3"_s << u"1"_s << 50
                              << u"xh=1|mc=[BT下载] 演示影片3001 720p|dz={base}/display.php?BoardID=3&ID=3001"
                                 "|dx=2.01 GB|fl=喜剧片"_s
                              << 1 << QStringList{u"/bt_board/list.php?BoardID=3"_s};
    QTest::newRow("bt board, last") << u"bt-board"_s << u"8"_s << u"1"_s << 23 << u"mc=[BT下载] 演示影片8001 720p"_s
                                    << 1 << QStringList{u"/bt_board/list.php?BoardID=8"_s};
    QTest::newRow("bt board, no such board") << u"bt-board"_s << u"9"_s << u"1"_s << 0 << QString() << 0 << QStringList();
    QTest::newRow("bt movies") << u"bt-movies"_s << u"1"_s << u"2"_s << 35
                               << u"xh=1|mc=演示BT电影201 BD1280高清中字|dz={base}/Download/xiazai/dy201.html"_s
                               << 1 << QStringList{u"/emule/Download/bt/dianying/2"_s};
    QTest::newRow("bt movies, by name") << u"bt-movies"_s << u"电影"_s << u"1"_s << 35
                                        << u"mc=演示BT电影101 BD1280高清中字"_s << 1 << QStringList{u"/emule/Download/bt/dianying"_s};
    QTest::newRow("bt movies, past the last page") << u"bt-movies"_s << u"1"_s << u"6"_s << 0 << QString()
                                                   << 1 << QStringList{u"/emule/Download/bt/dianying/6"_s};
    QTest::newRow("bt movies, no such category") << u"bt-movies"_s << u"2"_s << u"1"_s << 0 << QString() << 0 << QStringList();

    QTest::newRow("ed2k") << u"ed2k"_s << u"地球"_s << u"2"_s << 20
                          << u"xh=1|mc= 地球 第21个文件.mkv|dz={base}/ShowFile.asp?FileID=5021"_s << 1
                          << QStringList{u"/ed2k_search/FileList.asp?PageIndex=2&SearchWord=%E5%9C%B0%E7%90%83"_s};
    QTest::newRow("ed2k, no hit") << u"ed2k"_s << u"无结果"_s << u"1"_s << 0 << QString() << 1
                                  << QStringList{u"/ed2k_search/FileList.asp?SearchWord=%E6%97%A0%E7%BB%93%E6%9E%9C"_s};

    // Every configured netdisk (three of the demo's 24 have no hits), in box order.
    QTest::newRow("netdisk") << u"netdisk"_s << u"电影"_s << u"1"_s << 140
                             << u"xh=百度网盘|mc=电影 合集2_百度_免费高速下载|dz={base}/link?url=000002"_s << 24
                             << QStringList{u"/netdisk_search/s?wd=site%3Apan00.netdisk.example%20%E7%94%B5%E5%BD%B1&pn=1&rn=50&ie=utf-8&rsv_page=1"_s};
    QTest::newRow("netdisk, page box text unchanged")
        << u"netdisk"_s << u"电影"_s << u"2.5"_s << 140 << u"mc=电影 合集1_百度_免费高速下载"_s << 24
        << QStringList{u"/netdisk_search/s?wd=site%3Apan00.netdisk.example%20%E7%94%B5%E5%BD%B1&pn=2.5&rn=50&ie=utf-8&rsv_page=1"_s};
    QTest::newRow("netdisk, no hit") << u"netdisk"_s << u"无结果"_s << u"1"_s << 0 << QString() << 24
                                     << QStringList();
    QTest::newRow("netdisk, keyword too short") << u"netdisk"_s << u"电"_s << u"1"_s << 0 << QString() << 0
                                                << QStringList();

    QTest::newRow("emule category by number")
        << u"emule-category"_s << u"1"_s << u"2"_s << 30
        << u"xh=1|mc=电影资源 第31号|zzdz={base}/emule/detail/movie-31.html"_s << 1
        << QStringList{u"/emule/emule/movie/2"_s};
    QTest::newRow("emule category by name") << u"emule-category"_s << u"动漫"_s << u"1"_s << 30
                                            << u"mc=动漫资源 第1号"_s << 1
                                            << QStringList{u"/emule/emule/cartoon/1"_s};
    QTest::newRow("emule cartoon page stops at 32767")
        << u"emule-category"_s << u"7"_s << u"99999"_s << 0 << QString() << 1
        << QStringList{u"/emule/emule/cartoon/32767"_s};
    QTest::newRow("emule category by its other name") << u"emule-category"_s << u"图书"_s << u"x"_s << 30
                                                      << u"mc=图书资源 第1号"_s << 1
                                                      << QStringList{u"/emule/emule/book/1"_s};
    QTest::newRow("emule unknown category") << u"emule-category"_s << u"8"_s << u"1"_s << 0 << QString() << 0
                                            << QStringList();
    QTest::newRow("emule search") << u"emule-search"_s << u"地球"_s << u"2"_s << 15
                                  << u"xh=1|mc=地球 第31号|zzdz={base}/emule/detail/search-31.html"_s << 1
                                  << QStringList{u"/emule/emule/search/%E5%9C%B0%E7%90%83/2"_s};
    QTest::newRow("emule search, page box text unchanged")
        << u"emule-search"_s << u"地球"_s << u"02"_s << 15 << u"mc=地球 第31号"_s << 1
        << QStringList{u"/emule/emule/search/%E5%9C%B0%E7%90%83/02"_s};
    QTest::newRow("emule category, page not a number") << u"emule-category"_s << u"2"_s << u"x"_s << 30
                                                       << u"mc=音乐资源 第1号"_s << 1
                                                       << QStringList{u"/emule/emule/music/1"_s};
    QTest::newRow("emule search, no hit") << u"emule-search"_s << u"无结果"_s << u"1"_s << 0 << QString() << 1
                                          << QStringList{u"/emule/emule/search/%E6%97%A0%E7%BB%93%E6%9E%9C/1"_s};

    QTest::newRow("movie listing by number")
        << u"movie-listing"_s << u"1"_s << u"1"_s << 25
        << u"xh=1|mc=2013年最新电影《演示影片1》BD中英双字|zzdz={base}/html/gndy/dyzz/20131201/40001.html"_s << 1
        << QStringList{u"/movie_listing/html/gndy/dyzz/index.html"_s};
    QTest::newRow("movie listing by name") << u"movie-listing"_s << u"日韩电视剧"_s << u"1"_s << 25
                                           << u"mc=2013年日韩剧集《演示影片1》BD中英双字"_s << 1
                                           << QStringList{u"/movie_listing/html/tv/rihantv/index.html"_s};
    QTest::newRow("movie listing, number past the last") << u"movie-listing"_s << u"7"_s << u"1"_s << 0
                                                         << QString() << 0 << QStringList();
    QTest::newRow("movie listing, unknown category") << u"movie-listing"_s << u"0"_s << u"1"_s << 0 << QString()
                                                     << 0 << QStringList();

    QTest::newRow("qvod channel") << u"qvod-channel"_s << u"-"_s << u"2"_s << 25
                                  << u"xh=1|mc=频道影片26|dz={base}/content/detail_26.html"_s << 1
                                  << QStringList{u"/qvod_channel/channel/list_0_2.html"_s};
    // Three result pages: the first, then the last back to the second;
    // numbered down from the stated total.
    QTest::newRow("qvod search") << u"qvod-search"_s << u"地球25"_s << u"1"_s << 25
                                 << u"xh=25|mc=地球25 结果1|lmfl=电视剧|dqfl=韩国|dz={base}/vod-detail-id-1001.html"_s << 3
                                 << QStringList{u"/qvod_search/vod-search-wd-%E5%9C%B0%E7%90%8325-p.html"_s,
                                                u"/qvod_search/vod-search-wd-%E5%9C%B0%E7%90%8325-p-3.html"_s,
                                                u"/qvod_search/vod-search-wd-%E5%9C%B0%E7%90%8325-p-2.html"_s};
    QTest::newRow("qvod search, one page") << u"qvod-search"_s << u"地球7"_s << u"1"_s << 7 << u"xh=7|mc=地球7 结果1"_s
                                           << 1 << QStringList{u"/qvod_search/vod-search-wd-%E5%9C%B0%E7%90%837-p.html"_s};
    QTest::newRow("qvod search, a later page fails") << u"qvod-search"_s << u"断页25"_s << u"1"_s << 10
                                                     << u"xh=25|mc=断页25 结果1"_s << 3 << QStringList();
    QTest::newRow("qvod search, no hit") << u"qvod-search"_s << u"无结果"_s << u"1"_s << 0 << QString() << 1
                                         << QStringList{u"/qvod_search/vod-search-wd-%E6%97%A0%E7%BB%93%E6%9E%9C-p.html"_s};
    QTest::newRow("qvod channel, page past the end") << u"qvod-channel"_s << u"-"_s << u"40000"_s << 0 << QString()
                                                     << 1 << QStringList{u"/qvod_channel/channel/list_0_32767.html"_s};
    QTest::newRow("qvod list, first page") << u"qvod-list"_s << u"-"_s << u"1"_s << 20
                                           << u"xh=1|mc=列表影片1|dz={base}/vod-detail-id-1.html"_s << 1
                                           << QStringList{u"/qvod_search/vod-show-p.html"_s};
    QTest::newRow("qvod list") << u"qvod-list"_s << u"-"_s << u"5"_s << 18 << u"xh=1|mc=列表影片81"_s << 1
                               << QStringList{u"/qvod_search/vod-show-p-5.html"_s};
}

void TestHeadless::search()
{
    QFETCH(QString, source);
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(int, rows);
    QFETCH(QString, first);
    QFETCH(int, fetches);
    QFETCH(QStringList, requests);

    const HeadlessSource *known = findHeadlessSource(source);
    QVERIFY(known);
    const Run json = run({u"search"_s, source, keyword, u"--page"_s, page, u"--format"_s, u"json"_s});
    QCOMPARE(json.exitCode, 0);
    QVERIFY2(json.err.isEmpty(), qPrintable(json.err));
    const QStringList received = m_demo.requests();
    QCOMPARE(received.size(), fetches);
    if (requests.size() > 1 || fetches == 1)
        QCOMPARE(received.mid(0, requests.size()), requests);
    else
        QVERIFY2(requests.isEmpty() || received.contains(requests.first()), qPrintable(received.join(u'\n')));
    const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(array.size(), rows);
    const QStringList fields = headlessFields(*known);
    for (const QJsonValue &row : array)
        QCOMPARE(row.toObject().keys().size(), fields.size());
    const QString base = m_demo.siteBase(known->siteKey);
    for (const QString &pair : first.split(u'|', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0);
        QVERIFY2(fields.contains(key), qPrintable(key));
        QCOMPARE(array.first().toObject().value(key).toString(), pair.section(u'=', 1).replace(u"{base}"_s, base));
    }

    // The same rows as TSV: a header of the list's column keys, a line a row.
    const Run tsv = run({u"search"_s, source, keyword, u"--page"_s, page});
    QCOMPARE(tsv.exitCode, 0);
    const QStringList lines = tsv.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), rows + 1);
    QCOMPARE(lines.first(), fields.join(u'\t'));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines.at(i).split(u'\t');
        QCOMPARE(cells.size(), fields.size());
        for (qsizetype f = 0; f < fields.size(); ++f)
            QCOMPARE(cells.at(f), array.at(i - 1).toObject().value(fields.at(f)).toString());
    }
}

void TestHeadless::failedSiteExitsOne()
{
    const Run result = run({u"search"_s, u"ed2k"_s, u"地球"_s}, u"ed2k_search"_s);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out.trimmed(), headlessFields(*findHeadlessSource(u"ed2k"_s)).join(u'\t'));
    const QStringList failure = result.err.trimmed().split(u'\t');
    QCOMPARE(failure.size(), 4);
    QCOMPARE(failure.at(0), u"ed2k_search"_s);
    QVERIFY(failure.at(1).startsWith(u"http://127.0.0.1:1/ed2k_search/"_s));
    QCOMPARE(failure.at(2), u"refused"_s);
    QCOMPARE(failure.at(3), u"连接被拒绝"_s);
}

void TestHeadless::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown source") << QStringList{u"search"_s, u"nosuch"_s, u"x"_s} << u"unknown source: nosuch"_s;
    QTest::newRow("no keyword") << QStringList{u"search"_s, u"ed2k"_s} << u"usage:"_s;
    QTest::newRow("unknown format") << QStringList{u"search"_s, u"ed2k"_s, u"x"_s, u"--format"_s, u"xml"_s}
                                    << u"usage:"_s;
}

void TestHeadless::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.startsWith(message), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QVERIFY(m_demo.requests().isEmpty());
}

// One line per configured site; one site down makes the check fail and
// says why, the others still answer with rows.
void TestHeadless::checkSites()
{
    const Run listed = run({u"search"_s, u"--list"_s});
    QCOMPARE(listed.exitCode, 0);
    QStringList names;
    static const QRegularExpression shape(u"^[a-z0-9]+(-[a-z0-9]+)*$"_s);
    for (const QString &line : listed.out.split(u'\n', Qt::SkipEmptyParts)) {
        // name, site key, tab caption, what KEYWORD means: none empty
        const QStringList fields = line.split(u'\t');
        QCOMPARE(fields.size(), 4);
        QVERIFY2(!fields.contains(QString()), qPrintable(line));
        QVERIFY2(shape.match(fields.at(0)).hasMatch(), qPrintable(line));
        QVERIFY2(!findResultListShape(findHeadlessSource(fields.at(0))->list)->columns.isEmpty(), qPrintable(line));
        names.append(fields.at(0));
    }
    QStringList expected;
    for (const HeadlessSource &source : headlessSources())
        expected.append(source.name);
    QCOMPARE(names, expected);

    for (const QString &failing : {QString(), u"ed2k_search"_s}) {
        const Run result = run({u"--check-sites"_s}, failing);
        QCOMPARE(result.exitCode, failing.isEmpty() ? 0 : 1);
        const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), SiteConfig::siteKeys().size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QStringList fields = lines.at(i).split(u'\t');
            QCOMPARE(fields.size(), 5);
            const QString key = SiteConfig::siteKeys().at(i);
            QCOMPARE(fields.at(0), key);
            QCOMPARE(fields.at(2), key == failing ? u"refused"_s : u"ok"_s);
            const bool searched = std::any_of(headlessSources().cbegin(), headlessSources().cend(),
                                              [&key](const HeadlessSource &s) { return s.siteKey == key; });
            if (key == failing)
                QCOMPARE(fields.at(3), u"0"_s);
            else if (searched)
                QVERIFY2(fields.at(3).toInt() > 0, qPrintable(lines.at(i)));
            else
                QCOMPARE(fields.at(3), u"-"_s);
            QVERIFY(fields.at(4).toLongLong() >= 0);
        }
    }
}

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
