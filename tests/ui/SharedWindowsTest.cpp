// The windows and machinery that every editor shares: the start-up, the small
// windows, the number and name boxes, the deferred list fill and the SPC player.

#include <QApplication>
#include <QAudioDevice>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMediaDevices>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

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

using torvale::romgen::BuildSyntheticSpc;
using torvale::testing::Control;
using torvale::testing::DataPlace;
using torvale::testing::TypeText;
using torvale::ui::DeferredFill;
using torvale::ui::MessageIcon;
using torvale::ui::NumberIn;
using torvale::ui::SpcPlayer;
using torvale::ui::Startup;

namespace {

constexpr torvale::ui::SplashTiming kNoDelay{std::chrono::milliseconds(0),
                                             std::chrono::milliseconds(0)};

// A window with one list, eight drop-down lists and a field, like the editors'.
// A slow fill (`pieces` > 1) appends its entries in pieces, 1 ms apart, so
// that it spans many frames.
struct FillWindow {
  explicit FillWindow(int entryCount, int pieces = 1) {
    for (int i = 0; i < entryCount; ++i) entries.push_back("Name " + std::to_string(i));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(&list);
    for (QComboBox& combo : combos) {
      layout->addWidget(&combo);
      lists << &combo;
    }
    lists.prepend(&list);
    layout->addWidget(&field);
    layout->addWidget(&bar);
    fill = new DeferredFill(window, bar, lists, {&list, &field}, [this, pieces] {
      const auto pieceLength = static_cast<std::ptrdiff_t>(entries.size()) / pieces;
      for (int piece = 0; piece < pieces; ++piece) {
        if (pieces > 1) QThread::msleep(1);
        const auto start = entries.begin() + piece * pieceLength;
        if (!fill->AppendToLists({start, start + pieceLength}, lists)) return;
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

QByteArray SpcBytes(const char* game = "Game", const char* title = "Song") {
  const std::vector<std::uint8_t> file = BuildSyntheticSpc(game, title);
  return {reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size())};
}

QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes) {
  const QString path = folder.filePath(name);
  torvale::romgen::WriteFileBytes(path.toStdString(), {bytes.begin(), bytes.end()});
  return path;
}

}  // namespace

class SharedWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void splashShowsTheProgramThenTheFileDialogComesFirst() {
    torvale::testing::WindowFixture fixture;
    Startup startup(fixture.platform);
    QElapsedTimer clock;
    clock.start();
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
             QStringLiteral("Warning: I am not responsible for anything you do."));
    QTRY_VERIFY(startup.Main() != nullptr);
    QVERIFY(clock.elapsed() <= 1000);
    QCOMPARE(Control<QProgressBar>(splash, "pbar")->value(), 3200);
    QVERIFY(!splash.isVisible());
    // The dialog was answered with a cancel: the main window shows, with no ROM.
    QCOMPARE(fixture.platform.askedFilters.size(), 1);
    QVERIFY(startup.Main()->isVisible());
    QCOMPARE(startup.Main()->windowTitle(), QStringLiteral("Torvale (v1.2)"));
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(fixture.platform.endProgramCalls, 0);
  }

  // Data files are looked for beside the program first, then in the installed folder.
  void dataFilesAreFoundBesideTheProgramThenInTheInstalledFolder() {
    for (const char* name : {"Header.dat", "FF2us.tbl"}) {
      torvale::testing::WindowFixture fixture;
      const auto found = [&] {
        return QFileInfo(torvale::ui::DataFilePath(fixture.platform, QString::fromLatin1(name)))
            .canonicalFilePath();
      };
      const auto in = [&](DataPlace place) {
        return QFileInfo(QString::fromStdString(fixture.DataFileIn(place, name).string()))
            .canonicalFilePath();
      };
      const QString beside = in(DataPlace::kProgramFolder);
      fixture.PlaceDataFile(name, DataPlace::kInstalledFolder);
      QCOMPARE(found(), in(DataPlace::kInstalledFolder));
      QVERIFY(QFile::copy(in(DataPlace::kInstalledFolder), beside));
      QCOMPARE(found(), in(DataPlace::kProgramFolder));
    }
  }

  void missingHeaderTemplatesEndTheProgramBeforeAnyDialog() {
    torvale::testing::WindowFixture fixture;
    fixture.RemoveDataFile("Header.dat");
    Startup startup(fixture.platform, kNoDelay);
    startup.Begin();
    QTRY_COMPARE(fixture.platform.endProgramCalls, 1);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::kCritical);
    QCOMPARE(fixture.platform.messages[0].title, QStringLiteral("Torvale"));
    QCOMPARE(fixture.platform.messages[0].text,
             QStringLiteral("You are missing a vital data file, you will need to reinstall the "
                            "program to fix this error.  This application will now close."));
    QTest::qWait(50);
    QVERIFY(startup.Main() == nullptr);
    QVERIFY(fixture.platform.askedFilters.isEmpty());
  }

  void firstRomChosenIsOpenWhenTheMainWindowShows() {
    torvale::testing::WindowFixture fixture;
    fixture.platform.fileAnswers << fixture.WriteRom(torvale::romgen::BuildSampleRom());
    Startup startup(fixture.platform, kNoDelay);
    startup.Begin();
    QTRY_VERIFY(startup.Main() != nullptr);
    QCOMPARE(startup.Main()->windowTitle(),
             QStringLiteral("Torvale (v1.2) - FINAL FANTASY II      "));
    QVERIFY(Control<QWidget>(*startup.Main(), "Tree")->isEnabled());
  }
  void aboutShowsTheVersionAndOpensItsLinkThroughTheSystem() {
    torvale::tools::ScriptedPlatform platform;
    torvale::ui::AboutWindow about(platform);
    about.show();
    QCOMPARE(Control<QLabel>(about, "ProgramLBL")->text(), QStringLiteral("Torvale"));
    QCOMPARE(Control<QLabel>(about, "VersionLBL")->text(), QStringLiteral("Version 1.2"));
    auto* link = Control<QLabel>(about, "WebLinkLBL");
    emit link->linkActivated(torvale::ui::kProgramWebAddress);
    QCOMPARE(platform.webAddresses, QStringList(torvale::ui::kProgramWebAddress));
    QTest::mouseClick(Control<QDialogButtonBox>(about, "OKCMD")->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }

  void specialThanksClosesOnItsButton() {
    torvale::ui::SpecialThanksWindow thanks;
    thanks.show();
    QVERIFY(!Control<QLabel>(thanks, "CreditsLBL")->text().isEmpty());
    QTest::mouseClick(
        Control<QDialogButtonBox>(thanks, "CloseCMD")->button(QDialogButtonBox::Close),
        Qt::LeftButton);
    QVERIFY(!thanks.isVisible());
  }

  void pictureWindowClosesOnAClick() {
    torvale::ui::PictureWindow picture;
    picture.show();
    QVERIFY(!Control<QLabel>(picture, "PictureIMG")->pixmap().isNull());
    QTest::mouseClick(Control<QLabel>(picture, "PictureIMG"), Qt::LeftButton);
    QVERIFY(!picture.isVisible());
  }

  void pauseWaitsWhileEventsRun() {
    bool handled = false;
    QTimer::singleShot(20, [&] { handled = true; });
    QElapsedTimer clock;
    clock.start();
    torvale::ui::Pause(0.2);
    const qint64 elapsed = clock.elapsed();
    QVERIFY(handled);
    QVERIFY2(elapsed >= 200, qPrintable(QString::number(elapsed)));
  }

  void fileFiltersBecomeQtNameFilters() {
    QCOMPARE(torvale::ui::QtNameFilters(
                 "All Files (*.*)|*.*|All SNES ROM Files (*.swc, *.smc, *.fig)|*.smc;*.swc;*.fig|"
                 "Super MagiCom ROM File (*.smc)|*.smc"),
             QStringList({"All Files (*)", "All SNES ROM Files (*.smc *.swc *.fig)",
                          "Super MagiCom ROM File (*.smc)"}));
  }
  void numberBoxCorrectsAndRefusesAsTheUserTypes_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");  // \b is Backspace, \v is Paste of the rest
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");  // -1000: no value
    QTest::newRow("plain") << 0 << 255 << ""
                           << "12"
                           << "12" << 12;
    QTest::newRow("above maximum") << 0 << 255 << ""
                                   << "300"
                                   << "255" << 255;
    QTest::newRow("letters refused") << 0 << 255 << "7"
                                     << "a1b"
                                     << "71" << 71;
    QTest::newRow("space refused") << 0 << 255 << "7"
                                   << " 2"
                                   << "72" << 72;
    QTest::newRow("emptied") << 0 << 255 << "42"
                             << "\b\b"
                             << "0" << 0;
    QTest::newRow("emptied then typed") << 0 << 255 << "4"
                                        << "\b5"
                                        << "5" << 5;
    QTest::newRow("minus refused") << 0 << 255 << ""
                                   << "-5"
                                   << "5" << 5;
    QTest::newRow("price maximum") << 0 << 127000 << ""
                                   << "999999"
                                   << "127000" << 127000;
    QTest::newRow("lone minus") << -64 << 255 << ""
                                << "-"
                                << "-" << -1000;
    QTest::newRow("negative") << -64 << 255 << ""
                              << "-12"
                              << "-12" << -12;
    QTest::newRow("below minimum") << -64 << 255 << ""
                                   << "-100"
                                   << "-64" << -64;
    QTest::newRow("paste refused") << 0 << 255 << "7"
                                   << "\v12a"
                                   << "7" << 7;
    QTest::newRow("paste clamped") << 0 << 255 << ""
                                   << "\v999"
                                   << "255" << 255;
  }
  void numberBoxCorrectsAndRefusesAsTheUserTypes() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);
    QLineEdit box;
    torvale::ui::MakeNumberBox(box, minimum, maximum);
    box.setText(start);
    box.show();
    box.end(false);
    for (qsizetype i = 0; i < typed.size(); ++i) {
      if (typed[i] == u'\b') {
        QTest::keyClick(&box, Qt::Key_Backspace);
      } else if (typed[i] == u'\v') {
        QApplication::clipboard()->setText(typed.mid(i + 1));
        box.paste();
        break;
      } else {
        TypeText(&box, QString(typed[i]));
      }
    }
    QCOMPARE(box.text(), shown);
    QCOMPARE(NumberIn(box), value == -1000 ? std::nullopt : std::optional<qint64>(value));
  }

  void numberBoxLimitsWhatIsTypedNotWhatIsShown() {
    QLineEdit box;
    box.setMaxLength(3);
    torvale::ui::MakeNumberBox(box, -2147483648LL, 2147483647LL);
    box.show();
    TypeText(&box, QStringLiteral("12345"));
    QCOMPARE(box.text(), QStringLiteral("123"));
    box.setText(QStringLiteral("-2147483648"));
    QCOMPARE(box.text(), QStringLiteral("-2147483648"));
    QCOMPARE(NumberIn(box), std::optional<qint64>(-2147483648LL));
  }

  void nameBoxNeverEmptiesAndTakesTheFieldsLength() {
    QLineEdit box;
    torvale::ui::MakeNameBox(box, 8);
    box.setText(QStringLiteral("Potion  "));
    box.show();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), QStringLiteral(" "));
    TypeText(&box, QStringLiteral("Elixir"));
    QCOMPARE(box.text(), QStringLiteral("Elixir "));
    TypeText(&box, QStringLiteral("XYZ"));
    QCOMPARE(box.text(), QStringLiteral("ElixirX "));
  }

  void fillsEveryListOnceTheWindowIsShownThenUnlocks() {
    FillWindow w(256);
    QVERIFY(w.Locked());
    QTest::qWait(20);
    QCOMPARE(w.list.count(), 0);  // nothing happens before the window shows
    w.window.show();
    QTRY_COMPARE(w.filled, 1);
    QVERIFY(!w.Locked());
    QVERIFY(!w.bar.isVisible());
    QCOMPARE(w.list.count(), 256);
    for (const QComboBox& combo : w.combos) {
      QCOMPARE(combo.count(), 256);
      QCOMPARE(combo.itemText(255), QStringLiteral("Name 255"));
    }
    QCOMPARE(w.list.item(0)->text(), QStringLiteral("Name 0"));
    w.fill->Restart();  // Refresh fills the lists anew, not on top
    QCOMPARE(w.filled, 2);
    QCOMPARE(w.list.count(), 256);
    QCOMPARE(w.combos[7].count(), 256);
  }

  void windowStaysResponsiveAndLockedDuringASlowFill() {
    FillWindow w(2000, 200);
    int seenEntries = -1;
    bool lockedDuringFill = false;
    bool barShown = false;
    QTimer::singleShot(5, [&] {
      seenEntries = w.list.count();
      lockedDuringFill = w.Locked();
      barShown = w.bar.isVisible();
    });
    w.window.show();
    QTRY_VERIFY_WITH_TIMEOUT(w.filled == 1, 20000);
    QVERIFY2(seenEntries > 0 && seenEntries < 2000, qPrintable(QString::number(seenEntries)));
    QVERIFY(lockedDuringFill);
    QVERIFY(barShown);
  }

  void closingTheWindowEndsTheFillWithTheControlsLocked() {
    FillWindow w(2000, 200);
    QTimer::singleShot(5, &w.window, &QDialog::reject);
    w.window.show();
    QTRY_VERIFY(!w.window.isVisible());
    QTest::qWait(50);
    QCOMPARE(w.filled, 0);
    QVERIFY(w.Locked());
    QVERIFY(w.list.count() < 2000);
  }
  void readsGameAndTitleFromTheTag_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("title");
    QTest::newRow("short fields") << "Torvale Test Tunes"
                                  << "Overture of Bells";
    QTest::newRow("title fills its field") << "Q"
                                           << "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    QTest::newRow("game fills its field") << "Synthetic Sound Processor Album!"
                                          << "Loop";
  }
  void readsGameAndTitleFromTheTag() {
    QFETCH(QString, game);
    QFETCH(QString, title);
    QTemporaryDir folder;
    SpcPlayer player;
    QVERIFY(
        player.Load(WriteFile(folder, "song.spc", SpcBytes(qPrintable(game), qPrintable(title)))));
    QCOMPARE(player.GetGame(), game);
    QCOMPARE(player.GetTitle(), title);
  }

  void refusesWhatItCannotPlay_data() {
    QTest::addColumn<QByteArray>("content");  // null: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("text") << QByteArray("Not music at all.\n");
    QTest::newRow("cut short") << SpcBytes().left(0x1000);
  }
  void refusesWhatItCannotPlay() {
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    if (!content.isNull()) WriteFile(folder, "other.spc", content);
    SpcPlayer player;
    QVERIFY(player.Load(WriteFile(folder, "good.spc", SpcBytes())));
    QVERIFY(!player.Load(folder.filePath("other.spc")));
    QCOMPARE(player.GetGame(), QStringLiteral("Game"));  // the song loaded before stays
    QCOMPARE(player.GetTitle(), QStringLiteral("Song"));
  }

  void playbackFollowsTheButtons() {
    QTemporaryDir folder;
    SpcPlayer player;
    const QString path = WriteFile(folder, "song.spc", SpcBytes());
    QVERIFY(player.Load(path));
    // Without an audio device nothing plays and nothing complains.
    const bool device = !QMediaDevices::audioOutputs().isEmpty();
    player.Play();
    QCOMPARE(player.IsPlaying(), device);
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
