#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/MonsterEditor.h"

using namespace torvale::testing;
using torvale::ui::MonsterEditor;

namespace {

// Monster 0: GP 0x9C40 (40000), experience 1234, size 3, palette 77, pointer 0xBEEF.
Bytes MonsterZero() {
  Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0x72200, {0x40, 0x9C});
  image = Patched(image, 0x723C0, {0xD2, 0x04});
  return Patched(image, 0x7CC00, {3, 77, 0xEF, 0xBE});
}

}  // namespace

class MonsterEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstMonsterOnceTheNamesAreIn() {
    EditorFixture fixture(MonsterZero());
    MonsterEditor editor(fixture.context);
    auto& monsters = *Control<QListWidget>(editor, "MonsterLST");
    QVERIFY(!monsters.isEnabled());
    QVERIFY(!Control<QLineEdit>(editor, "GPTXT")->isEnabled());
    editor.show();
    QTRY_COMPARE(monsters.currentRow(), 0);
    QCOMPARE(monsters.count(), 224);
    QVERIFY(monsters.isEnabled());
    QCOMPARE(Control<QLabel>(editor, "InfoLBL")->text(), QStringLiteral("Loading Monsters..."));
    QCOMPARE(Control<QLineEdit>(editor, "GPTXT")->text(), QStringLiteral("40000"));
    QCOMPARE(Control<QLineEdit>(editor, "EXPTXT")->text(), QStringLiteral("1234"));
    QCOMPARE(Control<QLineEdit>(editor, "SizeTXT")->text(), QStringLiteral("3"));
    QCOMPARE(Control<QComboBox>(editor, "PaletteCBO")->currentText(),
             QStringLiteral("Monster Pallete: #77"));
    QCOMPARE(Control<QLineEdit>(editor, "GFXPointerTXT")->text(), QStringLiteral("48879"));
    QCOMPARE(Control<QLabel>(editor, "MonsterIndexNumLBL")->text(),
             QStringLiteral("Monster Index #: 0"));
    QVERIFY(editor.windowTitle().startsWith("Monster Editor - "));
  }

  void applyWritesTheMonsterAndRefreshShowsTheNewName() {
    EditorFixture fixture(MonsterZero());
    MonsterEditor editor(fixture.context);
    editor.show();
    auto& monsters = *Control<QListWidget>(editor, "MonsterLST");
    QTRY_COMPARE(monsters.currentRow(), 0);
    ClickRow(monsters, 5);
    ReplaceText(*Control<QLineEdit>(editor, "NameTXT"), QStringLiteral("Imp"));
    ReplaceText(*Control<QLineEdit>(editor, "EXPTXT"), QStringLiteral("70000"));
    QCOMPARE(Control<QLineEdit>(editor, "EXPTXT")->text(), QStringLiteral("65535"));
    ReplaceText(*Control<QLineEdit>(editor, "SizeTXT"), QStringLiteral("300"));
    ReplaceText(*Control<QLineEdit>(editor, "GPTXT"), QStringLiteral("40000"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    Bytes expected =
        Patched(fixture.original, 0x71A00 + 8 * 5, torvale::romgen::EncodeGameText("Imp", 8));
    expected = Patched(expected, 0x72200 + 2 * 5, {0x40, 0x9C});
    expected = Patched(expected, 0x723C0 + 2 * 5, {0xFF, 0xFF});
    expected = Patched(expected, 0x7CC00 + 4 * 5, {255});
    QCOMPARE(DescribeDifferences(expected, fixture.ReadRom()), "");
    QVERIFY(monsters.item(5)->text() != QStringLiteral("Imp     "));
    QTest::mouseClick(Control<QToolButton>(editor, "RefreshCMD"), Qt::LeftButton);
    QCOMPARE(monsters.item(5)->text(), QStringLiteral("Imp     "));
    QVERIFY(monsters.selectedItems().isEmpty());
    const Bytes applied = fixture.ReadRom();
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(applied, fixture.ReadRom()), "");
  }
};

QTEST_MAIN(MonsterEditorTest)
#include "MonsterEditorTest.moc"
