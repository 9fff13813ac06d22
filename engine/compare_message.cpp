#include "compare_message.h"

#include <cstddef>
#include <limits>

#include "velmoro/directions.h"

namespace velmoro::internal {

namespace {

constexpr int kLargestInteger = std::numeric_limits<Integer>::max();

std::string Number(int n) { return std::to_string(n); }

const std::string kShorter = "The measure is made for short texts of up to about " +
                             Number(kPracticalWordLimit) +
                             " words each: compare shorter pieces.";

// The direction that was being scored when the error came: the first one that
// did not complete; 0 when all four did.
int FailedDirection(const CompareOutcome& outcome) {
  for (std::size_t i = 0; i < outcome.scores.size(); ++i) {
    if (!outcome.scores[i]) return static_cast<int>(i) + 1;
  }
  return 0;
}

// Without a length factor text 1 is empty; a self-score of 0 is a text
// without a word, which no word of the other text can be found in.
std::string DivisionByZero(const CompareOutcome& outcome) {
  if (!outcome.length_factor) return "Text 1 is empty: type or paste a text to compare.";
  if (outcome.scores[2] == 0) {
    return "Text 1 holds only spaces: type or paste a text to compare.";
  }
  if (outcome.scores[3] == 0) {
    return "Text 2 is empty or holds only spaces: type or paste a text to compare.";
  }
  return "No word in common: no word of either text is found in the other (both "
         "cross-scores are 0), so the distance cannot be computed. Compare texts that "
         "share at least one word.";
}

// An overflow of the sum of two scores, after all four directions.
std::string SumOverflow(const CompareOutcome& outcome) {
  const auto score = [&](std::size_t direction) { return Number(*outcome.scores[direction - 1]); };
  if (*outcome.scores[2] + *outcome.scores[3] > kLargestInteger) {
    return "The two self-scores together pass " + Number(kLargestInteger) + " (" + score(3) +
           " + " + score(4) + "): the texts are too long. " + kShorter;
  }
  return "The two cross-scores together pass " + Number(kLargestInteger) + " (" + score(1) +
         " + " + score(2) + "): the texts are too long. " + kShorter;
}

std::string DirectionOverflow(int direction, OverflowCause cause) {
  const auto [source, target] = kDirectionTexts[DirectionIndex(direction)];
  switch (cause) {
    case OverflowCause::LongSourceWord:
    case OverflowCause::LongTargetWord: {
      const int slot = cause == OverflowCause::LongSourceWord ? source : target;
      return CapitalTextName(slot) + " holds a word longer than 32766 characters (characters "
             "with no space between them), which the measure cannot count past. Break it "
             "up with spaces.";
    }
    case OverflowCause::Position:
      return "A word of " + TextName(source) + " is found more than " + Number(kLargestInteger) +
             " characters into " + TextName(target) +
             ", further than the measure can count. " + kShorter;
    case OverflowCause::Value:
      break;
  }
  if (source == target) {
    return CapitalTextName(source) + " is too long: its self-score passes " +
           Number(kLargestInteger) + ". " + kShorter;
  }
  return "The score of " + TextName(source) + " against " + TextName(target) + " passes " +
         Number(kLargestInteger) + ": the texts are too long. " + kShorter;
}

std::string Sentence(const CompareOutcome& outcome) {
  switch (*outcome.error) {
    case ErrorKind::FPException:
      return DivisionByZero(outcome);
    case ErrorKind::Overflow: {
      const int direction = FailedDirection(outcome);
      if (direction == 0) return SumOverflow(outcome);
      return DirectionOverflow(direction, outcome.overflow_cause);
    }
    case ErrorKind::InvalidArgument:
      return "A text operation was asked for a negative number of characters.";
    case ErrorKind::BoundsError:
      return "A direction score was addressed outside its table.";
  }
  return "The comparison failed.";
}

// The kind's name, and in plain words what it is where the name does not say.
std::string KindNamed(ErrorKind kind) {
  const std::string name(ErrorKindName(kind));
  switch (kind) {
    case ErrorKind::Overflow: return name;
    case ErrorKind::FPException: return name + ": division by zero";
    case ErrorKind::InvalidArgument: return name + ": invalid argument";
    case ErrorKind::BoundsError: return name + ": index out of range";
  }
  return name;
}

}  // namespace

std::string CompareMessage(const CompareOutcome& outcome) {
  if (!outcome.error) return {};
  return Sentence(outcome) + " (" + KindNamed(*outcome.error) + ")";
}

}  // namespace velmoro::internal
