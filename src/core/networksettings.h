#pragma once

#include <QString>

// How every fetch goes out: the [network] section of the site configuration.
struct NetworkSettings
{
    int timeoutMs = 30000;
    QString userAgent = QStringLiteral(
        "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/131.0.0.0 Safari/537.36");
    QString proxy; // empty, or http://host:port / socks5://host:port
    // How many fetches of one site may run at once, whoever asked (sites
    // are slow, a search should not add up their delays; a slow site should
    // not hold back the others). Searches also run this many workers.
    int parallel = 6;
};
