#pragma once

#include "sources/playback/mediabackend.h"

#include <QObject>

class AudioOutputGuard;
class QMediaPlayer;
class QVideoWidget;
class QWidget;

// The player on Qt Multimedia: a QMediaPlayer whose picture goes to a
// video widget inside `screen`, with sound only where there is an audio
// device. Made on first use, so a window that never plays loads no
// multimedia back end.
class QtMediaBackend : public QObject, public MediaBackend
{
    Q_OBJECT

public:
    QtMediaBackend(QWidget *screen, QObject *parent = nullptr);

    bool isAvailable() override;
    void setAddress(const QString &address) override;
    void play() override;
    void pause() override;
    void stop() override;
    int stateCode() const override;

    // Null before the first use.
    const AudioOutputGuard *audio() const;

private:
    QMediaPlayer *player();

    QWidget *m_screen = nullptr;
    QMediaPlayer *m_player = nullptr;
    QVideoWidget *m_video = nullptr;
    AudioOutputGuard *m_audio = nullptr;
    bool m_unplayable = false;
};
