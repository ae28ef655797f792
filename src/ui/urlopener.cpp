#include "ui/urlopener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

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
    return openUrl(trimmed);
}

bool UrlOpener::openUrl(const QString &address)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (url.isValid())
        return QDesktopServices::openUrl(url);
    // No shell: the address is one argument, whatever it holds.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}
