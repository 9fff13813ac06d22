#pragma once

// Velmoro's front for every caller: how far apart two texts are, as one
// Compare gives it (the four direction scores, the status-bar and result texts
// of the window, the distance as a number, and a message that says what went
// wrong), and which words each direction found and what they earned.
//
// Texts come as UTF-8 or as UTF-16. Every line break, whether CR LF, a lone LF
// or a lone CR, reaches the comparison as CR LF, and every text in Unicode's
// composed form (NFC), so the same text gives the same numbers whatever tool
// or editor produced it. Places in an explanation
// count code points of the text as given (a lone surrogate of a UTF-16 text
// counts as one), from 0, half-open.

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "velmoro/errors.h"

namespace velmoro {

// What one Compare gave. An error ends a Compare where it is raised: what was
// produced before it is kept, the rest is missing.
struct Comparison {
  // Directions 1 to 4 (text 1 against text 2, text 2 against text 1, text 1
  // against itself, text 2 against itself); nullopt where it did not complete.
  std::array<std::optional<int>, 4> scores;
  // 1 + |length 1 - length 2| / length 1, in single precision, widened.
  std::optional<double> length_factor;
  // The label and the two panel texts of each status bar: "1-2", "STD: 150",
  // "#: 15"; a panel the Compare did not produce is "".
  std::array<std::string, 3> status1;
  std::array<std::string, 3> status2;
  // The result as text: "6.6973953762657", with a full stop whatever the
  // locale (the window shows the user's own decimal separator).
  std::optional<std::string> result_text;
  // The result as a number: 0 for equal texts, never below -1.
  std::optional<double> distance;
  std::optional<ErrorKind> error;
  // What happened and what to do, ending with the error kind's name; empty
  // when the Compare completed.
  std::string message;
};

// A half-open range of a text, in code points from 0.
struct Span {
  std::size_t start = 0;
  std::size_t end = 0;
  bool operator==(const Span&) const = default;
};

// Why a word of a completed direction earned nothing.
enum class NotFound {
  Absent,  // it occurs nowhere in the target as normalised
  Used,    // it occurs there, but only where earlier words had used it up
};

// How a found word's match stands among the words of its target text.
enum class MatchPlace {
  Word,         // it is a whole word there
  StartOfWord,  // it starts a longer word
  InsideWord,   // it is part of a longer word, not at its start
};

// A word's places again, in UTF-16 units of the texts as given (a lone
// surrogate is one unit), as a UTF-16 string of those texts, a QString or a
// JavaScript string, counts them.
struct Utf16Places {
  Span source;
  std::optional<Span> target;
  std::optional<Span> enclosing;
  std::optional<Span> used_by_source;
};

// One word a direction's scan walked.
struct ExplainedWord {
  std::string word;  // as the scan sees it: normalised, in UTF-8
  Span source;       // where it stands in the source text; empty for the empty
                     // word that a text beginning with a mark starts with
  std::optional<Span> target;  // the units it was found at in the target text
  int points = 0;    // 0 not found, 1 a single point, else following + preceding
  std::optional<int> following;  // the runs, for a word credited by context
  std::optional<int> preceding;
  // For a word that earned nothing in a completed direction: why.
  std::optional<NotFound> not_found;
  // For a word whose every occurrence was used up: the index, among the
  // direction's words, of the earlier word found where this one first occurs
  // in the target, when one word used that place.
  std::optional<std::size_t> used_by;
  // Where that earlier word stands in the source text.
  std::optional<Span> used_by_source;
  // For a found word: how its match stands among the target's words, and the
  // word of the target that holds it (the match itself where it is a word).
  std::optional<MatchPlace> match;
  std::optional<Span> enclosing;
  // source, target, enclosing and used_by_source in UTF-16 units.
  Utf16Places utf16;
};

struct DirectionExplanation {
  int direction = 0;  // 1 to 4
  int source = 0;     // the source text: 1 or 2
  int target = 0;     // the target text: 1 or 2
  bool complete = false;  // false: an error ended the scan after these words
  int score = 0;          // the direction's score when the scan ended
  std::vector<ExplainedWord> words;  // in scan order
};

// Directions 1 to 4 at indices 0 to 3; nullopt for a direction that never
// started.
using Explanation = std::array<std::optional<DirectionExplanation>, 4>;

// Bytes given as UTF-8 that are not well-formed UTF-8.
class InvalidUtf8 : public std::invalid_argument {
 public:
  explicit InvalidUtf8(std::size_t offset);

  // The index of the first byte of the ill-formed sequence.
  [[nodiscard]] std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Compares text1 with text2. An error of the comparison does not throw: error
// and message say what happened. The UTF-8 forms throw InvalidUtf8.
[[nodiscard]] Comparison Compare(std::string_view text1, std::string_view text2);
[[nodiscard]] Comparison Compare(std::u16string_view text1, std::u16string_view text2);

// The same, and the explanation of that same Compare into explanation.
[[nodiscard]] Comparison Compare(std::string_view text1, std::string_view text2,
                                 Explanation& explanation);
[[nodiscard]] Comparison Compare(std::u16string_view text1, std::u16string_view text2,
                                 Explanation& explanation);

// Which words the Compare of text1 with text2 found, and what they earned.
[[nodiscard]] Explanation Explain(std::string_view text1, std::string_view text2);
[[nodiscard]] Explanation Explain(std::u16string_view text1, std::u16string_view text2);

}  // namespace velmoro
