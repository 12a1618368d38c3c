// Files Torvale must refuse: what cannot be opened for editing is not opened
// and not changed, and a ROM another program truncated or replaced while it
// was open takes no write. Run as an ordinary user, so that a read-only file
// is read-only.

#include <sys/stat.h>

#include <QtTest>
#include <filesystem>

#include "EditorDriver.h"
#include "WindowFixture.h"
#include "rom/RomFile.h"
#include "ui/MainWindow.h"

using namespace torvale::testing;

class RejectedPathsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(::geteuid() != 0, "run this test as an ordinary user"); }

  void openingRefusesWhatCannotBeEdited_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"directory", "fifo", "device", "read-only", "held"}) {
      QTest::newRow(kind) << QString::fromLatin1(kind);
    }
  }
  void openingRefusesWhatCannotBeEdited() {
    QFETCH(QString, kind);
    WindowFixture fixture;
    const Bytes sample = torvale::romgen::BuildSampleRom();
    QString path = fixture.WriteRom(sample);
    torvale::RomFile holder;
    if (kind == "directory") path = QString::fromStdString(fixture.folder.Path().string());
    if (kind == "fifo") {
      path += QStringLiteral(".fifo");
      QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    }
    if (kind == "device") path = QStringLiteral("/dev/null");
    if (kind == "read-only") ::chmod(path.toLocal8Bit().constData(), 0444);
    if (kind == "held") holder.Open(path.toStdString());
    fixture.platform.fileAnswers << path;
    torvale::ui::MainWindow window(fixture.platform);
    window.show();
    window.LoadROM();
    QVERIFY(!Control<QWidget>(window, "SaveCMD")->isEnabled());
    QVERIFY(!Control<QWidget>(window, "Tree")->isEnabled());
    QCOMPARE(DescribeDifferences(sample, fixture.ReadRom()), "");
  }

  void applyIsRefusedOnceAnotherProgramChangedTheFile_data() {
    QTest::addColumn<QString>("change");
    for (const char* change : {"truncated", "replaced", "deleted"}) {
      QTest::newRow(change) << QString::fromLatin1(change);
    }
  }
  void applyIsRefusedOnceAnotherProgramChangedTheFile() {
    QFETCH(QString, change);
    EditorFixture fixture;
    const EditorModel& shop = EditorModelNamed("shop");
    const auto window = OpenEditor(shop, fixture.context);
    QVERIFY(WaitUntilReady(*window, shop));
    SetEveryField(*window, shop, true);
    const auto path = fixture.folder.File("test.smc");
    Bytes left = fixture.original;  // what the other program leaves at the path
    if (change == "truncated") {
      left.resize(left.size() / 2);
      std::filesystem::resize_file(path, left.size());
    }
    if (change == "replaced") {
      left = Patched(left, 0x9A500, {1, 2, 3, 4, 5, 6, 7, 8});
      WriteRom(fixture.folder, left, "other.smc");
      std::filesystem::rename(fixture.folder.File("other.smc"), path);
    }
    if (change == "deleted") std::filesystem::remove(path);
    ClickApply(*window);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QVERIFY(fixture.platform.messages[0].text.contains("could not be written"));
    if (change != "deleted") QCOMPARE(DescribeDifferences(left, fixture.ReadRom()), "");
  }
};

QTEST_MAIN(RejectedPathsTest)
#include "RejectedPathsTest.moc"
