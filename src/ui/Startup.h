#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "ui/Splash.h"

namespace torvale::ui {

class MainWindow;
class Platform;

// The program's start: the splash, then the main window, which asks for a ROM
// (or opens the one named on the command line) before it is first shown.
class Startup : public QObject {
  Q_OBJECT

 public:
  explicit Startup(Platform& platform, SplashTiming splashTiming = {});
  ~Startup() override;

  // With a file name, the main window opens that file as if it had been
  // chosen in the file dialog, which is then not shown.
  void Begin(const QString& romFile = {});
  // Null until the splash has finished.
  MainWindow* Main() const { return m_main.get(); }
  Splash& SplashWindow() { return m_splash; }

 private:
  void OpenMainWindow();

  Platform& m_platform;
  Splash m_splash;
  QString m_romFile;
  std::unique_ptr<MainWindow> m_main;
};

}  // namespace torvale::ui
