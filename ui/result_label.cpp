#include "result_label.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "accessible_texts.h"
#include "result_text.h"

namespace velmoro::ui {

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFocusPolicy(Qt::ClickFocus);
  setAccessibleName(ResultName(result_));
  setAccessibleDescription(ResultDescription());
}

void ResultLabel::setResult(const QString& result) {
  result_ = result;
  const int width = contentsRect().width();
  setText(FittingResultText(result, [this, width](const QString& text) {
    return fontMetrics().horizontalAdvance(text) <= width;
  }));
  setToolTip(result);
  setAccessibleName(ResultName(result));
}

void ResultLabel::copy() const {
  if (!result_.isEmpty()) QGuiApplication::clipboard()->setText(result_);
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copyAction = menu.addAction(tr("&Copy"), this, &ResultLabel::copy);
  copyAction->setShortcut(QKeySequence::Copy);
  copyAction->setEnabled(!result_.isEmpty());
  menu.exec(event->globalPos());
}

void ResultLabel::focusInEvent(QFocusEvent* event) {
  update();
  QLabel::focusInEvent(event);
}

void ResultLabel::focusOutEvent(QFocusEvent* event) {
  update();
  QLabel::focusOutEvent(event);
}

void ResultLabel::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
    return;
  }
  QLabel::keyPressEvent(event);
}

// Focused, the number looks selected: it is what a copy takes.
void ResultLabel::paintEvent(QPaintEvent* event) {
  if (!hasFocus() || text().isEmpty()) {
    QLabel::paintEvent(event);
    return;
  }
  const QRect area(contentsRect().topLeft(),
                   QSize(fontMetrics().horizontalAdvance(text()), fontMetrics().height()));
  QPainter painter(this);
  painter.fillRect(area, palette().highlight());
  painter.setPen(palette().highlightedText().color());
  painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, text());
}

}  // namespace velmoro::ui
