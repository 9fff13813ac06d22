#pragma once

// How much text a text box takes in or shows before Qt keeps the window busy
// for long. Qt lays a paragraph out whole whenever a part of it is shown,
// tinted or pointed at, and inserts a text's lines one by one: on a loaded
// 2-core machine a 16 MiB line of one-letter words took 6.5 s and 600 MB to
// lay out (under Xvfb), and pasting 16 MiB of prose lines 7 s. A MiB costs
// about half a second either way.

#include <QString>

class QTextDocument;

namespace velmoro {

inline constexpr qsizetype kSlowTextUnits = qsizetype{1} << 20;

// Whether document holds a paragraph longer than kSlowTextUnits units.
[[nodiscard]] bool HasLongParagraph(const QTextDocument& document);

}  // namespace velmoro
