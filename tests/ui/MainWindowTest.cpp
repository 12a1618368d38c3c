#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/MainWindow.h"

using namespace torvale::testing;
using torvale::ui::MainWindow;
using torvale::ui::MessageIcon;

namespace {

const QString kNoRomCaption = QStringLiteral("Torvale (v1.2)");
const char* const kOpenRomControls[] = {"EditINameCMD", "EditROMHeaderCMD", "EditROMFormatCMD",
                                        "ExpandCHK",    "SaveCMD",          "Tree"};
const char* const kInformationFields[] = {"sROMFile", "eROM", "cROMFormat", "ROMHeaderLBL",
                                          "ROMVersionLBL"};

QString Text(const MainWindow& window, const char* label) {
  return Control<QLabel>(window, label)->text();
}

QList<QTreeWidgetItem*> AllNodes(const QTreeWidget& tree) {
  QList<QTreeWidgetItem*> nodes;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) nodes << *it;
  return nodes;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  // A fresh program folder and main window for each test.
  std::unique_ptr<torvale::testing::WindowFixture> fixture;
  std::unique_ptr<MainWindow> window;
  Bytes sample;

  MainWindow& Open(const Bytes& image, torvale::RomIo& io = torvale::SystemRomIo()) {
    fixture->platform.fileAnswers << fixture->WriteRom(image);
    window = std::make_unique<MainWindow>(fixture->platform, io);
    window->show();
    window->LoadROM();
    return *window;
  }

  void VerifyNoRomOpen() {
    QCOMPARE(window->windowTitle(), kNoRomCaption);
    for (const char* name : kOpenRomControls)
      QVERIFY2(!Control<QWidget>(*window, name)->isEnabled(), name);
    QVERIFY(!Control<QAction>(*window, "mnuClose")->isEnabled());
    QVERIFY(!Control<QAction>(*window, "mnuSave")->isEnabled());
    QVERIFY(Control<QLineEdit>(*window, "iROMName")->isReadOnly());
    QCOMPARE(Control<QLineEdit>(*window, "iROMName")->text(), QStringLiteral("N/A"));
    for (const char* name : kInformationFields)
      QCOMPARE(Text(*window, name), QStringLiteral("N/A"));
    QCOMPARE(Text(*window, "dROMTag"), QStringLiteral("[None]"));
    QVERIFY(!Control<QLabel>(*window, "dROMTag")->isEnabled());
    QVERIFY(!Control<QCheckBox>(*window, "ExpandCHK")->isChecked());
    for (QTreeWidgetItem* node : AllNodes(*Control<QTreeWidget>(*window, "Tree"))) {
      QVERIFY(!node->isExpanded());
    }
  }

  void ClickSave() {
    QString notice;
    QTimer::singleShot(50, [&] { notice = Text(*window, "InfoLBL"); });
    QTest::mouseClick(Control<QPushButton>(*window, "SaveCMD"), Qt::LeftButton);
    lastNotice = notice;
  }
  QString lastNotice;

 private slots:
  void init() {
    fixture = std::make_unique<torvale::testing::WindowFixture>();
    sample = torvale::romgen::BuildSampleRom();
  }
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  void startsWithNoRomAndTheFifteenNodeTree() {
    window = std::make_unique<MainWindow>(fixture->platform);
    VerifyNoRomOpen();
    QStringList texts;
    QStringList keys;
    for (QTreeWidgetItem* node : AllNodes(*Control<QTreeWidget>(*window, "Tree"))) {
      const QString parentKey =
          node->parent() ? node->parent()->data(0, Qt::UserRole).toString() : "-";
      texts << node->text(0);
      keys << node->data(0, Qt::UserRole).toString() + u'<' + parentKey;
    }
    QCOMPARE(texts, QStringList({"Characters", "Character Stats", "Character Equipment", "Magic",
                                 "Magic Spell Editor", "Items", "Item Editor", "Shops", "Monsters",
                                 "Monster Stats", "Area/Map Properties", "Map Properties",
                                 "Treasure Data", "Data Tables", "Data Tables"}));
    QCOMPARE(keys, QStringList({"r2<-", "CharEd-1<r2", "CharEd-2<r2", "r3<-", "Mag-3<r3", "r4<-",
                                "Itm-1<r4", "Itm-2<r4", "r5<-", "Mon-1<r5", "r8a<-", "AP-1<r8a",
                                "AP-4<r8a", "r8<-", "Tables<r8"}));
  }

  void loadShowsTheRomAndEnablesItsControls() {
    Open(sample);
    const auto& platform = fixture->platform;
    QCOMPARE(platform.askedFilters,
             QStringList("All Files (*.*)|*.*|All SNES ROM Files (*.swc, *.smc, *.fig)|*.smc;*.swc;"
                         "*.fig|Super MagiCom ROM File (*.smc)|*.smc|Super Wild Card ROM File "
                         "(*.swc)|*.swc|Super UFO 8/Pro Fighter X ROM File (*.fig)|*.fig"));
    QCOMPARE(platform.askedSelectedFilters,
             QStringList("All SNES ROM Files (*.swc, *.smc, *.fig)"));
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(window->windowTitle(), QStringLiteral("Torvale (v1.2) - FINAL FANTASY II      "));
    QCOMPARE(Control<QLineEdit>(*window, "iROMName")->text(),
             QStringLiteral("FINAL FANTASY II     "));
    QVERIFY(!Control<QLineEdit>(*window, "iROMName")->isReadOnly());
    QCOMPARE(Text(*window, "ROMVersionLBL"), QStringLiteral("1.0"));
    QCOMPARE(Text(*window, "ROMHeaderLBL"), QStringLiteral("Super MagiCom"));
    QCOMPARE(Text(*window, "cROMFormat"), QStringLiteral("USA (NTSC)"));
    QCOMPARE(Text(*window, "sROMFile"), QStringLiteral("1049088"));
    QCOMPARE(Text(*window, "eROM"), QStringLiteral("Un Edited"));
    QCOMPARE(Text(*window, "dROMTag"), QStringLiteral("[None]"));
    QVERIFY(!Control<QLabel>(*window, "dROMTag")->isEnabled());
    for (const char* name : kOpenRomControls)
      QVERIFY2(Control<QWidget>(*window, name)->isEnabled(), name);
    QVERIFY(Control<QAction>(*window, "mnuClose")->isEnabled());
    QVERIFY(Control<QAction>(*window, "mnuSave")->isEnabled());
    for (QTreeWidgetItem* node : AllNodes(*Control<QTreeWidget>(*window, "Tree"))) {
      QVERIFY(node->childCount() == 0 || node->isExpanded());
    }
    QCOMPARE(DescribeDifferences(sample, fixture->ReadRom()), "");
  }

  void refusedFilesLeaveNoRomOpenAndUnchanged_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << "cancel" << 0 << "";
    QTest::newRow("no such file") << "missing" << 0 << "";
    QTest::newRow("folder") << "folder" << 0 << "";
    QTest::newRow("headerless")
        << "headerless" << 1
        << "The ROM: [ NO HEADER HERE 1234567 ] that you are attempting to load either has an "
           "missing header or is not Final Fantasy 2 US. \r\nIn order for you to be able to edit "
           "this ROM file you will need to have a valid 200 byte header that cartridge copiers "
           "put when the ROM is copied.  \r\nThe ROM will be unloaded and you will need to load a "
           "valid ROM file.";
    QTest::newRow("too short") << "short" << 1 << "";
  }
  void refusedFilesLeaveNoRomOpenAndUnchanged() {
    QFETCH(QString, kind);
    QFETCH(int, messages);
    QFETCH(QString, message);
    Bytes image = sample;
    if (kind == "headerless") {
      image.resize(1'048'576);
      torvale::romgen::PutAscii(image, 0x7FC0, "NO HEADER HERE 1234567");
    }
    if (kind == "short") image.resize(0xAB1D8);
    Open(sample);  // a ROM open before is closed first, whatever the new file is
    const QString path = fixture->WriteRom(image, "refused.smc");
    const QString answers[] = {path, fixture->folder.File("none.smc").c_str(),
                               fixture->folder.Path().c_str(), QString()};
    fixture->platform.fileAnswers << (kind == "missing"  ? answers[1]
                                      : kind == "folder" ? answers[2]
                                      : kind == "cancel" ? answers[3]
                                                         : answers[0]);
    Control<QAction>(*window, "mnuOpen")->trigger();
    VerifyNoRomOpen();
    QCOMPARE(fixture->platform.messages.size(), messages);
    if (messages == 1) {
      QCOMPARE(fixture->platform.messages[0].icon, MessageIcon::kCritical);
      QCOMPARE(fixture->platform.messages[0].title, QStringLiteral("Torvale"));
      if (!message.isEmpty()) QCOMPARE(fixture->platform.messages[0].text, message);
    }
    QCOMPARE(DescribeDifferences(image, fixture->ReadRom("refused.smc")), "");
    QVERIFY(!QFileInfo::exists(answers[1]));
    QCOMPARE(fixture->platform.endProgramCalls, 0);
  }

  void anotherGamesRomEndsTheProgramUntouched() {
    const Bytes image = Patched(sample, 0x101C0, Ascii("FINAL FANTASY 3"));
    Open(image);
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, MessageIcon::kCritical);
    QCOMPARE(fixture->platform.messages[0].text,
             QStringLiteral("You tried to load: [ FINAL FANTASY 3 ].  Why in god's name are you "
                            "trying to corrupt this ROM?"));
    QCOMPARE(fixture->platform.endProgramCalls, 1);
    VerifyNoRomOpen();
    QCOMPARE(DescribeDifferences(image, fixture->ReadRom()), "");
  }

  void japaneseReleaseWarnsOnceAndLoads() {
    Open(Patched(sample, 0x81C0, Ascii("FINAL FANTASY 4 EASY  ")));
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, MessageIcon::kExclamation);
    QVERIFY(
        fixture->platform.messages[0].text.startsWith("You're loading: [ FINAL FANTASY 4 EASY ]."));
    QCOMPARE(window->windowTitle(), QStringLiteral("Torvale (v1.2) - FINAL FANTASY 4 EASY  "));
    QVERIFY(Control<QWidget>(*window, "Tree")->isEnabled());
  }

  void saveWritesTheChosenFieldsAndShowsTheNotice() {
    Open(sample);
    Control<QAction>(*window, "mnuFF2usShort")->trigger();
    Control<QAction>(*window, "mnuChina")->trigger();
    Control<QAction>(*window, "mnuSWC")->trigger();
    QCOMPARE(DescribeDifferences(sample, fixture->ReadRom()), "");  // nothing written before Save
    ClickSave();
    const Bytes headerTemplates =
        torvale::testing::ReadFileBytes(TORVALE_RESOURCES_DIR "/Header.dat");
    Bytes expected =
        Patched(sample, 0, Bytes(headerTemplates.begin() + 64, headerTemplates.begin() + 96));
    expected = Patched(expected, 0x100, Ascii("D:1.2b | Torvale                "));
    expected = Patched(expected, 0x81C0, Ascii("FF2us                 "));
    expected = Patched(expected, 0x81D9, {0x0B});
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QCOMPARE(lastNotice, QStringLiteral("Saved [FF2us]."));
    QVERIFY(!Control<QLabel>(*window, "InfoLBL")->isVisible());
    QVERIFY(!Control<QWidget>(*window, "InfoIMG")->isVisible());
    QCOMPARE(Text(*window, "eROM"), QStringLiteral("Edited"));
    QCOMPARE(Control<QLabel>(*window, "eROM")->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(Text(*window, "dROMTag"), QStringLiteral("D:1.2b | Torvale         "));
    QCOMPARE(Control<QLabel>(*window, "dROMTag")->toolTip(), QStringLiteral("[None]"));
    QCOMPARE(Text(*window, "ROMHeaderLBL"), QStringLiteral("Super Wild Card"));
    QVERIFY(Control<QAction>(*window, "mnuSave")->isEnabled());

    Control<QAction>(*window, "mnuSave")->trigger();  // the menu's Save keeps the ROM open too
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QCOMPARE(Control<QLabel>(*window, "dROMTag")->toolTip(),
             QStringLiteral("D:1.2b | Torvale         "));
    QVERIFY(Control<QWidget>(*window, "Tree")->isEnabled());
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  void saveTurnsAnUnknownHeaderIntoSuperMagiComAndKeepsAnUnknownCountry() {
    const Bytes image = Patched(Patched(sample, 2, {0x04, 0x00, 0x00, 0x01}), 0x81D9, {3});
    Open(image);
    QCOMPARE(Text(*window, "ROMHeaderLBL"), QStringLiteral("Unknown Header"));
    QCOMPARE(Text(*window, "cROMFormat"), QStringLiteral("N/A"));
    QVERIFY(window->SaveROM());
    const Bytes headerTemplates =
        torvale::testing::ReadFileBytes(TORVALE_RESOURCES_DIR "/Header.dat");
    Bytes expected =
        Patched(image, 0, Bytes(headerTemplates.begin() + 32, headerTemplates.begin() + 64));
    expected = Patched(expected, 0x100, Ascii("D:1.2b | Torvale                "));
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QCOMPARE(Text(*window, "ROMHeaderLBL"), QStringLiteral("Super MagiCom"));
  }

  void saveWithoutHeaderTemplatesWarnsAndSavesTheRest() {
    Open(sample);
    Control<QAction>(*window, "mnuBlankHeader")->trigger();
    fixture->RemoveDataFile("Header.dat");
    QVERIFY(window->SaveROM());
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, MessageIcon::kExclamation);
    QVERIFY(fixture->platform.messages[0].text.contains("Header.dat"));
    const Bytes expected = Patched(sample, 0x100, Ascii("D:1.2b | Torvale                "));
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QCOMPARE(Text(*window, "ROMHeaderLBL"), QStringLiteral("Blanked Copier Header"));
  }

  void saveTakesTheTemplatesBesideTheProgramBeforeTheInstalledOnes_data() {
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("installed folder only") << false;
    QTest::newRow("both folders") << true;
  }
  void saveTakesTheTemplatesBesideTheProgramBeforeTheInstalledOnes() {
    QFETCH(bool, besideProgram);
    fixture->PlaceDataFile("Header.dat", DataPlace::kInstalledFolder);
    const QByteArray ownTemplates(128, 0x5A);  // told apart from the shipped ones
    if (besideProgram) {
      QFile file(fixture->DataFileIn(DataPlace::kProgramFolder, "Header.dat"));
      QVERIFY(file.open(QIODevice::WriteOnly));
      QCOMPARE(file.write(ownTemplates), ownTemplates.size());
    }
    Open(sample);
    ClickSave();
    QVERIFY(fixture->platform.messages.isEmpty());
    const Bytes templates =
        besideProgram ? Bytes(ownTemplates.begin(), ownTemplates.end())
                      : torvale::testing::ReadFileBytes(TORVALE_RESOURCES_DIR "/Header.dat");
    Bytes expected = Patched(sample, 0, Bytes(templates.begin() + 32, templates.begin() + 64));
    expected = Patched(expected, 0x100, Ascii("D:1.2b | Torvale                "));
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }

  void failedSaveIsReportedAndClosesTheRom_data() {
    QTest::addColumn<int>("failingWrite");
    QTest::addColumn<bool>("failingSync");
    QTest::newRow("name write") << 1 << false;
    QTest::newRow("sync") << 0 << true;
  }
  void failedSaveIsReportedAndClosesTheRom() {
    QFETCH(int, failingWrite);
    QFETCH(bool, failingSync);
    torvale::testing::FaultyRomIo io;
    Open(sample, io);
    using Fault = torvale::testing::FaultyRomIo::Fault;
    if (failingWrite != 0) io.FaultAt(failingWrite, Fault::kError, 'w');
    if (failingSync) io.FaultAt(1, Fault::kError, 's');
    ClickSave();
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, MessageIcon::kCritical);
    QVERIFY(fixture->platform.messages[0].text.startsWith("The ROM could not be saved: "));
    VerifyNoRomOpen();
    Bytes expected = sample;
    if (failingSync) {  // every field was written; only its durability failed
      expected = Patched(expected, 0x100, Ascii("D:1.2b | Torvale                "));
      const Bytes headerTemplates =
          torvale::testing::ReadFileBytes(TORVALE_RESOURCES_DIR "/Header.dat");
      expected =
          Patched(expected, 0, Bytes(headerTemplates.begin() + 32, headerTemplates.begin() + 64));
    }
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }

  void closeWithoutSavingLeavesTheFileAsItWas() {
    Open(sample);
    Control<QAction>(*window, "mnuFIG")->trigger();
    QTest::keyClicks(Control<QLineEdit>(*window, "iROMName"), "XYZ");
    Control<QAction>(*window, "mnuClose")->trigger();
    VerifyNoRomOpen();
    QVERIFY(!window->SaveROM());
    QCOMPARE(DescribeDifferences(sample, fixture->ReadRom()), "");
  }

  void nameBoxTakesTwentyOnePrintableCharacters() {
    Open(sample);
    auto* name = Control<QLineEdit>(*window, "iROMName");
    name->selectAll();
    TypeText(name, QStringLiteral("Ab\u00e9\u0100\u0007cdefghijklmnopqrstuvwxyz"));
    QCOMPARE(name->text(), QStringLiteral("Ab\u00e9cdefghijklmnopqrst"));
    QVERIFY(window->SaveROM());
    const Bytes written = Bytes({'A', 'b', 0xE9, 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                                 'k', 'l', 'm',  'n', 'o', 'p', 'q', 'r', 's', 't', ' '});
    Bytes expected = Patched(sample, 0x81C0, written);
    expected = Patched(expected, 0x100, Ascii("D:1.2b | Torvale                "));
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }

  void expandBoxExpandsAndCollapsesEveryNode() {
    Open(sample);
    auto* expand = Control<QCheckBox>(*window, "ExpandCHK");
    auto& tree = *Control<QTreeWidget>(*window, "Tree");
    QTest::mouseClick(expand, Qt::LeftButton);
    QVERIFY(expand->isChecked());
    for (QTreeWidgetItem* node : AllNodes(tree))
      QVERIFY(node->childCount() == 0 || node->isExpanded());
    QTest::mouseClick(expand, Qt::LeftButton);
    for (QTreeWidgetItem* node : AllNodes(tree)) QVERIFY(!node->isExpanded());
  }

  void treeNodesOpenTheirEditorsByClickOrEnter() {
    Open(sample);
    auto& tree = *Control<QTreeWidget>(*window, "Tree");
    for (QTreeWidgetItem* node : AllNodes(tree)) {
      tree.scrollToItem(node);
      QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    }
    // Top nodes open nothing, except "Data Tables", which opens the window its child opens.
    // Windows that show their first record at once name it in their caption.
    const QStringList& opened = fixture->platform.modalWindows;
    QCOMPARE(opened.size(), 10);
    QVERIFY(opened[0].startsWith("Character Stats Editor - "));
    QCOMPARE(opened[1], QStringLiteral("Character Equipment Editor"));
    QVERIFY(opened[2].startsWith("Magic Spell Editor - "));
    QCOMPARE(opened[3], QStringLiteral("Item Editor"));
    QCOMPARE(opened[4], QStringLiteral("Shop Editor"));
    QCOMPARE(opened[5], QStringLiteral("Monster Editor"));
    QCOMPARE(opened[6], QStringLiteral("Map Properties Editor"));
    QCOMPARE(opened[7], QStringLiteral("Treasure Editor"));
    QCOMPARE(opened[8], QStringLiteral("Miscellaneous Data Editor"));
    QCOMPARE(opened[9], QStringLiteral("Miscellaneous Data Editor"));
    tree.setFocus();
    tree.setCurrentItem(
        tree.findItems("Item Editor", Qt::MatchExactly | Qt::MatchRecursive).front());
    QTest::keyClick(&tree, Qt::Key_Return);
    QCOMPARE(fixture->platform.modalWindows.size(), 11);
    QCOMPARE(fixture->platform.modalWindows.last(), QStringLiteral("Item Editor"));
    QCOMPARE(DescribeDifferences(sample, fixture->ReadRom()), "");
  }

  void editorWhoseSyncFailsClosesTheRom() {
    torvale::testing::FaultyRomIo io;
    Open(sample, io);
    io.FaultAt(1, torvale::testing::FaultyRomIo::Fault::kError, 's');
    fixture->platform.whileModal = [](QDialog& editor) {
      QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
      QVERIFY(!editor.isVisible());
    };
    auto& tree = *Control<QTreeWidget>(*window, "Tree");
    tree.setFocus();
    tree.setCurrentItem(tree.findItems("Map Properties", Qt::MatchExactly | Qt::MatchRecursive)[0]);
    QTest::keyClick(&tree, Qt::Key_Return);
    QCOMPARE(fixture->platform.messages.size(), 1);
    QVERIFY(fixture->platform.messages[0].text.endsWith("open it again to check it."));
    VerifyNoRomOpen();
  }

  void quitAndTheCloseBoxEndTheProgramWithoutSaving() {
    Open(sample);
    Control<QAction>(*window, "mnuQuit")->trigger();
    QTest::mouseClick(Control<QPushButton>(*window, "QuitCMD"), Qt::LeftButton);
    window->close();
    QCOMPARE(fixture->platform.endProgramCalls, 3);
    QVERIFY(fixture->platform.messages.isEmpty());
    QCOMPARE(DescribeDifferences(sample, fixture->ReadRom()), "");
  }

  void informationPictureOpensTheTextListOnlyWithARomOpen() {
    window = std::make_unique<MainWindow>(fixture->platform);
    window->show();
    QTest::mouseClick(Control<QWidget>(*window, "InfoIMG"), Qt::LeftButton);
    QVERIFY(fixture->platform.modalWindows.isEmpty());
    fixture->platform.fileAnswers << fixture->WriteRom(sample);
    window->LoadROM();
    QTest::mouseClick(Control<QWidget>(*window, "InfoIMG"), Qt::LeftButton);
    QCOMPARE(fixture->platform.modalWindows, QStringList("Shit"));
  }

  void helpMenuOpensAboutAndSpecialThanks() {
    window = std::make_unique<MainWindow>(fixture->platform);
    Control<QAction>(*window, "mnuAbout")->trigger();
    Control<QAction>(*window, "mnuSpecialThanks")->trigger();
    QCOMPARE(fixture->platform.modalWindows, QStringList({"About Torvale", "Special Thanks"}));
    QVERIFY(!Control<QAction>(*window, "mnuAboutSPC")->isVisible());
    QVERIFY(!Control<QAction>(*window, "mnuContents")->isEnabled());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
