#include "core/siteconfig.h"
#include "demo/demoserver.h"
#include "shell/commandoptions.h"
#include "shell/sourcetable.h"
#include "shell/windowshell.h"
#include "ui/resultlistcatalog.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
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
    void searchAll();
    void helpAndVersion_data();
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void windowStopsOnUnreadableSites();
    void noSitesFileFound();
    void checkSites();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Writes the sites file (the demo's sites, `failing` pointed at a port
    // nobody listens on) and runs the program with it; without `--sites`
    // when `arguments` names its own.
    Run run(const QStringList &arguments, const QString &failing = QString());
    // Runs the program as it is, in `environment`.
    Run runAs(const QStringList &arguments, const QProcessEnvironment &environment);
    // No display at all: whatever tried to open a window would fail.
    static QProcessEnvironment displayless();

    DemoServer m_demo;
    QTemporaryDir m_dir;
};

void TestHeadless::initTestCase()
{
    QVERIFY(m_demo.start());
    QVERIFY(m_dir.isValid());
    // Site files that are no INI files.
    const QList<std::pair<QString, QByteArray>> files = {
        {u"notes.txt"_s, "[sites]\nthese are my notes\n"},
        {u"picture.png"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {u"loose.ini"_s, "ed2k_search = http://127.0.0.1:1/ed2k_search\n[sites]\n"},
    };
    for (const auto &[name, bytes] : files) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
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

    const bool ownSites = arguments.contains(u"--sites"_s);
    return runAs(ownSites ? arguments : arguments + QStringList{u"--sites"_s, file},
                 QProcessEnvironment::systemEnvironment());
}

QProcessEnvironment TestHeadless::displayless()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    return environment;
}

TestHeadless::Run TestHeadless::runAs(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess program;
    program.setProcessEnvironment(environment);
    // The demo sites answer from this thread: wait with its loop running.
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(QStringLiteral(JYX_PROGRAM), arguments);
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
    QTest::newRow("torrent, page text as typed") << u"torrent"_s << u"ab"_s << u"02"_s << 10 << u"mc=ab 第11集 1080P"_s
                                                 << 1 << QStringList{u"/torrent_search/search/ab/02"_s};
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
    QTest::newRow("bt board") << u"bt-board"_s << u"3"_s << u"1"_s << 50
                              << u"xh=1|mc=[BT下载] 演示影片3001 720p|dz={base}/display.php?BoardID=3&ID=3001"
                                 "|dx=2.01 GB|fl=喜剧片"_s
                              << 1 << QStringList{u"/bt_board/list.php?BoardID=3"_s};
    QTest::newRow("bt board, last") << u"bt-board"_s << u"8"_s << u"1"_s << 23 << u"mc=[BT下载] 演示影片8001 720p"_s
                                    << 1 << QStringList{u"/bt_board/list.php?BoardID=8"_s};
    QTest::newRow("bt movies") << u"bt-movies"_s << u"1"_s << u"2"_s << 35
                               << u"xh=1|mc=演示BT电影201 BD1280高清中字|dz={base}/Download/xiazai/dy201.html"_s
                               << 1 << QStringList{u"/emule/Download/bt/dianying/2"_s};
    QTest::newRow("bt movies, by name") << u"bt-movies"_s << u"电影"_s << u"1"_s << 35
                                        << u"mc=演示BT电影101 BD1280高清中字"_s << 1 << QStringList{u"/emule/Download/bt/dianying"_s};
    QTest::newRow("bt movies, past the last page") << u"bt-movies"_s << u"1"_s << u"6"_s << 0 << QString()
                                                   << 1 << QStringList{u"/emule/Download/bt/dianying/6"_s};

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
        << u"netdisk"_s << u"电影"_s << u"02"_s << 140 << u"mc=电影 合集3_百度_免费高速下载"_s << 24
        << QStringList{u"/netdisk_search/s?wd=site%3Apan00.netdisk.example%20%E7%94%B5%E5%BD%B1&pn=02&rn=50&ie=utf-8&rsv_page=1"_s};
    QTest::newRow("netdisk, no hit") << u"netdisk"_s << u"无结果"_s << u"1"_s << 0 << QString() << 24
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
    QTest::newRow("emule category by its other name") << u"emule-category"_s << u"图书"_s << u"1"_s << 30
                                                      << u"mc=图书资源 第1号"_s << 1
                                                      << QStringList{u"/emule/emule/book/1"_s};
    QTest::newRow("emule search") << u"emule-search"_s << u"地球"_s << u"2"_s << 15
                                  << u"xh=1|mc=地球 第31号|zzdz={base}/emule/detail/search-31.html"_s << 1
                                  << QStringList{u"/emule/emule/search/%E5%9C%B0%E7%90%83/2"_s};
    QTest::newRow("emule search, page box text unchanged")
        << u"emule-search"_s << u"地球"_s << u"02"_s << 15 << u"mc=地球 第31号"_s << 1
        << QStringList{u"/emule/emule/search/%E5%9C%B0%E7%90%83/02"_s};
    QTest::newRow("emule category, page 1") << u"emule-category"_s << u"2"_s << u"1"_s << 30
                                            << u"mc=音乐资源 第1号"_s << 1 << QStringList{u"/emule/emule/music/1"_s};
    QTest::newRow("emule search, no hit") << u"emule-search"_s << u"无结果"_s << u"1"_s << 0 << QString() << 1
                                          << QStringList{u"/emule/emule/search/%E6%97%A0%E7%BB%93%E6%9E%9C/1"_s};

    QTest::newRow("movie listing by number")
        << u"movie-listing"_s << u"1"_s << u"1"_s << 25
        << u"xh=1|mc=2013年最新电影《演示影片1》BD中英双字|zzdz={base}/html/gndy/dyzz/20131201/40001.html"_s << 1
        << QStringList{u"/movie_listing/html/gndy/dyzz/index.html"_s};
    QTest::newRow("movie listing by name") << u"movie-listing"_s << u"日韩电视剧"_s << u"1"_s << 25
                                           << u"mc=2013年日韩剧集《演示影片1》BD中英双字"_s << 1
                                           << QStringList{u"/movie_listing/html/tv/rihantv/index.html"_s};

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
    // A keyword with a line break and a tab still gives one line of four fields.
    for (const QString &keyword : {u"地球"_s, u"地球\n\tx"_s}) {
        const Run result = run({u"search"_s, u"ed2k"_s, keyword}, u"ed2k_search"_s);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out.trimmed(), headlessFields(*findHeadlessSource(u"ed2k"_s)).join(u'\t'));
        QCOMPARE(result.err.count(u'\n'), 1);
        const QStringList failure = result.err.trimmed().split(u'\t');
        QCOMPARE(failure.size(), 4);
        QCOMPARE(failure.at(0), u"ed2k_search"_s);
        QVERIFY(failure.at(1).startsWith(u"http://127.0.0.1:1/ed2k_search/"_s));
        QCOMPARE(failure.at(1).contains(u"%E5%9C%B0%E7%90%83\\n\\tx"_s), keyword.size() > 2);
        QCOMPARE(failure.at(2), u"refused"_s);
        QCOMPARE(failure.at(3), u"连接被拒绝"_s);
    }
}

// Every keyword source at once: rows named by their sources, a failed
// source named on standard error while the others still print, exit 1 only
// when every one failed.
void TestHeadless::searchAll()
{
    const Run json = run({u"search"_s, u"all"_s, u"变形金刚"_s, u"--format"_s, u"json"_s}, u"ed2k_search"_s);
    QCOMPARE(json.exitCode, 0);
    const QStringList errors = json.err.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(u"ed2k\thttp://127.0.0.1:1/ed2k_search/"_s), qPrintable(json.err));
    const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QSet<QString> sources;
    for (const QJsonValue &value : array) {
        const QJsonObject row = value.toObject();
        QCOMPARE(row.keys(), (QStringList{u"address"_s, u"date"_s, u"name"_s, u"size"_s, u"source"_s}));
        sources.insert(row.value(u"source"_s).toString());
    }
    for (const QString &source : {u"netdisk"_s, u"torrent"_s, u"rss"_s, u"magnet"_s, u"release"_s,
                                  u"movie-resource"_s, u"emule-search"_s, u"qvod-search"_s})
        QVERIFY2(sources.contains(source), qPrintable(source));
    QVERIFY(!sources.contains(u"ed2k"_s));
    const Run tsv = run({u"search"_s, u"all"_s, u"变形金刚"_s}, u"ed2k_search"_s);
    const QStringList lines = tsv.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), u"source\tname\tsize\tdate\taddress"_s);
    QCOMPARE(lines.size(), array.size() + 1);

    // Every site unreachable.
    QFile dead(m_dir.filePath(u"dead.ini"_s));
    QVERIFY(dead.open(QIODevice::WriteOnly));
    QString ini = u"[sites]\n"_s;
    for (const QString &key : SiteConfig::siteKeys())
        ini += key + u" = http://127.0.0.1:1/"_s + key + u'\n';
    dead.write(ini.toUtf8() + "[netdisk]\n0 = pan.example\n");
    dead.close();
    const Run failed = run({u"search"_s, u"all"_s, u"变形金刚"_s, u"--sites"_s, dead.fileName()});
    QCOMPARE(failed.exitCode, 1);
    QCOMPARE(failed.out.trimmed(), u"source\tname\tsize\tdate\taddress"_s);
    QCOMPARE(failed.err.count(u"\trefused\t连接被拒绝"_s), 9);
}

// Help and version answer on standard output without a display.
void TestHeadless::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("first"); // the first line of standard output
    const QString usage = u"usage: juyuanxia [--sites FILE] [--demo] [--definitions DIR] [--home DIR] [--screenshot FILE] "
                          "[--find KEYWORD] [--exit-when-shown] [Qt options]"_s;
    const QString version = u"juyuanxia (聚源匣) "_s + WindowShell::programVersion();
    QTest::newRow("--help") << QStringList{u"--help"_s} << usage;
    QTest::newRow("-h") << QStringList{u"-h"_s} << usage;
    QTest::newRow("help wins over a mistake") << QStringList{u"--bogus"_s, u"--help"_s, u"--page"_s} << usage;
    QTest::newRow("search --help") << QStringList{u"search"_s, u"--help"_s}
                                   << u"usage: juyuanxia search SOURCE KEYWORD [--sites FILE] [--demo] [--definitions DIR] [--page N] "
                                      "[--format FORMAT]"_s;
    QTest::newRow("definitions --help") << QStringList{u"definitions"_s, u"--help"_s}
                                        << u"usage: juyuanxia definitions check FILE..."_s;
    QTest::newRow("--version") << QStringList{u"--version"_s} << version;
    QTest::newRow("--version with the window's options") << QStringList{u"--demo"_s, u"--version"_s} << version;
}

void TestHeadless::helpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, first);
    const Run result = runAs(arguments, displayless());
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    QCOMPARE(result.out.section(u'\n', 0, 0), first);
    QVERIFY(m_demo.requests().isEmpty());
    // Every option of the table is explained where it applies.
    const bool search = arguments.contains(u"search"_s);
    const bool definitions = arguments.contains(u"definitions"_s);
    for (const CommandOption &option : commandOptions()) {
        const bool applies = definitions ? option.commands.testFlag(Command::Definitions)
                                         : !search || option.commands.testFlag(Command::Search);
        if (first.startsWith(u"usage:"_s) && applies)
            QVERIFY2(result.out.contains(option.synopsis() + u' '), qPrintable(option.name));
    }
    // A command's own help is not the general one.
    if (definitions) {
        QVERIFY(result.out.contains(u"FILE:LINE:COLUMN"_s));
        QVERIFY(!result.out.contains(u"usage: juyuanxia search"_s));
    }
}

// What the command line refuses: one line naming the problem, then the
// short usage, exit 2; nothing fetched. The window's mistakes too are
// caught before any display is asked for.
void TestHeadless::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message"); // the first line of standard error
    QTest::addColumn<bool>("usage");      // the short usage follows
    const auto row = [](const char *name, const QStringList &arguments, const QString &message, bool usage = true) {
        QTest::newRow(name) << arguments << message << usage;
    };
    row("unknown source", {u"search"_s, u"nosuch"_s, u"x"_s}, u"unknown source: nosuch (juyuanxia search --list)"_s);
    row("no keyword", {u"search"_s, u"ed2k"_s}, u"search needs a KEYWORD"_s);
    row("a page for every source", {u"search"_s, u"all"_s, u"x"_s, u"--page"_s, u"2"_s},
        u"search all reads page 1 of every source; --page does not apply"_s);
    row("no source", {u"search"_s}, u"search needs a SOURCE (juyuanxia search --list)"_s);
    row("unknown format", {u"search"_s, u"ed2k"_s, u"x"_s, u"--format"_s, u"xml"_s},
        u"--format must be tsv or json, not \"xml\""_s);
    row("format without its value", {u"search"_s, u"ed2k"_s, u"x"_s, u"--format"_s},
        u"--format needs a value (FORMAT)"_s);
    row("value taken for the next option", {u"search"_s, u"ed2k"_s, u"x"_s, u"--page"_s, u"--format"_s, u"json"_s},
        u"--page needs a value (N)"_s);
    row("unknown option", {u"search"_s, u"ed2k"_s, u"x"_s, u"--bogus"_s, u"1"_s}, u"unknown option: --bogus"_s);
    row("unknown single-dash option", {u"search"_s, u"ed2k"_s, u"x"_s, u"-platform"_s, u"offscreen"_s},
        u"unknown option: -platform"_s);
    row("page zero", {u"search"_s, u"ed2k"_s, u"x"_s, u"--page"_s, u"0"_s},
        u"--page must be a whole number from 1 up, not \"0\""_s);
    row("page no number", {u"search"_s, u"magnet"_s, u"地球"_s, u"--page"_s, u"x"_s},
        u"--page must be a whole number from 1 up, not \"x\""_s);
    row("page a fraction", {u"search"_s, u"torrent"_s, u"ab"_s, u"--page=1.5"_s},
        u"--page must be a whole number from 1 up, not \"1.5\""_s);
    row("page negative", {u"search"_s, u"ed2k"_s, u"x"_s, u"--page"_s, u"-1"_s},
        u"--page must be a whole number from 1 up, not \"-1\""_s);
    row("switch given a value", {u"search"_s, u"--list=yes"_s}, u"--list takes no value"_s);
    row("one word too many", {u"search"_s, u"ed2k"_s, u"x"_s, u"y"_s}, u"unexpected argument: y"_s);
    row("window option with search", {u"search"_s, u"ed2k"_s, u"x"_s, u"--home"_s, u"/tmp"_s},
        u"--home is only for the window"_s);
    row("search and check", {u"search"_s, u"ed2k"_s, u"x"_s, u"--check-sites"_s},
        u"--check-sites and search cannot be combined"_s);
    row("search option with the check", {u"--check-sites"_s, u"--page"_s, u"2"_s}, u"--page is only for search"_s);
    // The window's own refusals, in its words.
    row("empty keyword", {u"search"_s, u"ed2k"_s, QString()}, u"search ed2k: 请输入资源关键字 .."_s);
    row("netdisk keyword too short", {u"search"_s, u"netdisk"_s, u"电"_s}, u"search netdisk: 请至少输入两位关键字.."_s);
    row("netdisk keyword empty", {u"search"_s, u"netdisk"_s, QString()}, u"search netdisk: 请输入要搜索的资源名称.."_s);
    row("movie resource placeholder", {u"search"_s, u"movie-resource"_s, u"请您输入关键字.."_s},
        u"search movie-resource: 请输入关键字..."_s);
    row("qvod search empty", {u"search"_s, u"qvod-search"_s, QString()}, u"search qvod-search: 请输入要搜索的关键字 .."_s);
    row("emule category past 7", {u"search"_s, u"emule-category"_s, u"99"_s},
        u"search emule-category: 没有这个分类：99（分类 1-7：1 电影、2 音乐、3 软件、4 书籍、5 教育、6 综合、7 动漫（数字或名称））"_s);
    row("emule category 8", {u"search"_s, u"emule-category"_s, u"8"_s},
        u"search emule-category: 没有这个分类：8（分类 1-7：1 电影、2 音乐、3 软件、4 书籍、5 教育、6 综合、7 动漫（数字或名称））"_s);
    row("emule category unknown name", {u"search"_s, u"emule-category"_s, u"游戏"_s},
        u"search emule-category: 没有这个分类：游戏（分类 1-7：1 电影、2 音乐、3 软件、4 书籍、5 教育、6 综合、7 动漫（数字或名称））"_s);
    row("movie listing past the last", {u"search"_s, u"movie-listing"_s, u"7"_s},
        u"search movie-listing: 没有这个分类：7（分类 1-6：1 综合最新电影、2 国内最新电影、3 欧美最新电影、4 华语电视剧、5 日韩电视剧、6 动漫资源（数字或名称））"_s);
    row("movie listing zero", {u"search"_s, u"movie-listing"_s, u"0"_s},
        u"search movie-listing: 没有这个分类：0（分类 1-6：1 综合最新电影、2 国内最新电影、3 欧美最新电影、4 华语电视剧、5 日韩电视剧、6 动漫资源（数字或名称））"_s);
    row("bt board 9", {u"search"_s, u"bt-board"_s, u"9"_s}, u"search bt-board: 没有这个板块：9（板块 1-8）"_s);
    row("bt movies 2", {u"search"_s, u"bt-movies"_s, u"2"_s}, u"search bt-movies: 没有这个分类：2（分类 1：电影）"_s);
    // A keyword that breaks the line is written out.
    row("refusal stays one line", {u"search"_s, u"bt-board"_s, u"9\n\t9"_s},
        u"search bt-board: 没有这个板块：9\\n\\t9（板块 1-8）"_s);
    row("control character written out", {u"search"_s, u"bt-movies"_s, u"电影\x01\\"_s},
        u"search bt-movies: 没有这个分类：电影\\x01\\\\（分类 1：电影）"_s);
    // The window's mistakes.
    row("window: unknown option", {u"--bogus"_s}, u"unknown option: --bogus"_s);
    row("window: unknown command", {u"frobnicate"_s}, u"unknown command: frobnicate"_s);
    row("window: search option", {u"--page"_s, u"2"_s}, u"--page is only for search"_s);
    row("window: screenshot without its file", {u"--demo"_s, u"--screenshot"_s},
        u"--screenshot needs a value (FILE)"_s);
    // A definitions folder that is not there: every command stops.
    const QString noFolder = m_dir.filePath(u"no-such-folder"_s);
    row("definitions folder missing", {u"search"_s, u"--list"_s, u"--definitions"_s, noFolder},
        u"--definitions "_s + noFolder + u": no such folder"_s);
    row("window: definitions folder missing", {u"--definitions="_s + noFolder},
        u"--definitions "_s + noFolder + u": no such folder"_s);
    row("definitions folder a file", {u"--check-sites"_s, u"--definitions"_s, m_dir.filePath(u"notes.txt"_s)},
        u"--definitions "_s + m_dir.filePath(u"notes.txt"_s) + u": not a folder"_s);
    // An explicit site file that cannot be read stops every command.
    const QString missing = m_dir.filePath(u"missing.ini"_s);
    row("sites missing", {u"search"_s, u"ed2k"_s, u"x"_s, u"--sites"_s, missing},
        u"cannot read "_s + missing + u": no such file"_s, false);
    row("sites a directory", {u"--check-sites"_s, u"--sites"_s, m_dir.path()},
        u"cannot read "_s + m_dir.path() + u": is a directory"_s, false);
    row("sites not INI", {u"--check-sites"_s, u"--sites"_s, m_dir.filePath(u"notes.txt"_s)},
        u"cannot read "_s + m_dir.filePath(u"notes.txt"_s) + u": line 2 is neither [section] nor key = value"_s,
        false);
    row("sites binary", {u"search"_s, u"--list"_s, u"--sites"_s, m_dir.filePath(u"picture.png"_s)},
        u"cannot read "_s + m_dir.filePath(u"picture.png"_s) + u": not a text file"_s, false);
    row("sites key outside a section", {u"--check-sites"_s, u"--sites="_s + m_dir.filePath(u"loose.ini"_s)},
        u"cannot read "_s + m_dir.filePath(u"loose.ini"_s) + u": line 1 has key = value outside a [section]"_s,
        false);
}

void TestHeadless::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QFETCH(bool, usage);
    const Run result = runAs(arguments, displayless());
    QCOMPARE(result.exitCode, 2);
    const QStringList lines = result.err.split(u'\n');
    QCOMPARE(lines.first(), message);
    QCOMPARE(lines.value(1).startsWith(u"usage: juyuanxia"_s), usage);
    QVERIFY(result.out.isEmpty());
    QVERIFY(m_demo.requests().isEmpty());
}

// The window stops on a site file it cannot read: the reason on standard
// error first, then a message box (which nobody answers here).
void TestHeadless::windowStopsOnUnreadableSites()
{
    QTemporaryDir home;
    QProcessEnvironment environment = displayless();
    // Qt's own word about a missing runtime directory would come first.
    environment.insert(u"XDG_RUNTIME_DIR"_s, home.path());
    QProcess program;
    const auto end = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    program.setProcessEnvironment(environment);
    const QString missing = m_dir.filePath(u"missing.ini"_s);
    program.start(QStringLiteral(JYX_PROGRAM), {u"-platform"_s, u"offscreen"_s, u"--home"_s, home.path(),
                                                u"--sites"_s, missing});
    QSignalSpy errorOutput(&program, &QProcess::readyReadStandardError);
    QSignalSpy finished(&program, &QProcess::finished);
    QString err;
    while (!err.contains(u'\n') && finished.isEmpty() && errorOutput.wait(60000))
        err += QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(err.section(u'\n', 0, 0), u"cannot read "_s + missing + u": no such file"_s);
    QVERIFY(m_demo.requests().isEmpty());
}

// Without --sites and no sites.ini anywhere the program still runs, and
// says where it looked.
void TestHeadless::noSitesFileFound()
{
    const QString programDir = QFileInfo(QStringLiteral(JYX_PROGRAM)).absolutePath();
    if (QFileInfo::exists(programDir + u"/sites.ini"_s))
        QSKIP("a sites.ini lies beside the program");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"user"_s));
    environment.insert(u"XDG_CONFIG_DIRS"_s, m_dir.filePath(u"system"_s));
    const Run result = runAs({u"--check-sites"_s}, environment);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err.section(u'\n', 0, 0),
             u"juyuanxia: no sites.ini found in "_s + programDir + u"/sites.ini, "_s + m_dir.filePath(u"user"_s)
                 + u"/juyuanxia/sites.ini, "_s + m_dir.filePath(u"system"_s)
                 + u"/juyuanxia/sites.ini; no site is configured"_s);
    QCOMPARE(result.err.section(u'\n', 1, 1), u"no site is configured"_s);
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
