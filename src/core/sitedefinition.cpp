#include "core/sitedefinition.h"

namespace {

QString lookUp(const QList<SiteDefinition::Named> &list, const QString &name)
{
    for (const SiteDefinition::Named &entry : list) {
        if (entry.name == name)
            return entry.text;
    }
    return {};
}

} // namespace

QString SiteDefinition::baseFrom(const QString &siteBase) const
{
    return base.isEmpty() ? siteBase : base;
}

QString SiteDefinition::marker(const QString &name) const
{
    return lookUp(markers, name);
}

QString SiteDefinition::address(const QString &name) const
{
    return lookUp(addresses, name);
}

const SiteDefinition::Field *SiteDefinition::field(const QString &key) const
{
    for (const Field &f : fields) {
        if (f.key == key)
            return &f;
    }
    return nullptr;
}

SiteDefinition::Place SiteDefinition::placeOf(const QString &key) const
{
    return places.value(key);
}
