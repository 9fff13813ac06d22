#pragma once

// What the engine tests share: the error kind a call raises, error kinds and
// texts shown readably in failure messages, long generated texts, and the
// sample pair of texts whose scores are known.

#include <array>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "sample_pair.h"
#include "velmoro/errors.h"
#include "text_primitives.h"

namespace velmoro {

// Lets GoogleTest print an error kind by its name.
inline void PrintTo(ErrorKind kind, std::ostream* os) { *os << ErrorKindName(kind); }

// The kind of the RuntimeError that call raises; nullopt when it raises none.
template <typename Call>
std::optional<ErrorKind> RaisedKind(Call&& call) {
  try {
    static_cast<void>(std::forward<Call>(call)());
  } catch (const RuntimeError& error) {
    return error.kind();
  }
  return std::nullopt;
}

// s for a trace: printable ASCII as it is, every other unit as \uXXXX.
inline std::string Shown(TextView s) {
  std::string shown;
  for (const char16_t unit : s) {
    if (unit >= 0x20 && unit < 0x7F) {
      shown.push_back(static_cast<char>(unit));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      shown += escaped;
    }
  }
  return shown;
}

// count copies of piece, one after another.
inline Text Repeated(TextView piece, int count) {
  Text out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

// count distinct two-letter words ("aa ab ... az ba ..."), one space apart.
// No word occurs inside another, so each is found only as itself.
inline Text DistinctWords(int count) {
  Text out;
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += u' ';
    out += static_cast<char16_t>(u'a' + i / 26);
    out += static_cast<char16_t>(u'a' + i % 26);
  }
  return out;
}

// The sample pair whose numbers are worked out by hand (sample_pair.h).
using fixtures::kSamplePair;
inline constexpr TextView kSampleText1 = kSamplePair.text1_units;
inline constexpr TextView kSampleText2 = kSamplePair.text2_units;

// The sample pair's scores as the engine's Integers, directions 1 to 4.
[[nodiscard]] inline std::array<Integer, 4> SampleScores() {
  std::array<Integer, 4> scores{};
  for (std::size_t i = 0; i < scores.size(); ++i) {
    scores[i] = static_cast<Integer>(kSamplePair.scores[i]);
  }
  return scores;
}

}  // namespace velmoro
