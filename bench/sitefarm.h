#pragma once

#include "demo/demoserver.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class SiteConfig;

// Distinct sites as a search across every source meets them: one demo
// server per key, each on a loopback port of its own (so no two keys share
// a host's connections), every answer a fixed latency late.
class SiteFarm
{
public:
    SiteFarm(const QStringList &keys, int latencyMs);

    bool start();
    // The listener of `key`; it serves every demo site's pages.
    DemoServer &server(const QString &key) const;
    // Points every key that names a demo site at its own listener.
    void pointAt(SiteConfig &config) const;
    qsizetype requestCount(const QString &key) const;
    qsizetype totalRequests() const;
    void clearRequests();

private:
    std::map<QString, std::unique_ptr<DemoServer>> m_servers;
};
