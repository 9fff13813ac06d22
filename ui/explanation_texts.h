#pragma once

// The words in which the window explains a Compare: the tooltip of a word in
// a text box and the tooltip of a score panel. Their wording is
// ui/explanation_texts.json, which the page fills in alike.

#include <QString>

#include "velmoro/velmoro.h"

namespace velmoro::ui {

// "text 1" or "text 2", as the window's sentences name a text.
[[nodiscard]] QString LocalTextName(int text);

// Where a word of one box was found in the other text.
struct FoundIn {
  int text = 0;             // the other text: 1 or 2
  QString enclosing_word;    // the word of that text that holds the match
  bool inside_longer = false;  // the match is only part of that word
};

// What word, found, earned, for example "found in text 2 inside 'then', 1
// point: following 1, preceding 0". sourceText names the word's own text (1 or
// 2).
[[nodiscard]] QString WordToolTip(const ExplainedWord& word, int sourceText, const FoundIn& found);

// What a word that was not found earned, and why where that is known: "not
// found in text 2: it does not occur there", or "not found in text 2: it
// occurs there only where earlier words were found; 'a' took its first place"
// (usedBy, when not empty, names that earlier word).
[[nodiscard]] QString NotFoundToolTip(int targetText, std::optional<NotFound> why,
                                      const QString& usedBy);

// How many words a direction walked, found, and credited by context, counted
// as its words go by, so that they need not be kept.
struct WordCounts {
  int words = 0;
  int found = 0;
  int by_context = 0;

  void Add(const ExplainedWord& word);
};

// What the number of a score panel stands for, for example "#: 15: text 1's
// 14 words against text 2: 10 found, 9 by context, 1 single point" or "STD:
// 150: text 1 against itself: 14 words, ...". panelText is the panel's text;
// direction gives the texts, counts its words (direction.words is not read).
[[nodiscard]] QString PanelToolTip(const QString& panelText,
                                   const DirectionExplanation& direction,
                                   const WordCounts& counts);

}  // namespace velmoro::ui
