#pragma once

#include <QString>
#include <QStringList>

// The program's own options (Qt's, such as -platform, are left to Qt):
//   --sites FILE       site configuration (default: sites.ini beside the program,
//                      else sites.ini in the user's or system's configuration)
//   --demo             serve the demo sites on 127.0.0.1 and use them
//   --home DIR         the directory of jyxq.ini, the export file and the sounds
//   --screenshot FILE  save a PNG of the window once start-up is done, then exit
//   --exit-when-shown  exit as soon as the main window is shown (start-up timing)
// and the two runs without a window:
//   --check-sites                 try every configured site, one line each
//   search SOURCE KEYWORD [--page N] [--format tsv|json]
//   search --list                 name the sources
struct CommandLine
{
    QString sitesFile;
    bool demo = false;
    QString homeDir;
    QString screenshotFile;
    bool exitWhenShown = false;

    bool checkSites = false;
    bool search = false;
    bool listSources = false;
    QString source;
    QString keyword;
    QString page = QStringLiteral("1");
    QString format = QStringLiteral("tsv");

    // No window: a site check or a search.
    bool headless() const;

    static CommandLine parse(const QStringList &arguments, const QString &programDir);
};
