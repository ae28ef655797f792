#include "sources/torrents/torrentfilesaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const QString path = target.filePath(candidateName(name, attempt));
        QFile file(path);
        // NewOnly fails when the file exists, so nothing is overwritten even
        // if another program creates it in the meantime.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            return {};
        }
        if (file.write(bytes) != bytes.size()) {
            file.remove();
            return {};
        }
        file.close();
        return path;
    }
    return {};
}
