#pragma once

#include "shell/settingsfile.h"
#include "ui/readercontext.h"

#include <QObject>
#include <QPointer>

class QCheckBox;

// The main window's terms-of-use box Check1 and its answer in "阅读协议":
// an answer of "否" makes the next tick show the terms again.
class TermsOfUse : public QObject
{
    Q_OBJECT

public:
    static const QString &text(); // the caption of Label6

    TermsOfUse(const ReaderContext &context, const SettingsFile &settings, QCheckBox *box,
               QObject *parent = nullptr);

    void clicked(); // the box's click, after its state changed

private:
    ReaderContext m_context;
    SettingsFile m_settings;
    QPointer<QCheckBox> m_box;
};
