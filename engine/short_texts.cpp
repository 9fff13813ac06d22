#include "short_texts.h"

#include <bit>

#include "substring_search.h"
#include "tuning.h"

namespace velmoro {

namespace {

[[nodiscard]] TextView WordOf(const PreparedText& text, const WordSpan& span) {
  return text.text().substr(span.start, span.length);
}

// The distinct words of both texts, numbered in order of first appearance,
// through an open-addressing table sized for twice the words.
class Vocabulary {
 public:
  explicit Vocabulary(std::size_t words)
      : slots_(std::bit_ceil(2 * words + 2), kEmpty), mask_(slots_.size() - 1) {
    words_.reserve(words);
  }

  [[nodiscard]] WordId Number(TextView word) {
    for (std::size_t slot = Hash(word) & mask_;; slot = (slot + 1) & mask_) {
      if (slots_[slot] == kEmpty) {
        slots_[slot] = static_cast<WordId>(words_.size());
        words_.push_back(word);
        return slots_[slot];
      }
      if (words_[slots_[slot]] == word) return slots_[slot];
    }
  }

  [[nodiscard]] const std::vector<TextView>& words() const { return words_; }

 private:
  static constexpr WordId kEmpty = 0xFFFF;

  [[nodiscard]] static std::size_t Hash(TextView word) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char16_t unit : word) hash = (hash ^ unit) * 0x100000001B3ULL;
    return static_cast<std::size_t>(hash ^ (hash >> 29));
  }

  std::vector<WordId> slots_;
  std::size_t mask_;
  std::vector<TextView> words_;
};

// One bit for each unit value modulo 64 that word holds: a word inside
// another holds no bit the other lacks.
[[nodiscard]] std::uint64_t UnitBits(TextView word) {
  std::uint64_t bits = 0;
  for (const char16_t unit : word) bits |= std::uint64_t{1} << (unit % 64);
  return bits;
}

static_assert(kWordScanWords <= WordSet::kCapacity);

[[nodiscard]] bool Fits(const PreparedText& text) {
  const std::vector<WordSpan>& words = text.words();
  return words.size() <= kWordScanWords && text.text().size() <= kWordScanUnits &&
         (words.empty() || words.front().length > 0);
}

}  // namespace

std::optional<ShortTexts> ShortTexts::Of(const PreparedText& text1, const PreparedText& text2) {
  if (!Fits(text1) || !Fits(text2)) return std::nullopt;
  return ShortTexts(text1, text2);
}

// Only a shorter word can stand inside another, and the unit bits rule out
// most pairs before a search.
ShortTexts::ShortTexts(const PreparedText& text1, const PreparedText& text2)
    : texts_{&text1, &text2} {
  Vocabulary vocabulary(text1.words().size() + text2.words().size());
  for (std::size_t t = 0; t < 2; ++t) {
    ids_[t].reserve(texts_[t]->words().size());
    for (const WordSpan& span : texts_[t]->words()) {
      ids_[t].push_back(vocabulary.Number(WordOf(*texts_[t], span)));
    }
  }
  const std::vector<TextView>& words = vocabulary.words();
  std::array<std::vector<WordSet>, 2> equal;
  for (std::size_t t = 0; t < 2; ++t) {
    equal[t].resize(words.size());
    for (std::size_t i = 0; i < ids_[t].size(); ++i) equal[t][ids_[t][i]].Insert(i);
    holding_[t] = equal[t];
  }
  std::vector<std::uint64_t> unitBits;
  unitBits.reserve(words.size());
  for (const TextView word : words) unitBits.push_back(UnitBits(word));
  for (std::size_t inner = 0; inner < words.size(); ++inner) {
    for (std::size_t outer = 0; outer < words.size(); ++outer) {
      if (words[inner].size() >= words[outer].size() ||
          (unitBits[inner] & ~unitBits[outer]) != 0 ||
          FindUnits(words[outer], words[inner]) == kNotFound) {
        continue;
      }
      for (std::size_t t = 0; t < 2; ++t) holding_[t][inner] |= equal[t][outer];
    }
  }
}

}  // namespace velmoro
