#pragma once

#include "core/listrow.h"

#include <QCoroTask>
#include <QList>
#include <QString>

#include <functional>

class SourceFetch;

// What one search of a source asks for: the keyword (for the category
// sources the category's number or name) and the page box's text.
struct SourceQuery
{
    QString keyword;
    QString page = QStringLiteral("1");
};

// One reader's search without its window: its addresses and parser, the
// rows it would list. The headless search and the site check run these;
// each family lists its own beside its parsers.
struct HeadlessSource
{
    QString name;     // on the command line, e.g. "ed2k"
    QString title;    // the reader's tab caption, e.g. "综合资源②"
    QString siteKey;  // the [sites] key it fetches from
    QString list;     // the result list it fills; its column keys name the fields
    QString keywordHelp; // what KEYWORD is, for `search --list`
    QString probe;    // the keyword the site check searches for
    // Fetches and parses; the fetch records how each page ended.
    std::function<QCoro::Task<QList<ListRow>>(SourceFetch &fetch, const SourceQuery &query)> run;
    // Why the reader's window would not search for this keyword (in its
    // own words); empty when it would. None: every keyword is searched.
    std::function<QString(const QString &keyword)> refusal;
    // Without a list (a user's source): the fields, the row number first.
    QStringList fields = {};
};
