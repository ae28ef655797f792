#include "core/searchlimits.h"
#include "core/siteconfig.h"
#include "demo/demoserver.h"
#include "support/hostileserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

// The program without a window against one site that answers badly, the
// others being the demo sites: it ends (a trickling site at its deadline,
// well before the trickle would), the other sources' rows and lines still
// print, and a stated page count draws no more requests than a search may
// make. Also what the command line says of an unconfigured site, a search
// where nothing answered and a second source on one site.
class TestHostileHeadless : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void againstHostileSite_data();
    void againstHostileSite();
    void whatTheCommandLineSays_data();
    void whatTheCommandLineSays();

private:
    struct Run
    {
        int exitCode = -1;
        QStringList out;
        QStringList err;
    };
    // The demo's sites, `hostileKey` on the hostile server, the keys of
    // `missing` left out, `dead` keys on a port nobody listens on.
    QString writeSites(const QString &hostileKey, const QStringList &missing = {}, bool everyKeyDead = false,
                       bool netdiskFilters = true);
    Run run(const QStringList &arguments);

    DemoServer m_demo;
    HostileServer m_hostile;
    QTemporaryDir m_dir;
};

void TestHostileHeadless::initTestCase()
{
    QVERIFY(m_demo.start());
    QVERIFY(m_hostile.start());
    QVERIFY(m_dir.isValid());
    m_hostile.setDemoRoot(m_demo.root());
}

QString TestHostileHeadless::writeSites(const QString &hostileKey, const QStringList &missing, bool everyKeyDead,
                                        bool netdiskFilters)
{
    const SiteConfig demo = m_demo.siteConfig();
    QString ini = u"[sites]\n"_s;
    for (const QString &key : SiteConfig::siteKeys()) {
        if (missing.contains(key))
            continue;
        const QString base = everyKeyDead       ? u"http://127.0.0.1:1/"_s + key
                             : key == hostileKey ? m_hostile.root() + u'/' + key
                                                 : demo.site(key);
        ini += key + u" = "_s + base + u'\n';
    }
    ini += u"[netdisk]\n"_s;
    for (int i = 0; i < 24 && netdiskFilters; ++i)
        ini += QString::number(i) + u" = "_s + demo.netdiskFilter(i) + u'\n';
    // Short, so that every run stays fast; the transfer time-out longer than
    // the deadline, so that only the deadline can end a trickle.
    ini += u"[network]\ntimeout_ms = 3000\ndeadline_ms = 2000\n"_s;
    const QString path = m_dir.filePath(u"sites.ini"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(ini.toUtf8());
    return path;
}

TestHostileHeadless::Run TestHostileHeadless::run(const QStringList &arguments)
{
    QProcess program;
    // Both servers answer from this thread: wait with its loop running.
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(QStringLiteral(JYX_PROGRAM), arguments);
    Run result;
    // Far shorter than the trickle (HostileServer::SlowLorisBytes seconds),
    // far longer than a deadline or two.
    if (!finished.wait(60000)) {
        program.kill();
        program.waitForFinished();
        return result;
    }
    if (program.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = program.exitCode();
    result.out = QString::fromUtf8(program.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.err = QString::fromUtf8(program.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return result;
}

void TestHostileHeadless::againstHostileSite_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("hostileKey");
    QTest::addColumn<int>("hostileCase");
    QTest::addColumn<QByteArray>("marker"); // the row marker ManyRows repeats
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errLine"); // a line of standard error, a regular expression; empty: none
    QTest::addColumn<QString>("outLine"); // a line of standard output, likewise
    QTest::addColumn<int>("outLines");    // -1: any number
    QTest::addColumn<int>("maxRequests"); // the hostile server's, -1: any

    const QStringList torrent = {u"search"_s, u"torrent"_s, u"电影"_s};
    const QStringList all = {u"search"_s, u"all"_s, u"电影"_s};
    const QStringList check = {u"--check-sites"_s};
    const int trickle = int(HostileServer::Case::SlowLoris);
    const int pages = int(HostileServer::Case::HugePageCount);
    const int maxPages = SearchLimits::MaxPages;
    const QString timeout = u"\\ttimeout\\t连接超时 \\(\\d+\\.\\d s\\)$"_s;

    QTest::addRow("search, trickle") << torrent << u"torrent_search"_s << trickle << QByteArray() << 1
                                     << (u"^torrent_search\\t.*"_s + timeout) << u"^xh\\tmc\\t"_s << 1 << -1;
    QTest::addRow("search all, trickle") << all << u"torrent_search"_s << trickle << QByteArray() << 0
                                         << (u"^torrent\\t.*"_s + timeout) << u"^rss\\t"_s << -1 << -1;
    QTest::addRow("check-sites, trickle") << check << u"torrent_search"_s << trickle << QByteArray() << 1 << QString()
                                          << u"^torrent_search\\t.*\\ttimeout\\t0\\t\\d+$"_s
                                          << int(SiteConfig::siteKeys().size()) << -1;
    QTest::addRow("check-sites, trickle, others") << check << u"torrent_search"_s << trickle << QByteArray() << 1
                                                  << QString() << u"^rss_feed\\t.*\\tok\\t[1-9]\\d*\\t\\d+$"_s << -1
                                                  << -1;
    QTest::addRow("search, two billion pages") << QStringList{u"search"_s, u"qvod-search"_s, u"电影"_s}
                                               << u"qvod_search"_s << pages << QByteArray() << 0 << QString()
                                               << u"^25\\t电影 结果1\\t"_s << -1 << maxPages;
    QTest::addRow("search all, two billion pages") << all << u"qvod_search"_s << pages << QByteArray() << 0
                                                   << QString() << u"^qvod-search\\t"_s << -1 << maxPages;
    QTest::addRow("check-sites, two billion pages") << check << u"qvod_search"_s << pages << QByteArray() << 0
                                                    << QString() << u"^qvod_search\\t.*\\tok\\t[1-9]\\d*\\t\\d+$"_s
                                                    << -1 << maxPages;
    QTest::addRow("search, redirect to a file")
        << torrent << u"torrent_search"_s << int(HostileServer::Case::RedirectToFile) << QByteArray() << 1
        << u"^torrent_search\\t.*\\tredirect-refused\\t重定向被拒绝$"_s << u"^xh\\tmc\\t"_s << 1 << -1;
    // The header and the rows a list holds, and the cut said.
    QTest::addRow("search, more rows than a list holds")
        << torrent << u"torrent_search"_s << int(HostileServer::Case::ManyRows) << QByteArray("magnet:?") << 0
        << u"^torrent\\t.*\\tlist-cut\\t页面有 \\d+ 条，列表只列出前 32767 条$"_s << u"^xh\\tmc\\t"_s
        << int(SearchLimits::MaxListRows) + 1 << -1;
}

void TestHostileHeadless::againstHostileSite()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, hostileKey);
    QFETCH(int, hostileCase);
    QFETCH(QByteArray, marker);
    QFETCH(int, exitCode);
    QFETCH(QString, errLine);
    QFETCH(QString, outLine);
    QFETCH(int, outLines);
    QFETCH(int, maxRequests);
    m_hostile.setCase(HostileServer::Case(hostileCase));
    if (!marker.isEmpty())
        m_hostile.setStartMarker(marker);
    m_hostile.resetCounters();
    const Run result = run(arguments + QStringList{u"--sites"_s, writeSites(hostileKey)});
    QCOMPARE(result.exitCode, exitCode);
    const auto has = [](const QStringList &lines, const QString &pattern) {
        const QRegularExpression expression(pattern);
        return std::any_of(lines.cbegin(), lines.cend(),
                           [&expression](const QString &line) { return expression.match(line).hasMatch(); });
    };
    if (!errLine.isEmpty())
        QVERIFY2(has(result.err, errLine), qPrintable(result.err.join(u'\n')));
    QVERIFY2(has(result.out, outLine), qPrintable(result.out.mid(0, 20).join(u'\n')));
    if (outLines >= 0)
        QCOMPARE(result.out.size(), outLines);
    QVERIFY(m_hostile.requestCount() > 0);
    if (maxRequests >= 0)
        QVERIFY2(m_hostile.requestCount() <= maxRequests, qPrintable(QString::number(m_hostile.requestCount())));
}

void TestHostileHeadless::whatTheCommandLineSays_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("missing"); // site keys without an address
    QTest::addColumn<bool>("everyKeyDead");
    QTest::addColumn<bool>("netdiskFilters");
    QTest::addColumn<bool>("secondSource"); // a user's source on the torrent site
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errLine");
    QTest::addColumn<QString>("outLine");
    QTest::addColumn<int>("outMatches"); // lines of standard output that match outLine

    // A built-in's site without an address is not configured, as a user's is.
    QTest::addRow("search, unconfigured built-in")
        << QStringList{u"search"_s, u"torrent"_s, u"电影"_s} << QStringList{u"torrent_search"_s} << false << true
        << false << 1 << u"^torrent_search\\t/search/.*\\tnot-configured\\t未配置地址$"_s << u"^xh\\tmc\\t"_s << 1;
    // Every site down and no netdisk filter (which fetches nothing): no
    // source answered.
    QTest::addRow("search all, nothing answered")
        << QStringList{u"search"_s, u"all"_s, u"电影"_s} << QStringList() << true << false << false << 1
        << u"^torrent\\t.*\\trefused\\t连接被拒绝$"_s << u"^source\\tname\\tsize\\tdate\\taddress$"_s << 1;
    // Both sources of the torrent site are tried, each a line of its own.
    QTest::addRow("check-sites, two sources on one site")
        << QStringList{u"--check-sites"_s} << QStringList() << false << true << true << 0 << QString()
        << u"^torrent_search\\t.*\\tok\\t[1-9]\\d*\\t\\d+$"_s << 2;
}

void TestHostileHeadless::whatTheCommandLineSays()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, missing);
    QFETCH(bool, everyKeyDead);
    QFETCH(bool, netdiskFilters);
    QFETCH(bool, secondSource);
    QFETCH(int, exitCode);
    QFETCH(QString, errLine);
    QFETCH(QString, outLine);
    QFETCH(int, outMatches);
    QStringList extra = {u"--sites"_s, writeSites(QString(), missing, everyKeyDead, netdiskFilters)};
    if (secondSource) {
        // The built-in torrent definition under a name of its own, on the same site.
        QFile builtIn(QStringLiteral(JYX_SOURCE_DIR) + u"/definitions/torrent.toml"_s);
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(builtIn.readAll());
        text.replace(u"name = \"torrent\""_s, u"name = \"torrent-mine\""_s);
        text.replace(u"\"{base}/search/{keyword}/{page}\""_s, u"\"{base}/search/{keyword}/{page}?mine=1\""_s);
        QDir().mkpath(m_dir.filePath(u"definitions"_s));
        QFile mine(m_dir.filePath(u"definitions/torrent-mine.toml"_s));
        QVERIFY(mine.open(QIODevice::WriteOnly | QIODevice::Truncate));
        mine.write(text.toUtf8());
        mine.close();
        extra += {u"--definitions"_s, m_dir.filePath(u"definitions"_s)};
    }
    const Run result = run(arguments + extra);
    QCOMPARE(result.exitCode, exitCode);
    if (!errLine.isEmpty()) {
        const QRegularExpression expression(errLine);
        QVERIFY2(std::any_of(result.err.cbegin(), result.err.cend(),
                             [&expression](const QString &line) { return expression.match(line).hasMatch(); }),
                 qPrintable(result.err.join(u'\n')));
    }
    const QRegularExpression expression(outLine);
    const auto matches = std::count_if(result.out.cbegin(), result.out.cend(),
                                       [&expression](const QString &line) { return expression.match(line).hasMatch(); });
    QVERIFY2(matches == outMatches, qPrintable(result.out.join(u'\n')));
    if (secondSource)
        QVERIFY(result.out.filter(u"mine=1"_s).size() == 1);
}

QTEST_GUILESS_MAIN(TestHostileHeadless)
#include "tst_hostileheadless.moc"
