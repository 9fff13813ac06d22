#include "prepared_text.h"

#include <algorithm>
#include <cstdint>

#include "normalize_text.h"
#include "spaces.h"
#include "substring_search.h"
#include "tuning.h"

namespace velmoro::internal {

namespace {

// text is normalised and ends in a space, so one space stands between words.
void SplitWords(TextView text, std::vector<WordSpan>& words) {
  words.clear();
  // Every word has a space behind it, and the empty one may stand first. A
  // short text reserves room for the most words it can hold instead of
  // counting them.
  words.reserve(text.size() <= kWordScanUnits ? text.size() / 2 + 1
                                              : CountWordsEndedBySpace(text) + 1);
  // A text that is one space holds no word, not even the empty one.
  if (text.size() > 1 && text.front() == u' ') words.push_back({0, 0});
  std::uint32_t start = 0;
  ForEachSpace(text, [&](std::size_t space) {
    const auto end = static_cast<std::uint32_t>(space);
    if (end > start) words.push_back({start, end - start});
    start = end + 1;
  });
}

// z[i] is the length of the longest common prefix of s and s.substr(i), in
// 32 bits since a Long bounds every text length.
std::vector<std::uint32_t> PrefixMatchLengths(TextView s) {
  std::vector<std::uint32_t> z(s.size(), 0);
  if (s.empty()) return z;
  z[0] = static_cast<std::uint32_t>(s.size());
  for (std::size_t i = 1, left = 0, right = 0; i < s.size(); ++i) {
    std::size_t length = i < right ? std::min<std::size_t>(right - i, z[i - left]) : 0;
    while (i + length < s.size() && s[length] == s[i + length]) ++length;
    z[i] = static_cast<std::uint32_t>(length);
    if (i + length > right) {
      left = i;
      right = i + length;
    }
  }
  return z;
}

}  // namespace

PreparedText::PreparedText(TextView raw) { Assign(raw); }

void PreparedText::Assign(TextView raw) {
  NormalizeTextInto(Trim(raw), text_);
  text_.push_back(u' ');
  reversed_made_ = false;
  SplitWords(text_, words_);
  longest_word_ = 0;
  for (const WordSpan& word : words_)
    longest_word_ = std::max<std::size_t>(longest_word_, word.length);
  earlier_rests_.clear();
  earlier_rests_found_ = false;
}

void PreparedText::Reverse() const {
  reversed_.resize(text_.size() + 1);
  std::reverse_copy(text_.begin(), text_.end(), reversed_.begin());
  reversed_.back() = u' ';
  reversed_made_ = true;
}

void PreparedText::Shed(std::size_t units) {
  if (text_.capacity() > units || words_.capacity() > units) *this = PreparedText();
}

std::size_t PreparedText::WordsEndingBehind(std::size_t index) const {
  const auto first = std::partition_point(words_.cbegin(), words_.cend(),
                                          [&](const WordSpan& word) { return word.end() <= index; });
  return static_cast<std::size_t>(words_.end() - first);
}

std::size_t PreparedText::WordsStartingBefore(std::size_t index) const {
  const auto nonEmpty = words_.cbegin() + (!words_.empty() && words_.front().length == 0 ? 1 : 0);
  const auto behind = std::partition_point(nonEmpty, words_.cend(),
                                           [&](const WordSpan& word) { return word.start < index; });
  return static_cast<std::size_t>(behind - nonEmpty);
}

std::size_t PreparedText::RestFirstStart(std::size_t j) const {
  if (!earlier_rests_found_) FindEarlierRests();
  if (earlier_rests_.empty()) return words_[j + 1].start;
  const auto earlier = std::lower_bound(
      earlier_rests_.begin(), earlier_rests_.end(), j,
      [](const auto& rest, std::size_t word) { return rest.first > word; });
  const std::size_t shift =
      earlier != earlier_rests_.end() && earlier->first == j ? earlier->second : 0;
  return words_[j + 1].start - shift;
}

std::size_t PreparedText::RestLength(std::size_t j) const {
  if (j + 1 >= words_.size()) return 0;
  return words_.back().end() - words_[j + 1].start;
}

// The rest behind a word is a suffix of P, the text up to and including the
// space behind the last word, and it occurs nowhere that reaches past P. It
// occurs d units earlier exactly when P's reversal U has the rest's reversal,
// a prefix of U, at d, so the earliest occurrence comes from the largest d
// with z[d] >= the rest's length. Sweeping d downwards with the running
// maximum of z answers every word in one pass, shortest rest first.
void PreparedText::FindEarlierRests() const {
  earlier_rests_found_ = true;
  if (words_.size() < 2) return;
  // Every rest ends with the shortest one, the last word and its space: when
  // that occurs nowhere earlier, no rest does.
  const WordSpan& last = words_.back();
  if (FindUnits(text_, TextView(text_).substr(last.start, last.length + 1)) == last.start) return;
  const std::size_t pLength = last.end() + 1;
  const std::vector<std::uint32_t> z =
      PrefixMatchLengths(reversed().substr(text_.size() - pLength, pLength));
  std::size_t j = words_.size() - 1;  // the word whose rest is answered next
  std::size_t longest = 0;
  for (std::size_t d = pLength; d-- > 0 && j > 0;) {
    longest = std::max<std::size_t>(longest, z[d]);
    while (j > 0 && pLength - words_[j].start <= longest) {
      if (d > 0) earlier_rests_.emplace_back(static_cast<std::uint32_t>(j - 1),
                                           static_cast<std::uint32_t>(d));
      --j;
    }
  }
}

}  // namespace velmoro::internal
