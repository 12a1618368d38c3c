#include "ui/Splash.h"

#include <QPixmap>

#include "rom/Version.h"
#include "ui/Credits.h"
#include "ui/DataFiles.h"
#include "ui_Splash.h"

namespace torvale::ui {
namespace {

constexpr int kProgressEnd = 3200;
constexpr std::chrono::milliseconds kFrame{16};

QString SplashText() {
  return QString::fromLatin1(kProgramName) + QStringLiteral(" (Version: ") +
         QString::fromStdString(VersionText()) +
         QStringLiteral(
             ")\r\n\r\nDescription: This program allows you to edit various aspects of Final "
             "Fantasy 2us and some aspects of Final Fantasy 4/Final Fantasy 4 EasyType, both FF4 "
             "versions aren't directly supported--use at your OWN RISK.\r\n\r\nSpecial Thanks: "
             "\r\n") +
         QString::fromLatin1(kCredits);
}

}  // namespace

Splash::Splash(Platform& platform, SplashTiming timing, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen),
      m_platform(platform),
      m_ui(std::make_unique<Ui::Splash>()),
      m_timing(timing) {
  m_ui->setupUi(this);
  m_ui->SplashIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png")));
  m_ui->InfoLBL->setText(SplashText());
  m_loadTimer.setObjectName(QStringLiteral("LoadTMR"));
  m_loadTimer.setSingleShot(true);
  m_loadTimer.setInterval(m_timing.loadDelay);
  connect(&m_loadTimer, &QTimer::timeout, this, &Splash::StartProgress);
  m_loadTimer.start();
  m_frameTimer.setInterval(kFrame);
  connect(&m_frameTimer, &QTimer::timeout, this, &Splash::AdvanceProgress);
}

Splash::~Splash() = default;

void Splash::StartProgress() {
  m_ui->pbar->setRange(0, kProgressEnd);
  m_ui->pbar->setValue(0);
  m_animationClock.start();
  m_frameTimer.start();
  AdvanceProgress();
}

// The bar runs from 0 to its end over the animation's length, one step per frame,
// while the event loop keeps the window responsive.
void Splash::AdvanceProgress() {
  const auto elapsed = std::chrono::milliseconds(m_animationClock.elapsed());
  if (elapsed >= m_timing.animation) {
    m_ui->pbar->setValue(kProgressEnd);
    Finish();
    return;
  }
  m_ui->pbar->setValue(static_cast<int>(kProgressEnd * elapsed / m_timing.animation));
}

void Splash::Finish() {
  m_frameTimer.stop();
  if (!RequireDataFile(m_platform, QString::fromLatin1(kHeaderTemplateFile))) return;
  close();
  emit Finished();
}

}  // namespace torvale::ui
