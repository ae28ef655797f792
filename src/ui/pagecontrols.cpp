#include "ui/pagecontrols.h"

#include "core/texttools.h"

#include <QBoxLayout>
#include <QLabel>
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

QLineEdit *addPageBox(QBoxLayout *row, QWidget *parent, const QString &boxName, const QString &spinnerName)
{
    row->addWidget(new QLabel(QStringLiteral("页码："), parent));
    auto *box = new QLineEdit(parent);
    box->setObjectName(boxName);
    box->setMaximumWidth(60);
    row->addWidget(box);
    auto *spinner = new QScrollBar(Qt::Horizontal, parent);
    spinner->setObjectName(spinnerName);
    spinner->setFixedWidth(60);
    row->addWidget(spinner);
    wirePageBox(box, spinner);
    return box;
}
