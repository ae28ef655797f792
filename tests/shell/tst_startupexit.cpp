#include "core/texttools.h"
#include "shell/browserclosetimer.h"
#include "shell/exitflow.h"
#include "shell/mediaplayer.h"
#include "shell/windowshell.h"
#include "support/testharness.h"
#include "ui/resultlist.h"
#include "windows/festivewindow.h"

#include "recordingprocesses.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Start-up acting on each setting, and the exit question with its clean-up.
class TestStartupExit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void noSettingsFileTurnsEverythingOff();
    void eachKeyActsAtStart_data();
    void eachKeyActsAtStart();
    void musicPlaysOnlyAnExistingFile();
    void festiveWindowFollowsAMove();
    void exitQuestion_data();
    void exitQuestion();
    void exitWithoutFlagsKillsNothing();
    void browserCloseTimerKillsExactNameOnly();

private:
    void writeSettings(const QString &key, const QString &value);
    WindowShell *shell();

    std::unique_ptr<TestHarness> m_h;
    RecordingProcesses m_processes;
};

void TestStartupExit::init()
{
    m_h = std::make_unique<TestHarness>();
    m_processes = RecordingProcesses();
    m_h->services.processes = &m_processes;
}

void TestStartupExit::cleanup()
{
    m_h.reset();
}

void TestStartupExit::writeSettings(const QString &key, const QString &value)
{
    QFile file(m_h->home.filePath(u"jyxq.ini"_s));
    QVERIFY(file.open(QIODevice::Append));
    if (file.size() == 0)
        file.write(toGbk(u"[信息设置]\r\n"));
    file.write(toGbk(QString(key + u"="_s + value + u"\r\n"_s)));
}

WindowShell *TestStartupExit::shell()
{
    return m_h->window().shell();
}

void TestStartupExit::noSettingsFileTurnsEverythingOff()
{
    shell();
    QVERIFY(!shell()->festiveWindow()->isVisible());
    QVERIFY(shell()->player(2)->source().isEmpty());
    QVERIFY(!m_h->child<QCheckBox>(u"Check1"_s)->isChecked());
    QVERIFY(!shell()->browserCloseTimer()->isActive());
    QVERIFY(!shell()->exitFlow().killPlayer());
    QVERIFY(!shell()->exitFlow().killTransfer());
    QVERIFY(m_processes.killed.isEmpty());
    QVERIFY(!QFile::exists(m_h->home.filePath(u"jyxq.ini"_s))); // never created with defaults
    QCOMPARE(shell()->player(1)->volume(), 100);
    QVERIFY(shell()->player(1)->source().isEmpty()); // no lz.mp3 in the home directory
}

void TestStartupExit::eachKeyActsAtStart_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    for (const QString &key : {u"春节元素"_s, u"新年音乐"_s, u"关闭快播"_s, u"关闭协议"_s, u"禁止启动"_s,
                               u"阅读协议"_s, u"屏蔽快播广告"_s}) {
        QTest::newRow(qPrintable(key)) << key << u"是"_s;
        QTest::newRow(qPrintable(key + u" off"_s)) << key << u"否"_s;
    }
}

void TestStartupExit::eachKeyActsAtStart()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const bool on = value == u"是"_s;
    writeSettings(key, value);
    shell();
    QTRY_COMPARE(shell()->festiveWindow()->isVisible(), on && key == u"春节元素"_s);
    QCOMPARE(shell()->player(2)->volume(), on && key == u"新年音乐"_s ? 50 : 100);
    QCOMPARE(shell()->exitFlow().killPlayer(), on && key == u"关闭快播"_s);
    QCOMPARE(shell()->exitFlow().killTransfer(), on && key == u"关闭协议"_s);
    const QStringList startKills = {u"QvodPlayer.exe"_s, u"QvodTerminal.exe"_s};
    QCOMPARE(m_processes.killed, on && key == u"禁止启动"_s ? startKills : QStringList());
    QCOMPARE(m_h->child<QCheckBox>(u"Check1"_s)->isChecked(), on && key == u"阅读协议"_s);
    QCOMPARE(shell()->browserCloseTimer()->isActive(), on && key == u"屏蔽快播广告"_s);
    QCOMPARE(shell()->browserCloseTimer()->interval(), 10);
}

void TestStartupExit::musicPlaysOnlyAnExistingFile()
{
    writeSettings(u"新年音乐"_s, u"是"_s);
    QFile sound(m_h->home.filePath(u"xn.mp3"_s));
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.write(QByteArray(64, '\0'));
    sound.close();
    shell();
    QCOMPARE(shell()->player(2)->volume(), 50);
    QCOMPARE(shell()->player(2)->source(), sound.fileName());
    QVERIFY(shell()->player(1)->source().isEmpty()); // lz.mp3 is missing
}

void TestStartupExit::festiveWindowFollowsAMove()
{
    writeSettings(u"春节元素"_s, u"是"_s);
    MainWindow &window = m_h->window();
    FestiveWindow *festive = shell()->festiveWindow();
    QTRY_VERIFY(festive->isVisible());
    QVERIFY(festive->windowFlags() & Qt::FramelessWindowHint);
    const qreal dpi = window.screen()->logicalDotsPerInch();
    QTRY_COMPARE(festive->geometry().topLeft(), FestiveWindow::placeFor(window.pos(), dpi));
    window.move(window.pos() + QPoint(37, 21));
    QTRY_COMPARE(festive->geometry().topLeft(), FestiveWindow::placeFor(window.pos(), dpi));
    QCOMPARE(FestiveWindow::placeFor(QPoint(500, 300), 96), QPoint(320, 301));
    // The colour key is transparent, the picture itself is not.
    const QImage picture = FestiveWindow::keyedPicture();
    QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
    QCOMPARE(FestiveWindow::picture().pixel(0, 0), QColor(204, 45, 11).rgb());
    QCOMPARE(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
}

void TestStartupExit::exitQuestion_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("opensForum");
    QTest::newRow("yes") << QMessageBox::Yes << true << true;
    QTest::newRow("no") << QMessageBox::No << true << false;
    QTest::newRow("cancel") << QMessageBox::Cancel << false << false;
}

void TestStartupExit::exitQuestion()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, ends);
    QFETCH(bool, opensForum);
    writeSettings(u"关闭快播"_s, u"是"_s);
    writeSettings(u"关闭协议"_s, u"是"_s);
    MainWindow &window = m_h->window();
    QSignalSpy ended(shell(), &WindowShell::endProgram);
    auto *list = m_h->child<ResultList>(u"ListView1"_s);
    list->addRow(u"1"_s, {{u"mc"_s, u"保留的行"_s}});

    m_h->dialogs.answerNext(answer);
    window.close();
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.at(0).text,
             u"感谢您对小澈、对Lz系列的软件的支持!\n \n是否退出并到论坛可以下载更多Lz系列原创免费软件?"_s);
    QCOMPARE(m_h->dialogs.shown.at(0).icon, QMessageBox::Information);
    QCOMPARE(m_h->dialogs.shown.at(0).buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(ended.count(), ends ? 1 : 0);
    QCOMPARE(window.isVisible(), !ends);
    const QStringList exitKills = {u"QvodTerminal.exe"_s, u"QvodPlayer.exe"_s};
    QCOMPARE(m_processes.killed, ends ? exitKills : QStringList());
    QCOMPARE(m_h->opener.opened,
             opensForum ? QList<QUrl>{QUrl(m_h->services.sites.page(u"forum"_s))} : QList<QUrl>{});
    QCOMPARE(list->rowCount(), 1);
}

void TestStartupExit::exitWithoutFlagsKillsNothing()
{
    MainWindow &window = m_h->window();
    QSignalSpy ended(shell(), &WindowShell::endProgram);
    m_h->dialogs.answerNext(QMessageBox::No);
    window.close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(m_processes.killed.isEmpty());
}

void TestStartupExit::browserCloseTimerKillsExactNameOnly()
{
    // Real processes named by copies of sleep(1), and the real /proc scan.
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    auto start = [&bin](const QString &name) {
        const QString path = bin.filePath(name);
        QFile::copy(u"/bin/sleep"_s, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        auto process = std::make_unique<QProcess>();
        process->start(path, {u"60"_s});
        return process;
    };
    m_h->services.processes = &m_h->processes;
    writeSettings(u"屏蔽快播广告"_s, u"是"_s);
    shell();
    QVERIFY(shell()->browserCloseTimer()->isActive());

    auto other = start(u"IExplore.exe"_s);
    QVERIFY(other->waitForStarted());
    auto target = start(u"iexplore.exe"_s);
    QVERIFY(target->waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(target->state(), QProcess::NotRunning, 10000);
    QCOMPARE(target->exitStatus(), QProcess::CrashExit); // killed, not ended
    QVERIFY(shell()->browserCloseTimer()->kills() >= 1);
    QTest::qWait(100);
    QCOMPARE(other->state(), QProcess::Running);
    other->kill();
    other->waitForFinished();
}

QTEST_MAIN(TestStartupExit)
#include "tst_startupexit.moc"
