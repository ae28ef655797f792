#include "demo/demomediaserver.h"
#include "sources/playback/playerarea.h"
#include "sources/playback/qtmediabackend.h"
#include "support/testharness.h"
#include "ui/audiooutputguard.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

// The embedded player for real: Qt Multimedia plays the demo site's media
// file through "输入地址进行播放" on an X server (Xvfb), with no audio
// output where the machine has no audio device.
class TestRealPlayback : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void playsTheDemoMediaFile();
    void unplayableAddressShowsNoPlaying_data();
    void unplayableAddressShowsNoPlaying();

private:
    void playTyped(const QString &address);

    std::unique_ptr<TestHarness> m_h;
};

void TestRealPlayback::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(6);
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(true);
}

void TestRealPlayback::cleanup()
{
    m_h.reset();
}

void TestRealPlayback::playTyped(const QString &address)
{
    m_h->dialogs.answerNextInput(address);
    QTest::mouseClick(m_h->child<QPushButton>(u"Command53_11"_s), Qt::LeftButton);
}

void TestRealPlayback::playsTheDemoMediaFile()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    const DemoMediaServer *media = m_h->demo.findChild<DemoMediaServer *>();
    QVERIFY(media && !media->mediaAddress().isEmpty());
    playTyped(media->mediaAddress());
    QVERIFY(m_h->dialogs.shown.isEmpty()); // the player is available
    auto *label = m_h->child<QLabel>(u"Label32"_s);
    QTRY_VERIFY_WITH_TIMEOUT(label->text() == u"播放器状态：正在播放中.."_s
                                 || label->text() == u"播放器状态：播放结束.."_s,
                             30000);
    QVERIFY(media->requestCount() > 0);
    auto *area = m_h->window().findChild<PlayerArea *>(u"PlayerArea"_s);
    auto *backend = dynamic_cast<QtMediaBackend *>(area->backend());
    QVERIFY(backend);
    const AudioOutputGuard *guard = backend->audio();
    QVERIFY(guard);
    QCOMPARE(guard->hasOutput(), !QMediaDevices::audioOutputs().isEmpty());
    std::printf("audio devices: %d\n", int(QMediaDevices::audioOutputs().size()));
}

void TestRealPlayback::unplayableAddressShowsNoPlaying_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("a QVOD link") << u"qvod://123456|ABCDEF|影片.rmvb|"_s;
    QTest::newRow("nobody listening") << u"http://127.0.0.1:9/none.wav"_s;
}

void TestRealPlayback::unplayableAddressShowsNoPlaying()
{
    QFETCH(QString, address);
    playTyped(address);
    QVERIFY(m_h->dialogs.shown.isEmpty());
    auto *label = m_h->child<QLabel>(u"Label32"_s);
    auto *poll = m_h->window().findChild<QTimer *>(u"Timer16"_s);
    QSignalSpy ticks(poll, &QTimer::timeout);
    while (ticks.size() < 3)
        QVERIFY(ticks.wait(10000));
    QVERIFY2(label->text() == u"播放器状态：未播放"_s, qPrintable(label->text()));
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("JYX_UNDER_XVFB")) {
        // Run this very binary again on a fresh X server.
        QCoreApplication app(argc, argv);
        const QString xvfb = QStandardPaths::findExecutable(u"xvfb-run"_s);
        if (xvfb.isEmpty()) {
            std::printf("SKIP: xvfb-run is not installed\n");
            return 0;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"QT_QPA_PLATFORM"_s);
        env.insert(u"JYX_UNDER_XVFB"_s, u"1"_s);
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        QStringList arguments{u"-a"_s, u"-s"_s, u"-screen 0 1280x900x24"_s, QCoreApplication::applicationFilePath()};
        arguments += QCoreApplication::arguments().mid(1);
        run.start(xvfb, arguments);
        if (!run.waitForStarted() || !run.waitForFinished(240000))
            return 1;
        return run.exitStatus() == QProcess::NormalExit ? run.exitCode() : 1;
    }
    QApplication app(argc, argv);
    TestRealPlayback test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_realplayback.moc"
