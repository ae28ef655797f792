#pragma once

#include "core/networksettings.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class DefinitionCatalog;

// Where every outside site lives: the sites.ini file (UTF-8 INI).
//   [sites]    base addresses, scheme://host[:port][/prefix], no trailing slash
//   [netdisk]  0 .. 23: the site filters of the 24 netdisks
//   [portals]  Option1 .. Option6, Option8: the video portal hosts
//   [pages]    single addresses (the maker's pages and the like)
//   [network]  timeout_ms, deadline_ms, user_agent, proxy, parallel
// A key that is missing reads as empty; a reader with an empty base address
// sees every fetch fail. A base address of [sites] or [portals] that could
// hide its host, or swallow the paths put after it (a user name or
// password, a query, a fragment, another scheme than http or https), is not
// used: its site stays unconfigured and problems() says why.
class SiteConfig
{
public:
    static const QStringList &siteKeys();
    // The sites a check tries: siteKeys(), then those only a user's
    // source searches.
    QStringList checkedKeys() const;
    // What the user calls a site, e.g. "网盘搜索" for netdisk_search.
    static QString siteTitle(const QString &key);

    SiteConfig() = default;
    // A missing file gives an empty configuration.
    static SiteConfig fromFile(const QString &path);
    // The values of the file that were refused, one line each:
    // "[sites] key = value: why".
    const QStringList &problems() const;

    QString site(const QString &key) const;
    void setSite(const QString &key, const QString &baseAddress);
    QString netdiskFilter(int index) const;
    void setNetdiskFilter(int index, const QString &filter);
    QString portal(const QString &option) const;
    void setPortal(const QString &option, const QString &host);
    // The site whose base address `address` lies under (the longest such
    // base wins); empty when none does.
    QString siteKeyFor(const QString &address) const;
    QString page(const QString &key) const;
    void setPage(const QString &key, const QString &address);

    const NetworkSettings &network() const;
    void setNetwork(const NetworkSettings &settings);

    // The site definitions in use: the built-in ones unless set. A source
    // whose definition gives its own base becomes a site of its own name.
    const DefinitionCatalog &definitions() const;
    void setDefinitions(std::shared_ptr<const DefinitionCatalog> catalog);

private:
    QHash<QString, QString> m_sites;
    QHash<int, QString> m_netdisk;
    QHash<QString, QString> m_portals;
    QHash<QString, QString> m_pages;
    NetworkSettings m_network;
    std::shared_ptr<const DefinitionCatalog> m_definitions;
    QStringList m_problems;
};
