#include "main_window.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

#include "accessible_texts.h"
#include "compare_runner.h"
#include "result_label.h"
#include "result_text.h"
#include "sample_texts.h"
#include "status_bar.h"
#include "steady_cursor.h"
#include "text_box.h"
#include "text_conversion.h"
#include "velmoro/directions.h"
#include "velmoro/errors.h"
#include "word_highlights.h"

namespace velmoro::ui {

namespace {

constexpr Qt::WindowFlags kFixedFrame =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
    Qt::WindowCloseButtonHint;

// The layout is designed in twips, 15 to a pixel.
QRect DesignRect(int left, int top, int width, int height) {
  constexpr int kTwipsPerPixel = 15;
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
          height / kTwipsPerPixel};
}

QLabel* CreateLabel(const QString& name, const QString& text, const QString& description,
                    QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setAccessibleDescription(description);
  return label;
}

ResultLabel* CreateResultLabel(const QString& name, QWidget* parent) {
  auto* label = new ResultLabel(parent);
  label->setObjectName(name);
  return label;
}

// The box named name that holds text number (1 or 2), at first sampleText.
TextBox* CreateTextBox(const QString& name, int number, const char* sampleText,
                       QWidget* parent) {
  auto* box = new TextBox(QString::fromUtf8(sampleText), parent);
  box->setObjectName(name);
  box->setAccessibleName(TextBoxName(number));
  box->setAccessibleDescription(TextBoxDescription(number));
  return box;
}

QPushButton* CreateButton(const QString& name, const QString& caption,
                          QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setAccessibleDescription(CompareDescription());
  return button;
}

// Assistive tools take a top-level QWidget for a mere client area; this one
// is the program's window.
QAccessibleInterface* WindowInterface(const QString& className, QObject* object) {
  if (className != QLatin1String(MainWindow::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

MainWindow::MainWindow(ErrorReporter reportError, QWidget* parent)
    : QWidget(parent, kFixedFrame),
      report_error_(reportError ? std::move(reportError)
                               : [this](std::optional<ErrorKind>, const QString& message) {
                                   QMessageBox::critical(this, windowTitle(), message);
                                 }),
      label1_(CreateLabel(QStringLiteral("Label1"), tr("Result"),
                          ResultCaptionDescription(), this)),
      label2_(CreateResultLabel(QStringLiteral("Label2"), this)),
      text1_(CreateTextBox(QStringLiteral("Text1"), 1, kSampleText1, this)),
      text2_(CreateTextBox(QStringLiteral("Text2"), 2, kSampleText2, this)),
      command1_(CreateButton(QStringLiteral("Command1"), tr("Compare"), this)),
      status_bar1_(CreateStatusBar(QStringLiteral("StatusBar1"), kStatusBars[0], this)),
      status_bar2_(CreateStatusBar(QStringLiteral("StatusBar2"), kStatusBars[1], this)),
      highlights_(new WordHighlights(text1_, text2_, this)),
      runner_(new CompareRunner(this)) {
  QAccessible::installFactory(WindowInterface);
  connect(command1_, &QPushButton::clicked, this, &MainWindow::compare);
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return),
                                   QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &MainWindow::compare);
  }
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, runner_,
          &CompareRunner::cancel);
  connect(runner_, &CompareRunner::busyChanged, this, &MainWindow::showBusy);
  connect(runner_, &CompareRunner::finished, this, &MainWindow::showResult);
  new SteadyCursor({text1_, text2_}, this);
  command1_->installEventFilter(this);

  label1_->setGeometry(DesignRect(240, 480, 1095, 495));
  label2_->setGeometry(DesignRect(360, 1200, 855, 975));
  text1_->setGeometry(DesignRect(1920, 360, 5415, 1575));
  text2_->setGeometry(DesignRect(1920, 2160, 5415, 1215));
  command1_->setGeometry(DesignRect(7440, 240, 1215, 855));
  status_bar1_->setGeometry(DesignRect(0, 4590, 8700, 495));
  status_bar2_->setGeometry(DesignRect(0, 5085, 8700, 375));

  setTabOrder(text2_, text1_);
  setTabOrder(text1_, command1_);
  text2_->setFocus();

  setWindowTitle(QStringLiteral("Velmoro"));
  setAccessibleDescription(tr("Tells how far apart two texts are"));
  setFixedSize(DesignRect(0, 0, 8700, 5460).size());
}

bool MainWindow::comparing() const { return runner_->working(); }

// A Compare that ended after the close would show its result, or report its
// error in a message box, for a window already gone.
void MainWindow::closeEvent(QCloseEvent* event) {
  runner_->cancel();
  QWidget::closeEvent(event);
}

// Enter on the focused Compare button compares, as on a focused push button
// of a dialog.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == command1_ && IsEnterKey(event)) {
    command1_->animateClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// The texts are taken as they stand at the click, also when the Compare
// waits for another.
void MainWindow::compare() {
  runner_->request(RawTextOfBox(*text1_), RawTextOfBox(*text2_), highlights_->editStamp());
}

void MainWindow::showBusy(bool busy) {
  command1_->setText(busy ? tr("Comparing…") : tr("Compare"));
  const QString cancel = busy ? tr("Press Escape to cancel") : QString();
  command1_->setToolTip(cancel);
  command1_->setAccessibleDescription(busy ? cancel : CompareDescription());
  if (busy) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
}

void MainWindow::showResult(const std::shared_ptr<const CompareResult>& result) {
  showComparison(*result);
  for (int number = 1; number <= 3; ++number) {
    const auto panel = static_cast<std::size_t>(number - 1);
    SetPanelToolTip(*status_bar1_, number, result->panel_tool_tips[0][panel]);
    SetPanelToolTip(*status_bar2_, number, result->panel_tool_tips[1][panel]);
  }
  DescribeStatusBar(*status_bar1_, kStatusBars[0]);
  DescribeStatusBar(*status_bar2_, kStatusBars[1]);
  highlights_->show(result->words, result->stamp);
  if (!result->numbers) {
    report_error_(std::nullopt, result->failure);
  } else if (result->numbers->error) {
    report_error_(*result->numbers->error, FromUtf8(result->numbers->message));
  }
}

// A text the Compare did not produce is shown empty, so that no value of an
// earlier Compare stays beside the new ones.
void MainWindow::showComparison(const CompareResult& result) {
  for (int number = 2; number <= 3; ++number) {
    const auto panel = static_cast<std::size_t>(number - 1);
    SetPanelText(*status_bar1_, number, result.panel_texts[0][panel]);
    SetPanelText(*status_bar2_, number, result.panel_texts[1][panel]);
  }
  const std::optional<double> distance = result.numbers ? result.numbers->distance : std::nullopt;
  label2_->setResult(distance ? LocalResultText(*distance, QLocale()) : QString());
}

}  // namespace velmoro::ui
