#include "shell/exitflow.h"

#include "core/processcontrol.h"
#include "core/services.h"
#include "core/siteconfig.h"

using namespace Qt::StringLiterals;

const QString &ExitFlow::question()
{
    // The message box breaks its lines at a carriage return; here that is "\n".
    static const QString text = u"感谢您对小澈、对Lz系列的软件的支持!\n \n是否退出并到论坛可以下载更多Lz系列原创免费软件?"_s;
    return text;
}

void ExitFlow::setKillTransfer(bool on)
{
    m_killTransfer = on;
}

void ExitFlow::setKillPlayer(bool on)
{
    m_killPlayer = on;
}

bool ExitFlow::killTransfer() const
{
    return m_killTransfer;
}

bool ExitFlow::killPlayer() const
{
    return m_killPlayer;
}

bool ExitFlow::confirm(const ReaderContext &context) const
{
    const QMessageBox::StandardButton answer = context.message(
        question(), QMessageBox::Information, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes && answer != QMessageBox::No)
        return false;
    if (answer == QMessageBox::Yes)
        context.openAddress(context.sites().page(u"forum"_s));
    kbsz(context.services().processes);
    return true;
}

void ExitFlow::kbsz(ProcessControl *processes) const
{
    if (!processes)
        return;
    if (m_killTransfer)
        processes->taskkill(u"QvodTerminal.exe"_s);
    if (m_killPlayer)
        processes->taskkill(u"QvodPlayer.exe"_s);
}
