#include "comparison_run.h"

#include <cmath>
#include <string_view>

#include "direction_scorer.h"
#include "prepared_text.h"
#include "short_texts.h"
#include "thread_workspace.h"
#include "tuning.h"
#include "velmoro/directions.h"

namespace velmoro::internal {

namespace {

// Every operand of the checked computations is finite, so a value that is not
// can only come from a division by zero, an invalid operation or an overflow.
void CheckFloatingPoint(double value) {
  if (!std::isfinite(value)) throw RuntimeError(ErrorKind::FPException);
}

double FourthRoot(double x) { return std::sqrt(std::sqrt(x)); }

// What a thread keeps from one comparison to the next (thread_workspace.h):
// the prepared texts and their word scan's tables.
struct PairWorkspace {
  PreparedText text1;
  PreparedText text2;
  ShortTexts short_texts;

  // A pair too long for the word scan leaves nothing larger behind than one
  // it takes would.
  void Shed() {
    text1.Shed(kWordScanUnits);
    text2.Shed(kWordScanUnits);
  }
};

// A panel's prefix, which is ASCII, followed by the score.
Text PanelText(std::string_view prefix, Integer score) {
  return Text(prefix.begin(), prefix.end()) + IntegerToText(score);
}

}  // namespace

void RunComparison(TextView text1, TextView text2, ComparisonState& state,
                   const DirectionScored& onScored, const DirectionStarted& onStarted) {
  const Long L1 = Len(text1);
  const Long L2 = Len(text2);
  const Long diff = Abs(SubtractLong(L1, L2));
  state.LengthFactor = static_cast<float>(static_cast<double>(diff) / L1 + 1);
  CheckFloatingPoint(state.LengthFactor);
  const internal::Lease<PairWorkspace> workspace;
  PreparedText& prepared1 = workspace->text1;
  PreparedText& prepared2 = workspace->text2;
  prepared1.Assign(text1);
  prepared2.Assign(text2);
  const ShortTexts* shortTexts =
      workspace->short_texts.Take(prepared1, prepared2) ? &workspace->short_texts : nullptr;
  for (Integer direction = 1; direction <= 4; ++direction) {
    ScoreDirection(direction, prepared1, prepared2, state,
                   onStarted ? onStarted(direction) : WordObserver{}, shortTexts);
    if (onScored) onScored(direction);
  }
}

}  // namespace velmoro::internal

namespace velmoro {

using internal::AddInteger;
using internal::CheckFloatingPoint;
using internal::DirectionScored;
using internal::FourthRoot;
using internal::PanelText;
using internal::RunComparison;

void RunComparison(TextView text1, TextView text2, ComparisonState& state) {
  RunComparison(text1, text2, state, DirectionScored{});
}

double ResultValue(const ComparisonState& state) {
  const double f = FourthRoot(state.LengthFactor);
  const Integer selfScores =
      AddInteger(state.DirectionScores[4], state.DirectionScores[3]);
  const Integer crossScores =
      AddInteger(state.DirectionScores[2], state.DirectionScores[1]);
  const double x = f * selfScores / crossScores - 1;
  CheckFloatingPoint(x);
  return x;
}

Text SelfScoreText(Integer score) { return PanelText(kSelfScorePrefix, score); }

Text CrossScoreText(Integer score) { return PanelText(kCrossScorePrefix, score); }

}  // namespace velmoro
