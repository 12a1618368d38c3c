#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "SyntheticSpc.h"
#include "WindowFixture.h"
#include "ui/MusicEditor.h"

using namespace torvale::testing;
using torvale::ui::MusicEditor;

namespace {

// Map 5 plays song 9, map 6 a byte past the song list, map 380 song 55.
Bytes Songs() {
  Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0xA9ECC, {9});
  image = Patched(image, 0xA9ED9, {56});
  return Patched(image, 0xAB1D7, {55});
}

}  // namespace

class MusicEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithNoMapAndWritesNothing() {
    EditorFixture fixture(Songs());
    MusicEditor editor(fixture.context);
    editor.show();
    QCOMPARE(Control<QListWidget>(editor, "AreaLST")->count(), 381);
    QCOMPARE(Control<QListWidget>(editor, "SongLST")->count(), 56);
    QCOMPARE(Control<QListWidget>(editor, "SongLST")->currentRow(), 0);
    for (const char* name : {"ApplyCMD", "SongLST", "ShowHex"}) {
      QVERIFY2(!Control<QWidget>(editor, name)->isEnabled(), name);
    }
    QVERIFY(!Control<QLabel>(editor, "HexDisplayLBL")->isVisible());
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void pickedMapShowsItsSongAndOffset() {
    EditorFixture fixture(Songs());
    MusicEditor editor(fixture.context);
    editor.show();
    auto& maps = *Control<QListWidget>(editor, "AreaLST");
    auto& songs = *Control<QListWidget>(editor, "SongLST");
    auto& offset = *Control<QLabel>(editor, "HexDisplayLBL");
    ClickRow(maps, 0);
    QCOMPARE(offset.text(), QStringLiteral("A9E8B <--"));
    ClickRow(maps, 5);
    QCOMPARE(songs.currentRow(), 9);
    QCOMPARE(Control<QLabel>(editor, "AreaIndexNumLBL")->text(), QStringLiteral("Map Index #: 5"));
    QTest::mouseClick(Control<QCheckBox>(editor, "ShowHex"), Qt::LeftButton);
    QVERIFY(offset.isVisible());
    QCOMPARE(offset.text(), QStringLiteral("A9ECC <--"));
    ClickRow(maps, 6);  // no such song: none is shown, and Apply writes nothing
    QVERIFY(songs.selectedItems().isEmpty());
    QCOMPARE(offset.text(), QStringLiteral("A9ED9 <--"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    ClickRow(maps, 380);
    QCOMPARE(songs.currentRow(), 55);
    QCOMPARE(offset.text(), QStringLiteral("AB1D7 <--"));
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void clickingASongStoresItAtOnce() {
    EditorFixture fixture(Songs());
    MusicEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "AreaLST"), 5);
    ClickRow(*Control<QListWidget>(editor, "SongLST"), 26);  // "Boss Battle Music"
    QCOMPARE(DescribeDifferences(Patched(fixture.original, 0xA9ECC, {0x1A}), fixture.ReadRom()),
             "");
  }

  void spcPanelShowsTheChosenFilesTag() {
    EditorFixture fixture;
    MusicEditor editor(fixture.context);
    editor.show();
    const std::filesystem::path spc = fixture.folder.File("tune.spc");
    torvale::testing::WriteBytes(
        spc, torvale::testing::BuildSyntheticSpc("Made-up Quest", "Field March"));
    const std::filesystem::path notSpc = fixture.folder.File("notes.txt");
    torvale::testing::WriteBytes(notSpc, {'h', 'i'});
    auto& eject = *Control<QToolButton>(editor, "EjectCMD");
    auto& tag = *Control<QLabel>(editor, "ID666LBL");
    auto& path = *Control<QLabel>(editor, "SongLBL");
    fixture.platform.fileAnswers << QString() << QString::fromStdString(notSpc.string());
    QTest::mouseClick(&eject, Qt::LeftButton);
    QTest::mouseClick(&eject, Qt::LeftButton);
    QCOMPARE(tag.text(), QString());
    QCOMPARE(path.text(), QString());
    fixture.platform.fileAnswers << QString::fromStdString(spc.string());
    QTest::mouseClick(&eject, Qt::LeftButton);
    QCOMPARE(fixture.platform.askedSelectedFilters.last(),
             QStringLiteral("SPC Music File (*.spc)"));
    QCOMPARE(tag.text(), QStringLiteral("Now Playing: \r\nMade-up Quest - Field March"));
    QCOMPARE(path.text(), QString::fromStdString(spc.string()));
    QTest::mouseClick(Control<QToolButton>(editor, "PlayCMD"), Qt::LeftButton);
    QTest::mouseClick(Control<QToolButton>(editor, "StopCMD"), Qt::LeftButton);
    QVERIFY(fixture.platform.messages.isEmpty());
  }
};

QTEST_MAIN(MusicEditorTest)
#include "MusicEditorTest.moc"
