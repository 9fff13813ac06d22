#pragma once

// The program's one window: the two texts, the Compare button, the result
// label and a status bar for each direction. Compare hands the two texts to
// the engine and shows what it returned; a run-time error that ends a Compare
// is reported, and the window stays ready for the next one.

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTextEdit;

namespace velmoro {
enum class ErrorKind;
struct CompareDisplay;
struct ComparisonState;
}  // namespace velmoro

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Told the kind of the run-time error that ended a Compare, after the
  // window shows what that Compare produced.
  using ErrorReporter = std::function<void(velmoro::ErrorKind)>;

  // Without a reporter, errors are shown in a modal message box.
  explicit MainWindow(ErrorReporter reportError = {},
                      QWidget* parent = nullptr);
  ~MainWindow() override;

 private slots:
  void compare();

 private:
  void showDisplay(const velmoro::CompareDisplay& display);

  ErrorReporter reportError_;
  std::unique_ptr<velmoro::ComparisonState> state_;

  QLabel* label1_;
  QTextEdit* label2_;
  QPlainTextEdit* text1_;
  QPlainTextEdit* text2_;
  QPushButton* command1_;
  QStatusBar* statusBar1_;
  QStatusBar* statusBar2_;
};
