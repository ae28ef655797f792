#pragma once

#include <QObject>
#include <QPointer>

class QAudioOutput;
class QMediaDevices;
class QMediaPlayer;

// Gives a media player an audio output only while the system has one. The
// multimedia back end crashes when a player with an output plays on a
// machine without any audio device (a container, a remote desktop, CI), so
// without a device the player plays silently (picture only), and an output
// whose device disappears is taken away before it is used again.
class AudioOutputGuard : public QObject
{
    Q_OBJECT

public:
    // The one way the program makes a media player: on the FFmpeg back end
    // (the GStreamer one crashes on machines without its base plugins).
    static QMediaPlayer *createPlayer(QObject *parent);

    AudioOutputGuard(QMediaPlayer *player, QObject *parent = nullptr);

    // 0.0 .. 1.0; kept for an output attached later.
    void setVolume(float volume);
    bool hasOutput() const;

private:
    void follow();

    QPointer<QMediaPlayer> m_player;
    QMediaDevices *m_devices = nullptr;
    QAudioOutput *m_output = nullptr;
    float m_volume = 1.0f;
};
