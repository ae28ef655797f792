#include "demo/demomedia.h"
#include "shell/mediaplayer.h"
#include "shell/windowshell.h"
#include "support/testharness.h"
#include "ui/audiooutputguard.h"

#include <QAudioOutput>
#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTest>

using namespace Qt::StringLiterals;

// The start-up sound on the machine the tests run on. Where it has no audio
// device (CI, containers), playing used to crash the program inside the
// media back end; the sound must stay silent instead.
class TestStartupSound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startupSoundPlaysToItsEnd();
    void outputFollowsTheDevices();
};

void TestStartupSound::startupSoundPlaysToItsEnd()
{
    TestHarness h;
    QFile sound(h.home.filePath(u"lz.mp3"_s));
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.write(DemoMedia::toneWav(1500)); // the back end reads the content, not the name
    sound.close();

    h.window();
    MediaPlayer *w1 = h.window().shell()->player(1);
    QCOMPARE(w1->source(), sound.fileName());
    QCOMPARE(w1->volume(), 100);
    auto *player = w1->findChild<QMediaPlayer *>();
    QVERIFY(player);
    // It really plays: the file is loaded and the player runs.
    QTRY_VERIFY_WITH_TIMEOUT(player->playbackState() == QMediaPlayer::PlayingState
                                 && (player->mediaStatus() == QMediaPlayer::LoadedMedia
                                     || player->mediaStatus() == QMediaPlayer::BufferedMedia
                                     || player->mediaStatus() == QMediaPlayer::EndOfMedia),
                             20000);
    QVERIFY(w1->isPlaying());
    // Past the sound's length the program still runs (it used to die here).
    QTest::qWait(2500);
    QCOMPARE(player->error(), QMediaPlayer::NoError);
    QVERIFY(h.window().isVisible());
}

void TestStartupSound::outputFollowsTheDevices()
{
    QMediaPlayer *player = AudioOutputGuard::createPlayer(this);
    AudioOutputGuard guard(player);
    QCOMPARE(guard.hasOutput(), !QMediaDevices::audioOutputs().isEmpty());
    QCOMPARE(player->audioOutput() != nullptr, guard.hasOutput());
    guard.setVolume(0.5f);
    if (player->audioOutput())
        QCOMPARE(player->audioOutput()->volume(), 0.5f);
    delete player;
}

QTEST_MAIN(TestStartupSound)
#include "tst_startupsound.moc"
