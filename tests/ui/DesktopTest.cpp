// The ways into Torvale from the desktop (the command line, a drop on the main
// window, the recent files) and out of it to an emulator; the settings they keep.

#include <sys/stat.h>

#include <utility>

#include "WindowFixture.h"
#include "ui/CommandLine.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

using namespace torvale::testing;
using torvale::ui::MainWindow;
using torvale::ui::MessageIcon;

namespace {

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

class DesktopTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowFixture> fixture;
  std::unique_ptr<MainWindow> window;
  const Bytes& sample = Sample();
  QString folder;

  QString File(const QString& name) const { return folder + u'/' + name; }
  void NewWindow() {
    window = std::make_unique<MainWindow>(fixture->platform);
    window->show();
  }
  void Open(const QString& path) {
    fixture->platform.fileAnswers << path;
    Drive(*window, "mnuOpen");
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
  QStringList Shown(const MainWindow& shown) {
    ScriptedPlatform& platform = fixture->platform;
    QStringList seen{shown.windowTitle(),
                     QString::number(std::exchange(platform.endProgramCalls, 0))};
    for (const ShownMessage& message : std::exchange(platform.messages, {})) seen << message.text;
    return seen;
  }

 private slots:
  void init() {
    window.reset();
    fixture = std::make_unique<WindowFixture>();
    folder = QString::fromStdString(fixture->folder.Path().string());
  }

  // File > Open, over a ROM open before, opens the sample and an earlier
  // release and refuses the rest, each with its message, leaving no ROM open
  // and the file as it was. The command line and a drop make the same of each.
  void everyWayInChecksTheFileAsOpenDoes_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("way");
    for (const char* kind : {"sample", "earlier release", "other game", "headerless", "short",
                             "held", "folder", "fifo", "missing", "device", "cancel"}) {
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
    Bytes image = sample;
    if (kind == "headerless") image.resize(1'048'576);
    if (kind == "short") image.resize(0xAB1D8);
    if (kind == "other game") image = Patched(sample, 0x101C0, Ascii("FINAL FANTASY 3"));
    if (kind == "earlier release") image = Patched(sample, 0x81C0, Ascii("FINAL FANTASY 4 EASY  "));
    QString path = fixture->WriteRom(image, "offered.smc");
    torvale::RomFile holder;
    if (kind == "held") holder.Open(path.toStdString());
    if (kind == "folder" || kind == "fifo" || kind == "missing") path = File(kind);
    if (kind == "folder") QVERIFY(QDir().mkpath(path));
    if (kind == "fifo") QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    if (kind == "device") path = QStringLiteral("/dev/null");
    if (kind == "cancel") path.clear();
    const QString first = fixture->WriteRom(sample, "first.smc");
    NewWindow();
    Open(first);
    Shown(*window);
    Open(path);
    QCOMPARE(DescribeDifferences(image, fixture->ReadRom("offered.smc")), "");
    QVERIFY(kind != "missing" || !QFileInfo::exists(path));
    const QList<ShownMessage> messages = fixture->platform.messages;
    const QStringList expected = Shown(*window);
    if (way == "menu") {
      const bool warned = kind == "earlier release";
      const bool told = warned || QStringList({"other game", "headerless", "short"}).contains(kind);
      QCOMPARE(messages.size(), told ? 1 : 0);
      for (const ShownMessage& message : messages) {
        QCOMPARE(message.icon, warned ? MessageIcon::kExclamation : MessageIcon::kCritical);
        QCOMPARE(message.title, QStringLiteral("Torvale"));
        QVERIFY(message.text.startsWith(warned ? "You're loading: [ FINAL FANTASY 4 EASY ]."
                                        : kind == "other game"
                                            ? "You tried to load: [ FINAL FANTASY 3 ]."
                                            : ""));
      }
      QCOMPARE(expected[1], QString(kind == "other game" ? "1" : "0"));  // the program ends
      if (kind == "sample" || warned) {
        QCOMPARE(expected[0], warned ? "Torvale (v1.2) - FINAL FANTASY 4 EASY  " : kSampleTitle);
        QVERIFY(Control<QWidget>(*window, "Tree")->isEnabled());
      } else {
        VerifyNoRomOpen(*window);
      }
      return;
    }
    window.reset();  // and with it the ROM it holds

    if (way == "command line") {
      torvale::ui::Startup startup(fixture->platform, {std::chrono::milliseconds(0), {}});
      startup.Begin(torvale::ui::ReadCommandLine({"torvale", path}).romFile);
      QTRY_VERIFY(startup.Main() != nullptr);
      QCOMPARE(Control<QProgressBar>(startup.SplashWindow(), "pbar")->value(), 3200);  // it ran
      QCOMPARE(Shown(*startup.Main()), expected);
      QCOMPARE(fixture->platform.askedFilters.size(), 2);  // the two above, none at start-up
      return;
    }
    NewWindow();
    Open(first);
    Shown(*window);
    QVERIFY(Drop({QUrl::fromLocalFile(path)}));
    QCOMPARE(Shown(*window), expected);
  }

  void dropIsRefusedUnlessOneLocalFileAndNoWindowOver() {
    const QString first = fixture->WriteRom(sample, "first.smc");
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
    QCOMPARE(Shown(*window), QStringList({kSampleTitle, "0"}));  // the ROM stayed open
  }

  // What the settings hold is read entry by entry: an entry that makes no sense is left out.
  void recentFilesKeepTheLastEightOpenedNewestFirst() {
    WriteSettings("RecentFiles=%/., rel.smc, , %/rom0.smc, %/rom0.smc, %/gone.smc\n");
    NewWindow();
    QCOMPARE(RecentPaths(*window), QStringList({File("rom0.smc"), File("gone.smc")}));
    QStringList expected;
    for (int i = 0; i < 9; ++i) {
      expected.prepend(fixture->WriteRom(sample, "rom" + std::to_string(i) + ".smc"));
      Open(expected.first());
    }
    Open(expected[5]);  // opened again: first, and once
    expected.move(5, 0);
    expected.removeLast();
    QCOMPARE(RecentPaths(*window), expected);
    QVERIFY(QFile::remove(expected[1]));
    RecentEntry(1)->trigger();
    QCOMPARE(Shown(*window), QStringList({kSampleTitle, "0",
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
    const QString rom = fixture->WriteRom(sample, "rom.smc");
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
    const QStringList messages = Shown(*window).mid(2);
    QVERIFY(message.isEmpty() ? messages.isEmpty() : messages.value(0).startsWith(message));
    QCOMPARE(platform.Settings().value("Emulator", "-").toString(), named(row.kept));
  }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
