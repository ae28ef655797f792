#pragma once

#include "core/headlesssource.h"

#include <QList>

// The playback family's listings and searches without their window.
QList<HeadlessSource> playbackHeadlessSources();
