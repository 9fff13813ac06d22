#pragma once

// What the window shows of a Compare's explanation in its two text boxes.
// Each box tints the words found in the other text (Text1 by direction 1,
// Text2 by direction 2): blue for a word credited by its context, orange for a
// single point, stronger the more points it earned, and underlined with dashes
// where the match is only part of a longer word; words not found stay plain.
// Resting the pointer on a word shows what it earned and highlights its match
// in the other box. Editing a text clears its box. The highlights are extra
// selections: the texts themselves never change.

#include <QList>
#include <QObject>
#include <QTextEdit>

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "velmoro/velmoro.h"

class QPlainTextEdit;

class WordHighlights : public QObject {
  Q_OBJECT

 public:
  // The format properties that say how a tinted word was credited, for
  // whoever inspects the highlights.
  static constexpr int kCreditProperty = QTextFormat::UserProperty;  // "context" or "single"
  static constexpr int kPointsProperty = QTextFormat::UserProperty + 1;
  static constexpr int kInsideLongerProperty = QTextFormat::UserProperty + 2;

  WordHighlights(QPlainTextEdit* text1, QPlainTextEdit* text2, QObject* parent = nullptr);

  // Shows explanation of the Compare of text1 and text2, the texts the boxes
  // held; a box whose direction did not run is cleared.
  void show(const velmoro::Explanation& explanation, const QString& text1,
            const QString& text2);

  // The tooltip of the word at position of box, or an empty text.
  [[nodiscard]] QString toolTipAt(const QPlainTextEdit* box, int position) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A word of a box, in positions of that box.
  struct Word {
    int start = 0;
    int end = 0;
    std::optional<std::pair<int, int>> match;  // in the other box
    QString toolTip;
  };
  struct Box {
    QPlainTextEdit* edit = nullptr;
    std::vector<Word> words;  // by start
    QList<QTextEdit::ExtraSelection> tints;
    const Word* hovered = nullptr;
  };

  void showBox(std::size_t index, const velmoro::DirectionExplanation& direction,
               const QString& text, const QString& otherText);
  void clear(std::size_t index);
  void hover(std::size_t index, const Word* word);
  [[nodiscard]] const Word* wordAt(std::size_t index, int position) const;
  [[nodiscard]] std::optional<std::size_t> boxOfViewport(const QObject* viewport) const;

  std::array<Box, 2> boxes_;
};
