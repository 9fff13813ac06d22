// The engine's public front for JavaScript: compare, explain and
// compareExplained give, as JSON text, what velmoro-cli --json, --json
// --explain (under "explain") and --json --explain print for a pair, written
// by the record library that velmoro-cli prints with; velmoro.js reads them
// back as objects. One text a call crosses into JavaScript several times
// faster than an object built there a value at a time. outline serves the
// page, which shows texts of any length: see below.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

#include "velmoro/directions.h"
#include "velmoro/fronts.h"
#include "velmoro/records/json_record.h"
#include "velmoro/records/json_writer.h"
#include "velmoro/velmoro.h"

namespace {

using emscripten::val;
using velmoro::ExplainedWord;
using velmoro::GivenText;
using velmoro::WalkRecord;

const velmoro::records::Drain kNoDrain = [] {};

std::string Compare(const std::u16string& text1, const std::u16string& text2) {
  std::string out;
  velmoro::records::AppendJsonRecord(out, {}, velmoro::Compare(text1, text2), nullptr, kNoDrain);
  return out;
}

// The comparison's record, with its explanation under "explain".
std::string Record(const std::u16string& text1, const std::u16string& text2) {
  const GivenText given1 = GivenText::FromUtf16(text1);
  const GivenText given2 = GivenText::FromUtf16(text2);
  WalkRecord record;
  const velmoro::Comparison comparison = velmoro::CompareGivenTexts(given1, given2, &record);
  const velmoro::records::WalkedTexts walked{record, given1, given2};
  std::string out;
  velmoro::records::AppendJsonRecord(out, {}, comparison, &walked, kNoDrain);
  return out;
}

// Only "explain" of the record.
std::string Explain(const std::u16string& text1, const std::u16string& text2) {
  const GivenText given1 = GivenText::FromUtf16(text1);
  const GivenText given2 = GivenText::FromUtf16(text2);
  WalkRecord record;
  static_cast<void>(velmoro::CompareGivenTexts(given1, given2, &record));
  std::string out;
  velmoro::records::JsonWriter json(out);
  json.BeginObject();
  velmoro::records::WriteJsonExplanation(json, {record, given1, given2}, kNoDrain);
  json.EndObject();
  return out;
}

// --- The page's outline ------------------------------------------------------
//
// A long text walks millions of words, far more than a page can take as
// objects. What the page shows is bounded: the first rows of each direction's
// table, counts for the panels' tooltips, and the words that tint Text1 and
// Text2 (directions 1 and 2), of which only found words and words whose
// places were used are listed; found words are at most one for each point of
// a 16-bit score. Places there are the engine's UTF-16 units of the texts as
// given, which is what the page's boxes count in.

val Int32Array(const std::vector<std::int32_t>& values) {
  return val::global("Int32Array").new_(emscripten::typed_memory_view(values.size(), values.data()));
}

// One direction's outline, gathered as its words are walked.
class DirectionOutline {
 public:
  explicit DirectionOutline(bool tinted) : tinted_(tinted) {}

  void Add(const ExplainedWord& word, bool asRow) {
    ++words_;
    found_ += word.target ? 1 : 0;
    by_context_ += word.following ? 1 : 0;
    if (asRow) row_used_by_.push_back(word.used_by ? static_cast<std::int32_t>(*word.used_by) : -1);
    if (!tinted_) return;
    walked_end_ = Place(word.utf16.source.end);
    // The empty word of a leading mark stands nowhere a pointer can rest.
    if (word.source.start == word.source.end) return;
    const std::int32_t start = Place(word.utf16.source.start);
    if (word.not_found == velmoro::NotFound::Used) {
      const std::optional<velmoro::Span> usedBy = word.utf16.used_by_source;
      used_words_.insert(used_words_.end(), {start, walked_end_, usedBy ? Place(usedBy->start) : -1,
                                           usedBy ? Place(usedBy->end) : -1});
    }
    if (!word.target) return;
    const velmoro::Span match = *word.utf16.target;
    const velmoro::Span enclosing = *word.utf16.enclosing;
    found_words_.insert(found_words_.end(),
                       {start, walked_end_, Place(match.start), Place(match.end),
                        Place(enclosing.start), Place(enclosing.end),
                        static_cast<std::int32_t>(*word.match), word.points,
                        word.following.value_or(-1), word.preceding.value_or(-1)});
  }

  [[nodiscard]] val ToValue() const {
    val outline = val::object();
    outline.set("words", words_);
    outline.set("found", found_);
    outline.set("byContext", by_context_);
    outline.set("rowUsedBy", Int32Array(row_used_by_));
    if (tinted_) {
      outline.set("walkedEnd", walked_end_);
      outline.set("foundWords", Int32Array(found_words_));
      outline.set("usedWords", Int32Array(used_words_));
    }
    return outline;
  }

 private:
  static std::int32_t Place(std::size_t unit) { return static_cast<std::int32_t>(unit); }

  bool tinted_;
  int words_ = 0;
  int found_ = 0;
  int by_context_ = 0;
  std::vector<std::int32_t> row_used_by_;
  std::int32_t walked_end_ = 0;
  // Per found word: its start and end, its match's, the start and end of the
  // word that holds the match, how the match stands there (velmoro::MatchPlace:
  // 0 the whole word, 1 its start, 2 further in), points, following and
  // preceding (-1: none).
  std::vector<std::int32_t> found_words_;
  // Per word whose places were used: its start and end, and the start and end
  // of the found word that took its first place (-1, -1: none named).
  std::vector<std::int32_t> used_words_;
};

// {record, explain, directions}: record is the JSON that compare gives;
// explain that of "explain", each direction with its first rowLimit words
// only; directions, per direction that ran, its outline: counts of its words
// ("words", "found", "byContext"), "rowUsedBy" (for each row, the row of the
// word that used its places, or -1), and for directions 1 and 2 where tinted
// (tint1, tint2) says so "walkedEnd", "foundWords" and "usedWords" (see
// DirectionOutline).
val Outline(const std::u16string& text1, const std::u16string& text2, int rowLimit, bool tint1,
            bool tint2) {
  const GivenText given1 = GivenText::FromUtf16(text1);
  const GivenText given2 = GivenText::FromUtf16(text2);
  WalkRecord record;
  const velmoro::Comparison comparison = velmoro::CompareGivenTexts(given1, given2, &record);
  std::string recordJson;
  velmoro::records::AppendJsonRecord(recordJson, {}, comparison, nullptr, kNoDrain);

  std::string explain;
  velmoro::records::JsonWriter json(explain);
  val directions = val::array();
  json.BeginArray();
  for (int direction = 1; direction <= velmoro::kDirectionCount; ++direction) {
    const auto explained = record.Direction(direction);
    if (!explained) {
      json.Null();
      directions.set(direction - 1, val::null());
      continue;
    }
    const bool tints = (direction == 1 && tint1) || (direction == 2 && tint2);
    DirectionOutline outline(tints);
    velmoro::records::WriteJsonDirection(json, *explained, [&] {
      std::size_t index = 0;
      record.ForEachWord(direction, given1, given2, [&](const ExplainedWord& word) {
        const bool asRow = index++ < static_cast<std::size_t>(rowLimit);
        if (asRow) velmoro::records::WriteJsonWord(json, word);
        outline.Add(word, asRow);
      });
    });
    directions.set(direction - 1, outline.ToValue());
  }
  json.EndArray();

  val result = val::object();
  result.set("record", recordJson);
  result.set("explain", explain);
  result.set("directions", directions);
  return result;
}

// The window's status bars, which the page lays out alike: each one's label
// and the directions whose scores its self-score and cross-score panels show.
val StatusBars() {
  val bars = val::array();
  for (std::size_t bar = 0; bar < velmoro::kStatusBars.size(); ++bar) {
    const velmoro::StatusBarShape& shape = velmoro::kStatusBars[bar];
    val described = val::object();
    described.set("label", std::string(shape.label));
    described.set("selfDirection", shape.selfDirection);
    described.set("crossDirection", shape.crossDirection);
    bars.set(bar, described);
  }
  return bars;
}

// The units that part words: those the comparison reads as a space.
std::u16string WordBreaks() {
  std::u16string breaks;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    if (velmoro::NormalizesToSpace(static_cast<char16_t>(unit))) breaks += static_cast<char16_t>(unit);
  }
  return breaks;
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmoro) {
  emscripten::function("compare", &Compare);
  emscripten::function("explain", &Explain);
  emscripten::function("compareExplained", &Record);
  emscripten::function("outline", &Outline);
  emscripten::function("wordBreaks", &WordBreaks);
  emscripten::function("statusBars", &StatusBars);
}
