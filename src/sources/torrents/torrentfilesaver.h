#pragma once

#include <QByteArray>
#include <QString>

// Where a downloaded torrent goes. The address comes from an outside feed,
// so its name is made safe before it touches the file system.

// The address's last path segment, decoded, as a plain file name: path
// separators and control characters become "_", leading dots go, and a
// name that is left empty gets a fallback.
QString safeTorrentFileName(const QString &address);

// A torrent file is one bencoded dictionary with an "info" entry; an error
// page or an empty answer is not.
bool looksLikeTorrent(const QByteArray &bytes);

// Writes `bytes` as a new file in `dir` (created when missing) under `name`,
// or "name (1).ext", "name (2).ext" … when that exists: an existing file is
// never overwritten. Returns the path written, empty on failure.
QString saveNewFile(const QString &dir, const QString &name, const QByteArray &bytes);
