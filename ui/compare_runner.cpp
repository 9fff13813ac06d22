#include "compare_runner.h"

#include <QCoreApplication>
#include <QThread>

#include <array>
#include <exception>
#include <new>
#include <utility>

#include "explanation_texts.h"
#include "text_conversion.h"
#include "velmoro/directions.h"

namespace {

// Each score panel's tooltip says what its number stands for; a panel that
// the Compare left empty has none.
void ExplainPanels(const velmoro::Explanation& explanation, CompareResult& result) {
  for (std::size_t bar = 0; bar < velmoro::kStatusBars.size(); ++bar) {
    const std::array<std::string, 3>& panels =
        bar == 0 ? result.comparison->status1 : result.comparison->status2;
    const velmoro::StatusBarShape& shape = velmoro::kStatusBars[bar];
    const std::pair<std::size_t, int> scorePanels[] = {{1, shape.selfDirection},
                                                       {2, shape.crossDirection}};
    for (const auto& [panel, direction] : scorePanels) {
      const auto& explained = explanation[velmoro::DirectionIndex(direction)];
      if (panels[panel].empty() || !explained) continue;
      result.panelToolTips[bar][panel] =
          velmoro::PanelToolTip(QString::fromStdString(panels[panel]), *explained);
    }
  }
}

// Compares text1 with text2 and makes ready what the window shows of it. The
// engine's explanation, an entry for every word walked, ends here.
void Compare(const QString& text1, const QString& text2, CompareResult& result) {
  velmoro::Explanation explanation;
  result.comparison = velmoro::Compare(velmoro::Units(text1), velmoro::Units(text2), explanation);
  ExplainPanels(explanation, result);
  const std::array<const QString*, 2> texts = {&text1, &text2};
  for (std::size_t box = 0; box < texts.size(); ++box) {
    if (!explanation[box]) continue;
    result.words[box] = WordHighlights::WordsOf(*explanation[box], *texts[box], *texts[1 - box]);
  }
}

// No exception leaves the worker thread: a failure becomes the result.
CompareResult CompareOrFail(const QString& text1, const QString& text2) {
  CompareResult result;
  try {
    Compare(text1, text2, result);
  } catch (const std::bad_alloc&) {
    result = {};
    result.failure = QCoreApplication::translate(
        "CompareRunner", "Not enough memory to compare these texts: compare shorter pieces.");
  } catch (const std::exception& error) {
    result = {};
    result.failure = QCoreApplication::translate("CompareRunner", "The comparison failed: %1")
                         .arg(QString::fromLocal8Bit(error.what()));
  }
  return result;
}

}  // namespace

CompareRunner::CompareRunner(QObject* parent) : QObject(parent) {}

CompareRunner::~CompareRunner() {
  if (!worker_) return;
  worker_->disconnect(this);
  worker_->wait();
}

void CompareRunner::request(const QString& text1, const QString& text2,
                            const WordHighlights::EditStamp& stamp) {
  const bool wasBusy = busy();
  Request next{text1, text2, stamp};
  if (worker_) {
    waiting_ = std::move(next);
  } else {
    start(std::move(next));
  }
  if (!wasBusy) emit busyChanged(true);
}

void CompareRunner::cancel() {
  const bool wasBusy = busy();
  waiting_.reset();
  if (worker_) dropResult_ = true;
  if (wasBusy) emit busyChanged(false);
}

bool CompareRunner::busy() const { return (worker_ && !dropResult_) || waiting_; }

void CompareRunner::start(Request request) {
  result_ = std::make_shared<CompareResult>();
  worker_.reset(QThread::create([result = result_, request = std::move(request)] {
    *result = CompareOrFail(request.text1, request.text2);
    result->stamp = request.stamp;
  }));
  connect(worker_.get(), &QThread::finished, this, &CompareRunner::workerFinished);
  worker_->start();
}

// The next Compare starts before this one's result is shown, which may wait
// for the user to read an error.
void CompareRunner::workerFinished() {
  worker_->wait();
  worker_.reset();
  const std::shared_ptr<const CompareResult> result = std::move(result_);
  const bool shown = !std::exchange(dropResult_, false);
  if (waiting_) {
    start(std::move(*waiting_));
    waiting_.reset();
  } else if (shown) {
    emit busyChanged(false);
  }
  if (shown) emit finished(result);
}
