#pragma once

// Sets of sentence pairs read from the tab-separated files that
// make_sentence_pairs.py writes (--tsv): text1, a tab and text2 on each line,
// in UTF-8.

#include <string>
#include <vector>

#include "compare_case.h"

namespace velmoro::bench {

// The pairs of the file at path; throws std::runtime_error when it cannot be
// read or a line holds no tab.
[[nodiscard]] std::vector<TextPair> ReadSentencePairs(const std::string& path);

}  // namespace velmoro::bench
