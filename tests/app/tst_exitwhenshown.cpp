#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The program itself, offscreen, with --exit-when-shown (the start-up
// benchmark's flag): it ends by itself once the window is shown, having
// sent no request and made no browser view, and writes no settings.
class TestExitWhenShown : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsOnceShownWithoutTouchingAnything_data();
    void endsOnceShownWithoutTouchingAnything();
};

void TestExitWhenShown::endsOnceShownWithoutTouchingAnything_data()
{
    QTest::addColumn<bool>("demo");
    QTest::newRow("demo sites (version check armed)") << true;
    QTest::newRow("sites file without addresses") << false;
}

void TestExitWhenShown::endsOnceShownWithoutTouchingAnything()
{
    QFETCH(bool, demo);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList arguments = {u"--exit-when-shown"_s, u"--home"_s, dir.path()};
    if (demo) {
        arguments.append(u"--demo"_s);
    } else {
        QFile sites(dir.filePath(u"sites.ini"_s));
        QVERIFY(sites.open(QIODevice::WriteOnly));
        sites.write("[sites]\n");
        sites.close();
        arguments += {u"--sites"_s, sites.fileName()};
    }
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(JYX_PROGRAM), arguments);
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    const QString output = QString::fromUtf8(program.readAllStandardOutput()).trimmed();
    const QStringList fields = output.split(u' ');
    QCOMPARE(fields.size(), 3);
    QVERIFY2(fields.at(0).startsWith(u"shown_at_epoch_ms="_s), qPrintable(output));
    QVERIFY(fields.at(0).mid(18).toLongLong() > 0);
    QCOMPARE(fields.at(1), u"requests=0"_s);
    QCOMPARE(fields.at(2), u"browser_views=0"_s);
    QVERIFY(!QFile::exists(dir.filePath(u"jyxq.ini"_s)));
}

QTEST_GUILESS_MAIN(TestExitWhenShown)
#include "tst_exitwhenshown.moc"
