#include "compare_case.h"

#include <gtest/gtest.h>

namespace velmoro::bench {

using internal::CompareOutcome;

namespace {

TEST(OutcomeLabel, ShowsTheAnswerAndTheScores) {
  CompareOutcome completed;
  completed.scores = {15, 24, 150, 149};
  completed.result_value = 6.6973953762657;
  EXPECT_EQ(OutcomeLabel(completed), "result 6.6973953762657 [15 24 150 149]");

  CompareOutcome stopped;
  stopped.scores = {120, std::nullopt, std::nullopt, std::nullopt};
  stopped.error = ErrorKind::Overflow;
  EXPECT_EQ(OutcomeLabel(stopped), "Overflow [120 - - -]");

  CompareOutcome stoppedAtOnce;
  stoppedAtOnce.error = ErrorKind::FPException;
  EXPECT_EQ(OutcomeLabel(stoppedAtOnce), "FPException [- - - -]");
}

// A pair made only for the cache test, which counts how often it is made.
int madeCount = 0;
TextPair CountedPair(std::size_t units) {
  ++madeCount;
  return {Text(units, u'a'), Text(units, u'b')};
}
TextPair OtherPair(std::size_t units) { return {Text(units, u'c'), Text(units, u'd')}; }

TEST(CachedPair, MakesAPairOnceUntilAnotherIsAskedFor) {
  madeCount = 0;
  EXPECT_EQ(CachedPair(CountedPair, 3).text1, u"aaa");
  EXPECT_EQ(CachedPair(CountedPair, 3).text2, u"bbb");
  EXPECT_EQ(madeCount, 1);
  EXPECT_EQ(CachedPair(CountedPair, 2).text1, u"aa");
  EXPECT_EQ(CachedPair(OtherPair, 2).text1, u"cc");
  EXPECT_EQ(CachedPair(CountedPair, 2).text1, u"aa");
  EXPECT_EQ(madeCount, 3);
}

}  // namespace
}  // namespace velmoro::bench
