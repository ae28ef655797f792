#include "core/siteconfig.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/inidocument.h"

using namespace Qt::StringLiterals;

namespace {

QString withoutTrailingSlash(QString address)
{
    address = address.trimmed();
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

} // namespace

const QStringList &SiteConfig::siteKeys()
{
    static const QStringList keys = {
        QStringLiteral("netdisk_search"), QStringLiteral("movie_listing"), QStringLiteral("bt_board"),
        QStringLiteral("torrent_search"), QStringLiteral("rss_feed"),      QStringLiteral("magnet_search"),
        QStringLiteral("resource_release"), QStringLiteral("movie_resource"), QStringLiteral("emule"),
        QStringLiteral("ed2k_search"),    QStringLiteral("qvod_channel"),  QStringLiteral("qvod_search"),
        QStringLiteral("cloud_on_demand"), QStringLiteral("live_tv"),      QStringLiteral("maker"),
    };
    return keys;
}

QString SiteConfig::siteTitle(const QString &key)
{
    static const QHash<QString, QString> titles = {
        {QStringLiteral("netdisk_search"), QStringLiteral("网盘搜索")},
        {QStringLiteral("movie_listing"), QStringLiteral("影视列表")},
        {QStringLiteral("bt_board"), QStringLiteral("BT论坛")},
        {QStringLiteral("torrent_search"), QStringLiteral("种子搜索")},
        {QStringLiteral("rss_feed"), QStringLiteral("RSS种子")},
        {QStringLiteral("magnet_search"), QStringLiteral("磁力搜索")},
        {QStringLiteral("resource_release"), QStringLiteral("资源发布")},
        {QStringLiteral("movie_resource"), QStringLiteral("影视资源")},
        {QStringLiteral("emule"), QStringLiteral("电驴资源")},
        {QStringLiteral("ed2k_search"), QStringLiteral("ed2k搜索")},
        {QStringLiteral("qvod_channel"), QStringLiteral("快播影视")},
        {QStringLiteral("qvod_search"), QStringLiteral("影视搜索")},
        {QStringLiteral("cloud_on_demand"), QStringLiteral("云点播")},
        {QStringLiteral("live_tv"), QStringLiteral("电视直播")},
        {QStringLiteral("maker"), QStringLiteral("官方网站")},
    };
    return titles.value(key.toLower(), key);
}

SiteConfig SiteConfig::fromFile(const QString &path)
{
    const IniDocument ini = IniDocument::fromFile(path, IniDocument::Encoding::Utf8);
    SiteConfig config;
    // A base that is refused leaves its site unconfigured.
    const auto usableBase = [&ini, &config](const QString &section, const QString &key) {
        const QString value = ini.value(section, key).trimmed();
        const QString refusal = value.isEmpty() ? QString() : AddressTemplate::baseRefusal(value);
        if (refusal.isEmpty())
            return true;
        config.m_problems.append(u'[' + section + u"] "_s + key + u" = "_s + value + u": "_s + refusal);
        return false;
    };
    for (const QString &key : ini.keys(QStringLiteral("sites"))) {
        if (usableBase(QStringLiteral("sites"), key))
            config.setSite(key, ini.value(QStringLiteral("sites"), key));
    }
    for (int i = 0; i < 24; ++i)
        config.setNetdiskFilter(i, ini.value(QStringLiteral("netdisk"), QString::number(i)));
    for (const QString &key : ini.keys(QStringLiteral("portals"))) {
        if (usableBase(QStringLiteral("portals"), key))
            config.setPortal(key, ini.value(QStringLiteral("portals"), key));
    }
    for (const QString &key : ini.keys(QStringLiteral("pages")))
        config.setPage(key, ini.value(QStringLiteral("pages"), key));

    NetworkSettings network;
    bool ok = false;
    const int timeout = ini.value(QStringLiteral("network"), QStringLiteral("timeout_ms")).toInt(&ok);
    if (ok && timeout > 0)
        network.timeoutMs = timeout;
    const int deadline = ini.value(QStringLiteral("network"), QStringLiteral("deadline_ms")).toInt(&ok);
    if (ok && deadline > 0)
        network.deadlineMs = deadline;
    const QString agent = ini.value(QStringLiteral("network"), QStringLiteral("user_agent"));
    if (!agent.isEmpty())
        network.userAgent = agent;
    network.proxy = ini.value(QStringLiteral("network"), QStringLiteral("proxy"));
    const int parallel = ini.value(QStringLiteral("network"), QStringLiteral("parallel")).toInt(&ok);
    if (ok && parallel > 0)
        network.parallel = qMin(parallel, 32);
    config.setNetwork(network);
    return config;
}

const QStringList &SiteConfig::problems() const
{
    return m_problems;
}

QString SiteConfig::site(const QString &key) const
{
    return m_sites.value(key.toLower());
}

void SiteConfig::setSite(const QString &key, const QString &baseAddress)
{
    m_sites.insert(key.toLower(), withoutTrailingSlash(baseAddress));
}

QString SiteConfig::siteKeyFor(const QString &address) const
{
    QString best;
    qsizetype bestLength = 0;
    for (auto it = m_sites.cbegin(); it != m_sites.cend(); ++it) {
        const QString &base = it.value();
        if (base.isEmpty() || base.size() < bestLength || !address.startsWith(base, Qt::CaseInsensitive))
            continue;
        // "http://a/emule" is not the base of "http://a/emule2/...".
        const QChar next = address.size() > base.size() ? address.at(base.size()) : QChar(u'/');
        if (next != u'/' && next != u'?' && next != u'#')
            continue;
        // Two keys on one base: always the same one, whatever the hash order.
        if (base.size() == bestLength && it.key() > best)
            continue;
        best = it.key();
        bestLength = base.size();
    }
    return best;
}

QString SiteConfig::netdiskFilter(int index) const
{
    return m_netdisk.value(index);
}

void SiteConfig::setNetdiskFilter(int index, const QString &filter)
{
    m_netdisk.insert(index, filter.trimmed());
}

QString SiteConfig::portal(const QString &option) const
{
    return m_portals.value(option.toLower());
}

void SiteConfig::setPortal(const QString &option, const QString &host)
{
    m_portals.insert(option.toLower(), withoutTrailingSlash(host));
}

QString SiteConfig::page(const QString &key) const
{
    return m_pages.value(key.toLower());
}

void SiteConfig::setPage(const QString &key, const QString &address)
{
    m_pages.insert(key.toLower(), address.trimmed());
}

const NetworkSettings &SiteConfig::network() const
{
    return m_network;
}

void SiteConfig::setNetwork(const NetworkSettings &settings)
{
    m_network = settings;
}

const DefinitionCatalog &SiteConfig::definitions() const
{
    return m_definitions ? *m_definitions : DefinitionCatalog::builtIns();
}

void SiteConfig::setDefinitions(std::shared_ptr<const DefinitionCatalog> catalog)
{
    m_definitions = std::move(catalog);
    for (const SiteDefinition *source : definitions().userSources()) {
        if (!source->base.isEmpty())
            setSite(source->name, source->base);
    }
}

QStringList SiteConfig::checkedKeys() const
{
    QStringList keys = siteKeys();
    for (const SiteDefinition *source : definitions().userSources()) {
        const QString key = source->base.isEmpty() ? source->site.toLower() : source->name;
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}
