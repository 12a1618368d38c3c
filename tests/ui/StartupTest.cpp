#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

using torvale::testing::Control;
using torvale::testing::DataPlace;
using torvale::ui::MessageIcon;
using torvale::ui::Startup;

namespace {
constexpr torvale::ui::SplashTiming kNoDelay{std::chrono::milliseconds(0),
                                             std::chrono::milliseconds(0)};
}

class StartupTest : public QObject {
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

  void headerTemplatesAreFoundBesideTheProgramOrInTheInstalledFolder_data() {
    QTest::addColumn<DataPlace>("place");
    QTest::newRow("program folder") << DataPlace::kProgramFolder;
    QTest::newRow("installed folder") << DataPlace::kInstalledFolder;
  }
  void headerTemplatesAreFoundBesideTheProgramOrInTheInstalledFolder() {
    QFETCH(DataPlace, place);
    torvale::testing::WindowFixture fixture;
    fixture.PlaceDataFile("Header.dat", place);
    Startup startup(fixture.platform, kNoDelay);
    startup.Begin();
    QTRY_VERIFY(startup.Main() != nullptr);
    QCOMPARE(fixture.platform.askedFilters.size(), 1);
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(fixture.platform.endProgramCalls, 0);
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
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
