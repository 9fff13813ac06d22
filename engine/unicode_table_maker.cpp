// Writes, as C++ initialisers, the Unicode properties that the web build
// cannot ask ICU for at run time, read from this machine's ICU:
//   unicode_table_maker lower-case              every simple lower-case
//     mapping, as runs {first, last, step, difference}: the code points from
//     first to last, step apart, map to themselves plus difference;
//   unicode_table_maker composition-boundaries  the ranges {first, last} of
//     code points before which the composed form (NFC) has no boundary.
// Runs only when the engine is built, never in it.

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr UChar32 kLastCodePoint = 0x10FFFF;

struct CaseRun {
  UChar32 first;
  UChar32 last;
  UChar32 step;
  UChar32 difference;
};

// Extends the last run with c when c continues it, else starts a new run.
void AddMapping(std::vector<CaseRun>& runs, UChar32 c, UChar32 difference) {
  if (!runs.empty() && runs.back().difference == difference) {
    CaseRun& run = runs.back();
    const UChar32 gap = c - run.last;
    if (run.first == run.last && gap <= 2) run.step = gap;
    if (gap == run.step) {
      run.last = c;
      return;
    }
  }
  runs.push_back({c, c, 1, difference});
}

void WriteLowerCase() {
  std::vector<CaseRun> runs;
  for (UChar32 c = 0; c <= kLastCodePoint; ++c) {
    const UChar32 lower = u_tolower(c);
    if (lower != c) AddMapping(runs, c, lower - c);
  }
  for (const CaseRun& run : runs) {
    std::printf("{0x%X, 0x%X, %d, %d},\n", static_cast<unsigned>(run.first),
                static_cast<unsigned>(run.last), run.step, run.difference);
  }
}

int WriteCompositionBoundaries() {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return 1;
  for (UChar32 c = 0; c <= kLastCodePoint; ++c) {
    if (nfc->hasBoundaryBefore(c)) continue;
    const UChar32 first = c;
    while (c < kLastCodePoint && !nfc->hasBoundaryBefore(c + 1)) ++c;
    std::printf("{0x%X, 0x%X},\n", static_cast<unsigned>(first), static_cast<unsigned>(c));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "lower-case") == 0) {
    WriteLowerCase();
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "composition-boundaries") == 0) {
    return WriteCompositionBoundaries();
  }
  std::fputs("usage: unicode_table_maker lower-case|composition-boundaries\n", stderr);
  return 2;
}
