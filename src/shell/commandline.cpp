#include "shell/commandline.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString defaultHome(const QString &programDir)
{
    if (QFileInfo(programDir).isWritable())
        return programDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

// Beside the program (a build or a portable copy), else the user's or the
// system's configuration (~/.config/juyuanxia, /etc/xdg/juyuanxia) for an
// installed program.
QStringList placesOfSites(const QString &programDir)
{
    QStringList places{programDir + u"/sites.ini"_s};
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::AppConfigLocation))
        places.append(dir + u"/sites.ini"_s);
    return places;
}

QString commandName(Command command)
{
    switch (command) {
    case Command::Window:
        return u"the window"_s;
    case Command::CheckSites:
        return u"--check-sites"_s;
    case Command::Search:
        return u"search"_s;
    case Command::Definitions:
        return u"definitions check"_s;
    }
    return {};
}

QString onlyFor(const CommandOption &option)
{
    QStringList names;
    for (Command command : {Command::Window, Command::CheckSites, Command::Search, Command::Definitions}) {
        if (option.commands.testFlag(command))
            names.append(commandName(command));
    }
    return u"--"_s + option.name + u" is only for "_s + names.join(u" and "_s);
}

} // namespace

bool CommandLine::headless() const
{
    return help || version || !error.isEmpty() || command != Command::Window;
}

CommandLine CommandLine::parse(const QStringList &arguments, const QString &programDir, QtOptions qtOptions)
{
    CommandLine line;
    // In the order given; a later value of an option wins.
    QList<std::pair<const CommandOption *, QString>> given;
    const auto isGiven = [&given](const QString &name) {
        return std::any_of(given.cbegin(), given.cend(), [&name](const auto &g) { return g.first->name == name; });
    };
    const auto valueOf = [&given](const QString &name, const QString &fallback) {
        QString value = fallback;
        for (const auto &[option, text] : given) {
            if (option->name == name)
                value = text;
        }
        return value;
    };
    QStringList positional;
    QString qtWord; // the first single-dash word left for Qt
    const auto fail = [&line](const QString &error) {
        if (line.error.isEmpty())
            line.error = error;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (word == u"--"_s) {
            positional += arguments.mid(i + 1);
            break;
        }
        const CommandOption *option = nullptr;
        QString value;
        bool inlineValue = false;
        if (word.startsWith(u"--"_s)) {
            const qsizetype eq = word.indexOf(u'=');
            option = findCommandOption(word.mid(2, eq < 0 ? -1 : eq - 2));
            if (eq >= 0) {
                value = word.mid(eq + 1);
                inlineValue = true;
            }
            if (!option) {
                fail(u"unknown option: "_s + word.left(eq));
                continue;
            }
        } else if (word.startsWith(u'-') && word.size() > 1) {
            for (const CommandOption &candidate : commandOptions()) {
                if (!candidate.shortName.isEmpty() && word.mid(1) == candidate.shortName)
                    option = &candidate;
            }
            if (!option) {
                if (qtOptions == QtOptions::Pending && qtWord.isEmpty())
                    qtWord = word;
                else if (qtOptions == QtOptions::Taken)
                    fail(u"unknown option: "_s + word);
                continue;
            }
        } else {
            positional.append(word);
            continue;
        }
        if (option->valueName.isEmpty()) {
            if (inlineValue)
                fail(u"--"_s + option->name + u" takes no value"_s);
        } else if (!inlineValue) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(u"--"_s)) {
                fail(u"--"_s + option->name + u" needs a value ("_s + option->valueName + u')');
                continue;
            }
            value = arguments.at(++i);
        }
        given.append({option, value});
    }

    line.help = isGiven(u"help"_s);
    line.version = isGiven(u"version"_s);
    if (!positional.isEmpty() && positional.first() == u"search"_s)
        line.command = Command::Search;
    else if (!positional.isEmpty() && positional.first() == u"definitions"_s)
        line.command = Command::Definitions;
    else if (isGiven(u"check-sites"_s))
        line.command = Command::CheckSites;
    if (line.help || line.version) {
        line.error.clear();
        return line;
    }
    // Qt's options are the window's; elsewhere they are unknown.
    if (!qtWord.isEmpty() && line.command != Command::Window)
        fail(u"unknown option: "_s + qtWord);
    if (line.command == Command::Search && isGiven(u"check-sites"_s))
        fail(u"--check-sites and search cannot be combined"_s);
    for (const auto &[option, value] : given) {
        if (!option->commands.testFlag(line.command))
            fail(onlyFor(*option));
        else if (!option->valueName.isEmpty())
            fail(option->refusal(value));
    }

    const qsizetype commandWords = line.command == Command::Search ? 1 : 0;
    if (line.command == Command::Search) {
        line.listSources = isGiven(u"list"_s);
        if (!line.listSources && positional.size() < 2)
            fail(u"search needs a SOURCE (juyuanxia search --list)"_s);
        else if (!line.listSources && positional.size() < 3)
            fail(u"search needs a KEYWORD"_s);
        line.source = positional.value(1);
        line.keyword = positional.value(2);
        line.page = valueOf(u"page"_s, line.page);
        line.format = valueOf(u"format"_s, line.format);
    }
    if (line.command == Command::Definitions) {
        if (positional.value(1) != u"check"_s)
            fail(positional.size() < 2 ? u"definitions needs check FILE..."_s
                                       : u"unknown definitions command: "_s + positional.at(1));
        else if (positional.size() < 3)
            fail(u"definitions check needs a FILE"_s);
        line.definitionFiles = positional.mid(2);
    }
    const qsizetype expected = line.command == Command::Search        ? (line.listSources ? 1 : 3)
                               : line.command == Command::Definitions ? positional.size()
                                                                      : commandWords;
    // A Qt option's value (-platform offscreen) looks like a word of its own.
    if (positional.size() > expected && qtWord.isEmpty()) {
        const QString extra = positional.at(expected);
        fail(line.command == Command::Window ? u"unknown command: "_s + extra : u"unexpected argument: "_s + extra);
    }

    line.demo = isGiven(u"demo"_s);
    line.sitesGiven = isGiven(u"sites"_s);
    line.sitesPlaces = placesOfSites(programDir);
    line.sitesFile = line.sitesGiven ? valueOf(u"sites"_s, QString()) : line.sitesPlaces.first();
    if (!line.sitesGiven) {
        for (const QString &place : line.sitesPlaces) {
            if (QFileInfo::exists(place)) {
                line.sitesFile = place;
                break;
            }
        }
    }
    // The configuration folder's definitions/, then --definitions DIR.
    line.definitionFolders.append(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                  + u"/definitions"_s);
    if (isGiven(u"definitions"_s)) {
        const QString folder = valueOf(u"definitions"_s, QString());
        // A mistyped folder would only show later as "unknown source".
        if (!QFileInfo(folder).isDir())
            fail(u"--definitions "_s + folder + (QFileInfo::exists(folder) ? u": not a folder"_s : u": no such folder"_s));
        line.definitionFolders.append(QDir(folder).absolutePath());
    }
    line.homeDir = isGiven(u"home"_s) ? QDir(valueOf(u"home"_s, QString())).absolutePath() : defaultHome(programDir);
    line.screenshotFile = valueOf(u"screenshot"_s, QString());
    line.findKeyword = valueOf(u"find"_s, QString());
    line.exitWhenShown = isGiven(u"exit-when-shown"_s);
    return line;
}
