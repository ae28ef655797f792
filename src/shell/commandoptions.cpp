#include "shell/commandoptions.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

QString CommandOption::synopsis() const
{
    QString text = shortName.isEmpty() ? QString() : u'-' + shortName + u", "_s;
    text += u"--"_s + name;
    if (!valueName.isEmpty())
        text += u' ' + valueName;
    return text;
}

QString CommandOption::refusal(const QString &value) const
{
    if (!allowed.isEmpty() && !allowed.contains(value))
        return u"--"_s + name + u" must be "_s + allowed.join(u" or "_s) + u", not \""_s + value + u'"';
    static const QRegularExpression number(u"^[0-9]*[1-9][0-9]*$"_s);
    if (positiveNumber && !number.match(value).hasMatch())
        return u"--"_s + name + u" must be a whole number from 1 up, not \""_s + value + u'"';
    return {};
}

const QList<CommandOption> &commandOptions()
{
    static const Commands all = Command::Window | Command::CheckSites | Command::Search;
    // name, short name, value, help, commands, allowed values, whole number from 1
    static const QList<CommandOption> options = {
        {u"help"_s, u"h"_s, {}, u"print this help and exit"_s, all, {}, false},
        {u"version"_s, {}, {}, u"print the program's name and version and exit"_s, all, {}, false},
        {u"sites"_s, {}, u"FILE"_s,
         u"read the sites from FILE instead of the sites.ini found"_s, all, {}, false},
        {u"demo"_s, {}, {}, u"serve the demo sites on 127.0.0.1 and use them"_s, all, {}, false},
        {u"definitions"_s, {}, u"DIR"_s,
         u"read site definitions (*.toml) from DIR as well, over the user's own; DIR must exist"_s, all, {},
         false},
        {u"home"_s, {}, u"DIR"_s, u"keep jyxq.ini, the exported list and the sounds in DIR"_s, Command::Window, {},
         false},
        {u"screenshot"_s, {}, u"FILE"_s, u"save a PNG of the window once start-up is done, then exit"_s,
         Command::Window, {}, false},
        {u"find"_s, {}, u"KEYWORD"_s, u"search every ticked source for KEYWORD on 聚合搜索 once start-up is done"_s,
         Command::Window, {}, false},
        {u"exit-when-shown"_s, {}, {}, u"exit as soon as the window is shown, saying what start-up touched"_s,
         Command::Window, {}, false},
        {u"check-sites"_s, {}, {}, u"try every configured site without a window, one line each"_s,
         Command::CheckSites, {}, false},
        {u"list"_s, {}, {}, u"name the sources instead of searching"_s, Command::Search, {}, false},
        {u"page"_s, {}, u"N"_s, u"read result page N (default 1)"_s, Command::Search, {}, true},
        {u"format"_s, {}, u"FORMAT"_s, u"print the rows as tsv (default) or json"_s, Command::Search,
         {u"tsv"_s, u"json"_s}, false},
    };
    return options;
}

const CommandOption *findCommandOption(const QString &name)
{
    for (const CommandOption &option : commandOptions()) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}
