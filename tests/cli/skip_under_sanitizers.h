#pragma once

// The tests that limit a run's address space skip where a sanitizer reserves
// more of it than the limit allows.

#include <gtest/gtest.h>

#if defined(VELMORO_SANITIZED)
#define VELMORO_SKIP_UNDER_SANITIZERS() \
  GTEST_SKIP() << "a sanitizer reserves more address space than the limit"
#else
#define VELMORO_SKIP_UNDER_SANITIZERS() static_cast<void>(0)
#endif
