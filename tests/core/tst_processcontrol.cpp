#include "core/procfsprocesscontrol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

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

// waitForStarted() returns while the child may still be inside execve, its
// comm and cmdline still the parent's; wait until both show the child's own name.
static bool showsOwnName(qint64 pid, const QString &name)
{
    const QString dir = u"/proc/"_s + QString::number(pid);
    QFile comm(dir + u"/comm"_s);
    QFile cmdline(dir + u"/cmdline"_s);
    if (!comm.open(QIODevice::ReadOnly) || !cmdline.open(QIODevice::ReadOnly))
        return false;
    const QByteArray argv0 = cmdline.readAll().split('\0').value(0);
    return comm.readAll().trimmed() == name.left(15).toUtf8() && argv0.endsWith(QByteArray(QByteArray("/") + name.toUtf8()));
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
    QDeadlineTimer deadline(5000);
    while (!showsOwnName(process->processId(), name)) {
        if (deadline.hasExpired())
            qFatal("%s never showed its name", qPrintable(path));
        QThread::msleep(5);
    }
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
    // A child of this test that ends at once and is not reaped until the row
    // ends: a zombie under its own name meanwhile.
    const QString name = tagged(u"z"_s); // short enough for comm to hold it whole
    const QString path = m_dir.filePath(name);
    QVERIFY(QFile::copy(u"/bin/true"_s, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
    const QByteArray file = QFile::encodeName(path);
    char *argv[] = {const_cast<char *>(file.constData()), nullptr};
    pid_t pid = 0;
    QCOMPARE(posix_spawn(&pid, file.constData(), nullptr, nullptr, argv, environ), 0);
    const auto reap = qScopeGuard([pid] { waitpid(pid, nullptr, 0); });
    // WNOWAIT: wait for the end without reaping it.
    siginfo_t info{};
    QCOMPARE(waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT), 0);
    QFile stat(u"/proc/"_s + QString::number(pid) + u"/stat"_s);
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QVERIFY2(stat.readAll().contains(QByteArray("(" + name.toUtf8() + ") Z")), "the child is not a zombie of its name");
    ProcfsProcessControl control;
    QVERIFY(!control.exitproc(name));
}

QTEST_GUILESS_MAIN(TestProcessControl)
#include "tst_processcontrol.moc"
