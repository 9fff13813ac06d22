#include "explanation_texts.h"

#include <QCoreApplication>

namespace velmoro {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("Explanation", text); }

QString Points(int points) {
  return points == 1 ? Tr("1 point") : Tr("%1 points").arg(points);
}

QString Words(int words) { return words == 1 ? Tr("1 word") : Tr("%1 words").arg(words); }

}  // namespace

QString LocalTextName(int text) { return Tr("text %1").arg(text); }

QString WordToolTip(const ExplainedWord& word, int sourceText, const FoundIn& found) {
  const QString where = (found.insideLonger ? Tr("found in %1 inside '%2'")
                                            : Tr("found in %1 as '%2'"))
                            .arg(LocalTextName(found.text), found.enclosingWord);
  if (!word.following) {
    return Tr("%1, %2: a single point, as the rest of %3 is not longer than the word")
        .arg(where, Points(word.points), LocalTextName(sourceText));
  }
  return Tr("%1, %2: following %3, preceding %4")
      .arg(where, Points(word.points))
      .arg(*word.following)
      .arg(*word.preceding);
}

QString NotFoundToolTip(int targetText, std::optional<NotFound> why, const QString& usedBy) {
  const QString notFound = Tr("not found in %1").arg(LocalTextName(targetText));
  if (!why) return notFound;
  if (*why == NotFound::Absent) return Tr("%1: it does not occur there").arg(notFound);
  if (usedBy.isEmpty()) {
    return Tr("%1: it occurs there only where earlier words were found").arg(notFound);
  }
  return Tr("%1: it occurs there only where earlier words were found; '%2' took its first place")
      .arg(notFound, usedBy);
}

void WordCounts::Add(const ExplainedWord& word) {
  ++words;
  found += word.target ? 1 : 0;
  byContext += word.following ? 1 : 0;
}

QString PanelToolTip(const QString& panelText, const DirectionExplanation& direction,
                     const WordCounts& counts) {
  const int singlePoints = counts.found - counts.byContext;
  const QString found = Tr("%1 found, %2 by context, %3")
                            .arg(counts.found)
                            .arg(counts.byContext)
                            .arg(singlePoints == 1 ? Tr("1 single point")
                                                   : Tr("%1 single points").arg(singlePoints));
  const QString words = Words(counts.words);
  if (direction.source == direction.target) {
    return Tr("%1: %2 against itself: %3, %4")
        .arg(panelText, LocalTextName(direction.source), words, found);
  }
  return Tr("%1: %2's %3 against %4: %5")
      .arg(panelText, LocalTextName(direction.source), words, LocalTextName(direction.target),
           found);
}

}  // namespace velmoro
