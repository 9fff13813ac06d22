#include "accessible_texts.h"

#include <QCoreApplication>
#include <QStringList>

#include <string_view>

#include "explanation_texts.h"
#include "text_conversion.h"

namespace velmoro::ui {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("Accessibility", text); }

const DirectionTexts& TextsOf(int direction) { return kDirectionTexts[DirectionIndex(direction)]; }

// The status bar of the direction that takes text as its source and the
// other text as its target.
const StatusBarShape& BarOf(int text) {
  for (const StatusBarShape& shape : kStatusBars) {
    if (TextsOf(shape.crossDirection).source == text) return shape;
  }
  return kStatusBars.front();
}

// The score a panel shows after prefix ("150" of "STD: 150"); empty for an
// empty panel.
QString ScoreOf(const QString& panelText, std::string_view prefix) {
  const QString label = FromUtf8(prefix);
  return panelText.startsWith(label) ? panelText.mid(label.size()) : panelText;
}

}  // namespace

QString TextBoxName(int text) { return Tr("Text %1").arg(text); }

QString TextBoxDescription(int text) {
  const StatusBarShape& bar = BarOf(text);
  return Tr("One of the two texts to compare. After a Compare, its words found in %1 are "
            "tinted: blue for a word credited by its context, orange for a single point, "
            "stronger the more points it earned, underlined with dashes where the match is only "
            "part of a longer word. The status bar %2 counts them.")
      .arg(LocalTextName(TextsOf(bar.crossDirection).target), FromUtf8(bar.label));
}

QString CompareDescription() {
  const DirectionTexts& texts = TextsOf(kStatusBars.front().crossDirection);
  return Tr("Compares %1 with %2: shows under Result how far apart they are, and the scores "
            "in the status bars. Ctrl+Return compares from anywhere in the window.")
      .arg(LocalTextName(texts.source), LocalTextName(texts.target));
}

QString ResultCaptionDescription() { return Tr("The caption of the result under it"); }

QString ResultName(const QString& result) {
  return result.isEmpty() ? Tr("Result: none") : Tr("Result: %1").arg(result);
}

QString ResultDescription() {
  return Tr("How far apart the two texts are: 0 for identical texts, larger the further apart "
            "they are");
}

std::array<QString, 3> PanelNames(const StatusBarShape& shape,
                                  const std::array<QString, 3>& panelTexts) {
  const QString target = LocalTextName(TextsOf(shape.crossDirection).target);
  const QString self = ScoreOf(panelTexts[1], kSelfScorePrefix);
  const QString cross = ScoreOf(panelTexts[2], kCrossScorePrefix);
  return {FromUtf8(shape.label),
          self.isEmpty() ? Tr("no self-score") : Tr("self-score %1").arg(self),
          cross.isEmpty() ? Tr("no score against %1").arg(target)
                          : Tr("against %1: %2").arg(target, cross)};
}

QString StatusBarName(const std::array<QString, 3>& panelNames) {
  return QStringList(panelNames.begin(), panelNames.end()).join(QStringLiteral(", "));
}

QString StatusBarDescription(const StatusBarShape& shape) {
  const DirectionTexts& texts = TextsOf(shape.crossDirection);
  return Tr("Scores of %1: %2 its self-score, %1 against itself, and %3 its score against %4")
      .arg(LocalTextName(texts.source), FromUtf8(kSelfScorePrefix).trimmed(),
           FromUtf8(kCrossScorePrefix).trimmed(), LocalTextName(texts.target));
}

QString PanelDescription(const StatusBarShape& shape, int number) {
  const DirectionTexts& self = TextsOf(shape.selfDirection);
  const DirectionTexts& cross = TextsOf(shape.crossDirection);
  switch (number) {
    case 1:
      return StatusBarDescription(shape);
    case 2:
      return Tr("The self-score of %1, %1 against itself, after a Compare")
          .arg(LocalTextName(self.source));
    case 3:
      return Tr("The score of %1 against %2, after a Compare")
          .arg(LocalTextName(cross.source), LocalTextName(cross.target));
    default:
      return {};
  }
}

}  // namespace velmoro::ui
