#include "shell/mediaplayer.h"

#include "ui/audiooutputguard.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

MediaPlayer::MediaPlayer(const QString &name, QObject *parent)
    : QObject(parent)
{
    setObjectName(name);
}

void MediaPlayer::setVolume(int volume)
{
    m_volume = qBound(0, volume, 100);
    if (m_audio)
        m_audio->setVolume(float(m_volume) / 100.0f);
}

int MediaPlayer::volume() const
{
    return m_volume;
}

bool MediaPlayer::play(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    if (!m_player) {
        m_player = AudioOutputGuard::createPlayer(this);
        m_audio = new AudioOutputGuard(m_player, this);
    }
    m_audio->setVolume(float(m_volume) / 100.0f);
    m_source = file.absoluteFilePath();
    m_player->setSource(QUrl::fromLocalFile(m_source));
    m_player->play();
    return true;
}

void MediaPlayer::stop()
{
    if (m_player)
        m_player->stop();
}

QString MediaPlayer::source() const
{
    return m_source;
}

bool MediaPlayer::isPlaying() const
{
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}
