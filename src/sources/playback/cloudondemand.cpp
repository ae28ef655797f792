#include "sources/playback/cloudondemand.h"

#include "core/addresstemplate.h"
#include "core/sitedefinition.h"

using namespace Qt::StringLiterals;

QString cloudOnDemandAddress(const SiteDefinition &definition, const QString &serviceBase, const QString &address)
{
    return AddressTemplate::expand(definition.address(u"play"_s), {{u"base"_s, serviceBase}, {u"keyword"_s, address}});
}
