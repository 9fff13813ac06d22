#include "main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>

#include "explanation_texts.h"
#include "sample_texts.h"
#include "status_bar.h"
#include "steady_cursor.h"
#include "text_conversion.h"
#include "velmoro/directions.h"
#include "velmoro/velmoro.h"
#include "word_highlights.h"

namespace {

using velmoro::ErrorKind;

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

// Shows the wait cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

QLabel* CreateLabel(const QString& name, const QString& text,
                    QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// Looks like a label but lets the user select and copy the result, and breaks
// it anywhere: a 15-digit number is wider than the box. A click gives it the
// focus, so that Ctrl+C copies, but Tab passes it by.
QTextEdit* CreateResultView(const QString& name, QWidget* parent) {
  auto* view = new QTextEdit(parent);
  view->setObjectName(name);
  view->setReadOnly(true);
  view->setFrameShape(QFrame::NoFrame);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setWordWrapMode(QTextOption::WrapAnywhere);
  view->document()->setDocumentMargin(0);
  view->viewport()->setAutoFillBackground(false);
  view->setFocusPolicy(Qt::ClickFocus);
  return view;
}

QPlainTextEdit* CreateTextBox(const QString& name, const char* text,
                              QWidget* parent) {
  auto* box = new QPlainTextEdit(QString::fromUtf8(text), parent);
  box->setObjectName(name);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  return box;
}

QPushButton* CreateButton(const QString& name, const QString& caption,
                          QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The score panels: panel 2 of each bar shows a self-score (directions 3
// and 4), panel 3 a cross-score (directions 1 and 2).
struct ScorePanel {
  bool firstBar;
  int number;
  std::size_t direction;
};
constexpr ScorePanel kScorePanels[] = {{true, 2, 3}, {false, 2, 4}, {true, 3, 1}, {false, 3, 2}};

// Each score panel's tooltip says what its number stands for; a panel that
// the Compare left empty has none.
void ExplainPanels(QStatusBar& bar1, QStatusBar& bar2, const velmoro::Comparison& comparison,
                   const velmoro::Explanation& explanation) {
  for (const ScorePanel& panel : kScorePanels) {
    const std::string& text = (panel.firstBar ? comparison.status1 : comparison.status2)
        [static_cast<std::size_t>(panel.number - 1)];
    const std::optional<velmoro::DirectionExplanation>& direction =
        explanation[panel.direction - 1];
    const QString toolTip = text.empty() || !direction
                                ? QString()
                                : velmoro::PanelToolTip(FromUtf8(text), *direction);
    velmoro::SetPanelToolTip(panel.firstBar ? bar1 : bar2, panel.number, toolTip);
  }
}

}  // namespace

MainWindow::MainWindow(ErrorReporter reportError, QWidget* parent)
    : QWidget(parent, kFixedFrame),
      reportError_(reportError ? std::move(reportError)
                               : [this](ErrorKind, const QString& message) {
                                   QMessageBox::critical(this, windowTitle(), message);
                                 }),
      label1_(CreateLabel(QStringLiteral("Label1"), tr("Result"), this)),
      label2_(CreateResultView(QStringLiteral("Label2"), this)),
      text1_(CreateTextBox(QStringLiteral("Text1"), velmoro::kSampleText1, this)),
      text2_(CreateTextBox(QStringLiteral("Text2"), velmoro::kSampleText2, this)),
      command1_(CreateButton(QStringLiteral("Command1"), tr("Compare"), this)),
      statusBar1_(velmoro::CreateStatusBar(QStringLiteral("StatusBar1"),
                                           FromUtf8(velmoro::kStatusBars[0].label), this)),
      statusBar2_(velmoro::CreateStatusBar(QStringLiteral("StatusBar2"),
                                           FromUtf8(velmoro::kStatusBars[1].label), this)),
      highlights_(new WordHighlights(text1_, text2_, this)) {
  connect(command1_, &QPushButton::clicked, this, &MainWindow::compare);
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return),
                                   QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &MainWindow::compare);
  }
  new SteadyCursor({text1_, text2_}, this);
  command1_->installEventFilter(this);
  label2_->viewport()->installEventFilter(this);

  label1_->setGeometry(DesignRect(240, 480, 1095, 495));
  label2_->setGeometry(DesignRect(360, 1200, 855, 975));
  text1_->setGeometry(DesignRect(1920, 360, 5415, 1575));
  text2_->setGeometry(DesignRect(1920, 2160, 5415, 1215));
  command1_->setGeometry(DesignRect(7440, 240, 1215, 855));
  statusBar1_->setGeometry(DesignRect(0, 4590, 8700, 495));
  statusBar2_->setGeometry(DesignRect(0, 5085, 8700, 375));

  setTabOrder(text2_, text1_);
  setTabOrder(text1_, command1_);
  text2_->setFocus();

  setWindowTitle(QStringLiteral("Velmoro"));
  setFixedSize(DesignRect(0, 0, 8700, 5460).size());
}

// Enter on the focused Compare button compares, as on a focused push button
// of a dialog; a double click on the result selects the whole number.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == command1_ && IsEnterKey(event)) {
    command1_->animateClick();
    return true;
  }
  if (watched == label2_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    label2_->selectAll();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::compare() {
  const QString text1 = velmoro::TextOfBox(*text1_);
  const QString text2 = velmoro::TextOfBox(*text2_);
  velmoro::Explanation explanation;
  velmoro::Comparison comparison;
  {
    const BusyCursor busy;
    comparison = velmoro::Compare(velmoro::Units(text1), velmoro::Units(text2), explanation);
  }
  showComparison(comparison);
  ExplainPanels(*statusBar1_, *statusBar2_, comparison, explanation);
  highlights_->show(explanation, text1, text2);
  if (comparison.error) reportError_(*comparison.error, FromUtf8(comparison.message));
}

// A text the Compare did not produce is shown empty, so that no value of an
// earlier Compare stays beside the new ones.
void MainWindow::showComparison(const velmoro::Comparison& comparison) {
  for (int number = 2; number <= 3; ++number) {
    const auto panel = static_cast<std::size_t>(number - 1);
    velmoro::SetPanelText(*statusBar1_, number, FromUtf8(comparison.status1[panel]));
    velmoro::SetPanelText(*statusBar2_, number, FromUtf8(comparison.status2[panel]));
  }
  // The engine writes the result with a full stop; the window shows the
  // user's own decimal separator.
  QString result = comparison.result_text ? FromUtf8(*comparison.result_text) : QString();
  result.replace(QChar(u'.'), QChar(velmoro::DecimalSeparator(QLocale())));
  label2_->setPlainText(result);
}
