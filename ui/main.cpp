#include <QApplication>
#include <QIcon>

#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmoro"));
  QApplication::setApplicationVersion(QStringLiteral(VELMORO_VERSION_TEXT));
  QApplication::setDesktopFileName(QStringLiteral("velmoro"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmoro.svg")));

  MainWindow window;
  window.show();
  return QApplication::exec();
}
