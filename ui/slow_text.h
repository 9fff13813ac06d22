#pragma once

// How much text a text box takes in or shows before Qt keeps the window busy
// for long, and for about how long. Qt lays a paragraph out whole whenever a
// part of it is shown, tinted or pointed at, and inserts a text's lines one by
// one: on a loaded 2-core machine a 16 MiB line of one-letter words took 6.5 s
// and 600 MB to lay out (under Xvfb), and pasting 16 MiB of prose lines 7 s.

#include <QString>

class QTextDocument;

namespace velmoro::ui {

inline constexpr qsizetype kSlowTextUnits = qsizetype{1} << 20;

// Seconds a MiB of text keeps the window busy, at most, being pasted and
// shown. Measured under Xvfb on a loaded 2-core machine: a 16 MiB single line
// of short words, the slowest shape, took 8.3 s to paste and show, and 12.1 s
// with the machine busier; 16 MiB of prose lines 3.3 s, 2 MiB in one line 1 s.
inline constexpr double kBusySecondsPerMiB = 0.75;

// About how many seconds, at most, pasting and showing a text of units keeps
// the window busy: at least 1.
[[nodiscard]] int BusySeconds(qsizetype units);

// Whether document holds a paragraph longer than kSlowTextUnits units.
[[nodiscard]] bool HasLongParagraph(const QTextDocument& document);

}  // namespace velmoro::ui
