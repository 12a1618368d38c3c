#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "rom/RomChange.h"

class QWidget;

namespace torvale::ui {

class Platform;
class RomStep;

// What Torvale changed in the open ROM, step by step, to go back and forward
// through: every Apply, Save, song click, Restore Asura, revert and checksum
// fix is one step, holding the bytes it replaced and the bytes it wrote.
//
// A step goes back or forward only while the file still holds what the step
// left (or found): bytes another program changed meanwhile refuse it with a
// message, and nothing is written. Each step back or forward is written run
// by run and made durable like an Apply; a refused write puts the step's
// runs back as they were. A failed sync, or a file truncated, replaced or
// deleted behind the program, closes the ROM. The history belongs to the open
// ROM: Clear() when it is closed.
class History : public QObject {
  Q_OBJECT

 public:
  History(RomFile& rom, Platform& platform);
  ~History() override;

  // Runs `write`, which writes to the ROM, and keeps what it changed as one
  // step named `text`, even when `write` fails part way (its RomError is
  // passed on). A step that changed nothing is not kept.
  void Record(const QString& text, const std::function<void()>& write);
  // One step back or forward; false when there was none, or it was refused.
  bool Undo();
  bool Redo();
  void Clear();

  // The steps, for the menus and the history window. Moving through it
  // directly (setIndex) goes through the same checks.
  QUndoStack& Stack() { return m_stack; }

 signals:
  // A step went back or forward: the file holds other bytes now.
  void Moved();
  // The ROM was closed because the file could no longer be trusted.
  void RomClosed();

 private:
  friend class RomStep;
  struct Refusal {
    int index;  // where the history stands with the file as it is
    QString message;
    bool closeRom;
  };

  void Move(const RomStep& step, RomChange::Side side);
  void Settle();

  RomFile& m_rom;
  Platform& m_platform;
  QUndoStack m_stack;
  bool m_recording = false;
  bool m_settling = false;
  bool m_refused = false;  // the last move was refused
  std::optional<Refusal> m_refusal;
};

}  // namespace torvale::ui
