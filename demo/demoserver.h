#pragma once

#include "demo/demosite.h"

#include <QHash>
#include <QHttpServer>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

class SiteConfig;

// All demo sites on one loopback port, one path prefix per site: the site
// with configuration key K answers under "/K" (so its base address is
// http://127.0.0.1:PORT/K). Every request is logged for the tests.
class DemoServer : public QObject
{
    Q_OBJECT

public:
    explicit DemoServer(QObject *parent = nullptr);

    // Listens on 127.0.0.1 with a port the system chooses.
    bool start();
    quint16 port() const;
    QString root() const;
    QString siteBase(const QString &siteKey) const;

    // A configuration that points every site of the program at this server.
    SiteConfig siteConfig() const;

    // Several families may serve one site (the eMule site's sections): the
    // handler added last is asked first, and the first answer that is not a
    // 404 wins (so a test can put its own pages over a demo site's).
    void addSite(const QString &siteKey, DemoHandler handler);

    // One request to "<root>/key/path?query" answered by the sites and
    // logged, whichever front end received it (root names that front end,
    // so the pages' own links point back at it).
    DemoResponse answer(const QUrl &url, const QString &root);

    // Requests received so far, as "/key/path?query" exactly as sent.
    QStringList requests() const;
    QStringList requestsFor(const QString &siteKey) const;
    void clearRequests();

    // Every answer this server gives comes this much later, on top of a
    // page's own delay (a distant site); 0, the default, adds nothing.
    void setLatencyMs(int latencyMs);
    // Answers for a held site wait until it is released, in the order they
    // were asked: a test's "slow site" that is slow for as long as the test
    // needs, whatever the machine's load.
    void holdSite(const QString &siteKey);
    void releaseSite(const QString &siteKey);
    // Answers only the latest request waiting for a held site, which stays
    // held: an older request then answers after a newer one.
    void releaseNewest(const QString &siteKey);
    // How many requests wait for a held site (a held request is logged
    // when it is answered).
    int heldRequests(const QString &siteKey) const;

private:
    void handle(const QHttpServerRequest &request, QHttpServerResponder &&responder);

    QHttpServer m_server;
    quint16 m_port = 0;
    QHash<QString, QList<DemoHandler>> m_sites;
    QStringList m_requests;
    int m_latencyMs = 0;
    QHash<QString, QList<std::function<void()>>> m_held; // by site key; empty list: held, none waiting
};
