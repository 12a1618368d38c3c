#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QProgressBar;
class QWidget;

namespace torvale::ui {

// Fills a window's long lists after the window is shown, so the window appears
// at once and stays responsive while the names are read.
//
// The fill is queued when the window is first shown, ahead of its first
// paint, and runs again on Restart() (a Refresh button). While it runs, the
// lists' redrawing is suspended and `lockedControls` are disabled; the
// progress bar advances per entry, but the window is repainted and pending
// events are handled at most once per 16 ms frame and once at the end. So a
// fill shorter than a frame is painted once, filled. Closing the window
// during the fill ends it: the controls stay disabled and Filled is not sent.
// The window opens with its lists locked, so the keyboard focus passes them
// by: the first fill to complete hands it to the first control of the tab
// order.
class DeferredFill : public QObject {
  Q_OBJECT

 public:
  // `fill` appends the entries, through AppendToLists(); a RomError thrown
  // inside it ends the fill quietly.
  DeferredFill(QWidget& window, QProgressBar& bar, QList<QWidget*> lists,
               QList<QWidget*> lockedControls, std::function<void()> fill);

  // Clears the lists and fills them again, now.
  void Restart();
  bool IsFilling() const { return m_filling; }

  // Appends entry i to every list in `lists`, for i from 0, advancing the
  // progress bar (range 0 to count - 1) per entry. False once the window has
  // closed.
  bool AppendToLists(const std::vector<std::string>& entries, const QList<QWidget*>& lists);

 signals:
  // The fill ran to its end; the lists are complete and the controls enabled.
  void Filled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunIfDue();
  void Run();
  void ShowProgressFrame();
  void SetLocked(bool locked);

  QWidget& m_window;
  QProgressBar& m_bar;
  QList<QWidget*> m_lists;
  QList<QWidget*> m_lockedControls;
  std::function<void()> m_fill;
  QElapsedTimer m_frameClock;
  bool m_filling = false;
  bool m_closed = false;
  bool m_filledOnce = false;
  bool m_due = false;  // a fill is queued for the window just shown
};

}  // namespace torvale::ui
