#include "ui/Startup.h"

#include "ui/MainWindow.h"

namespace torvale::ui {

Startup::Startup(Platform& platform, SplashTiming splashTiming)
    : m_platform(platform), m_splash(platform, splashTiming) {
  connect(&m_splash, &Splash::Finished, this, &Startup::OpenMainWindow);
}

Startup::~Startup() = default;

void Startup::Begin(const QString& romFile) {
  m_romFile = romFile;
  m_splash.show();
}

void Startup::OpenMainWindow() {
  m_main = std::make_unique<MainWindow>(m_platform);
  if (m_romFile.isEmpty()) {
    m_main->LoadROM();
  } else {
    m_main->LoadROMFile(m_romFile);
  }
  m_main->show();
}

}  // namespace torvale::ui
