#include "word_highlights.h"

#include <QColor>
#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolTip>

#include <algorithm>

#include "explanation_texts.h"
#include "velmoro/fronts.h"
#include "text_conversion.h"

namespace {

// Blue and orange stay apart for every common kind of colour blindness;
// blended into the box's own background they keep its text readable in a
// light and in a dark palette alike.
const QColor kContextTint(0, 114, 178);
const QColor kSinglePointTint(230, 159, 0);

// The tint's strength grows with the points, up to four.
int Alpha(int points) { return 50 + 35 * std::clamp(points, 1, 4); }

// The word of text that holds the units from start to end: words end where
// the comparison reads a space.
std::pair<int, int> EnclosingWord(const QString& text, int start, int end) {
  while (start > 0 && !velmoro::NormalizesToSpace(text[start - 1].unicode())) --start;
  while (end < text.size() && !velmoro::NormalizesToSpace(text[end].unicode())) ++end;
  return {start, end};
}

QTextEdit::ExtraSelection Selection(QPlainTextEdit* box, int start, int end,
                                    const QTextCharFormat& format) {
  QTextCursor cursor(box->document());
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  return {cursor, format};
}

QTextCharFormat Tint(const velmoro::ExplainedWord& word, bool insideLonger) {
  const bool byContext = word.following.has_value();
  QColor colour = byContext ? kContextTint : kSinglePointTint;
  colour.setAlpha(Alpha(word.points));
  QTextCharFormat format;
  format.setBackground(colour);
  if (insideLonger) format.setUnderlineStyle(QTextCharFormat::DashUnderline);
  format.setProperty(WordHighlights::kCreditProperty,
                     byContext ? QStringLiteral("context") : QStringLiteral("single"));
  format.setProperty(WordHighlights::kPointsProperty, word.points);
  format.setProperty(WordHighlights::kInsideLongerProperty, insideLonger);
  return format;
}

// A match in the other box looks selected while its word is pointed at.
QTextCharFormat MatchFormat(const QPlainTextEdit& box) {
  QTextCharFormat format;
  format.setBackground(box.palette().highlight());
  format.setForeground(box.palette().highlightedText());
  return format;
}

}  // namespace

WordHighlights::WordHighlights(QPlainTextEdit* text1, QPlainTextEdit* text2, QObject* parent)
    : QObject(parent) {
  boxes_[0].edit = text1;
  boxes_[1].edit = text2;
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    QPlainTextEdit* edit = boxes_[index].edit;
    edit->viewport()->setMouseTracking(true);
    edit->viewport()->installEventFilter(this);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, index] { clear(index); });
  }
}

void WordHighlights::show(const velmoro::Explanation& explanation, const QString& text1,
                          const QString& text2) {
  const std::array<const QString*, 2> texts = {&text1, &text2};
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    clear(index);
    if (explanation[index]) showBox(index, *explanation[index], *texts[index], *texts[1 - index]);
  }
}

void WordHighlights::showBox(std::size_t index, const velmoro::DirectionExplanation& direction,
                             const QString& text, const QString& otherText) {
  Box& box = boxes_[index];
  const velmoro::CodePointPlaces places(text);
  const velmoro::CodePointPlaces otherPlaces(otherText);
  for (const velmoro::ExplainedWord& word : direction.words) {
    // The empty word of a leading mark stands nowhere a pointer can rest.
    if (word.source.start == word.source.end) continue;
    Word shown{places.PositionOf(word.source.start), places.PositionOf(word.source.end), {}, {}};
    std::optional<velmoro::FoundIn> found;
    if (word.target) {
      shown.match = {otherPlaces.PositionOf(word.target->start),
                     otherPlaces.PositionOf(word.target->end)};
      const auto [start, end] = EnclosingWord(otherText, shown.match->first, shown.match->second);
      found = velmoro::FoundIn{direction.target, otherText.mid(start, end - start),
                               std::pair(start, end) != *shown.match};
      box.tints << Selection(box.edit, shown.start, shown.end, Tint(word, found->insideLonger));
    }
    shown.toolTip = velmoro::WordToolTip(word, direction.source, found, direction.target);
    box.words.push_back(std::move(shown));
  }
  box.edit->setExtraSelections(box.tints);
}

void WordHighlights::clear(std::size_t index) {
  hover(index, nullptr);
  hover(1 - index, nullptr);
  Box& box = boxes_[index];
  box.words.clear();
  box.tints.clear();
  box.edit->setExtraSelections({});
}

void WordHighlights::hover(std::size_t index, const Word* word) {
  Box& box = boxes_[index];
  if (box.hovered == word) return;
  box.hovered = word;
  Box& other = boxes_[1 - index];
  QList<QTextEdit::ExtraSelection> selections = other.tints;
  // A box that was edited since holds no explanation, and no match fits it.
  if (word != nullptr && word->match && !other.words.empty()) {
    selections << Selection(other.edit, word->match->first, word->match->second,
                            MatchFormat(*other.edit));
  }
  other.edit->setExtraSelections(selections);
}

QString WordHighlights::toolTipAt(const QPlainTextEdit* box, int position) const {
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    if (boxes_[index].edit != box) continue;
    const Word* word = wordAt(index, position);
    return word != nullptr ? word->toolTip : QString();
  }
  return {};
}

// The word that holds position, or that position directly follows.
const WordHighlights::Word* WordHighlights::wordAt(std::size_t index, int position) const {
  const std::vector<Word>& words = boxes_[index].words;
  const auto behind = std::upper_bound(words.begin(), words.end(), position,
                                       [](int at, const Word& word) { return at < word.start; });
  if (behind == words.begin() || position > std::prev(behind)->end) return nullptr;
  return &*std::prev(behind);
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
      hover(*index, wordAt(*index, edit->cursorForPosition(at).position()));
      return false;
    }
    case QEvent::Leave:
      hover(*index, nullptr);
      return false;
    default:
      return false;
  }
}
