#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message and input box of the program goes through here. Message
// boxes are titled "Lz系列软件"; an input box names its own title. Tests
// replace it to see and answer the boxes.
class Dialogs
{
public:
    static const QString &title();

    virtual ~Dialogs();

    virtual QMessageBox::StandardButton message(QWidget *parent, const QString &text,
                                                QMessageBox::Icon icon = QMessageBox::Information,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // Returns the text typed; `accepted` tells whether OK was pressed.
    virtual QString input(QWidget *parent, const QString &title, const QString &prompt, const QString &initialText,
                          bool *accepted);
    // The file a list is saved to; empty when the user cancels.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                 const QString &filter);
};
