#include "ui/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>

const QString &Dialogs::title()
{
    static const QString text = QStringLiteral("Lz系列软件");
    return text;
}

Dialogs::~Dialogs() = default;

QMessageBox::StandardButton Dialogs::message(QWidget *parent, const QString &text, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec()); // modal QMessageBox
}

QString Dialogs::input(QWidget *parent, const QString &title, const QString &prompt, const QString &initialText,
                       bool *accepted)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    const bool ok = dialog.exec() == QDialog::Accepted; // modal QInputDialog
    if (accepted)
        *accepted = ok;
    return ok ? dialog.textValue() : QString();
}

QString Dialogs::saveFileName(QWidget *parent, const QString &title, const QString &suggested, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter); // modal
}
