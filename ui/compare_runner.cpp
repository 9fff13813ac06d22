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

namespace velmoro::ui {

namespace {

// What a Compare explains of each direction that started, words aside.
using DirectionHeads = std::array<std::optional<DirectionExplanation>, kDirectionCount>;
using DirectionCounts = std::array<WordCounts, kDirectionCount>;

// Each panel's text, as the window shows it.
CompareResult::PanelTexts PanelTextsOf(const StatusTexts& status) {
  CompareResult::PanelTexts texts;
  for (std::size_t bar = 0; bar < texts.size(); ++bar) {
    for (std::size_t panel = 0; panel < texts[bar].size(); ++panel) {
      texts[bar][panel] = FromUnits(status[bar][panel]);
    }
  }
  return texts;
}

// Each score panel's tooltip says what its number stands for; a panel that
// the Compare left empty has none.
void ExplainPanels(const DirectionHeads& heads, const DirectionCounts& counts,
                   CompareResult& result) {
  for (std::size_t bar = 0; bar < kStatusBars.size(); ++bar) {
    const std::array<QString, 3>& panels = result.panel_texts[bar];
    const StatusBarShape& shape = kStatusBars[bar];
    const std::pair<std::size_t, int> scorePanels[] = {{1, shape.selfDirection},
                                                       {2, shape.crossDirection}};
    for (const auto& [panel, direction] : scorePanels) {
      const std::size_t index = DirectionIndex(direction);
      if (panels[panel].isEmpty() || !heads[index]) continue;
      result.panel_tool_tips[bar][panel] =
          PanelToolTip(panels[panel], *heads[index], counts[index]);
    }
  }
}

// Compares the boxes' raw texts and makes ready what the window shows of it.
// The engine keeps only the found words of a walk; the others are read back
// one at a time and counted, so a long text costs little memory here. Each box
// shows the direction that takes its text as the source and the other as the
// target.
void Compare(QString rawText1, QString rawText2, CompareResult& result) {
  const std::array<QString, 2> texts = {FrontText(std::move(rawText1)),
                                        FrontText(std::move(rawText2))};
  const auto given1 = GivenText::FromUtf16(Units(texts[0]));
  const auto given2 = GivenText::FromUtf16(Units(texts[1]));
  WalkRecord record;
  CompareView view = CompareGivenView(given1, given2, &record);
  result.numbers = std::move(view.numbers);
  result.panel_texts = PanelTextsOf(view.status);
  DirectionHeads heads;
  DirectionCounts counts;
  for (int direction = 1; direction <= kDirectionCount; ++direction) {
    const std::size_t index = DirectionIndex(direction);
    heads[index] = record.Direction(direction);
    if (!heads[index]) continue;
    const DirectionExplanation& head = *heads[index];
    const auto box = static_cast<std::size_t>(head.source - 1);
    std::optional<WordHighlights::WordsCollector> words;
    if (head.source != head.target) words.emplace(head, texts[1 - box]);
    record.ForEachWord(direction, given1, given2, [&](const ExplainedWord& word) {
      counts[index].Add(word);
      if (words) words->Add(word);
    });
    if (words) result.words[box] = std::move(*words).Take();
  }
  ExplainPanels(heads, counts, result);
}

// No exception leaves the worker thread: a failure becomes the result.
CompareResult CompareOrFail(QString text1, QString text2) {
  CompareResult result;
  try {
    Compare(std::move(text1), std::move(text2), result);
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
  if (worker_) drop_result_ = true;
  if (wasBusy) emit busyChanged(false);
}

bool CompareRunner::busy() const { return (worker_ && !drop_result_) || waiting_; }

bool CompareRunner::working() const { return worker_ != nullptr; }

void CompareRunner::start(Request request) {
  result_ = std::make_shared<CompareResult>();
  // The texts are moved along: the worker holds the only copy of each and
  // changes its line breaks in place.
  worker_.reset(QThread::create([result = result_, request = std::move(request)]() mutable {
    *result = CompareOrFail(std::move(request.text1), std::move(request.text2));
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
  const bool shown = !std::exchange(drop_result_, false);
  if (waiting_) {
    start(std::move(*waiting_));
    waiting_.reset();
  } else if (shown) {
    emit busyChanged(false);
  }
  if (shown) emit finished(result);
}

}  // namespace velmoro::ui
