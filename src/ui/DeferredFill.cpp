#include "ui/DeferredFill.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QListWidget>
#include <QProgressBar>
#include <QWidget>
#include <utility>

#include "ui/EditorWindow.h"
#include "ui/GameText.h"

namespace torvale::ui {
namespace {

constexpr int kFrameMilliseconds = 16;

void ClearList(QWidget& list) {
  if (auto* combo = qobject_cast<QComboBox*>(&list)) combo->clear();
  if (auto* listWidget = qobject_cast<QListWidget*>(&list)) listWidget->clear();
}

void AppendEntries(QWidget& list, const QStringList& entries) {
  if (auto* combo = qobject_cast<QComboBox*>(&list)) {
    combo->addItems(entries);
  } else if (auto* listWidget = qobject_cast<QListWidget*>(&list)) {
    listWidget->addItems(entries);
  }
}

void FocusFirstControl(QWidget& window) {
  for (QWidget* control = window.nextInFocusChain(); control != &window;
       control = control->nextInFocusChain()) {
    if ((control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && control->isEnabled() &&
        control->isVisibleTo(&window)) {
      control->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace

DeferredFill::DeferredFill(QWidget& window, QProgressBar& bar, QList<QWidget*> lists,
                           QList<QWidget*> lockedControls, std::function<void()> fill)
    : QObject(&window),
      m_window(window),
      m_bar(bar),
      m_lists(std::move(lists)),
      m_lockedControls(std::move(lockedControls)),
      m_fill(std::move(fill)) {
  for (QWidget* list : m_lists) {
    // 256 entries are not measured one by one when the window first shows.
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
      combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    if (auto* listWidget = qobject_cast<QListWidget*>(list)) listWidget->setUniformItemSizes(true);
  }
  // The bar keeps its place when it hides, so the window is not laid out anew.
  QSizePolicy barPolicy = m_bar.sizePolicy();
  barPolicy.setRetainSizeWhenHidden(true);
  m_bar.setSizePolicy(barPolicy);
  SetLocked(true);
  m_window.installEventFilter(this);
}

bool DeferredFill::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window) {
    if (event->type() == QEvent::Show && !m_closed && !m_filling && !m_due) {
      // Queued ahead of the window's first paint: a fill of less than a frame
      // is done before the window is painted at all.
      m_due = true;
      QMetaObject::invokeMethod(this, &DeferredFill::RunIfDue, Qt::QueuedConnection);
    }
    if (event->type() == QEvent::Hide || event->type() == QEvent::Close) m_closed = true;
  }
  return QObject::eventFilter(watched, event);
}

void DeferredFill::Restart() {
  if (m_filling) return;
  m_due = false;
  Run();
}

void DeferredFill::RunIfDue() {
  if (std::exchange(m_due, false)) Run();
}

void DeferredFill::Run() {
  if (!m_window.isVisible()) return;  // closed before its lists were due
  m_filling = true;
  m_closed = false;
  SetLocked(true);
  for (QWidget* list : m_lists) {
    list->setUpdatesEnabled(false);
    ClearList(*list);
  }
  // A progress bar repaints itself at once on every new value; between frames
  // its value only advances.
  m_bar.setUpdatesEnabled(false);
  m_bar.setValue(0);
  m_bar.show();
  m_frameClock.start();
  const bool completed = RunQuietly(m_fill) && !m_closed;
  for (QWidget* list : m_lists) list->setUpdatesEnabled(true);
  m_filling = false;
  if (completed) {
    m_bar.setValue(0);  // before the bar may repaint itself, and the window with it
    m_bar.hide();
  }
  m_bar.setUpdatesEnabled(true);
  if (!completed) return;
  SetLocked(false);
  if (!m_filledOnce) FocusFirstControl(m_window);
  m_filledOnce = true;
  emit Filled();
  ShowProgressFrame();  // what Filled showed (the first record) is painted with the lists
}

bool DeferredFill::AppendToLists(const std::vector<std::string>& entries,
                                 const QList<QWidget*>& lists) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries.size()));
  for (const std::string& entry : entries) texts << FromGameText(entry);
  // Entries reach the lists a frame's worth at a time: one insertion per list
  // and frame rather than one per entry.
  qsizetype appended = 0;
  const auto appendUpTo = [&](qsizetype end) {
    const QStringList chunk = texts.mid(appended, end - appended);
    for (QWidget* list : lists) AppendEntries(*list, chunk);
    appended = end;
  };
  m_bar.setRange(0, static_cast<int>(texts.size()) - 1);
  for (qsizetype i = 0; i < texts.size(); ++i) {
    m_bar.setValue(static_cast<int>(i));
    if (m_frameClock.elapsed() < kFrameMilliseconds) continue;
    appendUpTo(i + 1);
    ShowProgressFrame();
    if (m_closed) return false;
  }
  appendUpTo(texts.size());
  return true;
}

// Paints the progress so far and handles what is pending, its repaint included.
void DeferredFill::ShowProgressFrame() {
  m_bar.setUpdatesEnabled(true);
  QCoreApplication::processEvents();
  m_bar.setUpdatesEnabled(!m_filling);  // during a fill the bar only advances between frames
  m_frameClock.restart();
}

void DeferredFill::SetLocked(bool locked) {
  for (QWidget* control : m_lockedControls) control->setEnabled(!locked);
}

}  // namespace torvale::ui
