#include "literal_scorer.h"

#include <array>
#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

namespace velmoro::reference {

using internal::AddInteger;
using internal::DirectionScore;
using internal::LeftTrim;
using internal::Len;
using internal::SubtractLong;
using internal::ToInteger;
using internal::Trim;
using internal::WordObserver;
using internal::WordStep;

namespace {

constexpr std::array<char16_t, 8> kPunctuation = {u',', u'.', u';', u':',
                                                  u'?', u'!', u'-', u'*'};

struct DirectionTexts {
  TextView source;
  TextView target;
};

DirectionTexts TextsOf(Integer direction, TextView text1, TextView text2) {
  switch (direction) {
    case 1:
      return {text1, text2};
    case 2:
      return {text2, text1};
    case 3:
      return {text1, text1};
    case 4:
      return {text2, text2};
    default:
      throw RuntimeError(ErrorKind::BoundsError);
  }
}

// The trimmed, normalised text with the one trailing space that ends its last
// word.
Text Prepared(TextView text) { return NormalizeText(Trim(text)) + u' '; }

// Where a unit of R stood in B; a space that consuming put in stands nowhere.
using Origins = std::vector<std::size_t>;
constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);

// The working texts of one ScoreDirection call.
struct Scan {
  const Text A0;  // the whole prepared source
  const Text B;   // the whole prepared target
  Text A;         // the part of the source not yet walked
  Text R;         // the part of the target not yet consumed
  Origins origins;  // for each unit of R, where it stood in B
  std::size_t walked = 0;  // where A starts in A0
};

// The score a word with context earns: the lengths of its following and
// preceding neighbour runs, but at least one point.
std::pair<Integer, Integer> ContextCredit(const Scan& scan, TextView w,
                                          Integer pos) {
  const Long c = InStr(1, scan.A0, scan.A);
  // The rest may first occur at the very start of the source; then nothing
  // stands in front of that place.
  const Long beforeLength = SubtractLong(SubtractLong(c, Len(w)), 2);
  const TextView before = beforeLength < 0 ? TextView{} : Left(scan.A0, beforeLength);
  const Text precA = Text(Trim(StrReverse(before))) + u' ';
  const Long e = InStr(1, scan.B, w);
  const Text precB = Text(Trim(StrReverse(Left(scan.B, e - 1)))) + u' ';
  const TextView follB = Right(scan.R, Len(scan.R) - pos - Len(w));
  const TextView follA = Right(scan.A0, Len(scan.A0) - c + 1);
  Integer r1 = CountWordRun(follA, follB);
  const Integer r2 = CountWordRun(precA, precB);
  if (AddInteger(r1, r2) == 0) r1 = 1;
  return {r1, r2};
}

// The origins of piece, a view into R.
Origins OriginsOf(const Scan& scan, TextView piece) {
  const auto first = scan.origins.begin() + (piece.data() - scan.R.data());
  return Origins(first, first + static_cast<std::ptrdiff_t>(piece.size()));
}

// Where in B the occurrence of w at pos of R starts. The empty word at a
// leading space of R stands at B's space in front of R's first word, or at
// B's last unit when R holds no word.
std::size_t TargetStart(const Scan& scan, TextView w, Integer pos) {
  const auto at = static_cast<std::size_t>(pos - 1);
  if (!w.empty() || scan.R[at] != u' ') return scan.origins[at];
  const std::size_t word = scan.R.find_first_not_of(u' ');
  return word == Text::npos ? scan.B.size() - 1 : scan.origins[word] - 1;
}

// Removes the space-delimited piece of R from the occurrence at pos to the
// next space; a piece of a word in front of the occurrence stays as a word.
void Consume(Scan& scan, Integer pos) {
  const TextView pre = Trim(Left(scan.R, pos - 1));
  const Integer q = ToInteger(InStr(pos, scan.R, u" "));
  const TextView post = Trim(Right(scan.R, Len(scan.R) - q));
  Origins origins = OriginsOf(scan, pre);
  origins.push_back(kNowhere);
  const Origins postOrigins = OriginsOf(scan, post);
  origins.insert(origins.end(), postOrigins.begin(), postOrigins.end());
  origins.push_back(kNowhere);
  scan.R = Text(pre) + u' ' + Text(post) + u' ';
  scan.origins = std::move(origins);
}

}  // namespace

Text NormalizeText(TextView s) {
  Text current(s);
  while (true) {
    Text t = current;
    for (const char16_t mark : kPunctuation) t = Replace(t, TextView(&mark, 1), u" ");
    t = LowerCase(Replace(t, u"  ", u" "));
    if (t == current) return t;
    current = std::move(t);
  }
}

Integer CountWordRun(TextView a, TextView b) {
  Integer count = 0;
  while (true) {
    a = LeftTrim(a);
    b = LeftTrim(b);
    const Integer p = ToInteger(InStr(1, a, u" "));
    if (p <= 0) return count;
    const TextView w = Left(a, p - 1);
    const Integer q = ToInteger(InStr(1, b, w));
    if (q <= 0) return count;
    a = Right(a, Len(a) - Len(w));
    b = Right(b, Len(b) - q + 1);
    count = AddInteger(count, 1);
  }
}

void ScoreDirection(Integer direction, TextView text1, TextView text2,
                    ComparisonState& state, const WordObserver& onWord) {
  const auto [source, target] = TextsOf(direction, text1, text2);
  Scan scan{Prepared(source), Prepared(target), {}, {}, {}, 0};
  scan.A = scan.A0;
  scan.R = scan.B;
  for (std::size_t i = 0; i < scan.B.size(); ++i) scan.origins.push_back(i);
  while (Len(scan.A) > 1) {
    const Long p = InStr(1, scan.A, u" ");
    const Text w(Trim(Left(scan.A, p)));
    WordStep step{w, ToInteger(InStr(1, scan.R, w))};
    step.source_start = scan.walked;
    const TextView rest = Right(scan.A, Len(scan.A) - p);
    const TextView trimmedRest = Trim(rest);
    scan.walked += static_cast<std::size_t>(p) + static_cast<std::size_t>(trimmedRest.data() - rest.data());
    scan.A = Text(trimmedRest) + u' ';
    if (step.position > 0) {
      step.target_start = TargetStart(scan, w, step.position);
      Integer& slot = DirectionScore(state, direction);
      if (Len(Trim(scan.A)) > Len(Trim(w))) {
        step.by_context = true;
        std::tie(step.following, step.preceding) = ContextCredit(scan, w, step.position);
        slot = AddInteger(AddInteger(slot, step.following), step.preceding);
      } else {
        slot = AddInteger(slot, 1);
      }
      if (scan.A == w + u' ') scan.A = u" ";
      Consume(scan, step.position);
    }
    step.score = state.DirectionScores[static_cast<std::size_t>(direction)];
    if (onWord) onWord(step);
  }
}

}  // namespace velmoro::reference
