#pragma once

#include <QString>
#include <QStringList>

class SiteConfig;

// The seven video portal pages: option names (there is no Option7), their
// captions, and the page path on each portal's host.
class PortalPages
{
public:
    static const QString &startOption(); // Option3, 腾讯视频

    static const QStringList &options();
    static const QStringList &captions();
    static const QStringList &paths();
    // The portal's host (configuration) + its page path; empty for an
    // unknown option.
    static QString address(const SiteConfig &sites, const QString &option);
};
