#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The program itself under Xvfb: --demo --screenshot starts the whole shell
// on the demo sites, waits for the version check and the first
// announcement, saves the window and ends by itself with exit code 0.
class TestScreenshot : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void demoScreenshotShowsTheWholeWindow_data();
    void demoScreenshotShowsTheWholeWindow();
};

void TestScreenshot::demoScreenshotShowsTheWholeWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("after the first announcement") << QStringList();
    // Saved only once every source of the search has answered.
    QTest::newRow("after a search on 聚合搜索") << QStringList{u"--find"_s, u"变形金刚"_s};
}

void TestScreenshot::demoScreenshotShowsTheWholeWindow()
{
    QFETCH(QStringList, arguments);
    const QString xvfb = QStandardPaths::findExecutable(u"xvfb-run"_s);
    if (xvfb.isEmpty())
        QSKIP("xvfb-run is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString shot = dir.filePath(u"shot.png"_s);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"QT_QPA_PLATFORM"_s);
    program.setProcessEnvironment(env);
    program.start(xvfb, QStringList{u"-a"_s, u"-s"_s, u"-screen 0 1280x900x24"_s, QStringLiteral(JYX_PROGRAM),
                                    u"--demo"_s, u"--home"_s, dir.path(), u"--screenshot"_s, shot}
                            + arguments);
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForFinished(120000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    const QImage image(shot);
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() >= 900 && image.height() >= 600,
             qPrintable(QString::number(image.width()) + u"x"_s + QString::number(image.height())));
    // A real window has many colours: the image buttons, tab strips, text.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    }
    QVERIFY2(colours.size() > 50, qPrintable(QString::number(colours.size())));
    // The cover picture is gone: the version check unlocked the window.
    const QRgb cover = image.pixel(image.width() / 2, image.height() / 2);
    QVERIFY(qBlue(cover) < 120 || qRed(cover) > 120);
    // Start-up wrote no settings file.
    QVERIFY(!QFile::exists(dir.filePath(u"jyxq.ini"_s)));
}

QTEST_GUILESS_MAIN(TestScreenshot)
#include "tst_screenshot.moc"
