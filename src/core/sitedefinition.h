#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the program knows about one source's pages, read from its definition
// file (definitions/*.toml, see docs/SITE-DEFINITIONS.md): where to ask, how
// to fetch, and where each field lies between start and end markers.
struct SiteDefinition
{
    // How {keyword} goes into an address.
    enum class KeywordEncoding {
        Utf8,         // every byte outside A-Z a-z 0-9 - . _ ~ as %XX, in UTF-8
        Gbk,          // the same in GBK
        Utf8NonAscii, // ASCII passes as it is; everything else as UTF-8 %XX
    };
    // How the page is fetched (headers and decoding).
    enum class Fetch { GetBody, Plain, Transfer };
    // How rows are cut.
    enum class Split {
        Rows, // the page is split at the row marker; each field is cut within its row
        Page, // each field splits the whole page at its own start marker; row i takes piece i
    };

    struct Field
    {
        QString key;   // a result list column key
        QString start;
        QString end;   // the value ends before it; no end, no value
        QString prefix; // {base} allowed; not added to an empty value
        bool prefixWhenFound = false; // add the prefix whenever the start marker was found
        QStringList remove; // strings removed from the value, in order
        bool entities = false; // &amp; &lt; &gt; &quot; &#39; read as the characters
    };

    struct Named
    {
        QString name;
        QString text;
    };

    // Where the definition came from, for messages: ":/definitions/x.toml" or a path.
    QString file;
    bool builtIn = false;

    QString name;
    QString title;
    QString site; // a [sites] key of sites.ini ...
    QString base; // ... or a base address of its own
    QString charset = QStringLiteral("utf-8");
    QString probe;

    QString searchAddress;
    KeywordEncoding keyword = KeywordEncoding::Utf8;
    Fetch fetch = Fetch::GetBody;

    Split split = Split::Rows;
    QString rowStart;
    QString countMarker; // rows = occurrences of this marker on the page
    QStringList notFound; // any of them on the page: no rows
    QList<Field> fields;

    // A built-in reader's own markers and addresses, looked up by name.
    QList<Named> markers;
    QList<Named> addresses;
    // Ordered label tests: the first whose any needle a text contains gives its label.
    struct Label
    {
        QString label;
        QStringList needles;
    };
    QList<Label> labels;
    QStringList captions;

    // Where a key lies in the file ("fields", "markers", "captions",
    // "search.address", ...), for what is checked after loading; 1:1 for a
    // key the file does not have.
    struct Place
    {
        int line = 1;
        int column = 1;
    };
    QHash<QString, Place> places;
    Place placeOf(const QString &key) const;

    // The base address: `base`, or the site's from sites.ini.
    QString baseFrom(const QString &siteBase) const;
    // A named marker or address; empty when the definition has none.
    QString marker(const QString &name) const;
    QString address(const QString &name) const;
    const Field *field(const QString &key) const;
};
