#include "core/procfsprocesscontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Real processes with chosen executable names: a copy of sleep(1). Every
// name carries this test's own tag, so that tests running beside it (which
// start and kill an "iexplore.exe" of their own) neither see nor kill ours.
class TestProcessControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exactNamesOnly_data();
    void exactNamesOnly();
    void longNamesMatchThroughArgv0();
    void taskkillEndsOnlyThatName();
    void endedButUnreapedIsNotRunning();

private:
    QProcess *startAs(const QString &name);
    static QString tagged(const QString &name);

    QTemporaryDir m_dir;
    QList<QProcess *> m_running;
};

void TestProcessControl::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(u"/bin/sleep"_s));
}

QString TestProcessControl::tagged(const QString &name)
{
    return u"t"_s + QString::number(QCoreApplication::applicationPid()) + u"-"_s + name;
}

QProcess *TestProcessControl::startAs(const QString &name)
{
    const QString path = m_dir.filePath(name);
    if (!QFile::exists(path))
        QFile::copy(u"/bin/sleep"_s, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser);
    auto *process = new QProcess(this);
    process->start(path, {u"30"_s});
    if (!process->waitForStarted())
        qFatal("could not start %s", qPrintable(path));
    m_running.append(process);
    return process;
}

void TestProcessControl::exactNamesOnly_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("found");
    QTest::newRow("same name") << u"iexplore.exe"_s << u"iexplore.exe"_s << true;
    QTest::newRow("letter case differs") << u"IExplore.exe"_s << u"iexplore.exe"_s << false;
    QTest::newRow("a prefix is not the name") << u"iexplore.exe"_s << u"iexplore"_s << false;
    QTest::newRow("a longer name is not the name") << u"iexplore.exe2"_s << u"iexplore.exe"_s << false;
}

void TestProcessControl::exactNamesOnly()
{
    QFETCH(QString, running);
    QFETCH(QString, asked);
    QFETCH(bool, found);
    running = tagged(running);
    asked = tagged(asked);
    ProcfsProcessControl control;
    QVERIFY(!control.exitproc(asked));
    QProcess *process = startAs(running);
    QCOMPARE(control.exitproc(asked), found);
    process->kill();
    process->waitForFinished();
    QVERIFY(!control.exitproc(asked));
}

void TestProcessControl::longNamesMatchThroughArgv0()
{
    // The kernel keeps only 15 characters of a name in comm.
    ProcfsProcessControl control;
    const QString name = tagged(u"QvodTerminal.exe"_s);
    QProcess *process = startAs(name);
    QVERIFY(control.exitproc(name));
    QVERIFY(!control.exitproc(name.left(15))); // what comm shows is not the name
    QVERIFY(!control.exitproc(name.chopped(1) + u"x"_s));
    process->kill();
    process->waitForFinished();
}

void TestProcessControl::taskkillEndsOnlyThatName()
{
    ProcfsProcessControl control;
    QProcess *player = startAs(tagged(u"QvodPlayer.exe"_s));
    QProcess *other = startAs(tagged(u"qvodplayer.exe"_s));
    control.taskkill(tagged(u"QvodPlayer.exe"_s));
    QVERIFY(player->waitForFinished(5000));
    QCOMPARE(player->exitStatus(), QProcess::CrashExit); // killed, not ended by itself
    QCOMPARE(other->state(), QProcess::Running);
    control.taskkill(tagged(u"NotRunning.exe"_s)); // changes nothing
    QCOMPARE(other->state(), QProcess::Running);
    other->kill();
    other->waitForFinished();
}

void TestProcessControl::endedButUnreapedIsNotRunning()
{
    // The child ends at once; its parent (sleep) never reaps it, so it stays
    // a zombie under its name until the parent ends.
    const QString name = tagged(u"z"_s); // short enough for comm to hold it whole
    const QString path = m_dir.filePath(name);
    QVERIFY(QFile::copy(u"/bin/true"_s, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
    QProcess parent;
    parent.start(u"/bin/sh"_s, {u"-c"_s, u"\"$0\" & exec sleep 30"_s, path});
    QVERIFY(parent.waitForStarted());
    auto zombieExists = [&] {
        const QStringList pids = QDir(u"/proc"_s).entryList({u"[0-9]*"_s}, QDir::Dirs);
        for (const QString &pid : pids) {
            QFile stat(u"/proc/"_s + pid + u"/stat"_s);
            if (stat.open(QIODevice::ReadOnly)) {
                const QByteArray text = stat.readAll();
                if (text.contains(QByteArray("(" + name.toUtf8() + ") Z")))
                    return true;
            }
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(zombieExists(), 10000);
    ProcfsProcessControl control;
    QVERIFY(!control.exitproc(name));
    parent.kill();
    parent.waitForFinished();
}

QTEST_GUILESS_MAIN(TestProcessControl)
#include "tst_processcontrol.moc"
