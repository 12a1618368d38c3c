// The main window: opening, refusing, saving and closing a ROM, and the tree
// and menus that open the other windows.

#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/MainWindow.h"

using namespace torvale::testing;
using torvale::ui::MainWindow;

namespace {

const Bytes kTag = Ascii("D:1.2b | Torvale                ");

QList<QTreeWidgetItem*> AllNodes(const QTreeWidget& tree) {
  QList<QTreeWidgetItem*> nodes;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) nodes << *it;
  return nodes;
}

// The sample with template `index` of the shipped Header.dat and the edit tag,
// as a Save leaves it, and with `patches`.
Bytes Saved(std::size_t index, std::initializer_list<std::pair<std::size_t, Bytes>> patches) {
  const Bytes templates = ReadFileBytes(TORVALE_RESOURCES_DIR "/Header.dat");
  Bytes image = Patched(SampleWith(patches), 0x100, kTag);
  return Patched(image, 0,
                 {templates.begin() + 32 * static_cast<long>(index),
                  templates.begin() + 32 * static_cast<long>(index) + 32});
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowFixture> fixture;
  std::unique_ptr<MainWindow> window;

  MainWindow& Open(const Bytes& image = Sample(), torvale::RomIo& io = torvale::SystemRomIo()) {
    fixture->platform.fileAnswers << fixture->WriteRom(image);
    window = std::make_unique<MainWindow>(fixture->platform, io);
    window->show();
    window->LoadROM();
    return *window;
  }
  void ExpectFile(const Bytes& expected) {
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }
  void ExpectMessage(MessageIcon icon, const QString& start) {
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, icon);
    QCOMPARE(fixture->platform.messages[0].title, QStringLiteral("Torvale"));
    QVERIFY(fixture->platform.messages[0].text.startsWith(start));
  }
  // Opens the window of the tree's node `text` by Enter.
  void OpenNode(const char* text) {
    auto& tree = *Control<QTreeWidget>(*window, "Tree");
    tree.setFocus();
    tree.setCurrentItem(tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive)[0]);
    QTest::keyClick(&tree, Qt::Key_Return);
  }

 private slots:
  void init() { fixture = std::make_unique<WindowFixture>(); }
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  void startsWithNoRomAndTheFifteenNodeTree() {
    window = std::make_unique<MainWindow>(fixture->platform);
    VerifyNoRomOpen(*window);
    QStringList nodes;
    for (QTreeWidgetItem* node : AllNodes(*Control<QTreeWidget>(*window, "Tree"))) {
      const QString parent = node->parent() ? node->parent()->data(0, Qt::UserRole).toString() : "";
      nodes << node->text(0) + u'=' + node->data(0, Qt::UserRole).toString() + u'<' + parent;
    }
    QCOMPARE(nodes,
             QStringList({"Characters=r2<", "Character Stats=CharEd-1<r2",
                          "Character Equipment=CharEd-2<r2", "Magic=r3<",
                          "Magic Spell Editor=Mag-3<r3", "Items=r4<", "Item Editor=Itm-1<r4",
                          "Shops=Itm-2<r4", "Monsters=r5<", "Monster Stats=Mon-1<r5",
                          "Area/Map Properties=r8a<", "Map Properties=AP-1<r8a",
                          "Treasure Data=AP-4<r8a", "Data Tables=r8<", "Data Tables=Tables<r8"}));
  }

  void loadShowsTheRomAndEnablesItsControls() {
    Open();
    QCOMPARE(fixture->platform.askedFilters,
             QStringList("All Files (*.*)|*.*|All SNES ROM Files (*.swc, *.smc, *.fig)|*.smc;*.swc;"
                         "*.fig|Super MagiCom ROM File (*.smc)|*.smc|Super Wild Card ROM File "
                         "(*.swc)|*.swc|Super UFO 8/Pro Fighter X ROM File (*.fig)|*.fig"));
    QCOMPARE(fixture->platform.askedSelectedFilters,
             QStringList("All SNES ROM Files (*.swc, *.smc, *.fig)"));
    QVERIFY(fixture->platform.messages.isEmpty());
    ExpectShown(*window, {{"", "Torvale (v1.2) - FINAL FANTASY II      "},
                          {"iROMName", "FINAL FANTASY II     "},
                          {"ROMVersionLBL", "1.0"},
                          {"ROMHeaderLBL", "Super MagiCom"},
                          {"cROMFormat", "USA (NTSC)"},
                          {"sROMFile", "1049088"},
                          {"eROM", "Un Edited"},
                          {"dROMTag", "[None]"}});
    QVERIFY(!Control<QLineEdit>(*window, "iROMName")->isReadOnly());
    for (const char* name :
         {"EditINameCMD", "EditROMHeaderCMD", "EditROMFormatCMD", "ExpandCHK", "SaveCMD", "Tree"}) {
      QVERIFY2(Control<QWidget>(*window, name)->isEnabled(), name);
    }
    for (QTreeWidgetItem* node : AllNodes(*Control<QTreeWidget>(*window, "Tree"))) {
      QVERIFY(node->childCount() == 0 || node->isExpanded());
    }
    ExpectFile(Sample());
  }

  void saveWritesTheChosenFieldsAndShowsTheNotice() {
    Open();
    Drive(*window, "mnuFF2usShort mnuChina mnuSWC");
    ExpectFile(Sample());  // nothing is written before Save
    QString notice;        // shown during Save's pause
    QTimer::singleShot(50, [&] { notice = Shown(*window, "InfoLBL"); });
    Drive(*window, "SaveCMD");
    QCOMPARE(notice, QStringLiteral("Saved [FF2us]."));
    const Bytes expected = Saved(2, {{0x81C0, Ascii("FF2us                 ")}, {0x81D9, {0x0B}}});
    ExpectFile(expected);
    QVERIFY(!Control<QLabel>(*window, "InfoLBL")->isVisible());
    ExpectShown(*window, {{"eROM", "Edited"},
                          {"dROMTag", "D:1.2b | Torvale         "},
                          {"ROMHeaderLBL", "Super Wild Card"}});
    QCOMPARE(Control<QLabel>(*window, "eROM")->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(Control<QLabel>(*window, "dROMTag")->toolTip(), QStringLiteral("[None]"));
    Drive(*window, "mnuSave");  // the menu's Save keeps the ROM open too
    ExpectFile(expected);
    QCOMPARE(Control<QLabel>(*window, "dROMTag")->toolTip(),
             QStringLiteral("D:1.2b | Torvale         "));
    QVERIFY(Control<QWidget>(*window, "Tree")->isEnabled());
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  // An unknown header is saved as Super MagiCom and an unknown country kept;
  // the name box takes 21 printable characters; without the templates the
  // header is left as it was, and the rest saved.
  void saveKeepsWhatItCannotWriteAndTakesPrintableNames() {
    const Bytes unknown = SampleWith({{2, {0x04, 0x00, 0x00, 0x01}}, {0x81D9, {3}}});
    Open(unknown);
    ExpectShown(*window, {{"ROMHeaderLBL", "Unknown Header"}, {"cROMFormat", "N/A"}});
    auto* name = Control<QLineEdit>(*window, "iROMName");
    name->selectAll();
    TypeText(name, QStringLiteral("Ab\u00e9\u0100\u0007cdefghijklmnopqrstuvwxyz"));
    QCOMPARE(name->text(), QStringLiteral("Ab\u00e9cdefghijklmnopqrst"));
    QVERIFY(window->SaveROM());
    const Bytes written = {'A', 'b', 0xE9, 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                           'k', 'l', 'm',  'n', 'o', 'p', 'q', 'r', 's', 't', ' '};
    ExpectFile(Saved(1, {{2, {0x04, 0x00, 0x00, 0x01}}, {0x81D9, {3}}, {0x81C0, written}}));
    ExpectShown(*window, {{"ROMHeaderLBL", "Super MagiCom"}});
    Open();
    Drive(*window, "mnuBlankHeader");
    fixture->RemoveDataFile("Header.dat");
    QVERIFY(window->SaveROM());
    ExpectMessage(MessageIcon::kExclamation, "The copier header was left as it was");
    ExpectFile(Patched(Sample(), 0x100, kTag));
    ExpectShown(*window, {{"ROMHeaderLBL", "Blanked Copier Header"}});
  }

  void closeWithoutSavingLeavesTheFileAsItWas() {
    Open();
    Drive(*window, "mnuFIG");
    QTest::keyClicks(Control<QLineEdit>(*window, "iROMName"), "XYZ");
    Drive(*window, "mnuClose");
    VerifyNoRomOpen(*window);
    QVERIFY(!window->SaveROM());
    ExpectFile(Sample());
  }

  void treeNodesOpenTheirEditorsByClickOrEnter() {
    Open();
    auto& tree = *Control<QTreeWidget>(*window, "Tree");
    auto& expand = *Control<QCheckBox>(*window, "ExpandCHK");
    QTest::mouseClick(&expand, Qt::LeftButton);
    QTest::mouseClick(&expand, Qt::LeftButton);
    for (QTreeWidgetItem* node : AllNodes(tree)) QVERIFY(!node->isExpanded());
    QTest::mouseClick(&expand, Qt::LeftButton);
    for (QTreeWidgetItem* node : AllNodes(tree)) {
      QVERIFY(node->childCount() == 0 || node->isExpanded());
      tree.scrollToItem(node);
      QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    }
    // Top nodes open nothing, except "Data Tables", which opens the window its child opens.
    // Windows that show their first record at once name it in their caption.
    QStringList opened = fixture->platform.modalWindows;
    for (QString& caption : opened) caption = caption.section(QStringLiteral(" - "), 0, 0);
    QCOMPARE(opened, QStringList({"Character Stats Editor", "Character Equipment Editor",
                                  "Magic Spell Editor", "Item Editor", "Shop Editor",
                                  "Monster Editor", "Map Properties Editor", "Treasure Editor",
                                  "Miscellaneous Data Editor", "Miscellaneous Data Editor"}));
    OpenNode("Item Editor");
    QCOMPARE(fixture->platform.modalWindows.last(), QStringLiteral("Item Editor"));
    ExpectFile(Sample());
  }

  void editorThatClosesTheRomLeavesNoRomOpen() {
    FaultyRomIo io;
    Open(Sample(), io);
    io.FaultAt(1, FaultyRomIo::Fault::kError, 's');
    fixture->platform.whileModal = [](QDialog& editor) {
      QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    };
    OpenNode("Map Properties");
    ExpectMessage(MessageIcon::kCritical, "The change could not be written");
    VerifyNoRomOpen(*window);
    window.reset();  // before the I/O it reads through
  }

  void quitTheCloseBoxAndTheOtherWindowsMenus() {
    window = std::make_unique<MainWindow>(fixture->platform);
    window->show();
    Drive(*window, "InfoIMG mnuAbout mnuSpecialThanks");  // with no ROM, InfoIMG opens nothing
    QVERIFY(!Control<QAction>(*window, "mnuAboutSPC")->isVisible());
    QVERIFY(!Control<QAction>(*window, "mnuContents")->isEnabled());
    Open();
    Drive(*window, "InfoIMG");
    QCOMPARE(fixture->platform.modalWindows,
             QStringList({"About Torvale", "Special Thanks", "Shit"}));
    Drive(*window, "mnuQuit QuitCMD");
    window->close();
    QCOMPARE(fixture->platform.endProgramCalls, 3);
    QVERIFY(fixture->platform.messages.isEmpty());
    ExpectFile(Sample());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
