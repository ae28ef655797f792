#include "sources/playback/termscheck.h"

#include "ui/readercontext.h"

#include <QCheckBox>
#include <QWidget>

using namespace Qt::StringLiterals;

bool playbackTermsAccepted(const ReaderContext &context)
{
    QWidget *window = context.window();
    const QCheckBox *box = window ? window->findChild<QCheckBox *>(u"Check1"_s) : nullptr;
    if (box && box->isChecked())
        return true;
    context.message(u"请先阅读使用协议并严格遵守!"_s);
    return false;
}
