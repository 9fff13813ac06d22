#pragma once

// The comparison run: RunComparison, ResultValue and the panel texts, which
// callers find declared in velmoro/procedures.h, with the overloads that watch
// a run in scan_observers.h.

#include "scan_observers.h"
#include "text_primitives.h"
#include "velmoro/procedures.h"
