#include "core/urlopener.h"

#include <QDesktopServices>

namespace {

QString schemeOf(const QString &address)
{
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return {};
    const QString scheme = address.left(colon).toLower();
    for (QChar c : scheme) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != QLatin1Char('+') && c != QLatin1Char('-')
            && c != QLatin1Char('.'))
            return {};
    }
    return scheme;
}

} // namespace

bool UrlOpener::isAllowed(const QString &address)
{
    static const QStringList allowed = {
        QStringLiteral("http"),   QStringLiteral("https"),   QStringLiteral("ftp"), QStringLiteral("magnet"),
        QStringLiteral("ed2k"),   QStringLiteral("thunder"), QStringLiteral("qvod"),
    };
    return allowed.contains(schemeOf(address.trimmed()));
}

UrlOpener::~UrlOpener() = default;

bool UrlOpener::openAddress(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (!isAllowed(trimmed))
        return false;
    const QUrl url(trimmed, QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    return openUrl(url);
}

bool UrlOpener::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
