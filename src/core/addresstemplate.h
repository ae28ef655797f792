#pragma once

#include "core/sitedefinition.h"

#include <QList>
#include <QString>
#include <QStringList>

// The placeholders an address template may name ({base}, {keyword}, ...).
class AddressTemplate
{
public:
    static const QStringList &placeholders();

    // Names in braces that are not placeholders, in template order; an
    // unclosed brace is reported as "{".
    static QStringList unknownPlaceholders(const QString &text);

    // `text` with each {name} replaced by its value in one pass; a
    // placeholder without a value becomes empty.
    static QString expand(const QString &text, const QList<SiteDefinition::Named> &values);

    // The keyword as a template's {keyword} takes it.
    static QString encodeKeyword(const QString &keyword, SiteDefinition::KeywordEncoding encoding);

    // An expanded address stays under its base: the base itself, or the base
    // followed by "/", "?" or "#".
    static bool isUnder(const QString &address, const QString &base);

    // Why `base` cannot be a base address, empty when it can: it must be
    // http or https with a host, and carry no user name or password (which
    // would hide the real host: "http://trusted.example@evil.example" goes
    // to evil.example), no query and no fragment (which would swallow the
    // paths put after it).
    static QString baseRefusal(const QString &base);
};
