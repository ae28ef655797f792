#include "core/siteconfig.h"
#include "demo/demoserver.h"
#include "shell/sourcetable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
    // The first request the site received, exactly as the window sends it.
    QTest::addColumn<QString>("request");

    QTest::newRow("ed2k") << u"ed2k"_s << u"地球"_s << u"2"_s << 20
                          << u"xh=1|mc= 地球 第21个文件.mkv|dz={base}/ShowFile.asp?FileID=5021"_s
                          << u"/ed2k_search/FileList.asp?PageIndex=2&SearchWord=%E5%9C%B0%E7%90%83"_s;
    QTest::newRow("ed2k, no hit") << u"ed2k"_s << u"无结果"_s << u"1"_s << 0 << QString()
                                  << u"/ed2k_search/FileList.asp?SearchWord=%E6%97%A0%E7%BB%93%E6%9E%9C"_s;
}

void TestHeadless::search()
{
    QFETCH(QString, source);
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(int, rows);
    QFETCH(QString, first);
    QFETCH(QString, request);

    const HeadlessSource *known = findHeadlessSource(source);
    QVERIFY(known);
    const Run json = run({u"search"_s, source, keyword, u"--page"_s, page, u"--format"_s, u"json"_s});
    QCOMPARE(json.exitCode, 0);
    QVERIFY2(json.err.isEmpty(), qPrintable(json.err));
    QVERIFY(!m_demo.requests().isEmpty());
    QCOMPARE(m_demo.requests().first(), request);
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
    for (const QString &line : listed.out.split(u'\n', Qt::SkipEmptyParts))
        names.append(line.section(u'\t', 0, 0));
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
