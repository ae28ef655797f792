#include "ui/audiooutputguard.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>

QMediaPlayer *AudioOutputGuard::createPlayer(QObject *parent)
{
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    return new QMediaPlayer(parent);
}

AudioOutputGuard::AudioOutputGuard(QMediaPlayer *player, QObject *parent)
    : QObject(parent)
    , m_player(player)
    , m_devices(new QMediaDevices(this))
{
    connect(m_devices, &QMediaDevices::audioOutputsChanged, this, &AudioOutputGuard::follow);
    follow();
}

void AudioOutputGuard::setVolume(float volume)
{
    m_volume = volume;
    if (m_output)
        m_output->setVolume(volume);
}

bool AudioOutputGuard::hasOutput() const
{
    return m_output != nullptr;
}

void AudioOutputGuard::follow()
{
    if (!m_player)
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const bool available = !device.isNull() && !QMediaDevices::audioOutputs().isEmpty();
    if (!available) {
        if (m_output) {
            // Detach while paused, so no sample goes to the vanished device.
            const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
            if (playing)
                m_player->pause();
            m_player->setAudioOutput(nullptr);
            delete m_output;
            m_output = nullptr;
            if (playing)
                m_player->play();
        }
        return;
    }
    if (!m_output) {
        m_output = new QAudioOutput(device, this);
        m_output->setVolume(m_volume);
        m_player->setAudioOutput(m_output);
    } else if (m_output->device() != device) {
        m_output->setDevice(device);
    }
}
