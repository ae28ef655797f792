#include "sitefarm.h"

#include "core/siteconfig.h"

SiteFarm::SiteFarm(const QStringList &keys, int latencyMs)
{
    for (const QString &key : keys) {
        auto server = std::make_unique<DemoServer>();
        server->setLatencyMs(latencyMs);
        m_servers.emplace(key, std::move(server));
    }
}

bool SiteFarm::start()
{
    for (auto &[key, server] : m_servers) {
        if (!server->start())
            return false;
    }
    return true;
}

DemoServer &SiteFarm::server(const QString &key) const
{
    return *m_servers.at(key);
}

void SiteFarm::pointAt(SiteConfig &config) const
{
    for (const auto &[key, server] : m_servers) {
        if (SiteConfig::siteKeys().contains(key))
            config.setSite(key, server->siteBase(key));
    }
}

qsizetype SiteFarm::requestCount(const QString &key) const
{
    return server(key).requests().size();
}

qsizetype SiteFarm::totalRequests() const
{
    qsizetype total = 0;
    for (const auto &[key, server] : m_servers)
        total += server->requests().size();
    return total;
}

void SiteFarm::clearRequests()
{
    for (auto &[key, server] : m_servers)
        server->clearRequests();
}
