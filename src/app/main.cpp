#include <QApplication>
#include <cstdio>

#include "ui/CommandLine.h"
#include "ui/QtPlatform.h"
#include "ui/Startup.h"

int main(int argc, char* argv[]) {
  // Read before the application object exists: --help and --version need no display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const torvale::ui::CommandLine command = torvale::ui::ReadCommandLine(arguments);
  if (command.exitCode) {
    std::fputs(command.output.toLocal8Bit().constData(), command.toStandardError ? stderr : stdout);
    return *command.exitCode;
  }
  QApplication app(argc, argv);
  // Desktops find the installed desktop entry, and with it the icon, by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.torvale.Torvale"));
  // The splash closes before the main window opens; the main window's own
  // close box ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  torvale::ui::QtPlatform platform;
  torvale::ui::Startup startup(platform);
  startup.Begin(command.romFile);
  return QApplication::exec();
}
