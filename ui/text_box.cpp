#include "text_box.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QTextBlock>

#include "slow_text.h"

namespace velmoro::ui {

namespace {

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
         key == Qt::Key_Alt || key == Qt::Key_AltGr;
}

}  // namespace

TextBox::TextBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

void TextBox::focusInEvent(QFocusEvent* event) {
  if (!keepsFocusedLook(*event)) QPlainTextEdit::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  if (!keepsFocusedLook(*event)) QPlainTextEdit::focusOutEvent(event);
}

bool TextBox::keepsFocusedLook(const QFocusEvent& event) const {
  return event.reason() == Qt::ActiveWindowFocusReason &&
         textCursor().block().length() > kSlowTextUnits;
}

void TextBox::insertFromMimeData(const QMimeData* source) {
  const qsizetype size = source->hasText() ? source->text().size() : 0;
  if (size > kSlowTextUnits) {
    const int seconds = BusySeconds(size);
    const QString busy = seconds == 1 ? tr("about a second") : tr("about %1 seconds").arg(seconds);
    const QString question =
        tr("The text to insert holds %1 characters. Inserting and showing it will keep the "
           "window busy for up to %2. Insert it anyway?")
            .arg(QLocale().toString(size), busy);
    if (QMessageBox::question(window(), window()->windowTitle(), question,
                              QMessageBox::Yes | QMessageBox::Cancel,
                              QMessageBox::Cancel) != QMessageBox::Yes) {
      return;
    }
  }
  QPlainTextEdit::insertFromMimeData(source);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (IsModifierKey(event->key())) {
    event->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace velmoro::ui
