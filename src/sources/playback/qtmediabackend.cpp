#include "sources/playback/qtmediabackend.h"

#include "sources/playback/playerstates.h"
#include "ui/audiooutputguard.h"

#include <QLayout>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

QtMediaBackend::QtMediaBackend(QWidget *screen, QObject *parent)
    : QObject(parent)
    , m_screen(screen)
{
}

const AudioOutputGuard *QtMediaBackend::audio() const
{
    return m_audio;
}

QMediaPlayer *QtMediaBackend::player()
{
    if (!m_player) {
        m_player = AudioOutputGuard::createPlayer(this);
        m_audio = new AudioOutputGuard(m_player, this);
        m_video = new QVideoWidget(m_screen);
        m_video->setObjectName(QStringLiteral("QvodCtrl1_video"));
        if (m_screen->layout())
            m_screen->layout()->addWidget(m_video);
        m_player->setVideoOutput(m_video);
    }
    return m_player;
}

bool QtMediaBackend::isAvailable()
{
    return player()->isAvailable();
}

void QtMediaBackend::setAddress(const QString &address)
{
    // Played as given: an address with a scheme as it is, anything else as a
    // local path or a host name.
    QUrl url(address, QUrl::TolerantMode);
    if (url.scheme().size() <= 1)
        url = QUrl::fromUserInput(address);
    // Not an address at all (a QVOD link with its "|" fields): nothing to
    // open, and an empty source would read as loaded.
    m_unplayable = !url.isValid() || url.isEmpty();
    player()->setSource(m_unplayable ? QUrl() : url);
}

void QtMediaBackend::play()
{
    if (!m_unplayable)
        player()->play();
}

void QtMediaBackend::pause()
{
    player()->pause();
}

void QtMediaBackend::stop()
{
    player()->stop();
}

int QtMediaBackend::stateCode() const
{
    if (!m_player)
        return PlayerStates::Ready;
    // A failed address reads as no known state: the label stays as it was.
    if (m_unplayable || m_player->error() != QMediaPlayer::NoError)
        return PlayerStates::Unknown;
    switch (m_player->mediaStatus()) {
    case QMediaPlayer::NoMedia: // the address could not be opened
    case QMediaPlayer::InvalidMedia:
        return PlayerStates::Unknown;
    case QMediaPlayer::LoadingMedia:
        return PlayerStates::Connecting;
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
        return PlayerStates::Buffering;
    case QMediaPlayer::EndOfMedia:
        return PlayerStates::Ended;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
        // The FFmpeg back end of Qt 6.4 reports an address it could not
        // open as loaded, without error, but with nothing in it.
        if (!m_player->hasAudio() && !m_player->hasVideo())
            return PlayerStates::Unknown;
        break;
    }
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return PlayerStates::Playing;
    case QMediaPlayer::PausedState:
        return PlayerStates::Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return PlayerStates::Stopped;
}
