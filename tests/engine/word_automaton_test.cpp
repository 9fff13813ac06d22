#include "word_automaton.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "substring_search.h"

namespace velmoro {

using internal::FindLastUnits;
using internal::FindUnits;
using internal::PreparedText;
using internal::WordAutomaton;
using internal::WordSpan;

namespace {

// A distinct word for each number: "w" and the number's letters base 26.
Text NumberedWord(std::size_t number) {
  Text word = u"w";
  do {
    word.push_back(static_cast<char16_t>(u'a' + number % 26));
    number /= 26;
  } while (number > 0);
  return word;
}

// The words hold about 118,000 distinct prefixes, more than the edge table
// first takes (two thirds of 131,072 slots), so it has to grow; every answer
// must still be the one a direct search gives.
TEST(WordAutomaton, AnswersLikeDirectSearchAfterTheTableGrows) {
  Text source;
  Text target;
  for (std::size_t number = 0; number < 100000; ++number) {
    source += NumberedWord(number) + u" ";
    if (number % 3 == 0) target += NumberedWord(number) + u"x ";
  }
  const PreparedText prepared(source);
  const WordAutomaton automaton(prepared, target);
  for (std::size_t j = 0; j < prepared.words().size(); j += 97) {
    const WordSpan& span = prepared.words()[j];
    for (const std::size_t length : {std::size_t{2}, std::size_t{span.length}}) {
      const TextView word = prepared.text().substr(span.start, length);
      SCOPED_TRACE(testing::Message() << "word " << j << ", length " << length);
      const auto found = automaton.Find(word);
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(found->first, FindUnits(target, word));
      EXPECT_EQ(found->last, FindLastUnits(target, word));
    }
  }
  EXPECT_FALSE(automaton.Find(u"zz").has_value());
}

// Neighbouring words that begin alike share the start of their walk through
// the trie: a word longer, shorter or the same as the one before it, or
// parting from it at any unit, must still be answered for every prefix.
TEST(WordAutomaton, AnswersEveryPrefixOfWordsThatBeginAlike) {
  const PreparedText prepared(u"abc abcd ab abx b abcde abc ab bab a");
  const Text target = u"xabcdey abx zab b ba";
  const WordAutomaton automaton(prepared, target);
  for (const WordSpan& span : prepared.words()) {
    for (std::size_t length = 1; length <= span.length; ++length) {
      const TextView word = prepared.text().substr(span.start, length);
      SCOPED_TRACE(testing::Message() << "word at " << span.start << ", length " << length);
      const auto found = automaton.Find(word);
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(found->first, FindUnits(target, word));
      EXPECT_EQ(found->last, FindLastUnits(target, word));
    }
  }
}

// Views of the source that do not start where their word starts, or that
// reach over a space, are answered as the text they hold: found when it is a
// word or a prefix of one, unknown otherwise.
TEST(WordAutomaton, AnswersOtherViewsOfTheSourceByTheirText) {
  const PreparedText prepared(u"abc bab cab");
  const TextView text = prepared.text();
  const Text target = u"ab cab ba";
  const WordAutomaton automaton(prepared, target);
  struct Case {
    std::size_t start;
    std::size_t length;
    bool known;
  };
  // "abc bab cab ": the words start at 0, 4 and 8.
  const Case cases[] = {
      {1, 2, false},  // "bc" inside "abc" starts no word
      {5, 2, true},   // "ab" inside "bab" starts "abc"
      {9, 2, true},   // "ab" at the end of "cab" too
      {6, 1, true},   // "b" at the end of "bab" starts "bab"
      {2, 3, false},  // "c b" reaches over a space
      {3, 2, false},  // " b" starts with one
  };
  for (const Case& c : cases) {
    const TextView word = text.substr(c.start, c.length);
    SCOPED_TRACE(testing::Message() << "view at " << c.start << ", length " << c.length);
    const auto found = automaton.Find(word);
    ASSERT_EQ(found.has_value(), c.known);
    if (!found) continue;
    EXPECT_EQ(found->first, FindUnits(target, word));
    EXPECT_EQ(found->last, FindLastUnits(target, word));
  }
}

}  // namespace
}  // namespace velmoro
