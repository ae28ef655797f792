#pragma once

#include <QString>

// Hands an address to the system's default handler (browser, download
// client). Addresses come from outside pages and are untrusted: only the
// schemes below are passed on, so a page cannot make us open a local file
// or run a script. Tests override openUrl() to see what would be opened.
// ed2k and thunder links are no valid URLs to QUrl ("ed2k://|file|…"), so
// the address travels as text and goes to the system as one argument.
class UrlOpener
{
public:
    static bool isAllowed(const QString &address);

    virtual ~UrlOpener();

    // False when the address was refused (or the system could not open it).
    bool openAddress(const QString &address);

protected:
    virtual bool openUrl(const QString &address);
};
