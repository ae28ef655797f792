#pragma once

#include "core/headlesssource.h"

struct SiteDefinition;

// A keyword source a user defined: its definition's search address, fetch
// and fields, page 1 unless asked otherwise. Its fields are the
// definition's, in file order, after the row number "xh".
HeadlessSource definedSource(const SiteDefinition &definition);
