#pragma once

// What the window shows of a Compare's explanation in its two text boxes.
// Each box tints the words found in the other text (Text1 by direction 1,
// Text2 by direction 2): blue for a word credited by its context, orange for a
// single point, stronger the more points it earned, and underlined with dashes
// where the match is only part of a longer word; words not found stay plain.
// Resting the pointer on a word shows what it earned and highlights its match
// in the other box. Editing a text clears its box. The highlights are extra
// selections: the texts themselves never change. Only found words are kept,
// at most one for each point of a score, so a long text costs little here; a
// box with a very long paragraph is not tinted, as that would lay it out.

#include <QColor>
#include <QList>
#include <QObject>
#include <QTextEdit>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "velmoro/velmoro.h"

class QPlainTextEdit;

namespace velmoro::ui {

class WordHighlights : public QObject {
  Q_OBJECT

 public:
  // The format properties that say how a tinted word was credited, for
  // whoever inspects the highlights.
  static constexpr int kCreditProperty = QTextFormat::UserProperty;  // "context" or "single"
  static constexpr int kPointsProperty = QTextFormat::UserProperty + 1;
  static constexpr int kInsideLongerProperty = QTextFormat::UserProperty + 2;

  // The tints under found words: blue for a word credited by its context,
  // stronger the more points it earned, up to four, and orange for a single
  // point. Blended into the box's own background, they keep the text over them
  // readable (a contrast of at least 4.5:1) in a light and in a dark palette
  // alike.
  [[nodiscard]] static QColor ContextTint(int points);
  [[nodiscard]] static QColor SinglePointTint();

  // A found word of a box, in positions of that box and of the other one.
  struct FoundWord {
    int start = 0;
    int end = 0;
    int match_start = 0;  // in the other box
    int match_end = 0;
    int points = 0;
    bool by_context = false;
    bool inside_longer = false;  // the match is only part of a longer word
    QString tool_tip;
  };

  // A word that was not found, though it occurs in the other text: earlier
  // words had used its places there.
  struct UsedUpWord {
    int start = 0;
    int end = 0;
    // Where the found word that took its first place stands, where one is named.
    std::optional<std::pair<int, int>> used_by;
  };

  // What a box shows of one direction's explanation.
  struct BoxWords {
    std::vector<FoundWord> found;  // by start
    std::vector<UsedUpWord> used_up;  // by start
    bool complete = false;  // the direction completed: every unfound word says why
    int walked_end = 0;    // where the last word the scan walked ends
    int target_text = 0;   // the text the words were looked for in: 1 or 2
  };

  // Each box's count of edits, to tell whether it still holds the text that
  // a Compare was given.
  using EditStamp = std::array<std::uint64_t, 2>;

  // Gathers what a box shows of direction, whose target is otherText, from
  // the direction's words handed over one by one in scan order, keeping only
  // what the box shows. Safe on any thread; otherText must outlive it.
  class WordsCollector {
   public:
    WordsCollector(const velmoro::DirectionExplanation& direction, const QString& otherText);

    void Add(const velmoro::ExplainedWord& word);

    // What the words handed over make; the collector is spent.
    [[nodiscard]] BoxWords Take() && { return std::move(words_); }

   private:
    const QString& other_text_;
    int source_;
    BoxWords words_;
  };

  WordHighlights(QPlainTextEdit* text1, QPlainTextEdit* text2, QObject* parent = nullptr);

  [[nodiscard]] EditStamp editStamp() const;

  // Shows words (Text1's, then Text2's) of a Compare given the texts the
  // boxes held at stamp; a box whose direction did not run is cleared, and a
  // box edited since or holding a very long paragraph keeps no highlights.
  void show(const std::array<std::optional<BoxWords>, 2>& words, const EditStamp& stamp);

  // The tooltip of the word at position of box, or an empty text.
  [[nodiscard]] QString toolTipAt(const QPlainTextEdit* box, int position) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Box {
    QPlainTextEdit* edit = nullptr;
    BoxWords words;
    QList<QTextEdit::ExtraSelection> tints;
    const FoundWord* hovered = nullptr;
    std::uint64_t edits = 0;
  };

  void clear(std::size_t index);
  void hover(std::size_t index, const FoundWord* word);
  [[nodiscard]] const FoundWord* foundAt(std::size_t index, int position) const;
  [[nodiscard]] bool inWalkedWord(std::size_t index, int position) const;
  [[nodiscard]] QString unfoundToolTip(std::size_t index, int position) const;
  [[nodiscard]] std::optional<std::size_t> boxOfViewport(const QObject* viewport) const;

  std::array<Box, 2> boxes_;
};

}  // namespace velmoro::ui
