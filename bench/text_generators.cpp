#include "text_generators.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

namespace velmoro::bench {

namespace {

// std::mt19937_64 is specified to the bit, unlike the standard distributions,
// so drawing is done by hand on top of it.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : engine_(seed) {}

  // A number in [0, n); n > 0.
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }

  // True with the chance 1 in n.
  bool OneIn(std::size_t n) { return Below(n) == 0; }

  // A number in [0, 1).
  double Fraction() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

// The most frequent English words, most frequent first; none holds a "q" or "z".
constexpr std::u16string_view kCommonWords[] = {
    u"the",   u"of",    u"and",   u"to",     u"a",      u"in",    u"is",
    u"it",    u"you",   u"that",  u"he",     u"was",    u"for",   u"on",
    u"are",   u"with",  u"as",    u"I",      u"his",    u"they",  u"be",
    u"at",    u"one",   u"have",  u"this",   u"from",   u"or",    u"had",
    u"by",    u"not",   u"word",  u"but",    u"what",   u"some",  u"we",
    u"can",   u"out",   u"other", u"were",   u"all",    u"there", u"when",
    u"up",    u"use",   u"your",  u"how",    u"said",   u"an",    u"each",
    u"she",   u"which", u"do",    u"their",  u"time",   u"if",    u"will",
    u"way",   u"about", u"many",  u"then",   u"them",   u"write", u"would",
    u"like",  u"so",    u"these", u"her",    u"long",   u"make",  u"thing",
    u"see",   u"him",   u"two",   u"has",    u"look",   u"more",  u"day",
    u"could", u"go",    u"come",  u"did",    u"number", u"sound", u"no",
    u"most",  u"people", u"my",   u"over",   u"know",   u"water", u"than",
    u"call",  u"first", u"who",   u"may",    u"down",   u"side",  u"been",
    u"don't", u"it's",
};

constexpr std::size_t kMadeUpWords = 20000;
constexpr std::array<std::u16string_view, 12> kOnsets = {
    u"b", u"c", u"d", u"f", u"g", u"l", u"m", u"n", u"p", u"r", u"s", u"t"};
constexpr std::array<std::u16string_view, 8> kNuclei = {
    u"a", u"e", u"i", u"o", u"u", u"ea", u"ou", u"ai"};
constexpr std::array<std::u16string_view, 6> kCodas = {u"", u"n", u"r", u"st", u"ll", u"ck"};

// A word of one to four syllables, as varied as the seed makes it.
Text MadeUpWord(Draw& draw) {
  Text word;
  const std::size_t syllables = 1 + draw.Below(4);
  for (std::size_t i = 0; i < syllables; ++i) {
    word += kOnsets[draw.Below(kOnsets.size())];
    word += kNuclei[draw.Below(kNuclei.size())];
  }
  word += kCodas[draw.Below(kCodas.size())];
  return word;
}

// The vocabulary in rank order and the running sum of the Zipf weights 1/rank;
// the same for every seed of ProseText, so that two texts share their words.
struct Vocabulary {
  std::vector<Text> words;
  std::vector<double> cumulative_weights;
};

const Vocabulary& EnglishLikeVocabulary() {
  static const Vocabulary vocabulary = [] {
    Vocabulary made;
    made.words.assign(std::begin(kCommonWords), std::end(kCommonWords));
    Draw draw(0x5EED0F0CAB);
    while (made.words.size() < std::size(kCommonWords) + kMadeUpWords) {
      made.words.push_back(MadeUpWord(draw));
    }
    double sum = 0.0;
    for (std::size_t rank = 1; rank <= made.words.size(); ++rank) {
      sum += 1.0 / static_cast<double>(rank);
      made.cumulative_weights.push_back(sum);
    }
    return made;
  }();
  return vocabulary;
}

TextView ZipfWord(const Vocabulary& vocabulary, Draw& draw) {
  const std::vector<double>& weights = vocabulary.cumulative_weights;
  const double target = draw.Fraction() * weights.back();
  const auto found = std::upper_bound(weights.begin(), weights.end(), target);
  const auto rank = static_cast<std::size_t>(found - weights.begin());
  return vocabulary.words[std::min(rank, vocabulary.words.size() - 1)];
}

char16_t Capitalized(char16_t letter) {
  return letter >= u'a' && letter <= u'z' ? static_cast<char16_t>(letter - u'a' + u'A') : letter;
}

void AppendSentence(const Vocabulary& vocabulary, Draw& draw, Text& out) {
  const std::size_t words = 4 + draw.Below(18);
  for (std::size_t i = 0; i < words; ++i) {
    const std::size_t start = out.size();
    out += ZipfWord(vocabulary, draw);
    if (i == 0) out[start] = Capitalized(out[start]);
    if (i + 1 == words) break;
    if (draw.OneIn(9)) {
      out += u',';
    } else if (draw.OneIn(40)) {
      out += u';';
    } else if (draw.OneIn(60)) {
      out += u':';
    }
    out += u' ';
  }
  out += draw.OneIn(10) ? u'?' : draw.OneIn(20) ? u'!' : u'.';
  out += draw.OneIn(6) ? u"\r\n" : u" ";
}

Text JoinedWords(const std::vector<TextView>& words) {
  Text joined;
  for (const TextView word : words) {
    joined += word;
    joined += u' ';
  }
  return joined;
}

}  // namespace

Text ProseText(std::size_t units, std::uint64_t seed) {
  const Vocabulary& vocabulary = EnglishLikeVocabulary();
  Draw draw(seed);
  Text text;
  // A sentence is far shorter than the reserve, so the text never moves.
  text.reserve(units + 1024);
  while (text.size() < units) AppendSentence(vocabulary, draw, text);
  text.resize(units);
  return text;
}

Text HugeWord(std::size_t units, std::uint64_t seed) {
  Draw draw(seed);
  Text word(units, u'a');
  for (char16_t& letter : word) letter = static_cast<char16_t>(u'a' + draw.Below(26));
  return word;
}

Text Repeated(TextView piece, std::size_t units) {
  Text text;
  text.reserve(units + piece.size());
  while (text.size() < units) text += piece;
  text.resize(units);
  return text;
}

Text DistinctWords(std::size_t units, char16_t letter) {
  constexpr std::size_t kDigits = 6;
  Text text;
  text.reserve(units + kDigits + 2);
  for (std::size_t number = 0; text.size() < units; ++number) {
    text += letter;
    std::size_t rest = number;
    Text digits(kDigits, u'0');
    for (std::size_t i = kDigits; i > 0; --i, rest /= 10) {
      digits[i - 1] = static_cast<char16_t>(u'0' + rest % 10);
    }
    text += digits;
    text += u' ';
  }
  text.resize(units);
  return text;
}

std::vector<TextView> SplitWords(TextView text) {
  std::vector<TextView> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t space = std::min(text.find(u' ', start), text.size());
    words.push_back(text.substr(start, space - start));
    start = space + 1;
  }
  return words;
}

Text ReversedWords(TextView text) {
  std::vector<TextView> words = SplitWords(text);
  std::reverse(words.begin(), words.end());
  return JoinedWords(words);
}

Text ShuffledWords(TextView text, std::uint64_t seed) {
  std::vector<TextView> words = SplitWords(text);
  Draw draw(seed);
  for (std::size_t i = words.size(); i > 1; --i) std::swap(words[i - 1], words[draw.Below(i)]);
  return JoinedWords(words);
}

Text ChangedNearEnd(TextView text, std::size_t unitsFromEnd) {
  Text changed(text);
  char16_t& letter = changed[changed.size() - unitsFromEnd];
  letter = letter == u'z' ? u'a' : static_cast<char16_t>(letter + 1);
  return changed;
}

}  // namespace velmoro::bench
