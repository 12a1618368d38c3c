#include "ui/History.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QUndoCommand>
#include <utility>

#include "frontend/HexText.h"
#include "rom/RomError.h"
#include "rom/RomImage.h"
#include "rom/Version.h"
#include "ui/Platform.h"

namespace torvale::ui {

// One step of the history. Its first redo comes as it is pushed, when its
// bytes are already written.
class RomStep : public QUndoCommand {
 public:
  RomStep(History& history, const QString& text, RomChange change, StepMerge merge)
      : QUndoCommand(text), m_history(history), m_change(std::move(change)), m_merge(merge) {}

  const RomChange& Change() const { return m_change; }
  void undo() override { m_history.Move(*this, RomChange::Side::kBefore); }
  void redo() override {
    if (!std::exchange(m_written, false)) m_history.Move(*this, RomChange::Side::kAfter);
  }
  int id() const override { return m_merge == StepMerge::kWithTheSameStep ? kMergingId : -1; }
  // The later step joins this one; a pair that changed nothing in all goes.
  bool mergeWith(const QUndoCommand* other) override {
    const auto* later = static_cast<const RomStep*>(other);
    if (later->text() != text()) return false;
    m_change = m_change.FollowedBy(later->m_change);
    setObsolete(m_change.Empty());
    return true;
  }

 private:
  static constexpr int kMergingId = 1;

  History& m_history;
  RomChange m_change;
  StepMerge m_merge;
  bool m_written = true;
};

namespace {

QString Undone(RomChange::Side side) {
  return side == RomChange::Side::kBefore ? QStringLiteral("undone") : QStringLiteral("redone");
}

}  // namespace

History::History(RomFile& rom, Platform& platform) : m_rom(rom), m_platform(platform) {
  connect(&m_group, &QUndoGroup::indexChanged, this, &History::Settle);
}

History::~History() = default;

QUndoStack& History::OpenSteps() {
  if (m_open == nullptr) {
    m_open = new QUndoStack(this);
    m_group.addStack(m_open);
    m_group.setActiveStack(m_open);
  }
  return *m_open;
}

QByteArray History::Fingerprint() const {
  const std::vector<std::uint8_t> bytes = ReadRomFile(m_rom);
  return QCryptographicHash::hash(
      QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
      QCryptographicHash::Sha256);
}

std::filesystem::path History::Key() const {
  std::error_code ignored;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(m_rom.Path(), ignored);
  return canonical.empty() ? m_rom.Path() : canonical;
}

void History::Resume() {
  Discard();
  const auto kept = m_kept.find(Key());
  if (kept == m_kept.end()) return;
  const KeptHistory history = kept->second;
  m_kept.erase(kept);
  bool same = false;
  try {
    same = Fingerprint() == history.fingerprint;
  } catch (const RomError&) {
    // what the file holds cannot be told: a new history
  }
  if (!same) {
    delete history.steps;  // the file changed while it was closed
    return;
  }
  m_open = history.steps;
  m_group.setActiveStack(m_open);
}

void History::Keep() {
  if (m_open == nullptr || !m_rom.IsOpen()) return Discard();
  const std::filesystem::path key = Key();
  try {
    const QByteArray fingerprint = Fingerprint();
    if (const auto earlier = m_kept.find(key); earlier != m_kept.end())
      delete earlier->second.steps;
    m_kept[key] = {fingerprint, std::exchange(m_open, nullptr)};
  } catch (const RomError&) {
    return Discard();  // what the file holds cannot be told
  }
  m_group.setActiveStack(nullptr);
}

void History::Discard() {
  if (m_open == nullptr) return;
  m_group.removeStack(m_open);
  // It may be the history whose step is going back or forward: it goes once that is over.
  std::exchange(m_open, nullptr)->deleteLater();
}

void History::Record(const QString& text, const std::function<void()>& write, StepMerge merge) {
  if (m_recording) {  // a step within a step belongs to the outer one
    write();
    return;
  }
  m_recording = true;
  ChangeRecording recording(m_rom);
  const auto keep = [&] {
    m_recording = false;
    RomChange change = recording.Take();
    if (!change.Empty() && m_rom.IsOpen()) {
      const RomChange written = change;
      OpenSteps().push(new RomStep(*this, text, std::move(change), merge));
      emit Written(written);
    }
  };
  try {
    write();
  } catch (...) {
    keep();
    throw;
  }
  keep();
}

bool History::Undo() {
  if (!m_group.canUndo()) return false;
  m_refused = false;
  m_group.undo();
  return !m_refused;
}

bool History::Redo() {
  if (!m_group.canRedo()) return false;
  m_refused = false;
  m_group.redo();
  return !m_refused;
}

// A move of several steps stops at the first refusal: the steps after it
// write nothing, and Settle() puts the history where the file stands.
void History::Move(const RomStep& step, RomChange::Side side) {
  if (m_settling || m_refusal) return;
  int index = 0;
  while (m_open->command(index) != &step) ++index;
  if (side == RomChange::Side::kBefore) ++index;  // undone, it is still in force
  const auto other =
      side == RomChange::Side::kBefore ? RomChange::Side::kAfter : RomChange::Side::kBefore;
  const QString what = QStringLiteral("\"%1\" could not be %2").arg(step.text(), Undone(side));
  const auto refuse = [&](const QString& why, bool closeRom) {
    m_refusal = Refusal{index, what + why, closeRom};
  };
  const auto closing = [&](const RomError& error) {
    refuse(QStringLiteral(": %1.\r\n\r\nThe ROM has been closed; open it again to check it.")
               .arg(QString::fromLocal8Bit(error.what())),
           true);
  };
  try {
    if (const auto mismatch = step.Change().FindMismatch(m_rom, other)) {
      refuse(QStringLiteral(": another program changed the ROM since.  The byte at file offset "
                            "%1 holds %2 where %3 was expected.\r\n\r\nNothing was written.")
                 .arg(frontend::HexNumber(mismatch->offset, 6),
                      frontend::HexNumber(mismatch->found, 2),
                      frontend::HexNumber(mismatch->expected, 2)),
             false);
      return;
    }
    step.Change().Write(m_rom, side);
  } catch (const RomChangedError& error) {
    closing(error);
    return;
  } catch (const RomError& error) {
    refuse(QStringLiteral(": %1.\r\n\r\nThe file holds what it held before.")
               .arg(QString::fromLocal8Bit(error.what())),
           false);
    return;
  }
  try {
    m_rom.Sync();
  } catch (const RomError& error) {
    closing(error);
    return;
  }
  emit Moved(step.text(), side, step.Change());
  emit Written(step.Change());
}

void History::Settle() {
  if (m_settling || !m_refusal) return;
  const Refusal refusal = *std::exchange(m_refusal, std::nullopt);
  m_refused = true;
  m_settling = true;
  m_open->setIndex(refusal.index);
  m_settling = false;
  m_platform.ShowMessage(QApplication::activeWindow(), MessageIcon::kCritical,
                         QString::fromLatin1(kProgramName), refusal.message);
  if (refusal.closeRom) emit Untrusted();
}

}  // namespace torvale::ui
