#include "shell/commandhelp.h"

#include "shell/windowshell.h"

using namespace Qt::StringLiterals;

namespace {

const Commands EveryCommand = Command::Window | Command::CheckSites | Command::Search;

bool isHelpOrVersion(const CommandOption &option)
{
    return option.name == u"help"_s || option.name == u"version"_s;
}

// The synopsis line of one command: its words, then each option it takes.
QString synopsis(Command command)
{
    QString line = u"juyuanxia"_s;
    if (command == Command::CheckSites)
        line += u" --check-sites"_s;
    else if (command == Command::Search)
        line += u" search SOURCE KEYWORD"_s;
    else if (command == Command::Definitions)
        return line + u" definitions check FILE..."_s;
    for (const CommandOption &option : commandOptions()) {
        if (option.commands.testFlag(command) && !isHelpOrVersion(option) && option.name != u"check-sites"_s
            && option.name != u"list"_s)
            line += u" [--"_s + option.name + (option.valueName.isEmpty() ? QString() : u' ' + option.valueName)
                    + u']';
    }
    if (command == Command::Window)
        line += u" [Qt options]"_s;
    return line;
}

QString usageLines(const QList<Command> &commands)
{
    QString text;
    for (Command command : commands) {
        text += (text.isEmpty() ? u"usage: "_s : u"       "_s) + synopsis(command) + u'\n';
        if (command == Command::Search)
            text += u"       juyuanxia search --list\n"_s;
    }
    return text;
}

QString optionLine(const CommandOption &option)
{
    return u"  "_s + option.synopsis().leftJustified(22) + u' ' + option.help + u'\n';
}

// The options `command` takes beyond those every command takes.
QString optionsOf(Command command)
{
    QString text;
    for (const CommandOption &option : commandOptions()) {
        if (option.commands.testFlag(command) && option.commands != EveryCommand)
            text += optionLine(option);
    }
    return text;
}

QString commonOptions()
{
    QString text = u"Options of every command:\n"_s;
    for (const CommandOption &option : commandOptions()) {
        if (option.commands == EveryCommand)
            text += optionLine(option);
    }
    return text;
}

QString searchSection()
{
    return u"search: one source's search without a window; its rows on standard output.\n"
           "  SOURCE                 a source of `juyuanxia search --list`, or all: every\n"
           "                         keyword source at once, page 1, rows with the same\n"
           "                         address merged (fields source, name, size, date,\n"
           "                         address; failed sources on standard error)\n"
           "  KEYWORD                what to search for (a category's number or name for the\n"
           "                         category sources)\n"_s
           + optionsOf(Command::Search);
}

QString definitionsSection()
{
    return u"definitions check: checks site definition files before they are used; each\n"
           "problem as FILE:LINE:COLUMN: what is wrong, on standard error, and FILE: ok\n"
           "(name) on standard output for a sound one. What a file may hold is bounded\n"
           "(nesting, fields, list lengths, text lengths); each limit is named when passed.\n"
           "  FILE...                definition files (*.toml, see docs/SITE-DEFINITIONS.md)\n"_s;
}

QString exitStatus()
{
    return u"Exit status:\n"
           "  0  done: rows printed, or the site answered without a hit; every site checked\n"
           "     answered with rows; every definition file is sound\n"
           "  1  search: the site failed (site, address, outcome and reason on standard\n"
           "     error), search all: every source failed; --check-sites: a site did not answer with rows; definitions\n"
           "     check: a file has a problem\n"
           "  2  a usage error (a --definitions DIR that does not exist among them), or a\n"
           "     --sites FILE that cannot be read\n"_s;
}

} // namespace

namespace CommandHelp {

QString full()
{
    return usageLines({Command::Window, Command::CheckSites, Command::Search, Command::Definitions})
           + u"       juyuanxia --help | --version\n\n"
             "Without a command juyuanxia opens its window.\n\n"_s
           + commonOptions() + u"\nThe window:\n"_s + optionsOf(Command::Window)
           + u"  Qt's own options (-platform NAME, -style NAME, ...) pass to Qt.\n\n"
             "--check-sites: tries every configured site the way its first reader searches\n"
             "it, one tab-separated line each: key, address, outcome, rows, milliseconds.\n"_s
           + optionsOf(Command::CheckSites) + u'\n' + searchSection() + u'\n' + definitionsSection() + u'\n'
           + exitStatus()
           + u"\nSee juyuanxia(1) for the files read and examples.\n"_s;
}

QString search()
{
    return usageLines({Command::Search}) + u'\n' + searchSection() + u'\n' + commonOptions() + u'\n'
           + exitStatus();
}

QString definitions()
{
    return usageLines({Command::Definitions}) + u'\n' + definitionsSection() + u'\n' + exitStatus();
}

QString shortUsage(Command command)
{
    return usageLines({command}) + u"Try 'juyuanxia --help' for more.\n"_s;
}

QString version()
{
    return u"juyuanxia (聚源匣) "_s + WindowShell::programVersion() + u'\n';
}

} // namespace CommandHelp
