#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/CharacterEquipmentEditor.h"

using namespace torvale::testing;
using torvale::ui::CharacterEquipmentEditor;

namespace {

Bytes SlotTwentyTwo() {
  return Patched(torvale::romgen::BuildSampleRom(), 0x7AD93,
                 {0x10, 0x20, 0x30, 0xFF, 0x05, 0x40, 0x63});
}

}  // namespace

class CharacterEquipmentEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void firstSlotLoadsOnceTheListsAreFilled() {
    EditorFixture fixture(
        Patched(torvale::romgen::BuildSampleRom(), 0x7AD00, {1, 2, 3, 4, 5, 6, 7}));
    CharacterEquipmentEditor editor(fixture.context);
    auto& head = *Control<QComboBox>(editor, "HeadCBO");
    QCOMPARE(Control<QListWidget>(editor, "CharLST")->item(0)->text(),
             QStringLiteral("Character Slot 01"));
    QCOMPARE(Control<QLabel>(editor, "CharIndexNumLBL")->text(),
             QStringLiteral("Character Slot: 1"));
    QCOMPARE(head.count(), 0);
    QVERIFY(!head.isEnabled());
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
    editor.show();
    QTRY_VERIFY(head.isEnabled());
    QCOMPARE(head.count(), 256);
    QCOMPARE(head.currentIndex(), 1);
    QCOMPARE(Control<QComboBox>(editor, "RHCBO")->currentIndex(), 4);
    QCOMPARE(Control<QLineEdit>(editor, "RHAMTTXT")->text(), QStringLiteral("5"));
    QCOMPARE(Control<QComboBox>(editor, "LHCBO")->currentIndex(), 6);
    QCOMPARE(Control<QLineEdit>(editor, "LHAMTTXT")->text(), QStringLiteral("7"));
  }

  void lastSlotCarriesItsNoteAndWritesItsSevenBytes() {
    EditorFixture fixture(SlotTwentyTwo());
    CharacterEquipmentEditor editor(fixture.context);
    editor.show();
    QTRY_VERIFY(Control<QComboBox>(editor, "HeadCBO")->isEnabled());
    auto& slotList = *Control<QListWidget>(editor, "CharLST");
    ClickRow(slotList, 21);
    QCOMPARE(Control<QLabel>(editor, "CharIndexNumLBL")->text(),
             QStringLiteral("Character Slot: 22"));
    QVERIFY(Control<QLabel>(editor, "InfoLBL")->isVisible());
    QCOMPARE(
        Control<QLabel>(editor, "InfoLBL")->text(),
        QStringLiteral(
            "This slot is reserved for 'Anna', she doesn't actually have any battle sprites."));
    QCOMPARE(Control<QComboBox>(editor, "RHCBO")->currentIndex(), 255);
    auto& rightAmount = *Control<QLineEdit>(editor, "RHAMTTXT");
    rightAmount.selectAll();
    TypeText(&rightAmount, QStringLiteral("300"));
    QCOMPARE(rightAmount.text(), QStringLiteral("255"));
    Control<QComboBox>(editor, "BodyCBO")->setCurrentIndex(0x77);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(
                 Patched(fixture.original, 0x7AD93, {0x10, 0x77, 0x30, 0xFF, 0xFF, 0x40, 0x63}),
                 fixture.ReadRom()),
             "");
    ClickRow(slotList, 20);
    QVERIFY(!Control<QLabel>(editor, "InfoLBL")->isVisible());
    QCOMPARE(Control<QLabel>(editor, "InfoLBL")->text(), QString());
  }

  void closingDuringTheFillLeavesTheSlotUnloaded() {
    EditorFixture fixture;
    CharacterEquipmentEditor editor(fixture.context);
    auto& head = *Control<QComboBox>(editor, "HeadCBO");
    editor.show();
    editor.reject();
    QTest::qWait(30);
    QVERIFY(!head.isEnabled());
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }
};

QTEST_MAIN(CharacterEquipmentEditorTest)
#include "CharacterEquipmentEditorTest.moc"
