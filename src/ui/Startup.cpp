#include "ui/Startup.h"

#include "ui/MainWindow.h"

namespace torvale::ui {

Startup::Startup(Platform& platform, SplashTiming splashTiming)
    : m_platform(platform), m_splash(platform, splashTiming) {
  connect(&m_splash, &Splash::Finished, this, &Startup::OpenMainWindow);
}

Startup::~Startup() = default;

void Startup::Begin() {
  m_splash.show();
}

void Startup::OpenMainWindow() {
  m_main = std::make_unique<MainWindow>(m_platform);
  m_main->LoadROM();
  m_main->show();
}

}  // namespace torvale::ui
