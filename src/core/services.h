#pragma once

#include "core/siteconfig.h"

#include <QString>
#include <QStringList>

class Dialogs;
class PageFetcher;
class ProcessControl;
class SiteStatusBoard;
class UrlOpener;

// What the main window and its readers are given from outside: the site
// configuration, the one fetcher, and the platform seams. The program builds
// the real ones in main(); tests build theirs.
struct Services
{
    SiteConfig sites;
    QString sitesFile; // the file the sites were read from; empty for none
    PageFetcher *fetcher = nullptr;
    SiteStatusBoard *siteStatus = nullptr; // the last outcome of every site
    Dialogs *dialogs = nullptr;
    UrlOpener *opener = nullptr;
    ProcessControl *processes = nullptr;
    QString homeDir;     // plays "the program's directory" for our files
    QString downloadDir; // where downloaded torrent files go
    QStringList arguments; // the command line as started, for a restart
};
