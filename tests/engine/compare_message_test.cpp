#include "compare_message.h"

#include <gtest/gtest.h>

#include <string>

#include "engine_test_support.h"

namespace velmoro {

using internal::CompareMessage;
using internal::RunCompareAction;

namespace {

std::string MessageOf(TextView text1, TextView text2) {
  ComparisonState state;
  return CompareMessage(RunCompareAction(text1, text2, state));
}

const std::string kShorter =
    " The measure is made for short texts of up to about 130 words each: compare shorter "
    "pieces. (Overflow)";
const std::string kLongWord =
    " holds a word longer than 32766 characters (characters with no space between them), "
    "which the measure cannot count past. Break it up with spaces. (Overflow)";

TEST(CompareMessage, SaysWhatHappenedAndWhatToDo) {
  struct Row {
    const char* situation;
    Text text1;
    Text text2;
    std::string message;
  };
  const Text far = Text(40'000, u'x') + u" a";
  const Row rows[] = {
      {"completed", u"A B", u"a b", ""},
      {"empty text 1", u"", u"abc", "Text 1 is empty: type or paste a text to compare. (FPException: division by zero)"},
      {"empty text 2", u"abc", u"",
       "Text 2 is empty or holds only spaces: type or paste a text to compare. (FPException: "
       "division by zero)"},
      {"text 2 of spaces only", u"abc", u"  ",
       "Text 2 is empty or holds only spaces: type or paste a text to compare. (FPException: "
       "division by zero)"},
      {"text 1 of spaces only", u"   ", u"abc",
       "Text 1 holds only spaces: type or paste a text to compare. (FPException: division by "
       "zero)"},
      {"no word in common", u"x", u"y",
       "No word in common: no word of either text is found in the other (both cross-scores "
       "are 0), so the distance cannot be computed. Compare texts that share at least one "
       "word. (FPException: division by zero)"},
      {"a self-score", DistinctWords(300), u"0",
       "Text 1 is too long: its self-score passes 32767." + kShorter},
      {"a cross-score", DistinctWords(260), DistinctWords(260),
       "The score of text 1 against text 2 passes 32767: the texts are too long." + kShorter},
      {"the self-scores together", DistinctWords(182), DistinctWords(182),
       "The two self-scores together pass 32767 (32582 + 32582): the texts are too long." +
           kShorter},
      {"a position", u"a", far,
       "A word of text 1 is found more than 32767 characters into text 2, further than the "
       "measure can count." + kShorter},
      {"a long word of the target", u"x", u"x" + Text(40'000, u'y'), "Text 2" + kLongWord},
      {"a long word of the source", u"a " + Text(40'000, u'b') + u" c", u"a", "Text 1" + kLongWord},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.situation);
    EXPECT_EQ(MessageOf(row.text1, row.text2), row.message);
  }
}

}  // namespace
}  // namespace velmoro
