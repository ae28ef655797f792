#include "sources/torrents/torrentfilesaver.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxNameLength = 180; // well inside every file system's limit
constexpr int MaxAttempts = 1000;

QString candidateName(const QString &name, int attempt)
{
    if (attempt == 0)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    return stem + u" ("_s + QString::number(attempt) + u")"_s + extension;
}

} // namespace

QString safeTorrentFileName(const QString &address)
{
    const QUrl url(address, QUrl::TolerantMode);
    QString name = url.path(QUrl::FullyDecoded);
    // The last segment; a trailing separator leaves nothing.
    const qsizetype slash = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    name = name.mid(slash + 1);
    for (QChar &c : name) {
        // Also what other systems refuse, so the file survives a copy.
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.size() > MaxNameLength)
        name = name.right(MaxNameLength);
    if (name.isEmpty())
        return u"download.torrent"_s;
    return name;
}

bool looksLikeTorrent(const QByteArray &bytes)
{
    return bytes.startsWith('d') && bytes.endsWith('e') && bytes.contains("4:info");
}

QString saveNewFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return {};
    const QDir target(dir);
    // Written whole under a hidden temporary name first, then renamed: a
    // process killed mid-write leaves no half torrent under a real name.
    QTemporaryFile part(target.filePath(u".jyx-XXXXXX.part"_s));
    if (!part.open())
        return {};
    if (part.write(bytes) != bytes.size() || !part.flush())
        return {};
    // A temporary file is private; a saved torrent reads like any download.
    part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const QString path = target.filePath(candidateName(name, attempt));
        if (QFileInfo::exists(path))
            continue;
        // The rename never replaces an existing file (it fails instead), so
        // nothing is overwritten even if another program creates it now.
        if (part.rename(path)) {
            part.setAutoRemove(false);
            return path;
        }
        if (!QFileInfo::exists(path))
            return {};
    }
    return {};
}
