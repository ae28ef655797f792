#pragma once

#include <QString>

// The player's state codes and what the state label says for them.
namespace PlayerStates {

enum Code {
    Unknown = -1, // the label stays as it is
    Ready = 0,
    Stopped = 1,
    Paused = 2,
    Playing = 3,
    Buffering = 4,
    Waiting = 5,
    Ended = 6,
    Preparing = 7,
    Reconnecting = 8,
    Downloading = 9,
    Connecting = 10,
    Stopping = 11,
};

// "正在播放中.." for 3 and so on; a null text for a code outside 0 .. 11.
QString text(int code);
// "播放器状态：" + text; a null text where text() is null.
QString labelText(int code);
const QString &initialLabel(); // "播放器状态：未播放"

} // namespace PlayerStates
