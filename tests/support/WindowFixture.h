#pragma once

// The window tests' Qt: every widget, and Qt Test.
#include <QtTest>
#include <QtWidgets>
#include <filesystem>

#include "TestRom.h"
#include "rom/RomFile.h"
#include "scripted/ScriptedInput.h"
#include "scripted/ScriptedPlatform.h"
#include "text/TextCodec.h"
#include "ui/EditorContext.h"
#include "ui/RomSession.h"

namespace torvale::ui {
class MainWindow;
}

namespace torvale::testing {

using namespace tools;
using ui::MessageIcon;

// Where a data file lies: in the program's folder, or in the installed data
// folder share/torvale beside it.
enum class DataPlace { kProgramFolder, kInstalledFolder };

// A program folder (bin/) holding the shipped data files, a scripted platform
// pointing at it, and ROM files written into the folder above it.
class WindowFixture {
 public:
  WindowFixture();

  QString WriteRom(const Bytes& image, const std::string& name = "test.smc") const;
  Bytes ReadRom(const std::string& name = "test.smc") const;
  void RemoveDataFile(const std::string& name) const;
  // Moves the shipped data file from the program's folder to `place`.
  void PlaceDataFile(const std::string& name, DataPlace place) const;
  // Where the data file `name` lies when it is in `place`.
  std::filesystem::path DataFileIn(DataPlace place, const std::string& name) const;

  TempFolder folder;
  ScriptedPlatform platform;
};

// An editor's world: `image` written as the open ROM, and the text codec
// reading the program folder's character table as the program does.
class EditorFixture : public WindowFixture {
 public:
  explicit EditorFixture(Bytes image = Sample(), RomIo& io = SystemRomIo());

  Bytes original;
  ui::RomSession session;
  RomFile& rom = session.Rom();
  const TextCodec& text = session.Text();
  ui::History& history = session.Steps();
  ui::EditorContext context{session, platform};
};

// Acts on the controls below `root` as a user would, step by step, the steps
// apart by spaces: "List=row" clicks a row, "Box=text" types over a box's
// text, "Combo=entry" picks a drop-down entry, a bare name clicks a button
// or triggers a menu's action.
void Drive(QWidget& root, const QString& steps);
void ClickTab(QTabBar& tabs, int tab);
// What a control below `root` shows: a label's, box's or button's text, a
// drop-down list's entry, a list's current row; for an empty name, the root
// window's caption.
QString Shown(const QWidget& root, const char* name);
// Compares what each named control shows, naming the control that differs.
void ExpectShown(const QWidget& root,
                 std::initializer_list<std::pair<const char*, QString>> expected);

// Checks that `platform` showed one message, with `icon` and `text`, or, when
// not `whole`, a text that starts with `text`.
void ExpectMessage(const ScriptedPlatform& platform, MessageIcon icon, const QString& text,
                   bool whole = true);

// Checks that the main window shows no ROM: its caption, its controls
// disabled, its fields N/A and its tree folded.
void VerifyNoRomOpen(const ui::MainWindow& window);

}  // namespace torvale::testing
