#include "fuzzinput.h"

#include "core/bodydecoder.h"

using namespace Qt::StringLiterals;

FuzzInput::FuzzInput(const uint8_t *data, size_t size)
    : m_bytes(reinterpret_cast<const char *>(data), qsizetype(size))
{
}

int FuzzInput::takeInt(int low, int high)
{
    if (m_at >= m_bytes.size() || high <= low)
        return low;
    const auto byte = static_cast<unsigned char>(m_bytes.at(m_at++));
    return low + int(byte % unsigned(high - low + 1));
}

QString FuzzInput::takeShortText(int maxLength)
{
    return QString::fromUtf8(takeShortBytes(maxLength));
}

QByteArray FuzzInput::takeShortBytes(int maxLength)
{
    const qsizetype length = qMin<qsizetype>(takeInt(0, maxLength), m_bytes.size() - m_at);
    const QByteArray part = m_bytes.mid(m_at, length);
    m_at += length;
    return part;
}

QByteArray FuzzInput::restBytes() const
{
    return m_bytes.mid(m_at);
}

QString FuzzInput::restPage() const
{
    return decodeBody(restBytes(), {});
}

QString fuzzSiteBase()
{
    return u"http://127.0.0.1:8080/site"_s;
}
