#pragma once

#include <QObject>
#include <QString>

#include "rom/RomChange.h"
#include "rom/RomFile.h"
#include "text/TextCodec.h"
#include "ui/History.h"

class QWidget;

namespace torvale::ui {

class Platform;

// The open ROM as a document: the file, the text codec that reads its names
// and its history. Open() goes through every check of File > Open; Close()
// is the only way the ROM closes, and tells every view why. After every write
// that reaches the file (an Apply, a Save, a step back or forward, a revert,
// a checksum fix) Changed() names the bytes it changed, so that each open view
// shows the file as it is. The main window owns it; every other window
// borrows it.
class RomSession : public QObject {
  Q_OBJECT

 public:
  enum class CloseReason {
    kByUser,     // Close ROM, another ROM opened, a refused file: the history is kept
    kUntrusted,  // a failed sync, a torn field, a file changed behind the program
  };

  // `io` carries every read and write of the ROM file.
  explicit RomSession(Platform& platform, RomIo& io = SystemRomIo());

  RomFile& Rom() { return m_rom; }
  const TextCodec& Text() const { return m_text; }
  History& Steps() { return m_history; }
  bool IsOpen() const { return m_rom.IsOpen(); }

  // Closes the open ROM, then opens `path` and checks it: a file that cannot
  // be opened is left quietly (a cancelled dialog, a folder, a held file);
  // one too short or too large, or without a copier header, is refused with
  // a message; another game's ends the program; the Japanese releases are
  // opened with a warning. Whether the ROM is open.
  bool Open(const QString& path, QWidget* parent);
  void Close(CloseReason reason);

 signals:
  void Opened();
  void Closed(CloseReason reason);
  void Changed(const RomChange& change);

 private:
  bool CheckOpened(QWidget* parent);

  Platform& m_platform;
  RomFile m_rom;
  TextCodec m_text;
  History m_history{m_rom, m_platform};
};

}  // namespace torvale::ui
