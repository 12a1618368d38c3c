#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUndoGroup>
#include <QUndoStack>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "rom/RomChange.h"

class QWidget;

namespace torvale::ui {

class Platform;
class RomStep;

// Whether a step merges with the step before it when that has the same name
// (repeated song clicks on one map are one step).
enum class StepMerge { kNever, kWithTheSameStep };

// What Torvale changed in the open ROM, step by step, to go back and forward
// through: every Apply, Save, song click, Restore Asura, revert and checksum
// fix is one step, holding the bytes it replaced and the bytes it wrote.
//
// A step goes back or forward only while the file still holds what the step
// left (or found): bytes another program changed meanwhile refuse it with a
// message, and nothing is written. Each step back or forward is written run
// by run and made durable like an Apply; a refused write puts the step's
// runs back as they were. A failed sync, a field that may be torn, or a file
// truncated, replaced or deleted behind the program closes the ROM.
//
// Each ROM has its own history. A ROM the user closes keeps it for the rest
// of the run: opened again while its file holds the same bytes, it takes it
// up again. A ROM closed because it can no longer be trusted loses it. The
// session (RomSession) opens and closes the ROM and calls Resume, Keep and
// Discard.
class History : public QObject {
  Q_OBJECT

 public:
  History(RomFile& rom, Platform& platform);
  ~History() override;

  // Runs `write`, which writes to the ROM, and keeps what it changed as one
  // step named `text`, even when `write` fails part way (its RomError is
  // passed on). A step that changed nothing is not kept.
  void Record(const QString& text, const std::function<void()>& write,
              StepMerge merge = StepMerge::kNever);
  // One step back or forward; false when there was none, or it was refused.
  bool Undo();
  bool Redo();

  // The ROM just opened takes up the history it was closed with in this
  // run, when its file holds the bytes it held then; otherwise it starts anew.
  void Resume();
  // The open ROM is being closed by the user: its history is kept.
  void Keep();
  // The ROM is closed because its file can no longer be trusted: its history goes.
  void Discard();

  // The open ROM's steps, for the menus and the history window; none while
  // no ROM is open. Moving through them directly (setIndex) goes through the
  // same checks.
  QUndoGroup& Steps() { return m_group; }

 signals:
  // A step went back (kBefore) or forward: the file holds other bytes now.
  void Moved(const QString& step, RomChange::Side side, const RomChange& change);
  // A step was kept, or went back or forward: these bytes of the file changed.
  void Written(const RomChange& change);
  // A step back or forward left the file untrustworthy: the ROM must close.
  void Untrusted();

 private:
  friend class RomStep;
  struct Refusal {
    int index;  // where the history stands with the file as it is
    QString message;
    bool closeRom;
  };
  struct KeptHistory {
    QByteArray fingerprint;  // of the file's bytes when it was closed
    QUndoStack* steps;
  };

  QUndoStack& OpenSteps();
  QByteArray Fingerprint() const;
  std::filesystem::path Key() const;
  void Move(const RomStep& step, RomChange::Side side);
  void Settle();

  RomFile& m_rom;
  Platform& m_platform;
  QUndoGroup m_group;
  // Every history is a child of this object. The open ROM's, once it has a step:
  QUndoStack* m_open = nullptr;
  std::map<std::filesystem::path, KeptHistory> m_kept;
  bool m_recording = false;
  bool m_settling = false;
  bool m_refused = false;  // the last move was refused
  std::optional<Refusal> m_refusal;
};

}  // namespace torvale::ui
