#pragma once

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

// What a command line asks the program to do.
enum class Command {
    Window = 0x1,
    CheckSites = 0x2,
    Search = 0x4,
    Definitions = 0x8, // definitions check FILE...
};
Q_DECLARE_FLAGS(Commands, Command)
Q_DECLARE_OPERATORS_FOR_FLAGS(Commands)

// One option of the program. The table of them drives the parser, the
// help text and the manual page's test; a new option is one more row.
struct CommandOption
{
    QString name;      // "sites" for --sites
    QString shortName; // "h" for -h; empty for none
    QString valueName; // "FILE"; empty for a switch
    QString help;      // one line for --help
    Commands commands; // the commands that take it
    QStringList allowed; // the values allowed; empty for any
    bool positiveNumber = false; // the value must be a whole number from 1 up

    // "--sites FILE", "-h, --help"
    QString synopsis() const;
    // Why `value` is refused; empty when it is allowed.
    QString refusal(const QString &value) const;
};

const QList<CommandOption> &commandOptions();
const CommandOption *findCommandOption(const QString &name);
