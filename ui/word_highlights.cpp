#include "word_highlights.h"

#include <QColor>
#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

#include "explanation_texts.h"
#include "slow_text.h"
#include "velmoro/fronts.h"

namespace velmoro::ui {

namespace {

// A tint's strength grows with the points, up to four.
int Alpha(int points) { return 50 + 35 * std::clamp(points, 1, 4); }

// A place the engine gives in UTF-16 units, as a position in a box.
int Position(std::size_t unit) { return static_cast<int>(unit); }

QTextEdit::ExtraSelection Selection(QPlainTextEdit* box, int start, int end,
                                    const QTextCharFormat& format) {
  QTextCursor cursor(box->document());
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  return {cursor, format};
}

QTextCharFormat Tint(const WordHighlights::FoundWord& word) {
  QTextCharFormat format;
  format.setBackground(word.by_context ? WordHighlights::ContextTint(word.points)
                                      : WordHighlights::SinglePointTint());
  if (word.inside_longer) format.setUnderlineStyle(QTextCharFormat::DashUnderline);
  format.setProperty(WordHighlights::kCreditProperty,
                     word.by_context ? QStringLiteral("context") : QStringLiteral("single"));
  format.setProperty(WordHighlights::kPointsProperty, word.points);
  format.setProperty(WordHighlights::kInsideLongerProperty, word.inside_longer);
  return format;
}

// A match in the other box looks selected while its word is pointed at.
QTextCharFormat MatchFormat(const QPlainTextEdit& box) {
  QTextCharFormat format;
  format.setBackground(box.palette().highlight());
  format.setForeground(box.palette().highlightedText());
  return format;
}

// Whether the unit at position of document is part of a word.
bool InWord(const QTextDocument& document, int position) {
  return position >= 0 && position < document.characterCount() - 1 &&
         !velmoro::NormalizesToSpace(document.characterAt(position).unicode());
}

}  // namespace

// Blue and orange stay apart for every common kind of colour blindness.
QColor WordHighlights::ContextTint(int points) {
  QColor colour(0, 114, 178);
  colour.setAlpha(Alpha(points));
  return colour;
}

// A single point is one point: its tint has one strength.
QColor WordHighlights::SinglePointTint() {
  QColor colour(230, 159, 0);
  colour.setAlpha(Alpha(1));
  return colour;
}

WordHighlights::WordHighlights(QPlainTextEdit* text1, QPlainTextEdit* text2, QObject* parent)
    : QObject(parent) {
  boxes_[0].edit = text1;
  boxes_[1].edit = text2;
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    QPlainTextEdit* edit = boxes_[index].edit;
    edit->viewport()->setMouseTracking(true);
    edit->viewport()->installEventFilter(this);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, index] {
      ++boxes_[index].edits;
      clear(index);
    });
  }
}

WordHighlights::WordsCollector::WordsCollector(const velmoro::DirectionExplanation& direction,
                                               const QString& otherText)
    : other_text_(otherText), source_(direction.source) {
  words_.target_text = direction.target;
  words_.complete = direction.complete;
}

void WordHighlights::WordsCollector::Add(const velmoro::ExplainedWord& word) {
  words_.walked_end = Position(word.utf16.source.end);
  // The empty word of a leading mark stands nowhere a pointer can rest.
  if (word.source.start == word.source.end) return;
  if (word.not_found == velmoro::NotFound::Used) {
    UsedUpWord used{Position(word.utf16.source.start), words_.walked_end, std::nullopt};
    if (const auto usedBy = word.utf16.used_by_source) {
      used.used_by = std::pair(Position(usedBy->start), Position(usedBy->end));
    }
    words_.used_up.push_back(used);
  }
  if (!word.target) return;
  const velmoro::Span match = *word.utf16.target;
  const velmoro::Span enclosing = *word.utf16.enclosing;
  FoundWord found{Position(word.utf16.source.start),
                  words_.walked_end,
                  Position(match.start),
                  Position(match.end),
                  word.points,
                  word.following.has_value(),
                  word.match != velmoro::MatchPlace::Word,
                  {}};
  found.tool_tip = WordToolTip(
      word, source_,
      FoundIn{words_.target_text,
                       other_text_.mid(Position(enclosing.start),
                                      Position(enclosing.end - enclosing.start)),
                       found.inside_longer});
  words_.found.push_back(std::move(found));
}

WordHighlights::EditStamp WordHighlights::editStamp() const {
  return {boxes_[0].edits, boxes_[1].edits};
}

void WordHighlights::show(const std::array<std::optional<BoxWords>, 2>& words,
                          const EditStamp& stamp) {
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    clear(index);
    Box& box = boxes_[index];
    if (!words[index] || stamp[index] != box.edits) continue;
    // Tints and pointing would lay such a paragraph out: seconds of a frozen window.
    if (HasLongParagraph(*box.edit->document())) continue;
    box.words = *words[index];
    for (const FoundWord& word : box.words.found) {
      box.tints << Selection(box.edit, word.start, word.end, Tint(word));
    }
    box.edit->setExtraSelections(box.tints);
  }
}

void WordHighlights::clear(std::size_t index) {
  hover(index, nullptr);
  hover(1 - index, nullptr);
  Box& box = boxes_[index];
  box.words = {};
  box.tints.clear();
  box.edit->setExtraSelections({});
}

void WordHighlights::hover(std::size_t index, const FoundWord* word) {
  Box& box = boxes_[index];
  if (box.hovered == word) return;
  box.hovered = word;
  Box& other = boxes_[1 - index];
  QList<QTextEdit::ExtraSelection> selections = other.tints;
  // A box that was edited since holds no explanation, and no match fits it.
  if (word != nullptr && other.words.target_text != 0) {
    selections << Selection(other.edit, word->match_start, word->match_end,
                            MatchFormat(*other.edit));
  }
  other.edit->setExtraSelections(selections);
}

QString WordHighlights::toolTipAt(const QPlainTextEdit* box, int position) const {
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    if (boxes_[index].edit != box) continue;
    if (const FoundWord* word = foundAt(index, position)) return word->tool_tip;
    if (inWalkedWord(index, position)) return unfoundToolTip(index, position);
    return {};
  }
  return {};
}

// Why the word at position earned nothing: a used-up word names the found
// word that took its first place, read from the box; any other word of a
// completed direction does not occur in the other text.
QString WordHighlights::unfoundToolTip(std::size_t index, int position) const {
  const BoxWords& words = boxes_[index].words;
  if (!words.complete) return NotFoundToolTip(words.target_text, std::nullopt, {});
  const auto behind =
      std::upper_bound(words.used_up.begin(), words.used_up.end(), position,
                       [](int at, const UsedUpWord& word) { return at < word.start; });
  if (behind == words.used_up.begin() || position > std::prev(behind)->end) {
    return NotFoundToolTip(words.target_text, velmoro::NotFound::Absent, {});
  }
  QString usedBy;
  if (const auto& by = std::prev(behind)->used_by) {
    QTextCursor cursor(boxes_[index].edit->document());
    cursor.setPosition(by->first);
    cursor.setPosition(by->second, QTextCursor::KeepAnchor);
    usedBy = cursor.selectedText();
  }
  return NotFoundToolTip(words.target_text, velmoro::NotFound::Used, usedBy);
}

// The found word that holds position, or that position directly follows.
const WordHighlights::FoundWord* WordHighlights::foundAt(std::size_t index, int position) const {
  const std::vector<FoundWord>& words = boxes_[index].words.found;
  const auto behind = std::upper_bound(words.begin(), words.end(), position,
                                       [](int at, const FoundWord& word) { return at < word.start; });
  if (behind == words.begin() || position > std::prev(behind)->end) return nullptr;
  return &*std::prev(behind);
}

// Whether position is in a word the scan walked, or directly follows one:
// the words not found are read from the box itself when asked for.
bool WordHighlights::inWalkedWord(std::size_t index, int position) const {
  const Box& box = boxes_[index];
  if (box.words.target_text == 0 || position > box.words.walked_end) return false;
  const QTextDocument& document = *box.edit->document();
  return InWord(document, position) || InWord(document, position - 1);
}

std::optional<std::size_t> WordHighlights::boxOfViewport(const QObject* viewport) const {
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    if (boxes_[index].edit->viewport() == viewport) return index;
  }
  return std::nullopt;
}

bool WordHighlights::eventFilter(QObject* watched, QEvent* event) {
  const std::optional<std::size_t> index = boxOfViewport(watched);
  if (!index) return false;
  QPlainTextEdit* edit = boxes_[*index].edit;
  switch (event->type()) {
    case QEvent::ToolTip: {
      const auto* help = static_cast<QHelpEvent*>(event);
      const QString text = toolTipAt(edit, edit->cursorForPosition(help->pos()).position());
      if (text.isEmpty()) {
        QToolTip::hideText();
      } else {
        QToolTip::showText(help->globalPos(), text, edit->viewport());
      }
      return true;
    }
    case QEvent::MouseMove: {
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      hover(*index, foundAt(*index, edit->cursorForPosition(at).position()));
      return false;
    }
    case QEvent::Leave:
      hover(*index, nullptr);
      return false;
    default:
      return false;
  }
}

}  // namespace velmoro::ui
