#include "explanation_texts.h"

#include <QCoreApplication>

#include "explanation_texts_table.h"

namespace velmoro::ui {

namespace {

namespace texts = ui::texts;

QString Tr(const char* text) { return QCoreApplication::translate("Explanation", text); }

QString Points(int points) {
  return points == 1 ? Tr(texts::kOnePoint) : Tr(texts::kPoints).arg(points);
}

QString Words(int words) {
  return words == 1 ? Tr(texts::kOneWord) : Tr(texts::kWords).arg(words);
}

}  // namespace

QString LocalTextName(int text) { return Tr(texts::kTextName).arg(text); }

QString WordToolTip(const ExplainedWord& word, int sourceText, const FoundIn& found) {
  const QString where = Tr(found.inside_longer ? texts::kFoundInside : texts::kFoundAs)
                            .arg(LocalTextName(found.text), found.enclosing_word);
  if (!word.following) {
    return Tr(texts::kSinglePoint).arg(where, Points(word.points), LocalTextName(sourceText));
  }
  return Tr(texts::kByContext)
      .arg(where, Points(word.points))
      .arg(*word.following)
      .arg(*word.preceding);
}

QString NotFoundToolTip(int targetText, std::optional<NotFound> why, const QString& usedBy) {
  const QString notFound = Tr(texts::kNotFound).arg(LocalTextName(targetText));
  if (!why) return notFound;
  if (*why == NotFound::Absent) return Tr(texts::kAbsent).arg(notFound);
  if (usedBy.isEmpty()) return Tr(texts::kUsed).arg(notFound);
  return Tr(texts::kUsedBy).arg(notFound, usedBy);
}

void WordCounts::Add(const ExplainedWord& word) {
  ++words;
  found += word.target ? 1 : 0;
  by_context += word.following ? 1 : 0;
}

QString PanelToolTip(const QString& panelText, const DirectionExplanation& direction,
                     const WordCounts& counts) {
  const int singlePoints = counts.found - counts.by_context;
  const QString found = Tr(texts::kPanelFound)
                            .arg(counts.found)
                            .arg(counts.by_context)
                            .arg(singlePoints == 1 ? Tr(texts::kOneSinglePoint)
                                                   : Tr(texts::kSinglePoints).arg(singlePoints));
  const QString words = Words(counts.words);
  if (direction.source == direction.target) {
    return Tr(texts::kPanelItself).arg(panelText, LocalTextName(direction.source), words, found);
  }
  return Tr(texts::kPanelAgainst)
      .arg(panelText, LocalTextName(direction.source), words, LocalTextName(direction.target),
           found);
}

}  // namespace velmoro::ui
