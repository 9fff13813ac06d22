#pragma once

// The one place where texts cross between the window's widgets and the
// engine's front: a text box's text as the front is given it, and the way from
// the front's places, in code points, to positions in a box.

#include <QString>

#include <cstddef>
#include <string_view>
#include <vector>

class QPlainTextEdit;

namespace velmoro {

// text, UTF-8 from the engine's front (a panel text, a message, a label), as
// the window shows it.
[[nodiscard]] QString FromUtf8(std::string_view text);

// The text of box as the box holds it, no-break spaces and line breaks
// included: one copy of its units, so that the work that passes over them can
// be done away from the window's thread. An empty box gives an empty text.
[[nodiscard]] QString RawTextOfBox(const QPlainTextEdit& box);

// A box's raw text as the front is given it: each line break, whether a
// paragraph break or a line separator (Shift+Enter), is a line feed, which the
// front compares as "\r\n" on every platform; every other unit is kept as it
// is, a no-break space included, so that positions stay the box's own.
[[nodiscard]] QString FrontText(QString rawText);

// text's units, as the front takes them; text must outlive the view.
[[nodiscard]] std::u16string_view Units(const QString& text);

// Positions in a text, in units as a QString and a box count them, of places
// counted in code points.
class CodePointPlaces {
 public:
  explicit CodePointPlaces(const QString& text);

  // The position of the code point at index place; the text's length for the
  // place at its end.
  [[nodiscard]] int PositionOf(std::size_t place) const;

 private:
  // The places of the code points that take two units, ascending.
  std::vector<std::size_t> pairs_;
};

}  // namespace velmoro
