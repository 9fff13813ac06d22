#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>

#include <optional>

#include "compare_action.h"
#include "sample_texts.h"
#include "status_bar.h"
#include "text_conversion.h"

namespace {

using velmoro::ErrorKind;

const QString kCaption = QStringLiteral("Velmoro");

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
// it anywhere: a 15-digit number is wider than the box.
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
  view->setFocusPolicy(Qt::NoFocus);
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

QString ErrorMessage(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow:
      return QStringLiteral(
          "Overflow: a score, a count or a position grew past the largest "
          "value it can hold.");
    case ErrorKind::FPException:
      return QStringLiteral(
          "Division by zero or another floating-point error: the result "
          "cannot be computed.");
    case ErrorKind::InvalidArgument:
      return QStringLiteral(
          "Invalid argument: a text operation was asked for a negative number "
          "of characters.");
    case ErrorKind::BoundsError:
      return QStringLiteral(
          "Index out of range: a direction score was addressed outside its "
          "table.");
  }
  return {};
}

void ShowErrorBox(QWidget* parent, ErrorKind kind) {
  QMessageBox::critical(parent, kCaption, ErrorMessage(kind));
}

// A text the Compare did not produce is shown empty, so that no value of an
// earlier Compare stays beside the new ones.
QString ShownText(const std::optional<velmoro::Text>& text) {
  return text ? velmoro::DisplayText(*text) : QString();
}

}  // namespace

MainWindow::MainWindow(ErrorReporter reportError, QWidget* parent)
    : QWidget(parent, kFixedFrame),
      reportError_(reportError ? std::move(reportError)
                               : [this](ErrorKind kind) {
                                   ShowErrorBox(this, kind);
                                 }),
      state_(std::make_unique<velmoro::ComparisonState>()),
      label1_(CreateLabel(QStringLiteral("Label1"), QStringLiteral("Result"),
                          this)),
      label2_(CreateResultView(QStringLiteral("Label2"), this)),
      text1_(CreateTextBox(QStringLiteral("Text1"), velmoro::kSampleText1,
                           this)),
      text2_(CreateTextBox(QStringLiteral("Text2"), velmoro::kSampleText2,
                           this)),
      command1_(CreateButton(QStringLiteral("Command1"),
                             QStringLiteral("Compare"), this)),
      statusBar1_(velmoro::CreateStatusBar(QStringLiteral("StatusBar1"),
                                           QStringLiteral("1-2"), this)),
      statusBar2_(velmoro::CreateStatusBar(QStringLiteral("StatusBar2"),
                                           QStringLiteral("2-1"), this)) {
  connect(command1_, &QPushButton::clicked, this, &MainWindow::compare);

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

  setWindowTitle(kCaption);
  setFixedSize(DesignRect(0, 0, 8700, 5460).size());
}

MainWindow::~MainWindow() = default;

void MainWindow::compare() {
  velmoro::CompareOutcome outcome;
  {
    const BusyCursor busy;
    outcome = velmoro::RunCompareAction(
        velmoro::EngineText(*text1_), velmoro::EngineText(*text2_), *state_,
        velmoro::DecimalSeparator(QLocale()));
  }
  showDisplay(outcome.display);
  if (outcome.error) reportError_(*outcome.error);
}

void MainWindow::showDisplay(const velmoro::CompareDisplay& display) {
  velmoro::SetPanelText(*statusBar1_, 2, ShownText(display.selfScore1));
  velmoro::SetPanelText(*statusBar2_, 2, ShownText(display.selfScore2));
  velmoro::SetPanelText(*statusBar1_, 3, ShownText(display.crossScore1));
  velmoro::SetPanelText(*statusBar2_, 3, ShownText(display.crossScore2));
  label2_->setPlainText(ShownText(display.result));
}
