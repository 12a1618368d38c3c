#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>

namespace Ui {
class Splash;
}

namespace torvale::ui {

class Platform;

// The splash waits `loadDelay` after it is shown, then runs its progress
// animation for `animation`.
struct SplashTiming {
  std::chrono::milliseconds loadDelay{100};
  std::chrono::milliseconds animation{600};
};

// The window shown while the program starts: what the program is, a short
// progress animation, then the check that its header templates are installed.
class Splash : public QWidget {
  Q_OBJECT

 public:
  Splash(Platform& platform, SplashTiming timing = {}, QWidget* parent = nullptr);
  ~Splash() override;

 signals:
  // The splash has closed and the main window may open.
  void Finished();

 private:
  void StartProgress();
  void AdvanceProgress();
  void Finish();

  Platform& m_platform;
  std::unique_ptr<Ui::Splash> m_ui;
  SplashTiming m_timing;
  QTimer m_loadTimer;
  QTimer m_frameTimer;
  QElapsedTimer m_animationClock;
};

}  // namespace torvale::ui
