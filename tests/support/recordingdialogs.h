#pragma once

#include "ui/dialogs.h"

#include <QList>
#include <QQueue>

// Dialogs that show nothing: every box is recorded and answered from a
// queue of scripted answers (OK / the first offered button when empty).
class RecordingDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    QMessageBox::StandardButton message(QWidget *parent, const QString &text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons) override;
    struct Asked
    {
        QString title;
        QString prompt;
        QString initialText;
        bool operator==(const Asked &) const = default;
    };

    QString input(QWidget *parent, const QString &title, const QString &prompt, const QString &initialText,
                  bool *accepted) override;

    // Answers every save box with `savePath` (empty: cancelled).
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                         const QString &filter) override;
    QString savePath;
    QStringList saveTitles;

    void answerNext(QMessageBox::StandardButton button);
    void answerNextInput(const QString &text, bool accepted = true);

    QList<Shown> shown;
    QList<Asked> asked;

private:
    QQueue<QMessageBox::StandardButton> m_answers;
    QQueue<QPair<QString, bool>> m_inputs;
};
