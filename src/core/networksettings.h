#pragma once

#include <QString>

// How every fetch goes out: the [network] section of the site configuration.
struct NetworkSettings
{
    // The transfer time-out: how long a fetch may go without receiving.
    int timeoutMs = 30000;
    // The whole fetch, from sending the request to the last byte, so a
    // site that trickles cannot hold a search; 0: four times timeoutMs.
    int deadlineMs = 0;
    QString userAgent = QStringLiteral(
        "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/131.0.0.0 Safari/537.36");
    QString proxy; // empty, or http://host:port / socks5://host:port
    // How many fetches of one site may run at once, whoever asked (sites
    // are slow, a search should not add up their delays; a slow site should
    // not hold back the others). Searches also run this many workers.
    int parallel = 6;

    // deadlineMs, or its default.
    int effectiveDeadlineMs() const;
};
