#pragma once

#include <QString>

// The five operations the player page needs from a media player: set the
// address, play, pause, stop, and read the state code (PlayerStates). The
// program uses Qt Multimedia (QtMediaBackend); tests may put in their own.
class MediaBackend
{
public:
    virtual ~MediaBackend();

    // Whether a player can be created at all (the player-running test).
    virtual bool isAvailable() = 0;
    virtual void setAddress(const QString &address) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual int stateCode() const = 0;
};
