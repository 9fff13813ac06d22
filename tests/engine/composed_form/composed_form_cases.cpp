// Prints the stretches that StretchesToCompose finds in texts that test the
// composed form's corners, one line a text, so that two implementations can
// be compared by their output: "start-end:units" for each stretch.

#include <cstdio>
#include <string>

#include "composed_form.h"

namespace {

const std::u16string kLoneLead(1, u'\xD800');
const std::u16string kLoneTrail(1, u'\xDC00');

const std::u16string kTexts[] = {
    u"",
    u"plain text, already composed",
    u"caf\u00E9 and cafe\u0301",                  // a mark that composes
    u"e\u0301\u0301 x\u0301 a\u0301\u0316",        // a second mark, none, marks out of order
    u"\u1100\u1161\u11A8 \uAC00\u11A8 \u1100\u1161",  // Hangul jamo and a syllable with a tail
    u"\u0958 \u2126 \u212B \u0344 \u0F73",         // composition exclusions and singletons
    u"\U0001D15E \U00011099\U000110BA \U0001F600",  // outside the basic plane
    u"A\u030A\u0327 o\u0308\u0304 \u1E9B\u0323",   // a base that takes two marks
    kLoneLead + u"\u0301 e" + kLoneTrail + u"\u0301 " + kLoneTrail + kLoneLead,  // lone surrogates
    std::u16string(u"nul\0e\u0301", 6),
    u"\u0300 leading mark, e\u0301",
};

void PrintUnits(const std::u16string& units) {
  for (const char16_t unit : units) std::printf(" %04X", static_cast<unsigned>(unit));
}

}  // namespace

int main() {
  for (const std::u16string& text : kTexts) {
    for (const velmoro::internal::ComposedStretch& stretch :
         velmoro::internal::StretchesToCompose(text)) {
      std::printf("%zu-%zu:", stretch.start, stretch.end);
      PrintUnits(stretch.composed);
      std::printf("; ");
    }
    std::printf("\n");
  }
  return 0;
}
