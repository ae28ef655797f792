#include "fakemediabackend.h"

using namespace Qt::StringLiterals;

bool FakeMediaBackend::isAvailable()
{
    return available;
}

void FakeMediaBackend::setAddress(const QString &address)
{
    calls.append(u"address "_s + address);
}

void FakeMediaBackend::play()
{
    calls.append(u"play"_s);
}

void FakeMediaBackend::pause()
{
    calls.append(u"pause"_s);
}

void FakeMediaBackend::stop()
{
    calls.append(u"stop"_s);
}

int FakeMediaBackend::stateCode() const
{
    return state;
}
