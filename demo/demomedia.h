#pragma once

#include <QByteArray>

// Media the demo sites serve, made in memory.
namespace DemoMedia {

// A playable WAV file (8 kHz, 16-bit mono) of `milliseconds` of a quiet
// tone fading in and out.
QByteArray toneWav(int milliseconds);
// A small poster picture (PNG).
QByteArray posterPng();

} // namespace DemoMedia
