#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractItemView;

// A double-click anywhere on a list, on a row or on the empty space below
// the rows, runs `action`; the action finds the selected row itself (and
// refuses with the row guard when there is none). The list keeps its own
// handling of the clicks. Owned by the list; nothing runs once `receiver`
// is gone.
class ListDoubleClick : public QObject
{
    Q_OBJECT

public:
    static void attach(QAbstractItemView *list, QObject *receiver, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ListDoubleClick(QAbstractItemView *list, QObject *receiver, std::function<void()> action);

    QPointer<QObject> m_receiver;
    std::function<void()> m_action;
};
