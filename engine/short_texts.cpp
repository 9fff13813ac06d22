#include "short_texts.h"

#include <algorithm>
#include <span>

#include "tuning.h"

namespace velmoro::internal {

namespace {

[[nodiscard]] TextView WordText(const PreparedText& text, const WordSpan& span) {
  return text.text().substr(span.start, span.length);
}

// A place keeps the number of its word in 8 bits and its unit in the 24 above.
static_assert(kWordScanWords <= 0x100 && kWordScanUnits <= 0x1000000);

[[nodiscard]] bool Fits(const PreparedText& text) {
  const std::vector<WordSpan>& words = text.words();
  return words.size() <= kWordScanWords && text.text().size() <= kWordScanUnits &&
         (words.empty() || words.front().length > 0);
}

}  // namespace

std::optional<ShortTexts> ShortTexts::Of(const PreparedText& text1, const PreparedText& text2) {
  std::optional<ShortTexts> texts(std::in_place);
  if (!texts->Take(text1, text2)) texts.reset();
  return texts;
}

bool ShortTexts::Take(const PreparedText& text1, const PreparedText& text2) {
  if (!Fits(text1) || !Fits(text2)) return false;
  texts_ = {&text1, &text2};
  if (!NumberWords()) return false;
  places_.clear();
  places_begin_.clear();
  if (!ListPlaces(0) || !ListPlaces(1)) return false;
  rest_starts_.resize(RestCount(0) + RestCount(1));
  reads_as_itself_.resize(rest_starts_.size());
  for (std::size_t t = 0; t < 2; ++t) {
    FindRestStarts(t);
    FindWordsReadingAsItself(t);
  }
  return true;
}

void ShortTexts::FindWordsReadingAsItself(std::size_t t) {
  const WordId* words = ids(t).data();
  const WordSpan* spans = texts_[t]->words().data();
  const std::uint32_t* begin = PlacesBegin(t);
  const std::size_t first = t == 0 ? 0 : RestCount(0);
  for (std::size_t j = 0; j < RestCount(t); ++j) {
    reads_as_itself_[first + j] = rest_starts_[first + j] == spans[j + 1].start &&
                                  places_[begin[words[j]]] == PlaceAt(spans[j].start, j);
  }
}

// Numbers the words of both texts and finds the words inside each word of
// the vocabulary. Each of those is a place in a text that holds the outer
// word, so a pair with more than twice kWordScanPlaces of them is too many.
bool ShortTexts::NumberWords() {
  vocabulary_.Start(texts_[0]->words().size() + texts_[1]->words().size());
  ids_.resize(texts_[0]->words().size() + texts_[1]->words().size());
  WordId* id = ids_.data();
  for (const PreparedText* text : texts_) {
    for (const WordSpan& span : text->words()) *id++ = vocabulary_.Number(WordText(*text, span));
  }
  vocabulary_size_ = vocabulary_.size();
  return vocabulary_.FindWordsInsideWords(inside_, inside_begin_, 2 * kWordScanPlaces);
}

// Lists text t's places by word, each word's in the text's order: counts
// them first, then places each where its word's list starts. False when the
// text holds more than kWordScanPlaces.
bool ShortTexts::ListPlaces(std::size_t t) {
  const std::span<const WordId> textIds = ids(t);
  const std::vector<WordSpan>& spans = texts_[t]->words();
  const std::size_t base = places_begin_.size();
  places_begin_.resize(base + vocabulary_size_ + 1, 0);
  const auto begin = std::span(places_begin_).subspan(base);
  std::size_t count = 0;
  for (const WordId id : textIds) {
    ++begin[id + 1];
    for (std::size_t e = inside_begin_[id]; e < inside_begin_[id + 1]; ++e) {
      ++begin[inside_[e].inner + 1];
    }
    count += 1 + inside_begin_[id + 1] - inside_begin_[id];
  }
  if (count > kWordScanPlaces) return false;
  begin[0] = static_cast<std::uint32_t>(places_.size());
  for (std::size_t id = 0; id < vocabulary_size_; ++id) begin[id + 1] += begin[id];
  places_.resize(places_.size() + count);
  // Fills each list from its start, then moves the starts back.
  for (std::size_t k = 0; k < textIds.size(); ++k) {
    const WordId id = textIds[k];
    places_[begin[id]++] = PlaceAt(spans[k].start, k);
    for (std::size_t e = inside_begin_[id]; e < inside_begin_[id + 1]; ++e) {
      places_[begin[inside_[e].inner]++] = PlaceAt(spans[k].start + inside_[e].offset, k);
    }
  }
  std::copy_backward(begin.begin(), begin.end() - 1, begin.end());
  begin[0] = static_cast<std::uint32_t>(places_.size() - count);
  return true;
}

// The rest behind word j is words j + 1 to the last and a space. Since
// spaces stand single between words, it occurs where some word a ends with
// word j + 1 and the words behind a are the rest's other words; its first
// occurrence is at the smallest such a, and at word j + 1 itself when no
// a in front of it does. The last of the rest's other words is the text's
// last word, so a stands m words in front of a word equal to it, m being
// the rest's words less one.
void ShortTexts::FindRestStarts(std::size_t t) {
  const std::span<const WordId> words = ids(t);
  const std::vector<WordSpan>& spans = texts_[t]->words();
  const std::size_t n = words.size();
  const auto starts = std::span(rest_starts_).subspan(t == 0 ? 0 : RestCount(0), RestCount(t));
  for (std::size_t j = 0; j < starts.size(); ++j) starts[j] = spans[j + 1].start;
  if (n < 2) return;
  // Where the rest behind word j starts when word a ends with word j + 1.
  const auto startInWord = [&](std::size_t a, std::size_t j) {
    return static_cast<std::uint32_t>(spans[a].end() - spans[j + 1].length);
  };
  // Only a word that holds the last word can end with it.
  const std::span<const Place> ofLast = Places(t, words[n - 1]);
  for (const Place place : ofLast) {
    const std::size_t a = WordOf(place);
    if (a + 1 >= n) break;
    if (UnitOf(place) + spans[n - 1].length == spans[a].end()) {
      starts[n - 2] = startInWord(a, n - 2);
      break;
    }
  }
  // A run of copies of the last words ends in a copy of the last word.
  for (const Place place : ofLast) {
    const std::size_t p = WordOf(place);
    if (p + 1 >= n) break;
    if (p == 0 || UnitOf(place) != spans[p].start || words[p] != words[n - 1]) continue;
    for (std::size_t m = 1; m <= p && m + 2 <= n && words[p - m + 1] == words[n - m]; ++m) {
      const std::size_t a = p - m;
      const std::size_t j = n - 2 - m;
      if (EndsWith(t, a, j + 1)) starts[j] = std::min(starts[j], startInWord(a, j));
    }
  }
}

// Whether word outer of text t ends with word inner.
bool ShortTexts::EndsWith(std::size_t t, std::size_t outer, std::size_t inner) const {
  const std::span<const WordId> words = ids(t);
  if (words[outer] == words[inner]) return true;
  const TextView text = texts_[t]->text();
  const WordSpan& o = texts_[t]->words()[outer];
  const WordSpan& i = texts_[t]->words()[inner];
  return o.length > i.length && text.substr(o.end() - i.length, i.length) == text.substr(i.start, i.length);
}

}  // namespace velmoro::internal
