#pragma once

// The one place where texts cross between the window's widgets and the
// engine's front: a text box's text as the front is given it.

#include <QString>

#include <string_view>

class QPlainTextEdit;

namespace velmoro::ui {

// text, UTF-8 from the engine's front (a message, a label), as the window
// shows it.
[[nodiscard]] QString FromUtf8(std::string_view text);

// text, in the engine's own 16-bit units (a panel text, the result), as the
// window shows it.
[[nodiscard]] QString FromUnits(std::u16string_view text);

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

}  // namespace velmoro::ui
