#pragma once

// Keeps the text cursor from blinking while it stands in a very long
// paragraph of a text box. Every blink makes Qt work out the character
// attributes of the cursor's whole paragraph again: with a 2 MB paragraph in
// a focused box the idle window used a sixth of a core. The box that has its
// window's focus counts, also while another window is active: a box that
// keeps its focused look meanwhile would otherwise start blinking.

#include <QObject>

#include <initializer_list>
#include <vector>

class QPlainTextEdit;

namespace velmoro::ui {

class SteadyCursor : public QObject {
  Q_OBJECT

 public:
  // Watches boxes, which must outlive this object.
  SteadyCursor(std::initializer_list<QPlainTextEdit*> boxes, QObject* parent = nullptr);
  ~SteadyCursor() override;

 private:
  void update();

  std::vector<QPlainTextEdit*> boxes_;
  int platform_flash_time_;
};

}  // namespace velmoro::ui
