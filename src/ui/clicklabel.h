#pragma once

#include <QLabel>

// A label that acts as a link or an image button: a left click emits
// clicked(). Its text is plain text unless the caller says otherwise, since
// captions may come from outside.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(const QString &name, const QString &text = {}, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
