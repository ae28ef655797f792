#pragma once

#include "core/headlesssource.h"

#include <QList>

// The torrent family's searches without their window.
QList<HeadlessSource> torrentHeadlessSources();
