#include "demo/demosite.h"

#include <QStringEncoder>

DemoResponse DemoResponse::html(const QString &page)
{
    DemoResponse response;
    response.body = page.toUtf8();
    return response;
}

DemoResponse DemoResponse::gbkHtml(const QString &page, bool declareInHeader)
{
    DemoResponse response;
    QStringEncoder gbk("GB18030");
    response.body = gbk.encode(page);
    response.contentType = declareInHeader ? QByteArray("text/html; charset=gbk") : QByteArray("text/html");
    return response;
}

DemoResponse DemoResponse::text(const QByteArray &bytes, const QByteArray &contentType)
{
    DemoResponse response;
    response.body = bytes;
    response.contentType = contentType;
    return response;
}

DemoResponse DemoResponse::notFound()
{
    DemoResponse response;
    response.status = 404;
    response.body = "<html><body><h1>404 Not Found</h1></body></html>";
    return response;
}

DemoResponse DemoResponse::redirect(const QString &location)
{
    DemoResponse response;
    response.status = 302;
    response.body.clear();
    response.headers.append({"Location", location.toUtf8()});
    return response;
}
