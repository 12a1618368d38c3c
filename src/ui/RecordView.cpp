#include "ui/RecordView.h"

#include "rom/RomError.h"
#include "text/TextCodec.h"
#include "ui/EditorWindow.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"

namespace torvale::ui {

RecordView::RecordView(EditorWindow& window, const Table& table, QWidget& picker)
    : QObject(&window), m_window(window), m_binder(window, table), m_picker(picker) {
  window.m_views << this;
}

int RecordView::Picked() const {
  return PickedEntry(m_picker);
}

QString RecordView::PickedText() const {
  return PickedEntryText(m_picker);
}

bool RecordView::Load() {
  if (Picked() < 0) return false;
  try {
    Reload();
    return true;
  } catch (const DataFileMissingError&) {
    ShowFailure();  // the program is ending
  } catch (const RomError& error) {
    ShowFailure();
    m_window.Tell(MessageIcon::kCritical,
                  QStringLiteral("The entry could not be read from the ROM: %1.\r\n\r\nApply "
                                 "stays off until an entry is read.")
                      .arg(QString::fromLocal8Bit(error.what())));
  }
  return false;
}

void RecordView::Reload() {
  const int record = Picked();
  if (record < 0) return;
  try {
    m_binder.Show(ReadRecord(Fields(), m_window.m_context.text, m_window.m_context.rom, record));
  } catch (const RomError&) {
    ShowFailure();
    throw;
  }
  SetFailed(false);
}

void RecordView::PickChanged(const RomChange& change) {
  const std::vector<int> changed = RecordsChanged(Fields(), change);
  if (changed.empty() || std::find(changed.begin(), changed.end(), Picked()) != changed.end()) {
    return;
  }
  PickEntry(m_picker, changed.front());
}

void RecordView::ShowFailure() {
  m_binder.Clear();
  SetFailed(true);
}

std::optional<Record> RecordView::Collect(QString& refusal) const {
  if (Picked() < 0) {
    refusal = QStringLiteral("Pick an entry in the list first.");
    return std::nullopt;
  }
  Record values = m_binder.Collect();
  if (const auto reason = RefusalOf(Fields(), values)) {
    refusal = FromGameText(*reason);
    return std::nullopt;
  }
  return values;
}

void RecordView::Write(const Record& values) {
  WriteRecord(Fields(), m_window.m_context.rom, Picked(), values);
}

void RecordView::SetFailed(bool failed) {
  m_failed = failed;
  m_window.UpdateApply();
}

}  // namespace torvale::ui
