#include "ui/listdoubleclick.h"

#include <QAbstractItemView>
#include <QMouseEvent>

void ListDoubleClick::attach(QAbstractItemView *list, QObject *receiver, std::function<void()> action)
{
    new ListDoubleClick(list, receiver, std::move(action));
}

ListDoubleClick::ListDoubleClick(QAbstractItemView *list, QObject *receiver, std::function<void()> action)
    : QObject(list)
    , m_receiver(receiver)
    , m_action(std::move(action))
{
    list->viewport()->installEventFilter(this);
}

bool ListDoubleClick::eventFilter(QObject *watched, QEvent *event)
{
    // The press before it has already selected the row under the pointer.
    if (event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_receiver && m_action)
        m_action();
    return QObject::eventFilter(watched, event);
}
