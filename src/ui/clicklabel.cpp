#include "ui/clicklabel.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
