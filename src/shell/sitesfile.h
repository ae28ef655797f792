#pragma once

#include <QString>

// A site file named on the command line must be there and be an INI file;
// otherwise the program stops instead of reading every site as unset.
namespace SitesFile {

// Why `path` cannot serve as the site configuration; empty when it can.
QString problem(const QString &path);

} // namespace SitesFile
