#include "core/fetchscope.h"

FetchScope::FetchScope(QObject *parent)
    : QObject(parent)
{
}

FetchScope::~FetchScope()
{
    abort();
}

void FetchScope::abort()
{
    if (m_aborted)
        return;
    m_aborted = true;
    Q_EMIT aborted();
}

bool FetchScope::isAborted() const
{
    return m_aborted;
}
