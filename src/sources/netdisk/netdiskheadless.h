#pragma once

#include "core/headlesssource.h"

#include <QList>

// The netdisk search without its window.
QList<HeadlessSource> netdiskHeadlessSources();
