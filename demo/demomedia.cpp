#include "demo/demomedia.h"

#include <QtEndian>

#include <cmath>

namespace DemoMedia {

namespace {

void append32(QByteArray &bytes, quint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

void append16(QByteArray &bytes, quint16 value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 2);
}

} // namespace

QByteArray toneWav(int milliseconds)
{
    constexpr int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray wav;
    wav.append("RIFF");
    append32(wav, quint32(36 + samples * 2));
    wav.append("WAVEfmt ");
    append32(wav, 16);
    append16(wav, 1); // PCM
    append16(wav, 1); // mono
    append32(wav, rate);
    append32(wav, rate * 2);
    append16(wav, 2);
    append16(wav, 16);
    wav.append("data");
    append32(wav, quint32(samples * 2));
    for (int i = 0; i < samples; ++i) {
        const double envelope = std::sin(M_PI * i / samples);
        const double value = 1500.0 * envelope * std::sin(2.0 * M_PI * 440.0 * i / rate);
        append16(wav, quint16(qint16(value)));
    }
    return wav;
}

QByteArray posterPng()
{
    return QByteArray::fromHex(
        "89504e470d0a1a0a0000000d4948445200000018000000200802000000873c2f6f000000244944415478da633861a34115c430"
        "6ad0a841a3068d1a346ad0a841a3068d1a343c0c020019e3842e1519f08e0000000049454e44ae426082");
}

} // namespace DemoMedia
