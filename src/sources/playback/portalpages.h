#pragma once

#include <QString>
#include <QStringList>

class SiteConfig;

// The seven video portal pages: option names (there is no Option7) and
// their captions. Each page's address is in the definition "video-portals",
// under the option's name in lower case, on the host sites.ini [portals]
// gives the option.
class PortalPages
{
public:
    static const QString &startOption(); // Option3, 腾讯视频

    static const QStringList &options();
    static const QStringList &captions();
    // The option's page on the portal's host; empty for an unknown option.
    static QString address(const SiteConfig &sites, const QString &option);
};
