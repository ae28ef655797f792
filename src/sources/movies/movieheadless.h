#pragma once

#include "core/headlesssource.h"

#include <QList>

// The movie family's listings without their window.
QList<HeadlessSource> movieHeadlessSources();
