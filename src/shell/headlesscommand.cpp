#include "shell/headlesscommand.h"

#include "core/allsearch.h"
#include "core/allsearchrow.h"
#include "core/definitioncatalog.h"
#include "core/definitionloader.h"
#include "core/searchlimits.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"
#include "core/texttools.h"
#include "shell/allsearchsources.h"
#include "shell/commandline.h"
#include "shell/escapedtext.h"
#include "shell/sitecheck.h"
#include "shell/sourcetable.h"
#include "ui/allsearchmodel.h"

#include <QCoreApplication>
#include <QCoroSignal>
#include <QMultiHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}


QString asTsv(const QList<ListRow> &rows, const QStringList &fields)
{
    QString out = fields.join(u'\t') + u'\n';
    for (const ListRow &row : rows)
        out += HeadlessCommand::cells(row, fields).join(u'\t') + u'\n';
    return out;
}

QString asJson(const QList<ListRow> &rows, const QStringList &fields)
{
    QJsonArray array;
    for (const ListRow &row : rows) {
        const QStringList values = HeadlessCommand::cells(row, fields);
        QJsonObject object;
        for (qsizetype i = 0; i < fields.size(); ++i)
            object.insert(fields.at(i), values.at(i));
        array.append(object);
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

QString failureLine(const QString &name, const FetchOutcome &failure)
{
    return escapedText(name) + u'\t' + escapedText(failure.address) + u'\t' + escapedText(failure.code()) + u'\t'
           + escapedText(failure.describe()) + u'\n';
}

// A list cut at the row cap, in the failure line's shape: name, the last
// page asked for, "list-cut", what was left out.
QString cutLine(const QString &name, const QList<FetchOutcome> &outcomes, qsizetype found)
{
    const QString address = outcomes.isEmpty() ? u"-"_s : outcomes.constLast().address;
    return escapedText(name) + u'\t' + escapedText(address) + u"\tlist-cut\t"_s + SearchLimits::cutNote(found)
           + u'\n';
}

// One line per definition regex that failed in a search: the source, the
// rule, its code and the words.
void writePatternErrors(const QString &name, const PatternErrors &errors)
{
    for (qsizetype i = 0; i < errors.codes().size(); ++i) {
        // A code is the rule and its outcome, tab-separated.
        const QString rule = errors.codes().at(i).section(u'\t', 0, 0);
        const QString code = errors.codes().at(i).section(u'\t', 1);
        write(stderr, escapedText(name) + u'\t' + escapedText(rule) + u'\t' + escapedText(code) + u'\t'
                          + escapedText(errors.messages().at(i)) + u'\n');
    }
}

// Every keyword source at once; rows with the same address merged, in the
// order they arrived, each naming its sources.
QCoro::Task<int> searchAll(const CommandLine &line, const SiteConfig &sites, PageFetcher &fetcher)
{
    const QList<HeadlessSource> sources = allSearchSources(sites.definitions());
    AllSearch search(fetcher, sites);
    // The window's list merges them, so both print the same rows.
    AllSearchModel merged;
    int answered = 0;
    QObject::connect(&search, &AllSearch::answered, &search, [&](const AllSearchAnswer &answer) {
        const HeadlessSource &source = sources.at(answer.index);
        for (const QString &error : answer.patternErrors) {
            QStringList parts = error.split(u'\t'); // rule, code, words
            for (QString &part : parts)
                part = escapedText(part);
            write(stderr, escapedText(source.name) + u'\t' + parts.join(u'\t') + u'\n');
        }
        if (!answer.refusal.isEmpty()) {
            write(stderr, escapedText(source.name) + u"\trefused\t"_s + escapedText(answer.refusal) + u'\n');
            return;
        }
        if (answer.rows.isEmpty() && answer.failure) {
            write(stderr, failureLine(source.name, *answer.failure));
            return;
        }
        if (answer.cutFrom > 0)
            write(stderr, cutLine(source.name, answer.outcomes, answer.cutFrom));
        // Answered: one of its pages came. A source that fetched nothing
        // (no netdisk filter set) answered nothing.
        if (answer.answeredFetch)
            ++answered;
        QList<AllSearchRow> rows;
        rows.reserve(answer.rows.size());
        for (const ListRow &listed : answer.rows)
            rows.append(allSearchRow(source.name, source.title, listed));
        merged.addRows(rows);
    });
    search.start(sources, line.keyword);
    if (search.isRunning())
        co_await qCoro(&search, &AllSearch::finished);
    while (merged.pendingRows() > 0)
        co_await qCoro(&merged, &AllSearchModel::rowsLanded);
    QList<ListRow> printed;
    printed.reserve(merged.rowCount());
    for (int i = 0; i < merged.rowCount(); ++i) {
        const AllSearchRow &row = merged.rowAt(i);
        printed.append({merged.sourcesAt(i).join(u','),
                        {{u"name"_s, row.name}, {u"size"_s, row.size}, {u"date"_s, row.date},
                         {u"address"_s, row.address}}});
    }
    const QStringList fields = {u"source"_s, u"name"_s, u"size"_s, u"date"_s, u"address"_s};
    write(stdout, line.format == u"json"_s ? asJson(printed, fields) : asTsv(printed, fields));
    co_return answered > 0 ? 0 : 1;
}

QCoro::Task<int> search(const CommandLine &line, const SiteConfig &sites, PageFetcher &fetcher)
{
    if (line.source == u"all"_s)
        co_return co_await searchAll(line, sites, fetcher);
    if (line.listSources) {
        for (const HeadlessSource &source : headlessSources(sites.definitions()))
            write(stdout, escapedText(source.name) + u'\t' + escapedText(source.siteKey) + u'\t'
                              + escapedText(source.title) + u'\t' + escapedText(source.keywordHelp) + u'\n');
        co_return 0;
    }
    const std::optional<HeadlessSource> source = findHeadlessSource(line.source, sites.definitions());
    if (!source) {
        write(stderr, escapedText(HeadlessCommand::usageError(line, sites.definitions())) + u'\n');
        co_return 2;
    }
    SourceFetch fetch(fetcher, sites);
    // Named, not a temporary: g++ 12 destroys temporaries of a co_await
    // expression twice.
    const SourceQuery query{line.keyword, line.page};
    const QList<ListRow> rows = co_await source->run(fetch, query);
    const QStringList fields = headlessFields(*source);
    write(stdout, line.format == u"json"_s ? asJson(rows, fields) : asTsv(rows, fields));
    if (fetch.cutFrom() > 0)
        write(stderr, cutLine(source->name, fetch.outcomes(), fetch.cutFrom()));
    const std::optional<FetchOutcome> failure = fetch.firstFailure();
    if (rows.isEmpty() && failure) {
        write(stderr, failureLine(source->siteKey, *failure));
        co_return 1;
    }
    // A field the definition could not cut: the rows are not what the site said.
    writePatternErrors(source->name, fetch.patternErrors());
    co_return fetch.patternErrors().isEmpty() ? 0 : 1;
}

QCoro::Task<int> checkSites(const SiteConfig &sites, PageFetcher &fetcher)
{
    // All at once, printed in the configuration's order; every source of a
    // site that more than one searches.
    std::vector<QCoro::Task<SiteCheck>> checks;
    for (const QString &key : sites.checkedKeys()) {
        if (sites.site(key).isEmpty())
            continue;
        for (const QString &source : SiteCheck::sourcesOf(sites, key))
            checks.push_back(SiteCheck::run(fetcher, sites, key, source));
    }
    if (checks.empty()) {
        write(stderr, u"no site is configured\n"_s);
        co_return 1;
    }
    bool allPassed = true;
    for (QCoro::Task<SiteCheck> &task : checks) {
        const SiteCheck check = co_await std::move(task);
        allPassed = allPassed && check.passed();
        write(stdout, check.line() + u'\n');
        std::fflush(stdout);
    }
    co_return allPassed ? 0 : 1;
}

} // namespace

namespace HeadlessCommand {

QString usageError(const CommandLine &line, const DefinitionCatalog &definitions)
{
    if (line.command != Command::Search || line.listSources)
        return {};
    if (line.source == u"all"_s)
        return line.page == u"1"_s ? QString() : u"search all reads page 1 of every source; --page does not apply"_s;
    const std::optional<HeadlessSource> source = findHeadlessSource(line.source, definitions);
    if (!source)
        return u"unknown source: "_s + line.source + u" (juyuanxia search --list)"_s;
    const QString refused = source->refusal ? source->refusal(line.keyword) : QString();
    return refused.isEmpty() ? QString() : u"search "_s + source->name + u": "_s + refused;
}

int checkDefinitions(const QStringList &files)
{
    bool sound = true;
    for (const QString &file : files) {
        const DefinitionLoader::Result result = DefinitionLoader::loadFile(file);
        QList<DefinitionProblem> problems = result.problems;
        // A file that replaces a built-in must carry what that reader reads.
        if (result.definition) {
            DefinitionCatalog catalog = DefinitionCatalog::builtIns();
            if (!catalog.add(*result.definition))
                problems += catalog.problems();
        }
        for (const DefinitionProblem &problem : std::as_const(problems))
            write(stderr, escapedText(problem.text()) + u'\n');
        if (problems.isEmpty())
            write(stdout, escapedText(file) + u": ok ("_s + result.definition->name + u")\n"_s);
        sound = sound && problems.isEmpty();
    }
    std::fflush(stdout);
    return sound ? 0 : 1;
}

QCoro::Task<> run(const CommandLine &line, const SiteConfig &sites, PageFetcher &fetcher)
{
    int status = 0;
    if (line.command == Command::CheckSites)
        status = co_await checkSites(sites, fetcher);
    else
        status = co_await search(line, sites, fetcher);
    std::fflush(stdout);
    QCoreApplication::exit(status);
}

} // namespace HeadlessCommand

// Cells in field order; column 0 is the row's item text. One pass over
// the row's cells (the last of a key wins), so a definition with tens of
// thousands of fields costs as many steps, not their square.
QStringList HeadlessCommand::cells(const ListRow &row, const QStringList &fields)
{
    QMultiHash<QString, qsizetype> columnsOf;
    columnsOf.reserve(fields.size());
    for (qsizetype i = 1; i < fields.size(); ++i)
        columnsOf.insert(fields.at(i), i);
    QStringList values(fields.size());
    if (!values.isEmpty())
        values[0] = row.text;
    for (const ListRow::Cell &cell : row.cells) {
        for (auto [column, end] = columnsOf.equal_range(cell.key); column != end; ++column)
            values[*column] = cell.text;
    }
    for (QString &value : values)
        value = cleanCell(value);
    return values;
}

