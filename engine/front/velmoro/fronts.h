#pragma once

// What Velmoro's own fronts (the window, velmoro-cli and the Python module)
// need of the engine beyond velmoro/velmoro.h, and the only engine header they
// include: texts taken in once and compared many times, a Compare that keeps
// the words it walked as compactly as the engine records them, one that gives
// its numbers alone, one that gives a window its numbers and its status bars'
// texts in 16-bit units, the check of UTF-8 read in pieces, and which
// characters part words. Not installed: callers outside the project use velmoro.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "velmoro/errors.h"
#include "velmoro/text.h"
#include "velmoro/velmoro.h"

namespace velmoro {

// A text as a caller gave it, in UTF-8 or UTF-16, made into the text the
// engine compares: in Unicode's composed form (NFC), so that canonically
// equivalent texts compare alike, and with every line break, whether CR LF, a
// lone LF or a lone CR, as CR LF. The way back from a unit of that text to a
// code point of the text as given, and from there to a UTF-16 unit of it, goes
// with it: fronts count places in either.
class GivenText {
 public:
  // Throws InvalidUtf8 for bytes that are not well-formed UTF-8.
  [[nodiscard]] static GivenText FromUtf8(std::string_view bytes);
  [[nodiscard]] static GivenText FromUtf16(std::u16string_view units);

  // Makes this the text of bytes, as FromUtf8 makes a new one, in the memory
  // this one holds already where it is enough, so that a caller that takes
  // many texts in turn allocates none for most of them. Throws InvalidUtf8,
  // after which this holds the empty text.
  void AssignUtf8(std::string_view bytes);

  // The text the engine compares.
  [[nodiscard]] TextView text() const { return text_; }

  // The code point of the text as given that the unit at index unit of text()
  // belongs to; for text().size(), the given text's length in code points. A
  // lone surrogate counts as one code point. A unit inside a stretch that NFC
  // composed maps to the stretch's first code point.
  [[nodiscard]] std::size_t CodePointOf(std::size_t unit) const;

  // The UTF-16 unit of the text as given where the code point at codePoint
  // starts; for the given text's length in code points, its length in units.
  [[nodiscard]] std::size_t Utf16UnitOf(std::size_t codePoint) const;

 private:
  // How many given code points, in all, no unit of text_ before unit starts.
  struct Skip {
    std::uint32_t unit = 0;
    std::uint32_t code_points = 0;
  };

  void AppendGiven(std::u16string_view units, std::size_t& i);
  void AppendComposed(std::u16string_view composed, std::size_t givenCodePoints);
  void Continue();

  Text text_;
  // The units of text_, ascending, that start no code point of the text as
  // given: the second unit of a surrogate pair, the unit that a lone line
  // break gained, and every unit but the first of a composed stretch.
  std::vector<std::uint32_t> continuations_;
  // Behind each composed stretch that stood for more code points than one,
  // ascending.
  std::vector<Skip> skips_;
  // The code points of the text as given that take two UTF-16 units,
  // ascending.
  std::vector<std::uint32_t> pairs_;
};

// The words one Compare walked: for each direction, its found words only, so
// that a long text whose words are not found costs nothing here. The walked
// words are read again from the texts as they are handed out.
class WalkRecord {
 public:
  WalkRecord();
  ~WalkRecord();
  WalkRecord(WalkRecord&&) noexcept;
  WalkRecord& operator=(WalkRecord&&) noexcept;

  // Direction's (1 to 4) texts, completeness and score, without its words;
  // nullopt for a direction that never started.
  [[nodiscard]] std::optional<DirectionExplanation> Direction(int direction) const;

  // Calls visit with every word direction walked, in scan order, as callers
  // see it. text1 and text2 are the texts the Compare was given.
  void ForEachWord(int direction, const GivenText& text1, const GivenText& text2,
                   const std::function<void(const ExplainedWord&)>& visit) const;

  struct Walks;

 private:
  friend class WalkRecordAccess;
  std::unique_ptr<Walks> walks_;
};

// Compares text1 with text2, as velmoro::Compare does; with record, keeps
// there the words of every direction that started.
[[nodiscard]] Comparison CompareGivenTexts(const GivenText& text1, const GivenText& text2,
                                           WalkRecord* record = nullptr);

// What a Compare gives without the texts made of its numbers, for a front
// that writes its own records: the scores, length factor, distance, error and
// message of velmoro::Comparison.
struct CompareNumbers {
  std::array<std::optional<int>, 4> scores;
  std::optional<double> length_factor;
  std::optional<double> distance;
  std::optional<ErrorKind> error;
  std::string message;
};

[[nodiscard]] CompareNumbers CompareGivenNumbers(const GivenText& text1, const GivenText& text2);

// The Comparison that the Compare with these numbers gave, its status and
// result texts made from them as CompareGivenTexts makes them.
[[nodiscard]] Comparison ComparisonOf(const CompareNumbers& numbers);

// The texts of a Compare's two status bars as the engine writes them, in its
// own 16-bit units: each bar's label, then its self-score and cross-score
// panels, "1-2", "STD: 150", "#: 15"; a panel the Compare did not produce is
// empty.
using StatusTexts = std::array<std::array<Text, 3>, 2>;

// What a window shows of a Compare: its numbers, whose distance it writes
// with the user's own decimal separator, and its status bars.
struct CompareView {
  CompareNumbers numbers;
  StatusTexts status;
};

// Compares text1 with text2 for a window; with record, keeps there the words
// of every direction that started.
[[nodiscard]] CompareView CompareGivenView(const GivenText& text1, const GivenText& text2,
                                           WalkRecord* record = nullptr);

// The longest prefix of bytes made of whole well-formed UTF-8 sequences, and
// whether what follows it is ill-formed, or only a sequence that the end of
// bytes cuts off (more bytes may complete it).
struct Utf8Prefix {
  std::size_t length = 0;
  bool ill_formed = false;
};
[[nodiscard]] Utf8Prefix WellFormedPrefix(std::string_view bytes);

// Whether normalising turns unit into a space, so that it parts two words:
// U+0020 and the marks , . ; : ? ! - *.
[[nodiscard]] bool NormalizesToSpace(char16_t unit);

}  // namespace velmoro
