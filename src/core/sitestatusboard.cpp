#include "core/sitestatusboard.h"

#include "core/pagefetcher.h"
#include "core/siteconfig.h"

SiteStatusBoard::SiteStatusBoard(const SiteConfig &sites, PageFetcher &fetcher, QObject *parent)
    : QObject(parent)
    , m_sites(sites)
{
    connect(&fetcher, &PageFetcher::fetched, this, &SiteStatusBoard::record);
}

QString SiteStatusBoard::siteKeyFor(const QString &address) const
{
    return m_sites.siteKeyFor(address);
}

SiteStatus SiteStatusBoard::status(const QString &key) const
{
    SiteStatus status = m_status.value(key);
    status.key = key;
    return status;
}

void SiteStatusBoard::noteItems(const QString &key, int items)
{
    auto it = m_status.find(key);
    if (it == m_status.end())
        return;
    it->items = items;
    Q_EMIT changed(key);
}

void SiteStatusBoard::record(const FetchOutcome &outcome)
{
    // Cancelled by its asker: says nothing about the site.
    if (outcome.cancelled())
        return;
    const QString key = siteKeyFor(outcome.address);
    if (key.isEmpty())
        return;
    SiteStatus &status = m_status[key];
    status.key = key;
    status.outcome = outcome;
    status.items = -1;
    status.checkedAt = QDateTime::currentDateTime();
    Q_EMIT changed(key);
}
