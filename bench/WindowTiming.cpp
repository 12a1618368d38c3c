#include "WindowTiming.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace torvale::bench {
namespace {

// Notes the first paint in the window (of the window or of any of its
// controls) that happens once it is ready.
class ReadyPaintWatch : public QObject {
 public:
  ReadyPaintWatch(const QWidget& window, const std::function<bool()>& ready)
      : m_window(window), m_ready(ready) {}
  bool seen = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || seen) return false;
    const auto* painted = qobject_cast<const QWidget*>(watched);
    if (painted != nullptr && painted->window() == &m_window) seen = m_ready();
    return false;
  }

 private:
  const QWidget& m_window;
  const std::function<bool()>& m_ready;
};

}  // namespace

void ShowUntilReady(QWidget& window, const std::function<bool()>& ready) {
  ReadyPaintWatch watch(window, ready);
  QCoreApplication::instance()->installEventFilter(&watch);
  window.show();
  while (!watch.seen) QCoreApplication::processEvents();
  QCoreApplication::instance()->removeEventFilter(&watch);
}

}  // namespace torvale::bench
