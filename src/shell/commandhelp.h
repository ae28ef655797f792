#pragma once

#include "shell/commandoptions.h"

#include <QString>

// The texts the command line prints, made from the option table.
namespace CommandHelp {

// --help: every command with its options, the exit statuses.
QString full();
// search --help: the search command alone.
QString search();
// definitions --help: the definitions command alone.
QString definitions();
// After a usage error: the synopsis lines of `command` and where help is.
QString shortUsage(Command command);
// --version: "juyuanxia (聚源匣) 2.0.710"
QString version();

} // namespace CommandHelp
