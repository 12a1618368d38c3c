#include "ui/DeferredFill.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QListWidget>
#include <QProgressBar>
#include <QWidget>

#include "ui/EditorWindow.h"
#include "ui/GameText.h"

namespace torvale::ui {
namespace {

constexpr int kFrameMilliseconds = 16;
constexpr int kLoadDelayMilliseconds = 1;

void ClearList(QWidget& list) {
  if (auto* combo = qobject_cast<QComboBox*>(&list)) combo->clear();
  if (auto* listWidget = qobject_cast<QListWidget*>(&list)) listWidget->clear();
}

}  // namespace

void AppendEntry(QWidget& list, const QString& entry) {
  if (auto* combo = qobject_cast<QComboBox*>(&list)) {
    combo->addItem(entry);
  } else if (auto* listWidget = qobject_cast<QListWidget*>(&list)) {
    listWidget->addItem(entry);
  }
}

DeferredFill::DeferredFill(QWidget& window, QProgressBar& bar, QList<QWidget*> lists,
                           QList<QWidget*> lockedControls, std::function<void()> fill)
    : QObject(&window),
      m_window(window),
      m_bar(bar),
      m_lists(std::move(lists)),
      m_lockedControls(std::move(lockedControls)),
      m_fill(std::move(fill)) {
  m_loadTimer.setObjectName(QStringLiteral("LoadTMR"));
  m_loadTimer.setSingleShot(true);
  m_loadTimer.setInterval(kLoadDelayMilliseconds);
  connect(&m_loadTimer, &QTimer::timeout, this, &DeferredFill::Run);
  for (QWidget* list : m_lists) {
    // 256 entries are not measured one by one when the window first shows.
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
      combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    if (auto* listWidget = qobject_cast<QListWidget*>(list)) listWidget->setUniformItemSizes(true);
  }
  SetLocked(true);
  m_window.installEventFilter(this);
}

bool DeferredFill::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window) {
    if (event->type() == QEvent::Show && !m_closed && !m_filling) m_loadTimer.start();
    if (event->type() == QEvent::Hide || event->type() == QEvent::Close) m_closed = true;
  }
  return QObject::eventFilter(watched, event);
}

void DeferredFill::Restart() {
  if (m_filling) return;
  m_loadTimer.stop();
  Run();
}

void DeferredFill::Run() {
  m_filling = true;
  m_closed = !m_window.isVisible();
  SetLocked(true);
  for (QWidget* list : m_lists) {
    list->setUpdatesEnabled(false);
    ClearList(*list);
  }
  m_bar.setValue(0);
  m_bar.show();
  m_frameClock.start();
  const bool completed = RunQuietly(m_fill) && !m_closed;
  for (QWidget* list : m_lists) list->setUpdatesEnabled(true);
  m_filling = false;
  if (!completed) return;
  m_bar.setValue(0);
  m_bar.hide();
  SetLocked(false);
  ShowProgressFrame();
  emit Filled();
}

bool DeferredFill::AppendToLists(const std::vector<std::string>& entries,
                                 const QList<QWidget*>& lists) {
  m_bar.setRange(0, static_cast<int>(entries.size()) - 1);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QString entry = FromGameText(entries[i]);
    for (QWidget* list : lists) AppendEntry(*list, entry);
    if (!Advance(static_cast<int>(i))) return false;
  }
  return true;
}

bool DeferredFill::Advance(int index) {
  m_bar.setValue(index);
  if (m_frameClock.elapsed() >= kFrameMilliseconds) ShowProgressFrame();
  return !m_closed;
}

// The bar's new value is already a pending update: handling the pending
// events repaints it with everything else the window has to show.
void DeferredFill::ShowProgressFrame() {
  QCoreApplication::processEvents();
  m_frameClock.restart();
}

void DeferredFill::SetLocked(bool locked) {
  for (QWidget* control : m_lockedControls) control->setEnabled(!locked);
}

}  // namespace torvale::ui
