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

inline constexpr std::chrono::milliseconds kSplashAnimationLength{600};

// The window shown while the program starts: what the program is, a short
// progress animation, then the check that its header templates are installed.
class Splash : public QWidget {
  Q_OBJECT

 public:
  Splash(Platform& platform, std::chrono::milliseconds animationLength = kSplashAnimationLength,
         QWidget* parent = nullptr);
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
  std::chrono::milliseconds m_animationLength;
  QTimer m_loadTimer;
  QTimer m_frameTimer;
  QElapsedTimer m_animationClock;
};

}  // namespace torvale::ui
