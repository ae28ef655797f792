#include "core/processcontrol.h"

ProcessControl::~ProcessControl() = default;
