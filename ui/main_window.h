#pragma once

// The program's one window: the two texts, the Compare button, the result
// label and a status bar for each direction. Compare hands the two texts to
// the engine's front on a worker thread and shows what it returned, with the
// words each text found in the other tinted in its box; a run-time error that
// ends a Compare is reported, and the window stays ready for the next one.
// While a Compare runs the button says so and Escape cancels it; closing the
// window drops it, so that nothing of it shows after the close. Every control
// has a name and a description for screen readers, and the result and the
// scores of each Compare are announced to them as their names change.

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace velmoro {
enum class ErrorKind;
}  // namespace velmoro

namespace velmoro::ui {

class CompareRunner;
class ResultLabel;
class WordHighlights;
struct CompareResult;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Told the kind of the run-time error that ended a Compare, or none when
  // the Compare could not run (out of memory), and the message that says
  // what happened and what to do, after the window shows what that Compare
  // produced.
  using ErrorReporter =
      std::function<void(std::optional<ErrorKind>, const QString& message)>;

  // Without a reporter, errors are shown in a modal message box.
  explicit MainWindow(ErrorReporter reportError = {}, QWidget* parent = nullptr);

  // Whether a Compare still runs on the worker thread, also one whose result
  // was dropped: the engine cannot be stopped, so the program that ends
  // meanwhile should not wait for it.
  [[nodiscard]] bool comparing() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void compare();
  void showBusy(bool busy);
  void showResult(const std::shared_ptr<const CompareResult>& result);

 private:
  void showComparison(const CompareResult& result);

  ErrorReporter report_error_;

  QLabel* label1_;
  ResultLabel* label2_;
  QPlainTextEdit* text1_;
  QPlainTextEdit* text2_;
  QPushButton* command1_;
  QStatusBar* status_bar1_;
  QStatusBar* status_bar2_;
  WordHighlights* highlights_;
  CompareRunner* runner_;
};

}  // namespace velmoro::ui
