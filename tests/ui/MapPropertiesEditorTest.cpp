#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/MapPropertiesEditor.h"

using namespace torvale::testing;
using torvale::ui::MapPropertiesEditor;

namespace {

constexpr int kMap7 = 0xA9E80 + 13 * 7;

Bytes MapSeven() {
  return Patched(torvale::romgen::BuildSampleRom(), kMap7,
                 {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 200, 0x17, 0x18, 0x19, 0x1A, 0x05, 0x1B});
}

}  // namespace

class MapPropertiesEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void showsEveryFieldOfThePickedMap() {
    EditorFixture fixture(MapSeven());
    MapPropertiesEditor editor(fixture.context);
    editor.show();
    auto& maps = *Control<QListWidget>(editor, "MapLST");
    QCOMPARE(maps.count(), 381);
    QCOMPARE(Control<QLabel>(editor, "MapIndexNumLBL")->text(), QStringLiteral("Map Index #: 0"));
    ClickRow(maps, 7);
    QCOMPARE(Control<QLabel>(editor, "MapIndexNumLBL")->text(), QStringLiteral("Map Index #: 7"));
    QCOMPARE(Control<QLineEdit>(editor, "UnknownByte1TXT")->text(), QStringLiteral("17"));
    QCOMPARE(Control<QLineEdit>(editor, "MapIndexTXT")->text(), QStringLiteral("22"));
    QVERIFY(Control<QLineEdit>(editor, "MapIndexTXT")->isReadOnly());
    QCOMPARE(Control<QComboBox>(editor, "TreasureCBO")->currentText(),
             QStringLiteral("Treasure Index #20"));
    QCOMPARE(Control<QComboBox>(editor, "MapLayoutCBO")->currentText(),
             QStringLiteral("Map Layout #200"));
    QCOMPARE(Control<QComboBox>(editor, "MusicCBO")->currentText(),
             QStringLiteral("Black Chocobo"));
    QCOMPARE(Control<QComboBox>(editor, "LayoutCBO")->currentText(), QStringLiteral("Layout #27"));
  }

  void applyWritesTheEditableFieldsOnly() {
    EditorFixture fixture(MapSeven());
    MapPropertiesEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "MapLST"), 7);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
    Control<QComboBox>(editor, "MusicCBO")->setCurrentIndex(13);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");  // nothing until Apply
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(Patched(fixture.original, kMap7 + 11, {0x0D}), fixture.ReadRom()),
             "");
  }

  void recordIsReadAgainAfterTheMusicEditorCloses() {
    EditorFixture fixture(MapSeven());
    MapPropertiesEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "MapLST"), 7);
    // While the music editor is open, a song is stored for map 7.
    fixture.platform.whileModal = [&](QDialog&) { fixture.rom.WriteByte(kMap7 + 11, 0x1A); };
    QTest::mouseClick(Control<QPushButton>(editor, "MusicCMD"), Qt::LeftButton);
    QCOMPARE(fixture.platform.modalWindows, QStringList("Music Editor"));
    QCOMPARE(Control<QComboBox>(editor, "MusicCBO")->currentIndex(), 0x1A);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(Patched(fixture.original, kMap7 + 11, {0x1A}), fixture.ReadRom()),
             "");
  }
};

QTEST_MAIN(MapPropertiesEditorTest)
#include "MapPropertiesEditorTest.moc"
