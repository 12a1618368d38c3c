#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/BattleTablesEditor.h"

using namespace torvale::testing;
using torvale::ui::BattleTablesEditor;

namespace {

// Attack/defense entry 0 is 2 - 50 - 10; speed entry 0 is 3 - 4.
Bytes Tables() {
  return Patched(Patched(torvale::romgen::BuildSampleRom(), 0x72580, {2, 50, 10}), 0x72820, {3, 4});
}

}  // namespace

class BattleTablesEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<BattleTablesEditor> editor;

  void Open() {
    fixture = std::make_unique<EditorFixture>(Tables());
    editor = std::make_unique<BattleTablesEditor>(fixture->context);
    editor->show();
    QTRY_COMPARE(Control<QListWidget>(*editor, "SlotLST")->currentRow(), 0);
  }
  void ClickTab(int tab) {
    auto* tabs = Control<QTabBar>(*editor, "tabs");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
  }
  QComboBox& Combo(const char* name) { return *Control<QComboBox>(*editor, name); }
  void Apply() { QTest::mouseClick(Control<QPushButton>(*editor, "ApplyCMD"), Qt::LeftButton); }

 private slots:
  void cleanup() {
    editor.reset();
    fixture.reset();
  }

  void tenthSlotWritesItsFourBytes() {
    Open();
    QCOMPARE(Control<QListWidget>(*editor, "SlotLST")->count(), 64);
    QCOMPARE(Combo("Slot1CBO").count(), 256);
    ClickRow(*Control<QListWidget>(*editor, "SlotLST"), 9);
    for (int slot = 1; slot <= 4; ++slot)
      Combo(("Slot" + std::to_string(slot) + "CBO").c_str()).setCurrentIndex(slot);
    Apply();
    QCOMPARE(
        DescribeDifferences(Patched(fixture->original, 0x72124, {1, 2, 3, 4}), fixture->ReadRom()),
        "");
  }

  void monsterPageRebuildsItsListsAfterApply() {
    Open();
    QCOMPARE(Combo("ATKDEFCBO").count(), 224);
    QCOMPARE(Combo("ATKDEFCBO").itemText(0), QStringLiteral("2 - 50 - 10"));
    ClickTab(1);
    QVERIFY(Control<QGroupBox>(*editor, "MonsterFRA")->isVisible());
    QVERIFY(!Control<QGroupBox>(*editor, "ItemFRA")->isVisible());
    ClickTab(2);  // "Equip Tables [N/A]" leaves the page as it was
    QVERIFY(Control<QGroupBox>(*editor, "MonsterFRA")->isVisible());
    Combo("ATKDEFCBO").setCurrentIndex(5);
    ReplaceText(*Control<QLineEdit>(*editor, "AtkxTXT"), QStringLiteral("9"));
    ReplaceText(*Control<QLineEdit>(*editor, "AGIHighTXT"), QStringLiteral("300"));
    QCOMPARE(Control<QLineEdit>(*editor, "AGIHighTXT")->text(), QStringLiteral("255"));
    Control<QLineEdit>(*editor, "AGILowTXT")->selectAll();
    QTest::keyClick(Control<QLineEdit>(*editor, "AGILowTXT"), Qt::Key_Backspace);
    QCOMPARE(Control<QLineEdit>(*editor, "AGILowTXT")->text(), QStringLiteral("0"));
    const Bytes before = fixture->ReadRom();
    Apply();
    Bytes expected = Patched(fixture->original, 0x72580 + 3 * 5,
                             {9, before[0x72580 + 16], before[0x72580 + 17]});
    expected = Patched(expected, 0x72820, {0, 255});
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QCOMPARE(Combo("ATKDEFCBO").currentIndex(), 0);
    QCOMPARE(Combo("AGISPDCBO").itemText(0), QStringLiteral("0 - 255"));
    QCOMPARE(Combo("ATKDEFCBO").itemText(5).left(2), QStringLiteral("9 "));
  }
};

QTEST_MAIN(BattleTablesEditorTest)
#include "BattleTablesEditorTest.moc"
