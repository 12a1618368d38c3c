#include "ui/Pause.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace torvale::ui {

void Pause(double seconds) {
  const qint64 wanted = static_cast<qint64>(seconds * 1000.0);
  QElapsedTimer clock;
  clock.start();
  for (qint64 left = wanted; left > 0; left = wanted - clock.elapsed()) {
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    if (loop.exec() != 0) return;  // the program is ending
  }
}

}  // namespace torvale::ui
