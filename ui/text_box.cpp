#include "text_box.h"

#include <QLocale>
#include <QMessageBox>
#include <QMimeData>

#include "slow_text.h"

TextBox::TextBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
  const qsizetype size = source->hasText() ? source->text().size() : 0;
  if (size > velmoro::kSlowTextUnits) {
    const QString question =
        tr("The text to insert holds %1 characters. Showing so much text can keep the "
           "window busy for many seconds. Insert it anyway?")
            .arg(QLocale().toString(size));
    if (QMessageBox::question(window(), window()->windowTitle(), question,
                              QMessageBox::Yes | QMessageBox::Cancel,
                              QMessageBox::Cancel) != QMessageBox::Yes) {
      return;
    }
  }
  QPlainTextEdit::insertFromMimeData(source);
}
