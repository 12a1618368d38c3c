#include "ui/EditorWindow.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <vector>

#include "rom/RomError.h"
#include "rom/RomFile.h"
#include "rom/Version.h"
#include "text/TextCodec.h"
#include "ui/Platform.h"
#include "ui/RecordView.h"

namespace torvale::ui {
namespace {

QString NotWritten(const RomError& error) {
  return QStringLiteral("The change could not be written to the ROM: %1.\r\n\r\n")
      .arg(QString::fromLocal8Bit(error.what()));
}

const QString kRomClosed = QStringLiteral("The ROM has been closed; open it again to check it.");

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
}

void EditorWindow::ApplyRecords(std::initializer_list<RecordView*> views,
                                const std::function<void()>& reload) {
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
  Apply(write, reload ? reload : std::function<void()>(showAgain));
}

void EditorWindow::Apply(const std::function<void()>& write, const std::function<void()>& reload) {
  try {
    write();
  } catch (const DataFileMissingError&) {
    return;  // the program is ending
  } catch (const RomChangedError& error) {
    // Another program truncated, replaced or deleted the file: nothing more
    // is written to it.
    CloseRom(NotWritten(error) + kRomClosed);
    return;
  } catch (const RomError& error) {
    Tell(MessageIcon::kCritical,
         NotWritten(error) +
             QStringLiteral("Check the file; fields written before this error are in it."));
    return;
  }
  try {
    m_context.rom.Sync();
  } catch (const RomError& error) {
    // After a failed sync nothing tells what the disk holds: the ROM is not
    // trusted further.
    CloseRom(NotWritten(error) + kRomClosed);
    return;
  }
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

void EditorWindow::RefuseApply(const QString& reason) {
  Tell(MessageIcon::kExclamation, reason + QStringLiteral("\r\n\r\nNothing was written."));
}

bool EditorWindow::OpenEditor(QDialog& editor) {
  m_context.platform.ShowModal(editor);
  if (m_context.rom.IsOpen()) return true;
  reject();
  return false;
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
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

void EditorWindow::CloseRom(const QString& text) {
  m_context.rom.Close();
  Tell(MessageIcon::kCritical, text);
  reject();
}

void EditorWindow::UpdateApply() {
  if (m_apply == nullptr) return;
  m_apply->setEnabled(std::all_of(m_views.begin(), m_views.end(),
                                  [](const RecordView* view) { return view->Shown(); }));
}

}  // namespace torvale::ui
