// A program of a C++ caller of an installed Velmoro: it compares the sample
// pair through the public front and the public procedures, and says whether
// the result is the one worked out by hand.

#include <velmoro/procedures.h>
#include <velmoro/velmoro.h>

#include <cstdio>

#include "sample_pair.h"

int main() {
  using velmoro::fixtures::kSamplePair;
  const velmoro::Comparison comparison = velmoro::Compare(kSamplePair.text1, kSamplePair.text2);
  velmoro::ComparisonState state;
  velmoro::RunComparison(u"A B", u"a b", state);
  const bool right = comparison.result_text == kSamplePair.result &&
                     velmoro::ResultValue(state) == 0.0 &&
                     velmoro::NormalizeText(u"Hello, world.") == u"hello world ";
  std::printf("%s\n", comparison.result_text.value_or("none").c_str());
  return right ? 0 : 1;
}
