#pragma once

#include "core/fetchoutcome.h"

#include <QCoroTask>
#include <QString>
#include <QStringList>

class PageFetcher;
class SiteConfig;

// One site tried the way its first reader searches it (its probe keyword,
// page 1); a site no reader searches is asked for the page the program
// reads from it (the maker's version file, the live TV start channel).
struct SiteCheck
{
    QString key;
    QString address;     // the first address asked for
    FetchOutcome outcome; // the first failed fetch, else the last one
    int items = -1;      // rows found; -1 for a site no reader searches
    qint64 elapsedMs = 0;

    // Answered, and with rows where a reader searches it.
    bool passed() const;
    // "ok", "no-items", or the failed fetch's code.
    QString code() const;
    // key, address, outcome, items, milliseconds; tab-separated.
    QString line() const;

    // `source`: which of the site's sources searches it; empty: the first.
    static QCoro::Task<SiteCheck> run(PageFetcher &fetcher, const SiteConfig &sites, QString key,
                                      QString source = QString());
    // The sources that try `key`: its first reader's, then every user's
    // source that shares the site (one empty name for a site no reader
    // searches).
    static QStringList sourcesOf(const SiteConfig &sites, const QString &key);
};
