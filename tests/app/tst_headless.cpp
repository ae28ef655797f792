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
