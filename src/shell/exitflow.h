#pragma once

#include "ui/readercontext.h"

class ProcessControl;

// The close question and the exit clean-up (kbsz). The kill flags are fixed
// at start-up from the settings.
class ExitFlow
{
public:
    static const QString &question();

    void setKillTransfer(bool on);
    void setKillPlayer(bool on);
    bool killTransfer() const;
    bool killPlayer() const;

    // Asks Yes/No/Cancel; Yes first opens the maker's forum. True when the
    // program is to end (the clean-up has then run).
    bool confirm(const ReaderContext &context) const;
    // QvodTerminal.exe before QvodPlayer.exe, each only when its flag is on.
    void kbsz(ProcessControl *processes) const;

private:
    bool m_killTransfer = false;
    bool m_killPlayer = false;
};
