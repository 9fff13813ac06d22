#pragma once

// Runs the window's Compares away from its event loop, one at a time, so
// that the window answers while a long Compare runs. A Compare asked for
// while one runs waits for it; asked for again meanwhile, the later texts
// replace the waiting ones. The engine cannot be stopped inside a Compare, so
// cancelling drops the running Compare's result and whatever waits: the
// window is idle at once, while the worker thread finishes on its own and any
// Compare asked for next waits for it.

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

#include "velmoro/fronts.h"
#include "word_highlights.h"

class QThread;

namespace velmoro::ui {

// What the window shows of one Compare, made ready on the worker thread.
struct CompareResult {
  // A text for each of panels 1 to 3 of StatusBar1, then of StatusBar2.
  using PanelTexts = std::array<std::array<QString, 3>, 2>;

  // The texts the Compare was given: the boxes' edit counts at the time.
  WordHighlights::EditStamp stamp{};
  // Empty when the Compare could not run, for want of memory.
  std::optional<CompareNumbers> numbers;
  // The panels' texts as the engine wrote them; empty for a panel the
  // Compare did not produce.
  PanelTexts panel_texts;
  // What each score stands for; empty for a panel without a score.
  PanelTexts panel_tool_tips;
  // What Text1 and Text2 show of directions 1 and 2.
  std::array<std::optional<WordHighlights::BoxWords>, 2> words;
  // Why the Compare could not run, when it could not.
  QString failure;
};

class CompareRunner : public QObject {
  Q_OBJECT

 public:
  explicit CompareRunner(QObject* parent = nullptr);
  // Waits for a running worker: the engine it uses must outlive it.
  ~CompareRunner() override;

  // Compares text1 with text2, the boxes' raw texts at stamp, now or after
  // the running Compare. All work that grows with the texts is done on the
  // worker thread.
  void request(const QString& text1, const QString& text2,
               const WordHighlights::EditStamp& stamp);

  // Drops the running Compare's result and the waiting texts.
  void cancel();

  // Whether a Compare whose result will be shown runs or waits.
  [[nodiscard]] bool busy() const;

  // Whether the worker thread still runs a Compare, its result dropped or not.
  [[nodiscard]] bool working() const;

 signals:
  void busyChanged(bool busy);
  void finished(const std::shared_ptr<const CompareResult>& result);

 private:
  struct Request {
    QString text1;
    QString text2;
    WordHighlights::EditStamp stamp;
  };

  void start(Request request);
  void workerFinished();

  std::unique_ptr<QThread> worker_;
  std::shared_ptr<CompareResult> result_;  // the worker's, once it finished
  bool drop_result_ = false;
  std::optional<Request> waiting_;
};

}  // namespace velmoro::ui
