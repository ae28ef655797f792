#include "sources/playback/mediabackend.h"

MediaBackend::~MediaBackend() = default;
