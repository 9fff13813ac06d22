#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main_window.h"

namespace {

constexpr const char* kHelp =
    "Usage: velmoro [--help] [--version]\n"
    "Opens the Velmoro window, which tells how far apart two texts are: type or\n"
    "paste them, press Compare (or Ctrl+Return).\n"
    "To compare texts without a window, in scripts or over SSH, use velmoro-cli.\n";
constexpr const char* kVersion = "velmoro " VELMORO_VERSION_TEXT "\n";

bool HasArgument(int argc, char* argv[], const char* longName, const char* shortName) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], longName) == 0 || std::strcmp(argv[i], shortName) == 0) return true;
  }
  return false;
}

// Without a platform chosen and without a display to show a window on, Qt
// would abort with advice that does not fit; say what is missing instead.
bool DisplayMissing() {
  const auto unset = [](const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
  };
  return unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY");
}

int Print(const char* text) {
  return std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (HasArgument(argc, argv, "--help", "-h")) return Print(kHelp);
  if (HasArgument(argc, argv, "--version", "-v")) return Print(kVersion);
  if (DisplayMissing()) {
    std::fputs("velmoro: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
               "not set); velmoro-cli compares texts without one\n",
               stderr);
    return EXIT_FAILURE;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmoro"));
  QApplication::setApplicationVersion(QStringLiteral(VELMORO_VERSION_TEXT));
  QApplication::setDesktopFileName(QStringLiteral("io.github.velmoro.Velmoro"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmoro.svg")));

  velmoro::ui::MainWindow window;
  window.show();
  const int status = QApplication::exec();
  // The window is gone; a Compare still running cannot be stopped and has no
  // one left to show its result to, so the program ends without waiting.
  if (window.comparing()) std::quick_exit(status);
  return status;
}
