#pragma once

#include <QObject>
#include <memory>

#include "ui/Splash.h"

namespace torvale::ui {

class MainWindow;
class Platform;

// The program's start: the splash, then the main window, which asks for a ROM
// before it is first shown.
class Startup : public QObject {
  Q_OBJECT

 public:
  explicit Startup(Platform& platform, SplashTiming splashTiming = {});
  ~Startup() override;

  void Begin();
  // Null until the splash has finished.
  MainWindow* Main() const { return m_main.get(); }
  Splash& SplashWindow() { return m_splash; }

 private:
  void OpenMainWindow();

  Platform& m_platform;
  Splash m_splash;
  std::unique_ptr<MainWindow> m_main;
};

}  // namespace torvale::ui
