#include "short_texts.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

#include "substring_search.h"
#include "tuning.h"

namespace velmoro::internal {

namespace {

[[nodiscard]] TextView WordOf(const PreparedText& text, const WordSpan& span) {
  return text.text().substr(span.start, span.length);
}

// a == b, compared as bytes: quicker than unit by unit for words.
[[nodiscard]] bool SameUnits(TextView a, TextView b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

// One bit for each unit value modulo 64 that word holds: a word inside
// another holds no bit the other lacks.
[[nodiscard]] std::uint64_t UnitBits(TextView word) {
  std::uint64_t bits = 0;
  for (const char16_t unit : word) bits |= std::uint64_t{1} << (unit % 64);
  return bits;
}

// The distinct words of both texts, numbered in order of first appearance,
// through an open-addressing table sized for twice the words. The table and
// the words live in the object, which is sized for the most words two short
// texts hold, so that numbering a pair allocates nothing.
class Vocabulary {
 public:
  // The most distinct words two short texts hold.
  static constexpr std::size_t kMostWords = 2 * kWordScanWords;

  explicit Vocabulary(std::size_t words) : mask_(std::bit_ceil(2 * words + 2) - 1) {
    std::fill_n(slots_.begin(), mask_ + 1, kEmpty);
  }

  [[nodiscard]] WordId Number(TextView word) {
    for (std::size_t slot = Hash(word) & mask_;; slot = (slot + 1) & mask_) {
      if (slots_[slot] == kEmpty) {
        slots_[slot] = static_cast<WordId>(size_);
        words_[size_++] = {word.data(), word.size(), UnitBits(word)};
        return slots_[slot];
      }
      if (SameUnits(words_[slots_[slot]].View(), word)) return slots_[slot];
    }
  }

  // A word of the vocabulary and the bits of its units (UnitBits).
  struct Word {
    const char16_t* data;
    std::size_t size;
    std::uint64_t unit_bits;
    [[nodiscard]] TextView View() const { return {data, size}; }
  };

  [[nodiscard]] std::span<const Word> words() const { return {words_.data(), size_}; }

 private:
  static constexpr WordId kEmpty = 0xFFFF;

  // The length and the first and last four units, read as two numbers:
  // words that share all of them are rare outside made-up texts, and the
  // table compares them anyway.
  [[nodiscard]] static std::size_t Hash(TextView word) {
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    if (word.size() >= 4) {
      std::memcpy(&head, word.data(), sizeof head);
      std::memcpy(&tail, word.data() + word.size() - 4, sizeof tail);
    } else {
      for (const char16_t unit : word) head = (head << 16) | unit;
    }
    std::uint64_t hash = head * 0x9E3779B97F4A7C15ULL + tail;
    hash = (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9ULL + word.size();
    return static_cast<std::size_t>(hash ^ (hash >> 32));
  }

  std::size_t mask_;
  std::array<WordId, std::bit_ceil(2 * kMostWords + 2)> slots_;
  // Left uninitialised until numbered.
  std::array<Word, kMostWords> words_;
  std::size_t size_ = 0;
};

// A place keeps a word's offset in 16 bits.
static_assert(kWordScanUnits <= 0x10000);

[[nodiscard]] bool Fits(const PreparedText& text) {
  const std::vector<WordSpan>& words = text.words();
  return words.size() <= kWordScanWords && text.text().size() <= kWordScanUnits &&
         (words.empty() || words.front().length > 0);
}

// The words of a vocabulary by their first two units, and the one-unit words
// by their unit, in an open-addressing table with a list of the words that
// share each key: the words inside a word are found by looking up the units
// at each of its offsets, for a cost that grows with the vocabulary's units
// rather than with the square of its words.
class WordsByPrefix {
 public:
  explicit WordsByPrefix(std::span<const Vocabulary::Word> words)
      : shift_(64 - static_cast<unsigned>(std::countr_zero(std::bit_ceil(2 * words.size() + 2)))) {
    std::fill_n(keys_.begin(), std::size_t{1} << (64 - shift_), kNoKey);
    for (std::size_t id = 0; id < words.size(); ++id) {
      const Vocabulary::Word& word = words[id];
      std::size_t slot = SlotOf(KeyOf(word.data, std::min<std::size_t>(word.size, 2)));
      if (keys_[slot] == kNoKey) {
        keys_[slot] = KeyOf(word.data, std::min<std::size_t>(word.size, 2));
        first_[slot] = kNoWord;
      }
      next_[id] = first_[slot];
      first_[slot] = static_cast<WordId>(id);
    }
  }

  // Calls onWord(id) for every word whose first length units (1 or 2) are
  // those at units.
  template <typename OnWord>
  void ForEachStartingWith(const char16_t* units, std::size_t length, OnWord&& onWord) const {
    const std::size_t slot = SlotOf(KeyOf(units, length));
    if (keys_[slot] == kNoKey) return;
    for (WordId id = first_[slot]; id != kNoWord; id = next_[id]) onWord(id);
  }

 private:
  static constexpr std::size_t kSlots = std::bit_ceil(2 * Vocabulary::kMostWords + 2);
  static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};
  static constexpr WordId kNoWord = 0xFFFF;

  // Two units and one keep apart by the bit above them.
  [[nodiscard]] static std::uint64_t KeyOf(const char16_t* units, std::size_t length) {
    return length == 1 ? units[0]
                       : (std::uint64_t{1} << 32) | (std::uint64_t{units[0]} << 16) | units[1];
  }

  // Linear probing from the key's hash; the table is never more than half full.
  [[nodiscard]] std::size_t SlotOf(std::uint64_t key) const {
    std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_);
    while (keys_[slot] != kNoKey && keys_[slot] != key) slot = (slot + 1) & Mask();
    return slot;
  }
  [[nodiscard]] std::size_t Mask() const { return (std::size_t{1} << (64 - shift_)) - 1; }

  unsigned shift_;
  // Left uninitialised beyond the slots in use.
  std::array<std::uint64_t, kSlots> keys_;
  std::array<WordId, kSlots> first_;
  std::array<WordId, Vocabulary::kMostWords> next_;
};

// Calls onInside(inner, offset) for every shorter word of the vocabulary
// that occurs in word outer, by inner word and each at every offset, in
// ascending order of offsets.
template <typename OnInside>
void ForEachOffset(const Vocabulary::Word& outer, WordId inner, const Vocabulary::Word& word,
                   OnInside&& onInside) {
  for (std::size_t offset = FindUnits(outer.View(), word.View()); offset != kNotFound;
       offset = FindUnits(outer.View(), word.View(), offset + 1)) {
    onInside(inner, offset);
  }
}

// Each longer word tested against each shorter one: for a small vocabulary
// cheaper than the table of prefixes. The unit bits rule out most pairs
// before a search.
template <typename OnInside>
void FindWordsInsideWordsPairwise(std::span<const Vocabulary::Word> words, OnInside&& onInside) {
  std::array<WordId, Vocabulary::kMostWords> byLength;
  for (std::size_t id = 0; id < words.size(); ++id) byLength[id] = static_cast<WordId>(id);
  const auto sorted = std::span(byLength).first(words.size());
  std::sort(sorted.begin(), sorted.end(),
            [&](WordId a, WordId b) { return words[a].size < words[b].size; });
  // The unit bits in the same order, side by side, for the pairs' first test.
  std::array<std::uint64_t, Vocabulary::kMostWords> bitsByLength;
  for (std::size_t i = 0; i < sorted.size(); ++i) bitsByLength[i] = words[sorted[i]].unit_bits;
  for (std::size_t outer = 0; outer < words.size(); ++outer) {
    const Vocabulary::Word& o = words[outer];
    const std::uint64_t bits = o.unit_bits;
    for (std::size_t i = 0; i < sorted.size() && words[sorted[i]].size < o.size; ++i) {
      if ((bitsByLength[i] & ~bits) == 0) {
        ForEachOffset(o, sorted[i], words[sorted[i]], [&](WordId inner, std::size_t offset) {
          onInside(outer, inner, offset);
        });
      }
    }
  }
}

// Each longer word's offsets looked up in the table of prefixes.
template <typename OnInside>
void FindWordsInsideWordsByPrefix(std::span<const Vocabulary::Word> words, OnInside&& onInside) {
  const WordsByPrefix byPrefix(words);
  for (std::size_t outer = 0; outer < words.size(); ++outer) {
    const Vocabulary::Word& o = words[outer];
    for (std::size_t p = 0; p < o.size; ++p) {
      if (o.size > 1) {
        byPrefix.ForEachStartingWith(o.data + p, 1, [&](WordId inner) {
          onInside(outer, inner, p);
        });
      }
      if (p + 2 > o.size) continue;
      byPrefix.ForEachStartingWith(o.data + p, 2, [&](WordId inner) {
        const Vocabulary::Word& i = words[inner];
        if (i.size < o.size && p + i.size <= o.size &&
            std::memcmp(o.data + p + 2, i.data + 2, (i.size - 2) * sizeof(char16_t)) == 0) {
          onInside(outer, inner, p);
        }
      });
    }
  }
}

// Calls onInside(outer, inner, offset) for every word of the vocabulary
// inside a longer one, by outer word.
template <typename OnInside>
void FindWordsInsideWords(const Vocabulary& vocabulary, OnInside&& onInside) {
  const std::span<const Vocabulary::Word> words = vocabulary.words();
  if (words.size() < kWordsByPrefixFrom) {
    FindWordsInsideWordsPairwise(words, onInside);
  } else {
    FindWordsInsideWordsByPrefix(words, onInside);
  }
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
  NumberWords();
  places_.clear();
  places_begin_.clear();
  if (!ListPlaces(0) || !ListPlaces(1)) return false;
  rest_starts_.resize(RestCount(0) + RestCount(1));
  for (std::size_t t = 0; t < 2; ++t) FindRestStarts(t);
  return true;
}

// Numbers the words of both texts and finds the words inside each word of
// the vocabulary.
void ShortTexts::NumberWords() {
  Vocabulary vocabulary(texts_[0]->words().size() + texts_[1]->words().size());
  ids_.clear();
  for (const PreparedText* text : texts_) {
    for (const WordSpan& span : text->words()) {
      ids_.push_back(vocabulary.Number(WordOf(*text, span)));
    }
  }
  const std::span<const Vocabulary::Word> words = vocabulary.words();
  vocabulary_size_ = words.size();
  inside_.clear();
  inside_begin_.assign(vocabulary_size_ + 1, 0);
  FindWordsInsideWords(vocabulary, [&](std::size_t outer, WordId inner, std::size_t offset) {
    inside_.push_back({inner, static_cast<std::uint16_t>(offset)});
    ++inside_begin_[outer + 1];
  });
  for (std::size_t id = 0; id < vocabulary_size_; ++id) inside_begin_[id + 1] += inside_begin_[id];
}

// Lists text t's places by word, each word's in the text's order: counts
// them first, then places each where its word's list starts. False when the
// text holds more than kWordScanPlaces.
bool ShortTexts::ListPlaces(std::size_t t) {
  const std::span<const WordId> textIds = ids(t);
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
    places_[begin[id]++] = PlaceOf(k, 0);
    for (std::size_t e = inside_begin_[id]; e < inside_begin_[id + 1]; ++e) {
      places_[begin[inside_[e].inner]++] = PlaceOf(k, inside_[e].offset);
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
    if (OffsetOf(place) + spans[n - 1].length == spans[a].length) {
      starts[n - 2] = startInWord(a, n - 2);
      break;
    }
  }
  // A run of copies of the last words ends in a copy of the last word.
  for (const Place place : ofLast) {
    const std::size_t p = WordOf(place);
    if (p + 1 >= n) break;
    if (p == 0 || OffsetOf(place) != 0 || words[p] != words[n - 1]) continue;
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
