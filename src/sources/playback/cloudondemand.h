#pragma once

#include <QString>

// The cloud on-demand request address: the service's base address,
// "/api.php?ed=1&url=", then the address as given (no encoding: the
// service reads the raw query).
QString cloudOnDemandAddress(const QString &serviceBase, const QString &address);
