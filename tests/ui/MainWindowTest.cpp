// The main window: opening, refusing, saving and closing a ROM, the tree and
// menus that open the other windows; the ways into Torvale from the desktop
// (the command line, a drop, the recent files) and out of it to an emulator,
// and the settings they keep.

#include <sys/stat.h>
#include <zlib.h>

#include <utility>

#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/CommandLine.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

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

// "0x1234ABCD": the CRC32 of a file's game image, behind the copier header.
QString ImageCrc32Text(const Bytes& file) {
  const auto crc = crc32_z(0, file.data() + 0x200, file.size() - 0x200);
  return QStringLiteral("0x") + QString::number(crc, 16).toUpper().rightJustified(8, u'0');
}

const QString kSampleTitle = QStringLiteral("Torvale (v1.2) - FINAL FANTASY II      ");

// Run in Emulator (Ctrl+R), or Choose Emulator, from what the settings hold to
// what is started and kept. "emu" is a program in the test's folder, "rom.smc"
// the open ROM there, "gone" nothing; "-" is no value, "desktop" the desktop's
// own program for the ROM. A stored value "@..." is the whole settings file
// instead, "@" alone a settings file that cannot be read. The answer to the
// program dialog: "" cancels, "-" is not asked. When it fails, starting the
// program, or the desktop's, fails; the message is how the one shown starts.
struct EmulatorCase {
  const char *name, *stored, *answer, *started, *kept, *message;
  bool choose, fails;
};
const EmulatorCase kEmulatorCases[] = {
    {"first time", "-", "emu", "emu", "emu", "", false, false},
    {"first time, cancelled", "-", "", "desktop", "", "", false, false},
    {"no program chosen", "-", "rom.smc", "", "-", "\"%/rom.smc\" is not a program", false, false},
    {"chosen before", "emu", "-", "emu", "emu", "", false, false},
    {"chosen is gone", "gone", "emu", "emu", "emu", "", false, false},
    {"settings unreadable", "@", "emu", "emu", "emu", "", false, false},
    {"settings garbage", "@\xff[[\n=\x01@Variant(\nEmulator=42\n", "", "desktop", "", "", false,
     false},
    {"start fails", "emu", "-", "emu", "emu", "The emulator \"%/emu\" could not", false, true},
    {"desktop fails", "", "-", "desktop", "", "The desktop has no program", false, true},
    {"chosen again, cancelled", "emu", "", "", "", "", true, false},
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowFixture> fixture;
  std::unique_ptr<MainWindow> window;
  QString folder;

  void ExpectFile(const Bytes& expected) {
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }
  // The one message shown: its icon, the program's name as its title, and how its text starts.
  void ExpectMessage(MessageIcon icon, const QString& start) {
    torvale::testing::ExpectMessage(fixture->platform, icon, start, false);
    QCOMPARE(fixture->platform.messages.value(0).title, "Torvale");
  }
  // Opens the window of the tree's node `text` by Enter.
  void OpenNode(const char* text) {
    auto& tree = *Control<QTreeWidget>(*window, "Tree");
    tree.setFocus();
    tree.setCurrentItem(tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive)[0]);
    QTest::keyClick(&tree, Qt::Key_Return);
  }

  QString File(const QString& name) const { return folder + u'/' + name; }
  void NewWindow(torvale::RomIo& io = torvale::SystemRomIo()) {
    window = std::make_unique<MainWindow>(fixture->platform, io);
    window->show();
  }
  void Open(const QString& path) {
    fixture->platform.fileAnswers << path;
    Drive(*window, "mnuOpen");
  }
  // A new window with `image` opened through File > Open.
  void Load(const Bytes& image = Sample(), torvale::RomIo& io = torvale::SystemRomIo()) {
    NewWindow(io);
    Open(fixture->WriteRom(image));
  }
  // Written before the program reads it; without content, a folder that cannot be read.
  void WriteSettings(QByteArray content) {
    QFile file(fixture->platform.settingsFile);
    QVERIFY(content.isEmpty() ? QDir().mkpath(file.fileName())
                              : file.open(QIODevice::WriteOnly) &&
                                    file.write(content.replace('%', folder.toUtf8())) > 0);
  }
  QAction* RecentEntry(int index) { return Control<QMenu>(*window, "mnuRecent")->actions()[index]; }
  QStringList RecentPaths(const MainWindow& shown) {
    QStringList paths;
    for (QAction* entry : Control<QMenu>(shown, "mnuRecent")->actions()) {
      if (!entry->data().isNull()) paths << entry->data().toString();
    }
    return paths;
  }
  // Drags `urls` onto the main window and drops them there; whether it took them.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    const bool taken = QApplication::sendEvent(window.get(), &enter) && enter.isAccepted() &&
                       QApplication::sendEvent(window.get(), &drop) && drop.isAccepted();
    QCoreApplication::processEvents();
    return taken;
  }
  // What the user saw since the last call: the caption, whether the program
  // ended, and each message.
  QStringList Seen(const MainWindow& shown) {
    ScriptedPlatform& platform = fixture->platform;
    QStringList seen{shown.windowTitle(),
                     QString::number(std::exchange(platform.endProgramCalls, 0))};
    for (const ShownMessage& message : std::exchange(platform.messages, {})) seen << message.text;
    return seen;
  }

 private slots:
  void init() {
    fixture = std::make_unique<WindowFixture>();
    folder = QString::fromStdString(fixture->folder.Path().string());
  }
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  // The window starts with no ROM and the fifteen-node tree, shows the ROM
  // File > Open opens, and Close leaves the file as it was.
  void startsEmptyShowsTheRomOpenedAndClosesItUnsaved() {
    NewWindow();
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

    Open(fixture->WriteRom(Sample()));
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
                          {"dROMTag", "[None]"},
                          {"ChecksumLBL", "Correct"},
                          {"CRC32LBL",
                           ImageCrc32Text(Sample()) + ", not a known unedited dump of this game"}});
    QVERIFY(!Control<QLineEdit>(*window, "iROMName")->isReadOnly());
    for (const char* name :
         {"EditINameCMD", "EditROMHeaderCMD", "EditROMFormatCMD", "ExpandCHK", "SaveCMD", "Tree"}) {
      QVERIFY2(Control<QWidget>(*window, name)->isEnabled(), name);
    }
    for (QTreeWidgetItem* node : AllNodes(*Control<QTreeWidget>(*window, "Tree"))) {
      QVERIFY(node->childCount() == 0 || node->isExpanded());
    }
    ExpectFile(Sample());
    Drive(*window, "mnuFIG");
    QTest::keyClicks(Control<QLineEdit>(*window, "iROMName"), "XYZ");
    Drive(*window, "mnuClose");
    VerifyNoRomOpen(*window);
    QVERIFY(!window->SaveROM());
    ExpectFile(Sample());
  }

  void saveWritesTheChosenFieldsAndShowsTheNotice() {
    Load();
    Drive(*window, "mnuFF2usShort mnuChina mnuSWC");
    ExpectFile(Sample());  // nothing is written before Save
    QString notice;        // shown during Save's pause
    QTimer::singleShot(50, [&] { notice = Shown(*window, "InfoLBL"); });
    Drive(*window, "SaveCMD");
    QCOMPARE(notice, "Saved [FF2us].");
    const Bytes expected = Saved(2, {{0x81C0, Ascii("FF2us                 ")}, {0x81D9, {0x0B}}});
    ExpectFile(expected);
    // After the notice the hint, and the picture that opens the text list, are back.
    QVERIFY(Control<QLabel>(*window, "InfoLBL")->isVisible());
    QVERIFY(Control<QWidget>(*window, "InfoIMG")->isVisible());
    ExpectShown(*window, {{"InfoLBL", "Single click to select the editor you want to use."},
                          {"eROM", "Edited"},
                          {"dROMTag", "D:1.2b | Torvale         "},
                          {"ROMHeaderLBL", "Super Wild Card"}});
    QCOMPARE(Control<QLabel>(*window, "eROM")->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(Control<QLabel>(*window, "dROMTag")->toolTip(), "[None]");
    Drive(*window, "mnuSave");  // the menu's Save keeps the ROM open too
    ExpectFile(expected);
    QCOMPARE(Control<QLabel>(*window, "dROMTag")->toolTip(), "D:1.2b | Torvale         ");
    QVERIFY(Control<QWidget>(*window, "Tree")->isEnabled());
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  // An unknown header is saved as Super MagiCom and an unknown country kept;
  // the name box takes 21 printable characters; without the templates the
  // header is left as it was, and the rest saved.
  void saveKeepsWhatItCannotWriteAndTakesPrintableNames() {
    const Bytes unknown = SampleWith({{2, {0x04, 0x00, 0x00, 0x01}}, {0x81D9, {3}}});
    Load(unknown);
    ExpectShown(*window, {{"ROMHeaderLBL", "Unknown Header"}, {"cROMFormat", "N/A"}});
    auto* name = Control<QLineEdit>(*window, "iROMName");
    name->selectAll();
    TypeText(name, QStringLiteral("Ab\u00e9\u0100\u0007cdefghijklmnopqrstuvwxyz"));
    QCOMPARE(name->text(), "Ab\u00e9cdefghijklmnopqrst");
    QVERIFY(window->SaveROM());
    const Bytes written = {'A', 'b', 0xE9, 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                           'k', 'l', 'm',  'n', 'o', 'p', 'q', 'r', 's', 't', ' '};
    ExpectFile(Saved(1, {{2, {0x04, 0x00, 0x00, 0x01}}, {0x81D9, {3}}, {0x81C0, written}}));
    ExpectShown(*window, {{"ROMHeaderLBL", "Super MagiCom"}});
    Load();
    Drive(*window, "mnuBlankHeader");
    fixture->RemoveDataFile("Header.dat");
    QVERIFY(window->SaveROM());
    ExpectMessage(MessageIcon::kExclamation, "The copier header was left as it was");
    ExpectFile(Patched(Sample(), 0x100, kTag));
    ExpectShown(*window, {{"ROMHeaderLBL", "Blanked Copier Header"}});
  }

  void treeNodesOpenTheirEditorsByClickOrEnter() {
    Load();
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
    QCOMPARE(fixture->platform.modalWindows.last(), "Item Editor");
    ExpectFile(Sample());
  }

  void editorThatClosesTheRomLeavesNoRomOpen() {
    FaultyRomIo io;
    Load(Sample(), io);
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
    Load();
    Drive(*window, "InfoIMG");
    QCOMPARE(fixture->platform.modalWindows,
             QStringList({"About Torvale", "Special Thanks", "Shit"}));
    Drive(*window, "mnuQuit QuitCMD");
    window->close();
    QCOMPARE(fixture->platform.endProgramCalls, 3);
    QVERIFY(fixture->platform.messages.isEmpty());
    ExpectFile(Sample());
  }
  // File > Open, over a ROM open before, opens the Sample() and an earlier
  // release and refuses the rest, each with its message, leaving no ROM open
  // and the file as it was. The command line and a drop make the same of each.
  void everyWayInChecksTheFileAsOpenDoes_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("way");
    for (const char* kind : {"sample", "earlier release", "other game", "headerless", "short",
                             "huge", "held", "folder", "fifo", "missing", "device", "cancel"}) {
      for (const char* way : {"menu", "command line", "drop"}) {
        if (kind != QLatin1String("cancel") || way == QLatin1String("menu")) {
          QTest::addRow("%s, %s", kind, way) << kind << way;
        }
      }
    }
  }
  void everyWayInChecksTheFileAsOpenDoes() {
    QFETCH(QString, kind);
    QFETCH(QString, way);
    Bytes image = Sample();
    if (kind == "headerless") image.resize(1'048'576);
    if (kind == "short") image.resize(0xAB1D8);
    if (kind == "other game") image = Patched(Sample(), 0x101C0, Ascii("FINAL FANTASY 3"));
    if (kind == "earlier release")
      image = Patched(Sample(), 0x81C0, Ascii("FINAL FANTASY 4 EASY  "));
    QString path = fixture->WriteRom(image, "offered.smc");
    constexpr std::uintmax_t kTebibyte = std::uintmax_t{1} << 40;  // sparse: no disk taken
    if (kind == "huge") std::filesystem::resize_file(path.toStdString(), kTebibyte);
    torvale::RomFile holder;
    if (kind == "held") holder.Open(path.toStdString());
    if (kind == "folder" || kind == "fifo" || kind == "missing") path = File(kind);
    if (kind == "folder") QVERIFY(QDir().mkpath(path));
    if (kind == "fifo") QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    if (kind == "device") path = QStringLiteral("/dev/null");
    if (kind == "cancel") path.clear();
    const QString first = fixture->WriteRom(Sample(), "first.smc");
    NewWindow();
    Open(first);
    Seen(*window);
    Open(path);
    if (kind == "huge") {
      QCOMPARE(std::filesystem::file_size(path.toStdString()), kTebibyte);
    } else {
      QCOMPARE(DescribeDifferences(image, fixture->ReadRom("offered.smc")), "");
    }
    QVERIFY(kind != "missing" || !QFileInfo::exists(path));
    if (way == "menu") {
      const bool warned = kind == "earlier release";
      const bool told = warned || kind == "other game" || kind == "headerless" || kind == "short" ||
                        kind == "huge";
      if (told) {
        ExpectMessage(warned ? MessageIcon::kExclamation : MessageIcon::kCritical,
                      warned                 ? "You're loading: [ FINAL FANTASY 4 EASY ]."
                      : kind == "other game" ? "You tried to load: [ FINAL FANTASY 3 ]."
                      : kind == "huge"
                          ? "The file \"offered.smc\" holds 1099511627776 bytes, too many for"
                          : "");
      }
      const QStringList seen = Seen(*window);
      QCOMPARE(seen.size(), told ? 3 : 2);
      QCOMPARE(seen[1], QString(kind == "other game" ? "1" : "0"));  // the program ends
      if (kind != "sample" && !warned) return VerifyNoRomOpen(*window);
      QCOMPARE(window->windowTitle(),
               warned ? "Torvale (v1.2) - FINAL FANTASY 4 EASY  " : kSampleTitle);
      QVERIFY(Control<QWidget>(*window, "Tree")->isEnabled());
      return;
    }
    const QStringList expected = Seen(*window);
    window.reset();  // and with it the ROM it holds

    if (way == "command line") {
      torvale::ui::Startup startup(fixture->platform, {std::chrono::milliseconds(0), {}});
      startup.Begin(torvale::ui::ReadCommandLine({"torvale", path}).romFile);
      QTRY_VERIFY(startup.Main() != nullptr);
      QCOMPARE(Control<QProgressBar>(startup.SplashWindow(), "pbar")->value(), 3200);  // it ran
      QCOMPARE(Seen(*startup.Main()), expected);
      QCOMPARE(fixture->platform.askedFilters.size(), 2);  // the two above, none at start-up
      return;
    }
    NewWindow();
    Open(first);
    Seen(*window);
    QVERIFY(Drop({QUrl::fromLocalFile(path)}));
    QCOMPARE(Seen(*window), expected);
  }

  void dropIsRefusedUnlessOneLocalFileAndNoWindowOver() {
    const QString first = fixture->WriteRom(Sample(), "first.smc");
    NewWindow();
    Open(first);
    QVERIFY(!Drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(first)}));
    QVERIFY(!Drop({QUrl(QStringLiteral("https://torvale.test/first.smc"))}));
    bool droppedOver = true;
    fixture->platform.whileModal = [&](QDialog&) {
      droppedOver = Drop({QUrl::fromLocalFile(first)});
    };
    Drive(*window, "InfoIMG");  // the text list, modal
    QVERIFY(!droppedOver);
    QCOMPARE(Seen(*window), QStringList({kSampleTitle, "0"}));  // the ROM stayed open
  }

  // What the settings hold is read entry by entry: an entry that makes no sense is left out.
  void recentFilesKeepTheLastEightOpenedNewestFirst() {
    WriteSettings("RecentFiles=%/., rel.smc, , %/rom0.smc, %/rom0.smc, %/gone.smc\n");
    NewWindow();
    QCOMPARE(RecentPaths(*window), QStringList({File("rom0.smc"), File("gone.smc")}));
    QStringList expected;
    for (int i = 0; i < 9; ++i) {
      expected.prepend(fixture->WriteRom(Sample(), "rom" + std::to_string(i) + ".smc"));
      Open(expected.first());
    }
    Open(expected[5]);  // opened again: first, and once
    expected.move(5, 0);
    expected.removeLast();
    QCOMPARE(RecentPaths(*window), expected);
    QVERIFY(QFile::remove(expected[1]));
    RecentEntry(1)->trigger();
    QCOMPARE(Seen(*window), QStringList({kSampleTitle, "0",
                                         "The file \"" + expected.takeAt(1) +
                                             "\" is no longer there.  It has been removed from "
                                             "the recent files."}));
    RecentEntry(2)->trigger();  // opens it, and it comes first
    expected.move(2, 0);
    QCOMPARE(RecentPaths(*window), expected);
    ScriptedPlatform nextRun;  // reads the same settings file
    nextRun.settingsFile = fixture->platform.settingsFile;
    QCOMPARE(RecentPaths(MainWindow(nextRun)), expected);
    Drive(*window, "mnuClearRecent");
    QVERIFY(!Control<QMenu>(*window, "mnuRecent")->menuAction()->isEnabled());
    QVERIFY(RecentPaths(MainWindow(nextRun)).isEmpty());
  }

  void runInEmulatorStartsTheChosenProgram_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kEmulatorCases)); ++i) {
      QTest::newRow(kEmulatorCases[i].name) << i;
    }
  }
  void runInEmulatorStartsTheChosenProgram() {
    QFETCH(int, index);
    const EmulatorCase& row = kEmulatorCases[index];
    const auto named = [this](const QString& name) {
      return QStringList{"emu", "gone", "rom.smc"}.contains(name) ? File(name) : name;
    };
    QFile program(File("emu"));
    QVERIFY(program.open(QIODevice::WriteOnly) &&
            program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    ScriptedPlatform& platform = fixture->platform;
    if (*row.stored == '@') {
      WriteSettings(row.stored + 1);
    } else if (*row.stored != '-') {
      platform.Settings().setValue("Emulator", named(row.stored));
    }
    platform.startSucceeds = platform.desktopHandlerSucceeds = !row.fails;
    NewWindow();
    const QString rom = fixture->WriteRom(Sample(), "rom.smc");
    Open(rom);
    platform.fileAnswers << named(row.answer);
    if (row.choose) Drive(*window, "mnuChooseEmulator");
    if (!row.choose && QTest::qWaitForWindowActive(window.get())) {
      QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    }
    QCOMPARE(platform.askedProgramTitles.size(), *row.answer == '-' ? 0 : 1);
    const QString started = named(row.started);
    QCOMPARE(platform.desktopOpenedFiles, started == "desktop" ? QStringList(rom) : QStringList());
    QCOMPARE(platform.startedPrograms.size(), started.startsWith(u'/') ? 1 : 0);
    for (const auto& [program, arguments, in] : platform.startedPrograms) {
      QVERIFY(program == started && arguments == QStringList(rom) && in == folder);
    }
    const QString message = QString::fromLatin1(row.message).replace('%', folder);
    const QStringList messages = Seen(*window).mid(2);
    QVERIFY(message.isEmpty() ? messages.isEmpty() : messages.value(0).startsWith(message));
    QCOMPARE(platform.Settings().value("Emulator", "-").toString(), named(row.kept));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
