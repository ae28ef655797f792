#pragma once

#include "shell/commandoptions.h"

#include <QString>
#include <QStringList>

// The program's command line: the window, `--check-sites` or `search`,
// with the options of the table in commandoptions.cpp. Qt's own options
// (-platform and the like) are the window's, and Qt takes them out first.
struct CommandLine
{
    // Whether single-dash words may still be Qt's own options: before the
    // application object has taken them out they are left alone.
    enum class QtOptions { Taken, Pending };

    Command command = Command::Window;
    bool help = false;
    bool version = false;
    // A usage error, one line naming the problem; empty when there is none.
    QString error;

    // definitions check FILE...
    QStringList definitionFiles;
    // Where user definitions are read, in order: a later folder's file wins.
    QStringList definitionFolders;

    QString sitesFile;
    bool sitesGiven = false;  // named by --sites
    QStringList sitesPlaces;  // where a sites.ini was looked for, in order
    bool demo = false;
    QString homeDir;
    QString screenshotFile;
    QString findKeyword; // searched on 聚合搜索 once start-up is done
    bool exitWhenShown = false;

    bool listSources = false;
    QString source;
    QString keyword;
    QString page = QStringLiteral("1");
    QString format = QStringLiteral("tsv");

    // No window: a site check or a search (or only a text to print).
    bool headless() const;

    static CommandLine parse(const QStringList &arguments, const QString &programDir,
                             QtOptions qtOptions = QtOptions::Taken);
};
