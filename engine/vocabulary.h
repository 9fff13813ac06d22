#pragma once

// The distinct words of a pair of short texts, numbered in order of first
// appearance, and where each of them stands inside the longer ones. Kept
// from one pair to the next: its tables tell this pair's entries from
// earlier pairs' by the pair's number, so that a new pair clears nothing
// and numbering allocates nothing once the tables have grown.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text_primitives.h"
#include "tuning.h"

namespace velmoro::internal {

// A word's number in the vocabulary.
using WordId = std::uint16_t;

// A word of the vocabulary found inside a longer one, and where.
struct InsideWord {
  WordId inner;
  std::uint16_t offset;
};

class Vocabulary {
 public:
  // The most distinct words two short texts hold.
  static constexpr std::size_t kMostWords = 2 * kWordScanWords;

  // Forgets the last pair's words, ready for a pair of at most words words.
  void Start(std::size_t words);

  // The number of word, numbering it when it is new; word must outlive the
  // pair's numbering.
  [[nodiscard]] WordId Number(TextView word);

  [[nodiscard]] std::size_t size() const { return words_.size(); }

  // Lists the words inside each word of the vocabulary: those inside word
  // id are inside[begin[id]] up to inside[begin[id + 1]], each inner word's
  // by offset. False, stopping early, once there are more than most.
  [[nodiscard]] bool FindWordsInsideWords(std::vector<InsideWord>& inside,
                                          std::vector<std::uint32_t>& begin, std::size_t most);

 private:
  // A word and its first and last four units as numbers, which decide
  // most comparisons and, for a word of up to eight units, all of them.
  struct Word {
    const char16_t* data;
    std::size_t size;
    std::uint64_t head;
    std::uint64_t tail;
  };
  // A slot of the tables, in use for the pair numbered pair only.
  struct Slot {
    std::uint32_t pair = 0;
    std::uint32_t key = 0;
    WordId id = 0;
  };

  [[nodiscard]] static Word Measure(TextView word);
  [[nodiscard]] static bool Same(const Word& a, const Word& b);
  void FileByFirstTwoUnits();
  void FindOneUnitWordsIn(const Word& outer, std::vector<InsideWord>& inside) const;
  void FindWordsStartingAt(const Word& outer, std::size_t p, WordId first,
                           std::vector<InsideWord>& inside) const;

  std::vector<Word> words_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::uint32_t pair_ = 0;
  // The words of two units and more by the low six bits of each of their
  // first two units, each slot's id the first of a list that next_
  // continues; the words of one unit apart.
  std::vector<Slot> by_first_two_;
  std::vector<WordId> next_;
  std::vector<WordId> one_unit_words_;
};

}  // namespace velmoro::internal
