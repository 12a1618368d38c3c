#include "WindowTiming.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace torvale::bench {
namespace {

// Notes the first paint of the window that happens once it is ready.
class ReadyPaintWatch : public QObject {
 public:
  explicit ReadyPaintWatch(const std::function<bool()>& ready) : m_ready(ready) {}
  bool seen = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen) seen = m_ready();
    return false;
  }

 private:
  const std::function<bool()>& m_ready;
};

}  // namespace

void ShowUntilReady(QWidget& window, const std::function<bool()>& ready) {
  ReadyPaintWatch watch(ready);
  window.installEventFilter(&watch);
  window.show();
  while (!watch.seen) QCoreApplication::processEvents();
  window.removeEventFilter(&watch);
}

}  // namespace torvale::bench
