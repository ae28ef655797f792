#include "core/latestrequest.h"

LatestRequest::Ticket::Ticket(const QObject *owner, std::shared_ptr<const quint64> counter, quint64 number)
    : m_owner(owner)
    , m_counter(std::move(counter))
    , m_number(number)
{
}

bool LatestRequest::Ticket::isLatest() const
{
    // The counter outlives its owner, so it is safe to read either way.
    return m_owner && *m_counter == m_number;
}

LatestRequest::LatestRequest(const QObject *owner)
    : m_owner(owner)
    , m_counter(std::make_shared<quint64>(0))
{
}

LatestRequest::Ticket LatestRequest::take()
{
    return Ticket(m_owner, m_counter, ++*m_counter);
}

void LatestRequest::supersede()
{
    ++*m_counter;
}
