#include "text_pairs.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "tuning.h"

namespace velmoro::properties {

using internal::kWordScanPlaces;
using internal::kWordScanUnits;
using internal::kWordScanWords;

namespace {

constexpr TextView kWords[] = {
    u"a", u"b", u"c", u"x", u"y", u"to", u"be", u"or", u"not", u"car", u"scar",
    u"cars", u"the", u"then", u"anna", u"bag", u"mill", u"bb", u"ab", u"it's", u"42",
    u"caf\u00E9", u"\u00C9T\u00C9", u"\u00D6l", u"\u00F6L", u"stra\u00DFe", u"\u1E9E",
    u"\U00010400", u"\U00010428", u"\U00010400x", u"\U0001F600", u"\u0130", u"\u212A",
    // longer than the searches' short-needle limit, one of them periodic
    u"internationalisation", u"abababababababababac", u"Donaudampfschifffahrt"};

constexpr TextView kSeparators[] = {u" ",  u" ",  u" ",  u" ",   u"  ",   u"   ", u",",
                                    u", ", u".",  u". ", u";",   u":",    u"?",   u"!",
                                    u"-",  u"*",  u" - ", u"\r\n", u"\t",  u"...", u" * "};

// Mostly nothing: a mark in front makes the first word empty, which is found
// at the start of any target and consumes its first word.
constexpr TextView kEdges[] = {u"",  u"",  u"",    u"",    u"",     u"",  u"",   u"",
                               u" ", u"  ", u"\t", u"\r\n", u".", u"-- ", u"...", u", "};

constexpr TextView kMarksAndSpaces = u" ,.;:?!-*   ";
constexpr TextView kSourceLetters = u"abcdefghijklm";
// No word made of these occurs in a word made of the source letters.
constexpr TextView kFillerLetters = u"nopqrstuvwxyz";
constexpr TextView kRepeatLetters = u"ab";

constexpr std::size_t kMaxSmallWords = 12;
constexpr std::size_t kMinLarge = 2'000;
constexpr std::size_t kMaxLarge = 60'000;
// Sources placed behind the filler, and texts of repeated words, cost the
// literal model most: their length is bounded lower.
constexpr std::size_t kMaxSource = 8'000;
constexpr std::size_t kMaxRepeated = 12'000;
// The last position that fits an Integer.
constexpr std::size_t kReach = 32'767;

constexpr char16_t kFirstSurrogate = 0xD800;
constexpr char16_t kFirstLowSurrogate = 0xDC00;
constexpr char16_t kLastSurrogate = 0xDFFF;

bool IsHighSurrogate(char16_t unit) { return unit >= kFirstSurrogate && unit < kFirstLowSurrogate; }
bool IsLowSurrogate(char16_t unit) { return unit >= kFirstLowSurrogate && unit <= kLastSurrogate; }

Text AsciiUpper(TextView word) {
  Text upper(word);
  for (char16_t& unit : upper) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return upper;
}

std::vector<Text> SplitAtSpaces(TextView text) {
  std::vector<Text> pieces;
  std::size_t start = 0;
  for (std::size_t space = text.find(u' '); space != TextView::npos;
       space = text.find(u' ', start)) {
    pieces.emplace_back(text.substr(start, space - start));
    start = space + 1;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

Text JoinedBySpaces(const std::vector<Text>& words) {
  Text text;
  for (const Text& word : words) text += (text.empty() ? Text() : Text(u" ")) + word;
  return text;
}

// units units of words of 104 letters, one space apart, ending in a letter.
Text Filler(std::size_t units) {
  constexpr std::size_t kWordAndSpace = 105;
  Text filler(units, u' ');
  for (std::size_t i = 0; i < units; ++i) {
    if (i % kWordAndSpace != kWordAndSpace - 1 || i + 1 == units) {
      filler[i] = kFillerLetters[i % kFillerLetters.size()];
    }
  }
  return filler;
}

// One word of units letters; forwards and backwards through the filler
// letters, so that neither kind occurs inside the other.
Text LongWord(std::size_t units, bool backwards) {
  Text word(units, u' ');
  for (std::size_t i = 0; i < units; ++i) {
    const std::size_t letter = i % kFillerLetters.size();
    word[i] = kFillerLetters[backwards ? kFillerLetters.size() - 1 - letter : letter];
  }
  return word;
}

}  // namespace

std::size_t PairGenerator::Below(std::size_t bound) { return random_() % bound; }

Text PairGenerator::SmallWord() {
  if (OneIn(40)) return Text(1, static_cast<char16_t>(kFirstSurrogate + Below(0x800)));
  if (OneIn(40)) return Text(1, static_cast<char16_t>(Below(0x10000)));
  const TextView word = Pick(kWords);
  if (OneIn(6)) return AsciiUpper(word);
  if (OneIn(4)) return AsciiUpper(word.substr(0, 1)) + Text(word.substr(1));
  return Text(word);
}

Text PairGenerator::SmallText() {
  std::vector<Text> words(Below(kMaxSmallWords + 1));
  for (Text& word : words) word = SmallWord();
  // A phrase that repeats at the end makes the rest recur earlier in the text.
  if (!words.empty() && OneIn(3)) {
    const std::size_t phrase = 1 + Below(std::min<std::size_t>(3, words.size()));
    words.insert(words.end(), words.end() - static_cast<std::ptrdiff_t>(phrase), words.end());
  }
  Text text(Pick(kEdges));
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += Pick(kSeparators);
    text += words[i];
  }
  return text + Text(Pick(kEdges));
}

// The pieces of text between spaces, some left out, some repeated, some
// replaced or upper-cased, some swapped with the next, joined mostly by
// single spaces.
Text PairGenerator::Variant(TextView text) {
  std::vector<Text> pieces = SplitAtSpaces(text);
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
    if (OneIn(8)) std::swap(pieces[i], pieces[i + 1]);
  }
  Text variant;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (OneIn(6)) continue;
    const Text piece = OneIn(10) ? SmallWord() : OneIn(8) ? AsciiUpper(pieces[i]) : pieces[i];
    const std::size_t copies = OneIn(10) ? 2 : 1;
    for (std::size_t copy = 0; copy < copies; ++copy) {
      variant += (OneIn(4) ? Text(Pick(kSeparators)) : Text(u" ")) + piece;
    }
  }
  return variant;
}

TextPair PairGenerator::SmallPair() {
  Text text1 = OneIn(25) ? Text() : SmallText();
  Text text2 = OneIn(3) ? SmallText() : OneIn(8) ? text1 : Variant(text1);
  if (OneIn(2)) std::swap(text1, text2);
  return {std::move(text1), std::move(text2)};
}

// Words of a and b that repeat themselves ("abab", "aba") and stand inside
// one another at several offsets, so that a word is found more than once in
// one target word.
constexpr TextView kPeriodicWords[] = {u"a",    u"b",    u"ab", u"ba",  u"aba", u"bab",
                                       u"abab", u"baba", u"aa", u"aab", u"abb", u"bb"};

TextPair PairGenerator::PeriodicWordsPair() {
  const auto text = [&] {
    Text words(Pick(kPeriodicWords));
    for (std::size_t count = 2 + Below(9); --count > 0;) words += u' ' + Text(Pick(kPeriodicWords));
    return words;
  };
  Text text1 = text();
  Text text2 = OneIn(2) ? text() : Variant(text1);
  return {std::move(text1), std::move(text2)};
}

Text PairGenerator::MarksAndSpaces() {
  Text text(Below(40), u' ');
  for (char16_t& unit : text) {
    unit = OneIn(8) ? Pick(kWords)[0]
         : OneIn(30) ? static_cast<char16_t>(Below(0x10000))
                     : kMarksAndSpaces[Below(kMarksAndSpaces.size())];
  }
  return text;
}

Text PairGenerator::LettersFrom(TextView alphabet, std::size_t length) {
  Text letters(length, u' ');
  for (char16_t& unit : letters) unit = alphabet[Below(alphabet.size())];
  return letters;
}

// Words of one to seven letters from alphabet, now and then a longer one,
// mostly one space apart, until the text holds at least units units.
Text PairGenerator::WordsFrom(TextView alphabet, std::size_t units) {
  Text text;
  text.reserve(units + 48);
  while (text.size() < units) {
    if (!text.empty()) text += OneIn(30) ? Text(Pick(kSeparators)) : Text(u" ");
    const Text word = LettersFrom(alphabet, OneIn(60) ? 17 + Below(24) : 1 + Below(7));
    text += OneIn(20) ? AsciiUpper(word) : word;
  }
  return text;
}

// A size up to most, spread evenly on a logarithmic scale, so that shorter
// large texts, which cost least, are the most frequent.
std::size_t PairGenerator::LargeSize(std::size_t most) {
  const double share = static_cast<double>(Below(1'001)) / 1'000.0;
  const double ratio = static_cast<double>(most) / static_cast<double>(kMinLarge);
  return static_cast<std::size_t>(static_cast<double>(kMinLarge) * std::pow(ratio, share));
}

// The target is filler whose words occur nowhere in the source, reaching up to
// around position 32767, followed by a variant of the source; the source's
// words are found close to the end of the reach and beyond it. Some of its
// first words may stand in front of the filler too, so that the words in
// front of a word are found that far back.
TextPair PairGenerator::FarInTarget() {
  const Text source = WordsFrom(kSourceLetters, kMinLarge + Below(kMaxSource));
  const Text front = OneIn(2) ? Variant(source.substr(0, Below(400))) + u" " : Text();
  const std::size_t filler = kReach - 3'000 + Below(3'100);
  Text target = front + WordsFrom(kFillerLetters, filler).substr(0, filler) + Variant(source);
  return {source, std::move(target)};
}

// Many words on both sides, almost none of which occurs in the other text.
TextPair PairGenerator::AbsentWords() {
  Text text1 = WordsFrom(kSourceLetters, LargeSize(kMaxLarge));
  Text text2 = WordsFrom(kFillerLetters, LargeSize(kMaxLarge));
  if (OneIn(2)) {
    text1 += u" 42 7";
    text2 = u"7 " + text2 + u" 42";
  }
  return {std::move(text1), std::move(text2)};
}

// Long texts of short words over two letters, found again and again; the
// score passes 32767 long before the end of the longest.
TextPair PairGenerator::RepeatedWords() {
  const Text text = WordsFrom(kRepeatLetters, LargeSize(kMaxRepeated));
  return {text, OneIn(2) ? Variant(text) : WordsFrom(kRepeatLetters, LargeSize(kMaxRepeated))};
}

// A word longer than the reach among short words, near the start or further
// in: a space behind it, or a word behind it, lies past position 32767.
TextPair PairGenerator::OverlongWords() {
  const Text overlong = LettersFrom(kRepeatLetters, kReach - 200 + Below(kReach / 2));
  Text text1 = WordsFrom(kRepeatLetters, Below(3'000)) + u" " + overlong + u" " +
               WordsFrom(kRepeatLetters, Below(kMinLarge));
  Text text2 = OneIn(2) ? Variant(text1) : WordsFrom(kRepeatLetters, LargeSize(kMaxLarge));
  return {std::move(text1), std::move(text2)};
}

// A few words of thousands of units among short words, in one order in each
// text: the words in front of a word in the target, or behind it, may lie
// further than 32767 units away while the word itself is near.
TextPair PairGenerator::ShuffledLongWords() {
  std::vector<Text> words;
  for (std::size_t i = 4 + Below(5); i > 0; --i) {
    words.push_back(LettersFrom(kFillerLetters, 1'000 + Below(6'000)));
  }
  for (std::size_t i = 3 + Below(6); i > 0; --i) {
    words.push_back(LettersFrom(kSourceLetters, 1 + Below(3)));
  }
  std::shuffle(words.begin(), words.end(), random_);
  Text text1 = JoinedBySpaces(words);
  std::shuffle(words.begin(), words.end(), random_);
  return {std::move(text1), JoinedBySpaces(words)};
}

TextPair PairGenerator::LargePair() {
  TextPair pair;
  switch (Below(5)) {
    case 0: pair = FarInTarget(); break;
    case 1: pair = AbsentWords(); break;
    case 2: pair = RepeatedWords(); break;
    case 3: pair = OverlongWords(); break;
    default: pair = ShuffledLongWords(); break;
  }
  if (OneIn(2)) std::swap(pair.text1, pair.text2);
  return pair;
}

std::vector<TextPair> PairsAtTheReach() {
  constexpr std::size_t kBefore = 8;
  constexpr std::size_t kBehind = 4;
  std::vector<TextPair> pairs;
  for (std::size_t gap = kReach - kBefore; gap <= kReach + kBehind; ++gap) {
    // The source's words behind a gap of words that the source lacks.
    pairs.push_back({u"a bc d", Filler(gap) + u" a bc d"});
    // The following run of "a" has to cross the gap to "bc".
    pairs.push_back({u"a bc d", u"a " + Filler(gap) + u" bc d"});
    // Both halves of the gap are consumed before "b", whose preceding run has
    // to cross them, backwards, to "a".
    const Text halves = LongWord(gap / 2, false) + u' ' + LongWord(gap - gap / 2, true);
    pairs.push_back({u"a " + halves + u" a b cde", u"a " + halves + u" b cde"});
    // A word as long as the gap stands between two short ones.
    const Text around = u"a " + LongWord(gap, false) + u" b";
    pairs.push_back({around, around});
  }
  return pairs;
}

std::vector<TextPair> TinyVocabularyPairs() {
  constexpr TextView kTinyVocabulary[] = {u"a", u"b", u"ab", u"ba", u"-"};
  constexpr std::size_t kMostWords = 5;
  // Spreads the partners over the whole list.
  constexpr std::size_t kStride = 7'919;
  std::vector<Text> texts;
  std::vector<Text> shorter = {Text()};
  for (std::size_t words = 1; words <= kMostWords; ++words) {
    std::vector<Text> longer;
    for (const Text& front : shorter) {
      for (const TextView word : kTinyVocabulary) {
        longer.push_back(front.empty() ? Text(word) : front + u' ' + Text(word));
      }
    }
    texts.insert(texts.end(), longer.begin(), longer.end());
    shorter = std::move(longer);
  }
  std::vector<TextPair> pairs;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    pairs.push_back({texts[i], texts[i]});
    pairs.push_back({texts[i], texts[(i * kStride + 1) % texts.size()]});
  }
  return pairs;
}

namespace {

// The digits of number as letters of alphabet.
Text NumberWord(std::size_t number, TextView alphabet) {
  Text word;
  for (const char digit : std::to_string(number)) word += alphabet[static_cast<std::size_t>(digit - '0')];
  return word;
}

// count words one space apart: every third one of kWords from shift on, so
// that words stand inside one another, and the others distinct numbers, so
// that the self-scores overflow long before the limit on words.
Text WordsAtTheLimit(std::size_t count, std::size_t shift) {
  std::vector<Text> words;
  for (std::size_t i = 0; i < count; ++i) {
    words.push_back(i % 3 == 0 ? Text(kWords[(i / 3 + shift) % std::size(kWords)])
                               : NumberWord(i, kSourceLetters));
  }
  return JoinedBySpaces(words);
}

// count distinct words of the filler letters.
Text FillerWords(std::size_t count) {
  std::vector<Text> words;
  for (std::size_t i = 0; i < count; ++i) words.push_back(NumberWord(i, kFillerLetters));
  return JoinedBySpaces(words);
}

}  // namespace

std::vector<TextPair> PairsAtTheWordScanLimits() {
  std::vector<TextPair> pairs;
  for (const std::size_t words1 : {kWordScanWords - 1, kWordScanWords, kWordScanWords + 1}) {
    for (const std::size_t words2 : {kWordScanWords, kWordScanWords + 1}) {
      pairs.push_back({WordsAtTheLimit(words1, 0), WordsAtTheLimit(words2, 1)});
      // Few shared words: the cross directions complete.
      pairs.push_back({WordsAtTheLimit(words1, 0), FillerWords(words2)});
    }
  }
  // A prepared text is its raw text and a closing space.
  for (const std::size_t units : {kWordScanUnits - 2, kWordScanUnits - 1, kWordScanUnits}) {
    pairs.push_back({Filler(units), Filler(kWordScanUnits - 1)});
    const Text front = WordsAtTheLimit(40, 0) + u' ';
    pairs.push_back({front + Filler(units - front.size()), WordsAtTheLimit(40, 2)});
  }
  // "x" at every offset of a long word of x's: a text of places places,
  // counting its words themselves.
  for (const std::size_t places : {kWordScanPlaces - 1, kWordScanPlaces, kWordScanPlaces + 1}) {
    const Text dense = u"x " + Text(places - 4, u'x') + u" y x";
    pairs.push_back({dense, u"y x x"});
    pairs.push_back({u"y x x", dense});
  }
  return pairs;
}

bool HasLoneSurrogate(TextView text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      return true;
    }
  }
  return false;
}

}  // namespace velmoro::properties
