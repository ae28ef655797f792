#pragma once

#include <QObject>

// The fetches of one piece of work (one search, say) that end together:
// abort() ends every one of them, running or still waiting for its site,
// as cancelled. A scope once aborted stays so; later fetches of it end at
// once. Destroying the scope aborts it.
class FetchScope : public QObject
{
    Q_OBJECT

public:
    explicit FetchScope(QObject *parent = nullptr);
    ~FetchScope() override;

    void abort();
    bool isAborted() const;

Q_SIGNALS:
    // Once, when first aborted.
    void aborted();

private:
    bool m_aborted = false;
};
