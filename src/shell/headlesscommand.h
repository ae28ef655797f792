#pragma once

#include <QCoroTask>
#include <QString>
#include <QStringList>

class DefinitionCatalog;
class PageFetcher;
class SiteConfig;
struct CommandLine;
struct ListRow;

// `--check-sites` and `search` without a window: the readers' own
// addresses and parsers, rows on standard output, failures on standard
// error. Ends the application with the exit status:
//   search: 0 rows printed or the site answered without a hit, 1 the site
//           failed, 2 a usage error;
//   --check-sites: 0 every configured site answered with rows, else 1.
namespace HeadlessCommand {

// Why a search cannot run as asked (an unknown source, a keyword its
// window refuses), as one line; empty when it can. Asked before anything
// is read or fetched.
QString usageError(const CommandLine &line, const DefinitionCatalog &definitions);

// `definitions check FILE...`: each problem as "file:line:column: what" on
// standard error, "FILE: ok" on standard output for a file without any.
// 0 when every file is sound, 1 otherwise.
int checkDefinitions(const QStringList &files);

QCoro::Task<> run(const CommandLine &line, const SiteConfig &sites, PageFetcher &fetcher);

// One printed row: its cells in field order, cleaned; field 0 is the row's
// item text. Linear in the fields and cells.
QStringList cells(const ListRow &row, const QStringList &fields);

} // namespace HeadlessCommand
