#include "sentence_pairs.h"

#include <fstream>
#include <stdexcept>

#include "utf8_text.h"

namespace velmoro::bench {

using internal::FromUtf8;

std::vector<TextPair> ReadSentencePairs(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::vector<TextPair> pairs;
  for (std::string line; std::getline(file, line);) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) throw std::runtime_error("no tab in a line of " + path);
    const std::string_view bytes(line);
    pairs.push_back({FromUtf8(bytes.substr(0, tab)), FromUtf8(bytes.substr(tab + 1))});
  }
  return pairs;
}

}  // namespace velmoro::bench
