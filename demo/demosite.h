#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

#include <functional>

// One request as a demo site sees it, the site's prefix already removed.
struct DemoRequest
{
    QString path;      // e.g. "/s" or "/search/abc/1" (percent-decoded)
    QString rawPath;   // the same, still percent-encoded
    QUrlQuery query;
    QString siteBase;  // this site's base address, e.g. http://127.0.0.1:4711/netdisk_search
};

struct DemoResponse
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/html; charset=utf-8";
    QList<QPair<QByteArray, QByteArray>> headers;
    int delayMs = 0; // answer this much later (a slow site)

    static DemoResponse html(const QString &page);           // UTF-8
    static DemoResponse gbkHtml(const QString &page, bool declareInHeader = true);
    static DemoResponse text(const QByteArray &bytes, const QByteArray &contentType);
    static DemoResponse notFound();
    static DemoResponse redirect(const QString &location);
};

using DemoHandler = std::function<DemoResponse(const DemoRequest &)>;
