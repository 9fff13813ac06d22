#pragma once

// A text box of the window: plain text with a vertical scroll bar, Tab moving
// the focus on. Before it takes in a paste or a drop so large that inserting
// and laying it out would keep the window busy for seconds, it asks.
//
// Qt repaints the cursor on every key press and every change of focus, and a
// paint of the cursor in a very long paragraph works out the whole
// paragraph's character attributes again: seconds of a frozen window at
// 16 MiB. So a modifier key pressed alone, which changes nothing, does not
// reach the editor (Ctrl+Return compares at once), and while the cursor
// stands in such a paragraph the box keeps its focused look when the window
// merely loses or regains the focus (a message box, another program).

#include <QPlainTextEdit>

namespace velmoro::ui {

class TextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  TextBox(const QString& text, QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  [[nodiscard]] bool keepsFocusedLook(const QFocusEvent& event) const;
};

}  // namespace velmoro::ui
