#include "velmoro/records/json_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <random>
#include <string>
#include <vector>

#include "sample_pair.h"
#include "velmoro/fronts.h"
#include "velmoro/procedures.h"

namespace velmoro::records {
namespace {

// Texts of a few words drawn from a small vocabulary, so that pairs share
// some words, all or none; now and then empty or with marks and breaks.
std::vector<std::string> MadeTexts(std::size_t count) {
  static const std::array<std::string, 12> kWords = {
      "the", "red", "bag", "Anna", "walks", "to", "mill", ",", ".", "river", "\r\n", "été"};
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> length(0, 30);
  std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string text;
    for (std::size_t n = length(random); n > 0; --n) text += kWords[word(random)] + ' ';
    texts.push_back(text);
  }
  return texts;
}

// The record written from a Compare's numbers is the one written from the
// whole Comparison, byte for byte, wherever the pair stands; a Compare that
// ended in an error has none written from its numbers.
TEST(AppendCompletedJsonRecord, WritesTheBytesOfTheWholeRecord) {
  std::vector<std::string> texts = MadeTexts(400);
  texts.insert(texts.end(), {std::string(fixtures::kSamplePair.text1),
                             std::string(fixtures::kSamplePair.text2), "", "x y", "z w"});
  const std::array<RecordPlace, 4> places = {
      RecordPlace{}, RecordPlace{12, std::nullopt}, RecordPlace{std::nullopt, "\"a\""},
      RecordPlace{3, "[1,{\"k\":null}]"}};
  std::size_t completed = 0;
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
    SCOPED_TRACE(texts[i] + " | " + texts[i + 1]);
    const GivenText text1 = GivenText::FromUtf8(texts[i]);
    const GivenText text2 = GivenText::FromUtf8(texts[i + 1]);
    const RecordPlace& place = places[i % places.size()];
    std::string whole = "before";
    AppendJsonRecord(whole, place, CompareGivenTexts(text1, text2), nullptr, [] {});
    std::string fromNumbers = "before";
    const bool written =
        AppendCompletedJsonRecord(fromNumbers, place, CompareGivenNumbers(text1, text2));
    if (written) {
      ++completed;
      EXPECT_EQ(fromNumbers, whole);
    } else {
      EXPECT_EQ(fromNumbers, "before");
      EXPECT_NE(whole.find("\"error\":\""), std::string::npos) << whole;
    }
  }
  // Both kinds were met.
  EXPECT_GT(completed, texts.size() / 2);
  EXPECT_LT(completed, texts.size() - 1);
}

// The result text is DoubleToText's, at its longest too.
TEST(WriteResultText, WritesTheResultTextOfTheDistance) {
  for (const double distance : {0.0, -1.0, 4.0, 6.6973953762657, 1e-5, 123456789012345678.0,
                                -1.23456789012345e-305, -DBL_MAX}) {
    SCOPED_TRACE(distance);
    const Text expected = DoubleToText(distance, u'.');
    std::array<char, kResultTextChars> written{};
    const std::string_view result(written.data(), WriteResultText(distance, written.data()));
    EXPECT_EQ(Text(result.begin(), result.end()), expected);
  }
}

}  // namespace
}  // namespace velmoro::records
