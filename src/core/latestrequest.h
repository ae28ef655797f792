#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

// Of overlapping requests of one kind (a click on row A, then on row B,
// before A's page came), only the latest may act on its answer. A request
// takes a ticket before it awaits and asks it afterwards. A ticket also
// answers false once its owner is gone, so the awaiting coroutine never
// touches a destroyed object: the check stands in for a QPointer.
class LatestRequest
{
public:
    class Ticket
    {
    public:
        // Still the latest request, and its owner still there.
        bool isLatest() const;

    private:
        friend class LatestRequest;
        Ticket(const QObject *owner, std::shared_ptr<const quint64> counter, quint64 number);

        QPointer<const QObject> m_owner;
        std::shared_ptr<const quint64> m_counter;
        quint64 m_number;
    };

    // `owner` is the object the requests act on.
    explicit LatestRequest(const QObject *owner);

    // A new request: every earlier ticket stops being the latest.
    Ticket take();
    // An action that needed no fetch came after them: earlier tickets lapse.
    void supersede();

private:
    const QObject *m_owner;
    std::shared_ptr<quint64> m_counter;
};
