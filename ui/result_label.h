#pragma once

// The result label: one number on one line, rounded to the label's width
// where the whole text does not fit, the whole text in its tooltip. A click
// gives it the focus and selects the number, which Ctrl+C and the Copy of its
// context menu copy whole; Tab passes it by. Screen readers read the whole
// result in its name, "Result: 6.6973953762657", and are told of each new
// one, also when it is the same as before.

#include <QLabel>

namespace velmoro::ui {

class ResultLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ResultLabel(QWidget* parent = nullptr);

  // Shows result, a whole result text; empty clears the label.
  void setResult(const QString& result);
  [[nodiscard]] const QString& result() const { return result_; }

  // Puts the whole result on the clipboard; nothing without one.
  void copy() const;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString result_;
};

}  // namespace velmoro::ui
