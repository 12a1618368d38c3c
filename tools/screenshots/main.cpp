// Takes the README's pictures of Torvale's windows.
//
//   torvale_screenshots <ROM file> <picture folder>
//
// Opens the ROM in the main window through its file dialog, then every editor
// of the registry as a user would: from its node in the editor tree, or with
// the button of the window that opens it. Each window is saved as a PNG once
// its lists are filled and its first record is shown. Then a few items are
// changed, and the history window and the changes window, against a copy of
// the ROM as it was opened, are saved, the latter with a patch made (its
// details and its release block), then that patch applied over the last
// change taken back; then
// tables as grids: the items sorted by price and filtered, a paste into the
// shops, Where Used of an item and Find. The ROM is written: give the tool a copy.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSet>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>
#include <cstdio>
#include <filesystem>

#include "romgen/SyntheticRom.h"
#include "romgen/SyntheticSpc.h"
#include "scripted/ScriptedInput.h"
#include "scripted/ScriptedPlatform.h"
#include "ui/EditorRegistry.h"
#include "ui/MainWindow.h"

namespace {

constexpr int kSettleMilliseconds = 200;

using torvale::tools::ClickButton;
using torvale::tools::ClickRow;
using torvale::tools::Control;

void Click(QWidget& window, const char* button) {
  ClickButton(*Control<QAbstractButton>(window, button));
}

// What each window's picture is called, and what is picked before it is taken.
struct Picture {
  const char* window;  // the window's objectName
  const char* file;
  void (*before)(QWidget& window);
};

const Picture kPictures[] = {
    {"MainWindow", "main-window", nullptr},
    {"ItemEditor", "item-editor",
     [](QWidget& window) { ClickRow(*Control<QListWidget>(window, "ItemLST"), 8); }},
    {"MagicSpellEditor", "magic-spell-editor", nullptr},
    {"CharacterStatsEditor", "character-stats-editor", nullptr},
    {"CharacterEquipmentEditor", "character-equipment-editor", nullptr},
    {"ShopEditor", "shop-editor", nullptr},
    {"MapPropertiesEditor", "map-properties-editor", nullptr},
    {"MusicEditor", "music-editor",
     [](QWidget& window) {
       ClickRow(*Control<QListWidget>(window, "AreaLST"), 5);
       Click(window, "ShowHex");
       Click(window, "EjectCMD");  // answered with an SPC file
     }},
    {"TreasureEditor", "treasure-editor", nullptr},
    {"MonsterEditor", "monster-editor", nullptr},
    {"BattleTablesEditor", "miscellaneous-data-editor", nullptr},
    {"TextListEditor", "text-list-editor",
     [](QWidget& window) { ClickRow(*Control<QListWidget>(window, "TextLST"), 0); }},
    {"HistoryWindow", "history-window", nullptr},
    {"ChangesWindow", "changes-window",
     [](QWidget& window) { Click(window, "CreatePatchCMD"); }},  // answered with a file name
    {"PatchDetailsDialog", "patch-details",
     [](QWidget& window) {
       QTest::keyClicks(Control<QLineEdit>(window, "TitleTXT"), QStringLiteral("Sharper Blades"));
       QTest::keyClicks(Control<QLineEdit>(window, "AuthorTXT"), QStringLiteral("A. Hacker"));
       QTest::keyClicks(Control<QPlainTextEdit>(window, "DescriptionTXT"),
                        QStringLiteral("Three swords hit harder."));
     }},
    {"ReleaseBlockWindow", "release-block", nullptr},
    {"ApplyPatchWindow", "apply-patch-window", nullptr},
};

// The windows that go on when their picture is taken: a patch's details are written.
bool GoesOn(const QWidget& window) {
  return window.objectName() == QLatin1String("PatchDetailsDialog");
}

// An afternoon's first changes: the attack of three items, each applied.
void ChangeItems(QDialog& editor) {
  torvale::tools::ShowUntilFilled(editor);
  for (const auto& [item, attack] : {std::pair{8, "48"}, {9, "60"}, {12, "75"}}) {
    ClickRow(*Control<QListWidget>(editor, "ItemLST"), item);
    torvale::tools::ReplaceText(*Control<QLineEdit>(editor, "AtkDefTXT"), QLatin1String(attack));
    Click(editor, "ApplyCMD");
  }
}

class Photographer {
 public:
  explicit Photographer(const QDir& pictures) : m_pictures(pictures) {}

  bool Failed() const { return m_failed; }
  void Fail(const QString& why) {
    std::fprintf(stderr, "torvale_screenshots: %s\n", qPrintable(why));
    m_failed = true;
  }

  // Waits until the window's deferred fill has shown its first record, sets
  // it up, saves its picture, then opens the windows opened from it.
  void Take(QWidget& window) {
    const Picture* picture = nullptr;
    for (const Picture& candidate : kPictures) {
      if (window.objectName() == QLatin1String(candidate.window)) picture = &candidate;
    }
    if (picture == nullptr) {
      Fail(QStringLiteral("no picture for ") + window.objectName());
      return;
    }
    if (!torvale::tools::ShowUntilFilled(window)) {
      Fail(window.objectName() + QStringLiteral(" was never filled"));
    }
    if (picture->before != nullptr) picture->before(window);
    Save(window, QString::fromLatin1(picture->file));
    for (const torvale::ui::EditorEntry& editor : torvale::ui::Editors()) {
      if (window.objectName() == QLatin1String(editor.openedFrom)) Click(window, editor.opener);
    }
  }

  // The File menu open over the main window, its recent files shown.
  void TakeFileMenu(QMainWindow& main) {
    auto& file = *main.findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto& recent = *main.findChild<QMenu*>(QStringLiteral("mnuRecent"));
    file.popup(main.mapToGlobal(main.menuBar()->actionGeometry(file.menuAction()).bottomLeft()));
    file.setActiveAction(recent.menuAction());
    QTest::keyClick(&file, Qt::Key_Right);
    if (!QTest::qWaitForWindowExposed(&recent))
      Fail(QStringLiteral("the recent files never showed"));
    QTest::qWait(kSettleMilliseconds);
    const QRect area = main.geometry().united(file.geometry()).united(recent.geometry());
    const QString path = m_pictures.filePath(QStringLiteral("file-menu-recent.png"));
    if (!main.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path)) {
      Fail(QStringLiteral("cannot write ") + path);
    }
    std::printf("%s\n", qPrintable(path));
    recent.close();
    file.close();
  }

  void Save(QWidget& window, const QString& name) {
    if (!QTest::qWaitForWindowExposed(&window)) Fail(name + QStringLiteral(" never showed"));
    QTest::qWait(kSettleMilliseconds);  // laid out and painted
    const QString path = m_pictures.filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path)) Fail(QStringLiteral("cannot write ") + path);
    std::printf("%s\n", qPrintable(path));
  }

 private:
  QDir m_pictures;
  bool m_failed = false;
};

// The table's window, opened from the Tables menu.
QMainWindow& OpenTable(QMainWindow& main, const QString& name) {
  for (QAction* entry : main.findChild<QMenu*>(QStringLiteral("mnuTables"))->actions()) {
    if (entry->text().remove(u'&') == name) entry->trigger();
  }
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "TableWindow" && top->windowTitle() == name && top->isVisible()) {
      top->resize(980, 520);
      return *static_cast<QMainWindow*>(top);
    }
  }
  qFatal("no window of the %s table", qPrintable(name));
}

void Trigger(QWidget& widget, const char* caption) {
  for (QAction* action : widget.actions()) {
    if (action->text() == QLatin1String(caption)) return action->trigger();
  }
}

// Items sorted by price, dearest first, and filtered; a block pasted into the
// shops; the uses of an item; what Find finds.
void TakeTables(QMainWindow& main, Photographer& photographer) {
  QMainWindow& items = OpenTable(main, QStringLiteral("Items"));
  auto& grid = *Control<QTableView>(items, "TableGRD");
  grid.sortByColumn(3, Qt::DescendingOrder);
  torvale::tools::ReplaceText(*Control<QLineEdit>(items, "FilterTXT"), QStringLiteral("a"));
  photographer.Save(items, QStringLiteral("table-window"));
  QMainWindow& shops = OpenTable(main, QStringLiteral("Shops"));
  auto& slotGrid = *Control<QTableView>(shops, "TableGRD");
  QStringList rows;
  for (int row = 0; row < 3; ++row) {
    QStringList names;
    for (int item = 0; item < 4; ++item)
      names << grid.model()->index(row * 4 + item, 1).data().toString();
    rows << names.join(u'\t');
  }
  QApplication::clipboard()->setText(rows.join(u'\n'));
  slotGrid.setCurrentIndex(slotGrid.model()->index(2, 3));
  Trigger(slotGrid, "&Paste");
  photographer.Save(shops, QStringLiteral("table-paste"));
  Click(shops, "RevertCMD");
  grid.setCurrentIndex(grid.model()->index(0, 0));
  Trigger(grid, "Where &Used");
  if (auto* uses = items.findChild<QDialog*>(QStringLiteral("WhereUsedWindow"))) {
    photographer.Save(*uses, QStringLiteral("where-used"));
    uses->close();
  }
  Control<QAction>(main, "mnuFind")->trigger();
  if (auto* find = main.findChild<QDialog*>(QStringLiteral("FindWindow"))) {
    torvale::tools::ReplaceText(*Control<QLineEdit>(*find, "FindTXT"), QStringLiteral("lr"));
    Click(*find, "FindCMD");
    photographer.Save(*find, QStringLiteral("find-window"));
    find->close();
  }
  shops.close();
  items.close();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: torvale_screenshots <ROM file> <picture folder>\n");
    return EXIT_FAILURE;
  }
  // The music editor's player is shown with a tag: a made-up SPC file's.
  const std::filesystem::path spc = std::filesystem::temp_directory_path() / "tune.spc";
  torvale::romgen::WriteFileBytes(
      spc, torvale::romgen::BuildSyntheticSpc("Made-up Quest", "Field March"));

  Photographer photographer(QDir(QString::fromLocal8Bit(argv[2])));
  torvale::tools::ScriptedPlatform platform;
  platform.programFolder = QCoreApplication::applicationDirPath();
  platform.fileAnswers = {QString::fromLocal8Bit(argv[1]), QString::fromStdString(spc.string())};
  platform.whileModal = [&](QDialog& window) {
    photographer.Take(window);
    window.reject();
  };
  // The ROM as opened, to compare with once it is changed.
  std::filesystem::copy_file(argv[1], std::filesystem::temp_directory_path() / "clean.smc",
                             std::filesystem::copy_options::overwrite_existing);
  torvale::ui::MainWindow main(platform);
  main.LoadROM();
  photographer.Take(main);
  photographer.TakeFileMenu(main);
  auto& tree = *main.findChild<QTreeWidget*>(QStringLiteral("Tree"));
  QSet<QString> opened;
  for (const torvale::ui::EditorEntry& editor : torvale::ui::Editors()) {
    if (editor.create == nullptr || *editor.nodeText == '\0' ||
        opened.contains(QLatin1String(editor.window))) {
      continue;
    }
    opened << QLatin1String(editor.window);
    torvale::tools::ClickNode(tree, QString::fromLatin1(editor.nodeText));
  }
  // The history and the release.
  const std::filesystem::path clean = std::filesystem::temp_directory_path() / "clean.smc";
  const std::filesystem::path patch = std::filesystem::temp_directory_path() / "changes.bps";
  platform.whileModal = [](QDialog& window) {
    ChangeItems(window);
    window.reject();
  };
  torvale::tools::ClickNode(tree, QStringLiteral("Item Editor"));
  platform.whileModal = [&](QDialog& window) {
    photographer.Take(window);
    if (GoesOn(window)) {
      window.accept();
    } else {
      window.reject();
    }
  };
  Control<QAction>(main, "mnuHistory")->trigger();
  platform.fileAnswers = {QString::fromStdString(clean.string()),
                          QString::fromStdString(patch.string())};
  Control<QAction>(main, "mnuCompare")->trigger();
  // The last change taken back, the patch of all three applied: one field to change.
  Control<QAction>(main, "mnuUndo")->trigger();
  platform.fileAnswers = {QString::fromStdString(patch.string())};
  Control<QAction>(main, "mnuApplyPatch")->trigger();
  TakeTables(main, photographer);
  std::filesystem::remove(spc);
  std::filesystem::remove(clean);
  std::filesystem::remove(patch);
  for (const torvale::tools::ShownMessage& message : platform.messages) {
    photographer.Fail(message.title + QStringLiteral(": ") + message.text);
  }
  if (platform.endProgramCalls > 0) photographer.Fail(QStringLiteral("the program ended"));
  return photographer.Failed() ? EXIT_FAILURE : EXIT_SUCCESS;
}
