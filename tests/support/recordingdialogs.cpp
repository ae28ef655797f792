#include "support/recordingdialogs.h"

QMessageBox::StandardButton RecordingDialogs::message(QWidget *, const QString &text, QMessageBox::Icon icon,
                                                      QMessageBox::StandardButtons buttons)
{
    shown.append({text, icon, buttons});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    if (buttons & QMessageBox::Ok)
        return QMessageBox::Ok;
    for (int bit = 0; bit < 32; ++bit) {
        const auto button = QMessageBox::StandardButton(1u << bit);
        if (buttons & button)
            return button;
    }
    return QMessageBox::NoButton;
}

QString RecordingDialogs::input(QWidget *, const QString &title, const QString &prompt, const QString &initialText,
                                bool *accepted)
{
    asked.append({title, prompt, initialText});
    auto answer = m_inputs.isEmpty() ? qMakePair(initialText, false) : m_inputs.dequeue();
    if (accepted)
        *accepted = answer.second;
    return answer.first;
}

void RecordingDialogs::answerNext(QMessageBox::StandardButton button)
{
    m_answers.enqueue(button);
}

void RecordingDialogs::answerNextInput(const QString &text, bool accepted)
{
    m_inputs.enqueue({text, accepted});
}

QString RecordingDialogs::saveFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    saveTitles.append(title);
    return savePath;
}
