#include "core/pagecontrols.h"

#include "core/texttools.h"

#include <QLineEdit>
#include <QScrollBar>

void wirePageBox(QLineEdit *pageBox, QScrollBar *spinner)
{
    pageBox->setText(QStringLiteral("1"));
    QObject::connect(pageBox, &QLineEdit::textChanged, pageBox, [pageBox](const QString &text) {
        const QString fixed = normalizedPageText(text);
        if (fixed != text)
            pageBox->setText(fixed);
    });
    if (!spinner)
        return;
    spinner->setOrientation(Qt::Horizontal);
    spinner->setRange(1, 99);
    spinner->setValue(1);
    QObject::connect(spinner, &QScrollBar::valueChanged, pageBox,
                     [pageBox](int value) { pageBox->setText(QString::number(value)); });
}
