#include "ui/EditorWindow.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "rom/RomError.h"
#include "rom/RomFile.h"
#include "rom/Version.h"
#include "text/TextCodec.h"
#include "ui/DurableStep.h"
#include "ui/EditorRegistry.h"
#include "ui/History.h"
#include "ui/Platform.h"
#include "ui/RecordView.h"
#include "ui/RomSession.h"

namespace torvale::ui {
namespace {

// The row of the layout tree below `layout` that holds `widget`.
QBoxLayout* RowHolding(QLayout* layout, const QWidget& widget) {
  if (layout == nullptr) return nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == &widget) return qobject_cast<QBoxLayout*>(layout);
    QLayout* inner = item->layout() != nullptr   ? item->layout()
                     : item->widget() != nullptr ? item->widget()->layout()
                                                 : nullptr;
    if (QBoxLayout* row = RowHolding(inner, widget)) return row;
  }
  return nullptr;
}

}  // namespace

bool RunQuietly(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const RomError&) {
    return false;
  }
}

EditorWindow::EditorWindow(const EditorContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {}

void EditorWindow::BindDefaultAndCancel(QPushButton& apply, QAbstractButton& cancel) {
  m_apply = &apply;
  apply.setDefault(true);
  connect(&cancel, &QAbstractButton::clicked, this, &QDialog::reject);
  // A text box takes Ctrl+Z for the typing it holds since the last Apply;
  // without any, the key steps through the ROM's history.
  m_boxes = findChildren<QLineEdit*>();
  for (QLineEdit* box : m_boxes) box->installEventFilter(this);
  m_stepTaken = new QLabel(this);
  m_stepTaken->setObjectName(QStringLiteral("HistoryLBL"));
  m_stepTaken->hide();
  if (QBoxLayout* row = RowHolding(layout(), apply)) row->insertWidget(0, m_stepTaken);
  connect(&m_context.history, &History::Moved, this, &EditorWindow::ShowStepTaken);
}

void EditorWindow::ApplyRecords(std::initializer_list<RecordView*> views,
                                const std::function<void()>& reload, StepMerge merge) {
  std::vector<Record> records;
  for (RecordView* view : views) {
    QString refusal;
    auto values = view->Collect(refusal);
    if (!values) {
      RefuseApply(refusal);
      return;
    }
    records.push_back(std::move(*values));
  }
  const auto write = [&] {
    std::size_t next = 0;
    for (RecordView* view : views) view->Write(records[next++]);
  };
  const auto showAgain = [&] {
    for (RecordView* view : views) view->Reload();
  };
  Apply(ChangeName((*views.begin())->PickedText()), write,
        reload ? reload : std::function<void()>(showAgain), merge);
}

QString EditorWindow::ChangeName(const QString& entry) const {
  const EditorEntry& editor = EditorNamed(objectName().toStdString());
  return QString::fromLatin1(*editor.changeName != '\0' ? editor.changeName : editor.caption) +
         QStringLiteral(": ") + entry;
}

void EditorWindow::Apply(const QString& change, const std::function<void()>& write,
                         const std::function<void()>& reload, StepMerge merge) {
  if (!WriteDurableStep(m_context.session, m_context.platform, this, change, write, merge)) {
    if (!m_context.rom.IsOpen()) reject();  // the ROM closed with the window
    return;
  }
  for (QLineEdit* box : m_boxes) box->setModified(false);  // typing applied
  try {
    reload();
  } catch (const DataFileMissingError&) {
    return;
  } catch (const RomError& error) {
    // The change is in the file; only the fields may not show it.
    Tell(MessageIcon::kExclamation,
         QStringLiteral("The change was written to the ROM, but could not be read back: %1.")
             .arg(QString::fromLocal8Bit(error.what())));
  }
}

bool EditorWindow::ReadOrTell(const std::function<void()>& read) {
  try {
    read();
    return true;
  } catch (const DataFileMissingError&) {
    return false;  // the program is ending
  } catch (const RomError& error) {
    Tell(
        MessageIcon::kCritical,
        QStringLiteral("The ROM could not be read: %1.").arg(QString::fromLocal8Bit(error.what())));
    return false;
  }
}

void EditorWindow::RefuseApply(const QString& reason) {
  Tell(MessageIcon::kExclamation, reason + QStringLiteral("\r\n\r\nNothing was written."));
}

bool EditorWindow::OpenEditor(QDialog& editor) {
  m_context.platform.ShowModal(editor);
  if (m_context.rom.IsOpen()) return true;
  reject();
  return false;
}

void EditorWindow::ShowRecordsAgain() {
  for (RecordView* view : m_views) view->Load();
}

void EditorWindow::StepThroughHistory(HistoryKey key) {
  if (key == HistoryKey::kUndo) {
    m_context.history.Undo();
  } else {
    m_context.history.Redo();
  }
  if (!m_context.rom.IsOpen()) reject();  // the file could no longer be trusted
}

void EditorWindow::ShowStepTaken(const QString& step, RomChange::Side side,
                                 const RomChange& change) {
  m_stepTaken->setText(
      (side == RomChange::Side::kBefore ? QStringLiteral("Undone: ") : QStringLiteral("Redone: ")) +
      step);
  m_stepTaken->show();
  for (RecordView* view : m_views) view->PickChanged(change);
  ShowRecordsAgain();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const HistoryKey key = HistoryKeyOf(static_cast<const QKeyEvent&>(*event));
  const auto* box = qobject_cast<const QLineEdit*>(watched);
  if (key == HistoryKey::kNone || box == nullptr ||
      (box->isModified() &&
       (key == HistoryKey::kUndo ? box->isUndoAvailable() : box->isRedoAvailable()))) {
    return false;
  }
  StepThroughHistory(key);
  return true;
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
  if (const HistoryKey key = HistoryKeyOf(*event); key != HistoryKey::kNone) {
    StepThroughHistory(key);
    return;
  }
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  auto* list = qobject_cast<QAbstractItemView*>(focusWidget());
  if (!enter || list == nullptr) {
    QDialog::keyPressEvent(event);
    return;
  }
  // Enter in a list picks the entry under the keyboard's focus; it never applies.
  if (list->currentIndex().isValid()) {
    list->selectionModel()->select(list->currentIndex(), QItemSelectionModel::ClearAndSelect);
  }
}

void EditorWindow::Tell(MessageIcon icon, const QString& text) {
  m_context.platform.ShowMessage(this, icon, QString::fromLatin1(kProgramName), text);
}

void EditorWindow::UpdateApply() {
  if (m_apply == nullptr) return;
  m_apply->setEnabled(std::all_of(m_views.begin(), m_views.end(),
                                  [](const RecordView* view) { return view->Shown(); }));
}

}  // namespace torvale::ui
