#pragma once

// How long a paragraph of a text box may grow before laying it out takes
// long. Qt lays a paragraph out whole whenever a part of it is shown, tinted
// or pointed at: about 0.4 s for each MiB of one-letter words on a loaded
// 2-core machine (16 MiB: 6.5 s and 600 MB, measured under Xvfb).

#include <QString>

class QTextDocument;

namespace velmoro {

inline constexpr qsizetype kLongParagraph = qsizetype{1} << 20;

// Whether document holds a paragraph longer than kLongParagraph units.
[[nodiscard]] bool HasLongParagraph(const QTextDocument& document);

// The length of the longest line of text, in units.
[[nodiscard]] qsizetype LongestLine(const QString& text);

}  // namespace velmoro
