#pragma once

#include <QCoroTask>

class PageFetcher;
class SiteConfig;
struct CommandLine;

// `--check-sites` and `search` without a window: the readers' own
// addresses and parsers, rows on standard output, failures on standard
// error. Ends the application with the exit status:
//   search: 0 rows printed or the site answered without a hit, 1 the site
//           failed, 2 a usage error;
//   --check-sites: 0 every configured site answered with rows, else 1.
namespace HeadlessCommand {

QCoro::Task<> run(const CommandLine &line, const SiteConfig &sites, PageFetcher &fetcher);

} // namespace HeadlessCommand
