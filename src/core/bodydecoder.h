#pragma once

#include <QByteArray>
#include <QString>

// Turns a response body into text: the charset the Content-Type header
// declares; when it declares none, the page's own <meta charset> or
// http-equiv declaration; else `fallback` (UTF-8 when empty). GBK and
// GB2312 decode as GB18030, their superset.
QString decodeBody(const QByteArray &body, const QByteArray &contentType, const QByteArray &fallback = {});

// The charset named in a Content-Type value or an HTML head; empty if none.
QByteArray charsetFromContentType(const QByteArray &contentType);
QByteArray charsetFromMeta(const QByteArray &body);
