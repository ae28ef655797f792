#pragma once

#include "sources/playback/mediabackend.h"

#include <QStringList>

// A player that records what it was told and reports the state it is given.
class FakeMediaBackend : public MediaBackend
{
public:
    bool isAvailable() override;
    void setAddress(const QString &address) override;
    void play() override;
    void pause() override;
    void stop() override;
    int stateCode() const override;

    bool available = true;
    int state = 0;
    QStringList calls; // "address <a>", "play", "pause", "stop"
};
