#pragma once

#include "core/sitestatus.h"

#include <QHash>
#include <QObject>

class PageFetcher;
class SiteConfig;

// The last outcome of every configured site, from every fetch the program
// makes (searches, double-clicks, checks) and the rows its searches found.
class SiteStatusBoard : public QObject
{
    Q_OBJECT

public:
    SiteStatusBoard(const SiteConfig &sites, PageFetcher &fetcher, QObject *parent = nullptr);

    // The site an address belongs to; empty for none.
    QString siteKeyFor(const QString &address) const;
    SiteStatus status(const QString &key) const;
    // Rows a search or check of `key` found after its last fetch.
    void noteItems(const QString &key, int items);

Q_SIGNALS:
    void changed(const QString &key);

private:
    void record(const FetchOutcome &outcome);

    const SiteConfig &m_sites;
    QHash<QString, SiteStatus> m_status;
};
