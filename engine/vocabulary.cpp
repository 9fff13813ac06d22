#include "vocabulary.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace velmoro::internal {

namespace {

constexpr WordId kNoWord = 0xFFFF;

// Twice the most words and more, so that no table is ever more than half full.
constexpr std::size_t kSlots = std::bit_ceil(2 * Vocabulary::kMostWords + 2);

[[nodiscard]] std::uint64_t Mix(std::uint64_t value) {
  value = (value ^ (value >> 29)) * 0xBF58476D1CE4E5B9ULL;
  return value ^ (value >> 32);
}

[[nodiscard]] std::uint32_t FirstTwoUnits(const char16_t* units) {
  return std::uint32_t{units[0]} << 16 | units[1];
}

// The slot of the words that start with a pair of units: the low six bits
// of each unit, so that the slots' table needs no hash and no probing.
[[nodiscard]] std::size_t FirstTwoSlot(std::uint32_t key) {
  return (key >> 10 & 0xFC0) | (key & 0x3F);
}

constexpr std::size_t kFirstTwoSlots = 1 << 12;

}  // namespace

void Vocabulary::Start(std::size_t words) {
  if (slots_.empty()) {
    slots_.resize(kSlots);
    by_first_two_.resize(kFirstTwoSlots);
    next_.resize(kMostWords);
    words_.reserve(kMostWords);
  }
  // A new pair number empties every slot at once; only when the numbers
  // wrap around do the slots need emptying one by one.
  if (++pair_ == 0) {
    std::fill(slots_.begin(), slots_.end(), Slot());
    std::fill(by_first_two_.begin(), by_first_two_.end(), Slot());
    pair_ = 1;
  }
  mask_ = std::bit_ceil(2 * words + 2) - 1;
  words_.clear();
  one_unit_words_.clear();
}

Vocabulary::Word Vocabulary::Measure(TextView word) {
  Word measured{word.data(), word.size(), 0, 0};
  if (word.size() >= 4) {
    std::memcpy(&measured.head, word.data(), sizeof measured.head);
    std::memcpy(&measured.tail, word.data() + word.size() - 4, sizeof measured.tail);
  } else {
    for (const char16_t unit : word) measured.head = (measured.head << 16) | unit;
  }
  return measured;
}

bool Vocabulary::Same(const Word& a, const Word& b) {
  return a.size == b.size && a.head == b.head && a.tail == b.tail &&
         (a.size <= 8 ||
          std::memcmp(a.data + 4, b.data + 4, (a.size - 8) * sizeof(char16_t)) == 0);
}

WordId Vocabulary::Number(TextView word) {
  const Word measured = Measure(word);
  const std::uint64_t hash =
      Mix(measured.head * 0x9E3779B97F4A7C15ULL + measured.tail + measured.size);
  for (std::size_t s = hash & mask_;; s = (s + 1) & mask_) {
    Slot& slot = slots_[s];
    if (slot.pair != pair_) {
      slot = {pair_, 0, static_cast<WordId>(words_.size())};
      words_.push_back(measured);
      return slot.id;
    }
    if (Same(words_[slot.id], measured)) return slot.id;
  }
}

void Vocabulary::FileByFirstTwoUnits() {
  for (std::size_t id = 0; id < words_.size(); ++id) {
    const Word& word = words_[id];
    if (word.size == 1) one_unit_words_.push_back(static_cast<WordId>(id));
    if (word.size < 2) continue;
    Slot& slot = by_first_two_[FirstTwoSlot(FirstTwoUnits(word.data))];
    if (slot.pair != pair_) slot = {pair_, 0, kNoWord};
    next_[id] = slot.id;
    slot.id = static_cast<WordId>(id);
  }
}

// Each offset of each word looked up among the words that start with the
// two units there, and compared with the one-unit words: a cost that grows
// with the vocabulary's units rather than with the square of its words.
bool Vocabulary::FindWordsInsideWords(std::vector<InsideWord>& inside,
                                      std::vector<std::uint32_t>& begin, std::size_t most) {
  FileByFirstTwoUnits();
  inside.clear();
  begin.assign(words_.size() + 1, 0);
  for (std::size_t outer = 0; outer < words_.size(); ++outer) {
    const Word& o = words_[outer];
    if (!one_unit_words_.empty() && o.size > 1) FindOneUnitWordsIn(o, inside);
    for (std::size_t p = 0; p + 2 <= o.size; ++p) {
      const Slot& slot = by_first_two_[FirstTwoSlot(FirstTwoUnits(o.data + p))];
      if (slot.pair == pair_) FindWordsStartingAt(o, p, slot.id, inside);
    }
    if (inside.size() > most) return false;
    begin[outer + 1] = static_cast<std::uint32_t>(inside.size());
  }
  return true;
}

void Vocabulary::FindOneUnitWordsIn(const Word& outer, std::vector<InsideWord>& inside) const {
  for (const WordId one : one_unit_words_) {
    const char16_t unit = words_[one].data[0];
    for (std::size_t p = 0; p < outer.size; ++p) {
      if (outer.data[p] == unit) inside.push_back({one, static_cast<std::uint16_t>(p)});
    }
  }
}

// The words from first on whose slot holds the units at offset p of outer,
// those of them that stand there.
void Vocabulary::FindWordsStartingAt(const Word& outer, std::size_t p, WordId first,
                                     std::vector<InsideWord>& inside) const {
  for (WordId id = first; id != kNoWord; id = next_[id]) {
    const Word& word = words_[id];
    if (word.size < outer.size && p + word.size <= outer.size &&
        std::equal(word.data, word.data + word.size, outer.data + p)) {
      inside.push_back({id, static_cast<std::uint16_t>(p)});
    }
  }
}

}  // namespace velmoro::internal
