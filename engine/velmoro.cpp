#include "velmoro/velmoro.h"

#include "velmoro/directions.h"
#include "velmoro/fronts.h"

namespace velmoro {

namespace {

Explanation ExplanationOf(const WalkRecord& record, const GivenText& text1,
                          const GivenText& text2) {
  Explanation explanation;
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    std::optional<DirectionExplanation> explained = record.Direction(direction);
    if (!explained) continue;
    record.ForEachWord(direction, text1, text2, [&](const ExplainedWord& word) {
      explained->words.push_back(word);
    });
    explanation[DirectionIndex(direction)] = std::move(explained);
  }
  return explanation;
}

Comparison CompareAndExplain(const GivenText& text1, const GivenText& text2,
                             Explanation& explanation) {
  WalkRecord record;
  Comparison comparison = CompareGivenTexts(text1, text2, &record);
  explanation = ExplanationOf(record, text1, text2);
  return comparison;
}

}  // namespace

Comparison Compare(std::string_view text1, std::string_view text2) {
  return CompareGivenTexts(GivenText::FromUtf8(text1), GivenText::FromUtf8(text2));
}

Comparison Compare(std::u16string_view text1, std::u16string_view text2) {
  return CompareGivenTexts(GivenText::FromUtf16(text1), GivenText::FromUtf16(text2));
}

Comparison Compare(std::string_view text1, std::string_view text2, Explanation& explanation) {
  return CompareAndExplain(GivenText::FromUtf8(text1), GivenText::FromUtf8(text2), explanation);
}

Comparison Compare(std::u16string_view text1, std::u16string_view text2,
                   Explanation& explanation) {
  return CompareAndExplain(GivenText::FromUtf16(text1), GivenText::FromUtf16(text2),
                           explanation);
}

Explanation Explain(std::string_view text1, std::string_view text2) {
  Explanation explanation;
  static_cast<void>(Compare(text1, text2, explanation));
  return explanation;
}

Explanation Explain(std::u16string_view text1, std::u16string_view text2) {
  Explanation explanation;
  static_cast<void>(Compare(text1, text2, explanation));
  return explanation;
}

}  // namespace velmoro
