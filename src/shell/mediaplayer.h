#pragma once

#include <QObject>
#include <QString>

class AudioOutputGuard;
class QMediaPlayer;

// W1 / W2: plays one sound file at a volume of 0 to 100. The multimedia
// back end is only created when there is a file to play; without an audio
// device the sound stays silent.
class MediaPlayer : public QObject
{
    Q_OBJECT

public:
    MediaPlayer(const QString &name, QObject *parent = nullptr);

    void setVolume(int volume);
    int volume() const;
    // A missing file plays nothing and returns false.
    bool play(const QString &path);
    void stop();
    QString source() const;
    bool isPlaying() const;

private:
    QMediaPlayer *m_player = nullptr;
    AudioOutputGuard *m_audio = nullptr;
    int m_volume = 100;
    QString m_source;
};
