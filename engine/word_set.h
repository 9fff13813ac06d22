#pragma once

// A set of word indices below a fixed capacity, as bits: the word scan holds
// the words of a target that are left, cut or that hold a given word in such
// sets, so that finding the next one is a scan of a few machine words.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace velmoro::internal {

class WordSet {
 public:
  static constexpr std::size_t kCapacity = 256;

  // The set of the indices 0 to count - 1; count <= kCapacity.
  [[nodiscard]] static WordSet FirstWords(std::size_t count) {
    WordSet set;
    for (std::size_t block = 0; block < kBlocks && count > 0; ++block) {
      set.bits_[block] = count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
      count -= count >= 64 ? 64 : count;
    }
    return set;
  }

  [[nodiscard]] bool Contains(std::size_t index) const {
    return ((bits_[index / 64] >> (index % 64)) & 1U) != 0;
  }
  void Insert(std::size_t index) { bits_[index / 64] |= Bit(index); }
  void Erase(std::size_t index) { bits_[index / 64] &= ~Bit(index); }

  WordSet& operator|=(const WordSet& other) {
    for (std::size_t block = 0; block < kBlocks; ++block) bits_[block] |= other.bits_[block];
    return *this;
  }

  // The smallest index at or above from in both a and b; kCapacity when none.
  [[nodiscard]] static std::size_t FirstOfBothFrom(const WordSet& a, const WordSet& b,
                                                   std::size_t from) {
    for (std::size_t block = from / 64; block < kBlocks; ++block) {
      std::uint64_t both = a.bits_[block] & b.bits_[block];
      if (block == from / 64) both &= ~std::uint64_t{0} << (from % 64);
      if (both != 0) return block * 64 + static_cast<std::size_t>(std::countr_zero(both));
    }
    return kCapacity;
  }

  // The largest index below end in both a and b; kCapacity when none.
  [[nodiscard]] static std::size_t LastOfBothBelow(const WordSet& a, const WordSet& b,
                                                   std::size_t end) {
    for (std::size_t block = end / 64 + 1; block-- > 0;) {
      if (block == kBlocks) continue;
      std::uint64_t both = a.bits_[block] & b.bits_[block];
      if (block == end / 64) both &= Bit(end) - 1;
      if (both != 0) return block * 64 + 63 - static_cast<std::size_t>(std::countl_zero(both));
    }
    return kCapacity;
  }

  // The smallest index at or above from that is not a member; kCapacity
  // when every one is.
  [[nodiscard]] std::size_t FirstMissingFrom(std::size_t from) const {
    for (std::size_t block = from / 64; block < kBlocks; ++block) {
      std::uint64_t missing = ~bits_[block];
      if (block == from / 64) missing &= ~std::uint64_t{0} << (from % 64);
      if (missing != 0) return block * 64 + static_cast<std::size_t>(std::countr_zero(missing));
    }
    return kCapacity;
  }

 private:
  static constexpr std::size_t kBlocks = kCapacity / 64;

  [[nodiscard]] static std::uint64_t Bit(std::size_t index) {
    return std::uint64_t{1} << (index % 64);
  }

  std::array<std::uint64_t, kBlocks> bits_{};
};

}  // namespace velmoro::internal
