#include <QApplication>

#include "ui/QtPlatform.h"
#include "ui/Startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Desktops find the installed desktop entry, and with it the icon, by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.torvale.Torvale"));
  // The splash closes before the main window opens; the main window's own
  // close box ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  torvale::ui::QtPlatform platform;
  torvale::ui::Startup startup(platform);
  startup.Begin();
  return QApplication::exec();
}
