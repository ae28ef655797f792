#pragma once

#include "core/headlesssource.h"

#include <QList>

// The eMule family's searches without their window.
QList<HeadlessSource> emuleHeadlessSources();
