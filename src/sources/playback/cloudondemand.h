#pragma once

#include <QString>

struct SiteDefinition;

// The cloud on-demand request address: the definition "cloud-on-demand"'s
// play address on the service's base address, with the address as given
// (no encoding: the service reads the raw query).
QString cloudOnDemandAddress(const SiteDefinition &definition, const QString &serviceBase, const QString &address);
