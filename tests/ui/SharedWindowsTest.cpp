// The windows and machinery that every editor shares: the start-up, the small
// windows, the number and name boxes, the deferred list fill and the SPC player.

#include <QAudioDevice>
#include <QMediaDevices>

#include "WindowFixture.h"
#include "romgen/SyntheticSpc.h"
#include "ui/AboutWindow.h"
#include "ui/DataFiles.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/MainWindow.h"
#include "ui/Pause.h"
#include "ui/PictureWindow.h"
#include "ui/QtPlatform.h"
#include "ui/SpcPlayer.h"
#include "ui/SpecialThanksWindow.h"
#include "ui/Startup.h"

using namespace torvale::testing;
using torvale::ui::DeferredFill;
using torvale::ui::Startup;

namespace {

constexpr torvale::ui::SplashTiming kNoDelay{{}, {}};  // no wait and no animation

// One list, eight drop-down lists and a field, like an editor's, filled with
// `count` names; a slow fill appends them in pieces, 1 ms apart.
struct FillWindow {
  explicit FillWindow(int count, int pieces = 1) {
    for (int i = 0; i < count; ++i) entries.push_back("Name " + std::to_string(i));
    auto* layout = new QVBoxLayout(&window);
    lists << &list;
    for (QComboBox& combo : combos) lists << &combo;
    for (QWidget* control : lists + QList<QWidget*>{&field, &bar}) layout->addWidget(control);
    fill = new DeferredFill(window, bar, lists, {&list, &field}, [this, pieces] {
      const auto length = static_cast<std::ptrdiff_t>(entries.size()) / pieces;
      for (int piece = 0; piece < pieces; ++piece) {
        if (pieces > 1) QThread::msleep(1);
        const auto start = entries.begin() + piece * length;
        if (!fill->AppendToLists({start, start + length}, lists)) return;
      }
    });
    QObject::connect(fill, &DeferredFill::Filled, [this] { ++filled; });
  }
  bool Locked() const { return !list.isEnabled() && !field.isEnabled(); }

  QDialog window;
  QListWidget list;
  QComboBox combos[8];
  QLineEdit field;
  QProgressBar bar;
  QList<QWidget*> lists;
  std::vector<std::string> entries;
  DeferredFill* fill = nullptr;
  int filled = 0;
};

}  // namespace

class SharedWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void splashShowsTheProgramThenTheFileDialogComesFirst() {
    WindowFixture fixture;
    Startup startup(fixture.platform);
    startup.Begin();
    const auto& splash = startup.SplashWindow();
    QVERIFY(splash.isVisible());
    QVERIFY(Control<QLabel>(splash, "InfoLBL")
                ->text()
                .startsWith("Torvale (Version: 1.2)\r\n\r\nDescription: This program allows you to "
                            "edit various aspects of Final Fantasy 2us and some aspects of Final "
                            "Fantasy 4/Final Fantasy 4 EasyType, both FF4 versions aren't directly "
                            "supported--use at your OWN RISK.\r\n\r\nSpecial Thanks: \r\n"));
    QCOMPARE(Control<QLabel>(splash, "WarningLBL")->text(),
             "Warning: I am not responsible for anything you do.");
    QTRY_VERIFY(startup.Main() != nullptr);
    QCOMPARE(Control<QProgressBar>(splash, "pbar")->value(), 3200);
    QVERIFY(!splash.isVisible());
    // The dialog was answered with a cancel: the main window shows, with no ROM.
    QCOMPARE(fixture.platform.askedFilters.size(), 1);
    QVERIFY(startup.Main()->isVisible());
    QCOMPARE(startup.Main()->windowTitle(), "Torvale (v1.2)");
    QVERIFY(fixture.platform.messages.isEmpty());
    // The ROM chosen first is open when the main window shows.
    fixture.platform.fileAnswers << fixture.WriteRom(Sample());
    Startup second(fixture.platform, kNoDelay);
    second.Begin();
    QTRY_VERIFY(second.Main() != nullptr);
    QCOMPARE(second.Main()->windowTitle(), "Torvale (v1.2) - FINAL FANTASY II      ");
    // Without the header templates, the program ends before any dialog.
    fixture.platform.askedFilters.clear();
    fixture.RemoveDataFile("Header.dat");
    Startup third(fixture.platform, kNoDelay);
    third.Begin();
    QTRY_COMPARE(fixture.platform.endProgramCalls, 1);
    ExpectMessage(fixture.platform, MessageIcon::kCritical,
                  "You are missing a vital data file, you will need to reinstall the program to "
                  "fix this error.  This application will now close.");
    QTest::qWait(50);
    QVERIFY(third.Main() == nullptr);
    QVERIFY(fixture.platform.askedFilters.isEmpty());
  }

  // Data files are looked for beside the program first, then in the installed folder.
  void dataFilesAreFoundBesideTheProgramThenInTheInstalledFolder() {
    for (const char* name : {"Header.dat", "FF2us.tbl"}) {
      WindowFixture fixture;
      const auto in = [&](DataPlace place) {
        return QFileInfo(QString::fromStdString(fixture.DataFileIn(place, name).string()))
            .canonicalFilePath();
      };
      const auto found = [&] {
        return QFileInfo(torvale::ui::DataFilePath(fixture.platform, QString::fromLatin1(name)))
            .canonicalFilePath();
      };
      const QString beside = in(DataPlace::kProgramFolder);
      fixture.PlaceDataFile(name, DataPlace::kInstalledFolder);
      QCOMPARE(found(), in(DataPlace::kInstalledFolder));
      QVERIFY(QFile::copy(in(DataPlace::kInstalledFolder), beside));
      QCOMPARE(found(), beside);
    }
  }

  void smallWindowsShowTheirTextAndClose() {
    ScriptedPlatform platform;
    const QString address = QStringLiteral("https://torvale.test/");
    torvale::ui::AboutWindow about(platform, nullptr, address);
    about.show();
    QCOMPARE(Control<QLabel>(about, "VersionLBL")->text(), "Version 1.2");
    emit Control<QLabel>(about, "WebLinkLBL")->linkActivated(address);
    QCOMPARE(platform.webAddresses, QStringList(address));
    ClickButton(*Control<QDialogButtonBox>(about, "OKCMD")->button(QDialogButtonBox::Ok));
    torvale::ui::SpecialThanksWindow thanks;
    thanks.show();
    QVERIFY(!Control<QLabel>(thanks, "CreditsLBL")->text().isEmpty());
    ClickButton(*Control<QDialogButtonBox>(thanks, "CloseCMD")->button(QDialogButtonBox::Close));
    torvale::ui::PictureWindow picture;
    picture.show();
    QTest::mouseClick(Control<QLabel>(picture, "PictureIMG"), Qt::LeftButton);
    QVERIFY(!about.isVisible() && !thanks.isVisible() && !picture.isVisible());
    QCOMPARE(torvale::ui::QtNameFilters("All Files (*.*)|*.*|All SNES ROM Files (*.swc, *.smc, "
                                        "*.fig)|*.smc;*.swc;*.fig"),
             QStringList({"All Files (*)", "All SNES ROM Files (*.smc *.swc *.fig)"}));
  }

  // Qt's save dialog gives a name typed without a suffix the suffix of the
  // type chosen, and then asks whether to replace the file of that name.
  void saveDialogAddsTheTypesSuffixBeforeAskingToReplace() {
    QTemporaryDir folder;
    QVERIFY(QFile(folder.filePath("mypatch.ips")).open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());  // no user settings are read
    torvale::ui::QtPlatform platform;
    QString asked;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->setDirectory(folder.path());
      QTest::keyClick(Control<QComboBox>(*dialog, "fileTypeCombo"), Qt::Key_Down);  // to IPS
      auto* name = Control<QLineEdit>(*dialog, "fileNameEdit");
      name->setFocus();
      TypeText(name, QStringLiteral("mypatch"));
      QTimer::singleShot(0, [&] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(question != nullptr);
        asked = question->text();
        ClickButton(*question->button(QMessageBox::Yes));
      });
      QTest::keyClick(name, Qt::Key_Return);
    });
    QString type = QStringLiteral("BPS Patch (*.bps)");
    const QString chosen = platform.AskSaveFileName(
        nullptr, QStringLiteral("Create Patch"),
        QStringLiteral("BPS Patch (*.bps)|*.bps|IPS Patch (*.ips)|*.ips"), type);
    QCOMPARE(chosen, folder.filePath("mypatch.ips"));
    QCOMPARE(type, QStringLiteral("IPS Patch (*.ips)"));
    QCOMPARE(asked, QStringLiteral("mypatch.ips already exists.\nDo you want to replace it?"));
  }

  void pauseWaitsWhileEventsRun() {
    bool handled = false;
    QTimer::singleShot(20, [&] { handled = true; });
    QElapsedTimer clock;
    clock.start();
    torvale::ui::Pause(0.2);
    QVERIFY(handled);
    QVERIFY2(clock.elapsed() >= 200, qPrintable(QString::number(clock.elapsed())));
  }

  // From the start of the box's text, the keys typed (\b is Backspace, \v pastes the rest),
  // what the box shows and the number it holds.
  void numberAndNameBoxesCorrectAndRefuseAsTheUserTypes() {
    const std::tuple<int, int, const char*, const char*, const char*, std::optional<qint64>>
        cases[] = {{0, 255, "", "12", "12", 12},       {0, 255, "", "300", "255", 255},
                   {0, 255, "7", "a1b", "71", 71},     {0, 255, "7", " 2", "72", 72},
                   {0, 255, "42", "\b\b", "0", 0},     {0, 255, "4", "\b5", "5", 5},
                   {0, 255, "", "-5", "5", 5},         {0, 127000, "", "999999", "127000", 127000},
                   {-64, 255, "", "-", "-", {}},       {-64, 255, "", "-12", "-12", -12},
                   {-64, 255, "", "-100", "-64", -64}, {0, 255, "7", "\v12a", "7", 7},
                   {0, 255, "", "\v999", "255", 255}};
    for (const auto& [minimum, maximum, start, typed, shown, value] : cases) {
      QLineEdit box;
      torvale::ui::MakeNumberBox(box, minimum, maximum);
      box.setText(QString::fromLatin1(start));
      box.show();
      box.end(false);
      for (const char* key = typed; *key != '\0'; ++key) {
        if (*key == '\v') {
          QApplication::clipboard()->setText(QString::fromLatin1(key + 1));
          box.paste();
          break;
        }
        if (*key == '\b') QTest::keyClick(&box, Qt::Key_Backspace);
        if (*key != '\b') TypeText(&box, QString(QChar::fromLatin1(*key)));
      }
      QCOMPARE(box.text(), QString::fromLatin1(shown));
      QCOMPARE(torvale::ui::NumberIn(box), value);
    }
    // The length a box takes limits what is typed, not what the program shows.
    QLineEdit box;
    box.setMaxLength(3);
    torvale::ui::MakeNumberBox(box, INT32_MIN, INT32_MAX);
    TypeText(&box, QStringLiteral("12345"));
    QCOMPARE(box.text(), "123");
    box.setText(QStringLiteral("-2147483648"));
    QCOMPARE(torvale::ui::NumberIn(box), std::optional<qint64>(INT32_MIN));
    // A name box never empties and takes the field's length.
    QLineEdit name;
    torvale::ui::MakeNameBox(name, 8);
    name.setText(QStringLiteral("Potion  "));
    name.selectAll();
    QTest::keyClick(&name, Qt::Key_Backspace);
    QCOMPARE(name.text(), " ");
    TypeText(&name, QStringLiteral("ElixirXYZ"));
    QCOMPARE(name.text(), "ElixirX ");
    // A character the game has no byte for is refused, typed or pasted.
    name.selectAll();
    TypeText(&name, QStringLiteral("Q&W\u00e9."));
    QCOMPARE(name.text(), "QW.");
    QApplication::clipboard()->setText(QStringLiteral("A#B"));
    name.paste();
    QCOMPARE(name.text(), "QW.");
  }

  // Lists fill once the window shows, the window locked meanwhile and yet
  // answering, and the fill ends when the window closes.
  void deferredFillFillsEveryListOnceShownThenUnlocks() {
    FillWindow w(256);
    QVERIFY(w.Locked());
    QTest::qWait(20);
    QCOMPARE(w.list.count(), 0);  // nothing happens before the window shows
    w.window.show();
    QTRY_COMPARE(w.filled, 1);
    QVERIFY(!w.Locked() && !w.bar.isVisible());
    for (QWidget* list : w.lists) QCOMPARE(list->property("count").toInt(), 256);
    QCOMPARE(w.combos[7].itemText(255), "Name 255");
    w.fill->Restart();  // Refresh fills the lists anew, not on top
    QCOMPARE(w.filled, 2);
    QCOMPARE(w.list.count(), 256);
    FillWindow slow(2000, 200);
    int seen = -1;
    bool locked = false;
    QTimer::singleShot(5, [&] {
      seen = slow.list.count();
      locked = slow.Locked() && slow.bar.isVisible();
    });
    slow.window.show();
    QTRY_VERIFY_WITH_TIMEOUT(slow.filled == 1, 20000);
    QVERIFY2(seen > 0 && seen < 2000 && locked, qPrintable(QString::number(seen)));
    FillWindow closed(2000, 200);
    QTimer::singleShot(5, &closed.window, &QDialog::reject);
    closed.window.show();
    QTRY_VERIFY(!closed.window.isVisible());
    QTest::qWait(50);
    QVERIFY(closed.filled == 0 && closed.Locked() && closed.list.count() < 2000);
  }

  void spcPlayerReadsTheTagAndKeepsItsSongOverOneItCannotPlay() {
    QTemporaryDir folder;
    torvale::ui::SpcPlayer player;
    const std::pair<std::string, std::string> tags[] = {
        {"Torvale Test Tunes", "Overture of Bells"},
        {"Q", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
        {"Synthetic Sound Processor Album!", "Loop"},
        {"Game", "Song"}};
    const auto write = [&](const QString& name, const std::string& game, const std::string& title) {
      torvale::romgen::WriteFileBytes(folder.filePath(name).toStdString(),
                                      torvale::romgen::BuildSyntheticSpc(game, title));
      return folder.filePath(name);
    };
    for (const auto& [game, title] : tags) {
      QVERIFY(player.Load(write("song.spc", game, title)));
      QCOMPARE(player.GetGame(), QString::fromStdString(game));
      QCOMPARE(player.GetTitle(), QString::fromStdString(title));
    }
    const QString path = folder.filePath("song.spc");  // holds the last of the tags
    torvale::romgen::WriteFileBytes(folder.filePath("text.spc").toStdString(),
                                    Ascii("Not music.\n"));
    QFile::copy(path, folder.filePath("cut.spc"));
    QFile::resize(folder.filePath("cut.spc"), 0x1000);
    for (const char* other : {"missing.spc", "text.spc", "cut.spc"}) {
      QVERIFY(!player.Load(folder.filePath(other)));
      QCOMPARE(player.GetGame(), "Game");  // the song loaded before stays
    }
    // Without an audio device nothing plays and nothing complains.
    const bool device = !QMediaDevices::audioOutputs().isEmpty();
    player.Play();
    QTest::qWait(300);  // the output pulls samples; an emulation fault would end the song
    QCOMPARE(player.IsPlaying(), device);
    player.Stop();
    QVERIFY(!player.IsPlaying());
    player.Restart();
    QVERIFY(!player.IsPlaying());
    player.Play();
    player.Restart();
    QCOMPARE(player.IsPlaying(), device);
    QVERIFY(player.Load(path));
    QVERIFY(!player.IsPlaying());
  }
};

QTEST_MAIN(SharedWindowsTest)
#include "SharedWindowsTest.moc"
