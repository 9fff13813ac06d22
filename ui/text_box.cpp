#include "text_box.h"

#include <QLocale>
#include <QMessageBox>
#include <QMimeData>

#include "long_paragraph.h"

TextBox::TextBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
  const qsizetype longest = source->hasText() ? velmoro::LongestLine(source->text()) : 0;
  if (longest > velmoro::kLongParagraph) {
    const QString question =
        tr("The text has a line of %1 characters. Showing so long a line can keep the "
           "window busy for many seconds. Insert it anyway?")
            .arg(QLocale().toString(longest));
    if (QMessageBox::question(window(), window()->windowTitle(), question,
                              QMessageBox::Yes | QMessageBox::Cancel,
                              QMessageBox::Cancel) != QMessageBox::Yes) {
      return;
    }
  }
  QPlainTextEdit::insertFromMimeData(source);
}
