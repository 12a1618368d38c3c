#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/CharacterStatsEditor.h"

using namespace torvale::testing;
using torvale::ui::CharacterStatsEditor;

namespace {

constexpr int kRecord4 = 0x7AB00 + 32 * 4;

// Slot 4: byte 0 = 0x05 (left hand, index -59), special 0x11, level 9,
// HP words 0x0100 / 0xFFFF, MP words 0x0020 / 0x0030, stats 1-5.
Bytes SlotFour() {
  return Patched(torvale::romgen::BuildSampleRom(), kRecord4,
                 {0x05, 0x11, 0x09, 0xA0, 0xA1, 0xA2, 0xA3, 0x00, 0x01, 0xFF,
                  0xFF, 0x20, 0x00, 0x30, 0x00, 1,    2,    3,    4,    5});
}

}  // namespace

class CharacterStatsEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstSlotAndShowsAPickedOne() {
    EditorFixture fixture(SlotFour());
    CharacterStatsEditor editor(fixture.context);
    editor.show();
    auto& slotList = *Control<QListWidget>(editor, "CharLST");
    QCOMPARE(slotList.count(), 15);
    QCOMPARE(slotList.currentRow(), 0);
    QCOMPARE(slotList.item(9)->text(), slotList.item(0)->text());
    ClickRow(slotList, 4);
    QCOMPARE(editor.windowTitle(),
             QStringLiteral("Character Stats Editor - ") + slotList.item(4)->text());
    QCOMPARE(Control<QListWidget>(editor, "HandLST")->currentItem()->text(),
             QStringLiteral("L-Hand"));
    QCOMPARE(Control<QLineEdit>(editor, "NameIndexTXT")->text(), QStringLiteral("-59"));
    QCOMPARE(Control<QLineEdit>(editor, "HPTXT")->text(), QStringLiteral("65535"));
    QCOMPARE(Control<QLineEdit>(editor, "MPTXT")->text(), QStringLiteral("32"));
    QCOMPARE(Control<QLineEdit>(editor, "LevelTXT")->text(), QStringLiteral("9"));
    QCOMPARE(Control<QLineEdit>(editor, "WillTXT")->text(), QStringLiteral("5"));
    QCOMPARE(Control<QLineEdit>(editor, "ATKTXT")->text(), QStringLiteral("N/A"));
    QVERIFY(Control<QLineEdit>(editor, "ATKTXT")->isReadOnly());
  }

  void applyWritesTheRecordWithBothWordsOfEachPair() {
    EditorFixture fixture(SlotFour());
    CharacterStatsEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "CharLST"), 4);
    ReplaceText(*Control<QLineEdit>(editor, "HPTXT"), QStringLiteral("70000"));
    QCOMPARE(Control<QLineEdit>(editor, "HPTXT")->text(), QStringLiteral("65535"));
    ReplaceText(*Control<QLineEdit>(editor, "SpecialBitTXT"), QStringLiteral("66"));
    ReplaceText(*Control<QLineEdit>(editor, "STRTXT"), QStringLiteral("99"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    Bytes expected = Patched(fixture.original, kRecord4, {0x05, 66, 0x09});
    expected =
        Patched(expected, kRecord4 + 7, {0xFF, 0xFF, 0xFF, 0xFF, 0x20, 0x00, 0x20, 0x00, 99});
    // The name is written back as it was read.
    QCOMPARE(DescribeDifferences(expected, fixture.ReadRom()), "");
    QCOMPARE(Control<QLineEdit>(editor, "SpecialBitTXT")->text(), QStringLiteral("66"));
  }

  void nameIndexOutsideTheHandsRangeIsRefused() {
    EditorFixture fixture(SlotFour());
    CharacterStatsEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "CharLST"), 4);
    ClickRow(*Control<QListWidget>(editor, "HandLST"), 1);
    ReplaceText(*Control<QLineEdit>(editor, "NameIndexTXT"), QStringLiteral("200"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].icon, torvale::ui::MessageIcon::kExclamation);
    QVERIFY(fixture.platform.messages[0].text.contains("200"));
    ReplaceText(*Control<QLineEdit>(editor, "NameIndexTXT"), QStringLiteral("-"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void slotNineRenamesTheFirstNameEntry() {
    EditorFixture fixture;
    CharacterStatsEditor editor(fixture.context);
    editor.show();
    auto& slotList = *Control<QListWidget>(editor, "CharLST");
    const QString slotTen = slotList.item(10)->text();
    ClickRow(slotList, 9);
    ReplaceText(*Control<QLineEdit>(editor, "NameTXT"), QStringLiteral("Edna"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QTest::mouseClick(Control<QToolButton>(editor, "RefreshCMD"), Qt::LeftButton);
    QCOMPARE(slotList.item(0)->text(), QStringLiteral("Edna  "));
    QCOMPARE(slotList.item(9)->text(), QStringLiteral("Edna  "));
    QCOMPARE(slotList.item(10)->text(), slotTen);
    const Bytes written = fixture.ReadRom();
    QCOMPARE(Bytes(written.begin() + 0x7A910, written.begin() + 0x7A916),
             torvale::romgen::EncodeGameText("Edna", 6));
    // After Refresh no slot is picked, and Apply writes nothing.
    QVERIFY(slotList.selectedItems().isEmpty());
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(written, fixture.ReadRom()), "");
  }
};

QTEST_MAIN(CharacterStatsEditorTest)
#include "CharacterStatsEditorTest.moc"
