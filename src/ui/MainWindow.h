#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "ui/RomSession.h"

class QAbstractButton;
class QMenu;
class QMimeData;
class QTreeWidgetItem;

namespace Ui {
class MainWindow;
}

namespace torvale {
struct CleanRom;
class RomError;
struct Table;
}  // namespace torvale

namespace torvale::ui {

class Platform;
class TableWindow;
struct EditorEntry;

// The hub of the program: the facts of the open ROM, the Open, Save, Close and
// Quit commands, and the tree that opens every editor over the open ROM.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `io` carries every read and write of the ROM file.
  explicit MainWindow(Platform& platform, RomIo& io = SystemRomIo(), QWidget* parent = nullptr);
  ~MainWindow() override;

  // Asks for a file, closes the open ROM and opens the chosen one.
  void LoadROM();
  // Closes the open ROM and opens `fileName` with every check of LoadROM: the
  // way in of the file dialog, the command line, a drop and the recent files.
  void LoadROMFile(const QString& fileName);
  // Writes the header fields this window shows; false when nothing was saved.
  bool SaveROM();
  // Closes the open ROM; its history is kept for when it is opened again.
  void CloseROM();
  RomSession& Session() { return m_session; }
  // The table's window, opened or brought to the front, at the record (none: -1).
  void OpenTableWindow(const Table& table, int record);

 protected:
  // The close box ends the program, like Quit: nothing is saved, nothing asked.
  void closeEvent(QCloseEvent* event) override;
  // A ROM file dropped on the window is opened as File > Open would; not while
  // a window is open over this one.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void LoadTreeData();
  void ConnectCommands();
  void ConnectPresetMenus();
  void ShowRecentFiles();
  void OpenRecentFile(const QString& path);
  QString DroppedRomFile(const QMimeData& data) const;
  void ShowPresetMenu(QAbstractButton* button, QMenu* menu);
  void OpenEditor(QTreeWidgetItem* node);
  void OpenTextListEditor();
  struct EditorContext ContextForEditors();
  void ExpandTree(bool expand);
  void SaveAndNotify();
  void ShowModalWindow(QDialog& window);
  void ShowEditor(const EditorEntry& editor);
  void SetOpenRomControlsEnabled(bool enabled);
  void ReportSaveFailure(const RomError& error);
  void ShowCaption(const QString& romName);
  // Writes one step of the history and makes it durable; a failure is
  // reported and closes the ROM. Returns whether the step was written.
  bool WriteStep(const QString& change, const std::function<void()>& write);

  // The Tables menu and Find (MainWindowTables.cpp).
  void ConnectTableCommands();

  // The Edit menu, the checksum, the changes and patches (MainWindowHistory.cpp).
  void ConnectHistoryCommands();
  void ShowRomInformation();
  // The checksum's state and the image's CRC32; Show… keeps the labels as they
  // were when they cannot be read.
  void LoadChecksum();
  void ShowChecksum();
  void WriteComputedChecksum();
  void FixChecksum();
  void CompareWithCleanRom();
  // Reads the open ROM's clean ROM (asked for once and remembered) and runs
  // `use` with it; what `use` returns goes to the status line.
  void WithCleanRom(
      const std::function<QString(const CleanRom& clean, const QString& cleanPath)>& use);
  void CreatePatchFromMenu();
  void ApplyPatchFromMenu();
  void ExportChangesFromMenu();

  // The window once no ROM is open.
  void ShowNoRom();
  void LoadROMIName();
  void LoadROMFileSize();
  void LoadEditedUnEdited();
  void LoadROMHeader();
  void LoadROMVersion();
  void LoadCountryCode();
  void LoadROMTag();
  void SaveROMIName();
  void SaveROMTag();
  void SaveHeader();
  void SaveCountryCode();

  Platform& m_platform;
  std::unique_ptr<Ui::MainWindow> m_ui;
  RomSession m_session;
  RomFile& m_rom = m_session.Rom();
  History& m_history = m_session.Steps();
  std::map<const Table*, QPointer<TableWindow>> m_tableWindows;
  bool m_windowOpenOver = false;
  QString m_hint;  // the information line as it reads at start
};

}  // namespace torvale::ui
