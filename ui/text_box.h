#pragma once

// A text box of the window: plain text with a vertical scroll bar, Tab moving
// the focus on. Before it takes in a paste or a drop so large that inserting
// and laying it out would keep the window busy for seconds, it asks.

#include <QPlainTextEdit>

class TextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  TextBox(const QString& text, QWidget* parent = nullptr);

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};
