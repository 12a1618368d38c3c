#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/ItemEditor.h"

using namespace torvale::testing;
using torvale::ui::ItemEditor;

namespace {

const char* const kEquipmentFields[] = {"PriceTXT",         "EquipLST",  "StatCBO",    "AtkDefTXT",
                                        "AtkDefPercentTXT", "Byte00TXT", "Element1LST"};

// Item 17: icon 0x2D, price byte 0x81, record 07 20 63 AA BB CC C8 8D.
Bytes ItemSeventeen() {
  Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0x78200 + 9 * 17, {0x2D});
  image = Patched(image, 0x78201 + 9 * 17, torvale::romgen::EncodeGameText("Edge", 8));
  image = Patched(image, 0x7A650 + 17, {0x81});
  return Patched(image, 0x79300 + 8 * 17, {0x07, 0x20, 0x63, 0xAA, 0xBB, 0xCC, 0xC8, 0x8D});
}

}  // namespace

class ItemEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<ItemEditor> editor;

  QListWidget& Items() { return *Control<QListWidget>(*editor, "ItemLST"); }
  QLineEdit& Box(const char* name) { return *Control<QLineEdit>(*editor, name); }
  void ClickApply() {
    QTest::mouseClick(Control<QPushButton>(*editor, "ApplyCMD"), Qt::LeftButton);
  }

  void OpenFilled(const Bytes& image) {
    fixture = std::make_unique<EditorFixture>(image);
    editor = std::make_unique<ItemEditor>(fixture->context);
    editor->show();
    QTRY_COMPARE(Items().count(), 256);
    QTRY_COMPARE(Items().currentRow(), 0);
  }

 private slots:
  void cleanup() {
    editor.reset();
    fixture.reset();
  }

  void listAndFieldsOpenOnceTheNamesAreIn() {
    fixture = std::make_unique<EditorFixture>(ItemSeventeen());
    editor = std::make_unique<ItemEditor>(fixture->context);
    QVERIFY(!Items().isEnabled());
    QVERIFY(!Box("NameTXT").isEnabled());
    QCOMPARE(Control<QListWidget>(*editor, "EquipLST")->count(), 116);
    ClickApply();  // nothing picked yet
    QCOMPARE(DescribeDifferences(fixture->original, fixture->ReadRom()), "");
    editor->show();
    QTRY_COMPARE(Items().currentRow(), 0);
    QVERIFY(Items().isEnabled());
    QVERIFY(!Control<QWidget>(*editor, "pbar")->isVisible());
    QCOMPARE(Items().item(17)->text(), QStringLiteral("Edge    "));
    QCOMPARE(Control<QListWidget>(*editor, "EquipLST")->count(), 256);
  }

  void pickedItemShowsEveryField() {
    OpenFilled(ItemSeventeen());
    ClickRow(Items(), 17);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Item Editor - Edge    "));
    QCOMPARE(Control<QLabel>(*editor, "ItemIndexNumLBL")->text(),
             QStringLiteral("Item Index #: 17"));
    QCOMPARE(Box("NameTXT").text(), QStringLiteral("Edge    "));
    QCOMPARE(Control<QComboBox>(*editor, "ItemIconCBO")->currentText(), QStringLiteral("Sword"));
    QCOMPARE(Box("PriceTXT").text(), QStringLiteral("1000"));
    QCOMPARE(Box("Byte00TXT").text(), QStringLiteral("7"));
    QCOMPARE(Box("AtkDefTXT").text(), QStringLiteral("32"));
    QCOMPARE(Box("AtkDefPercentTXT").text(), QStringLiteral("99"));
    QCOMPARE(Control<QComboBox>(*editor, "StatCBO")->currentText(),
             QStringLiteral("+10 | -10 | -10 | -10 | +10   "));
    QCOMPARE(Control<QLabel>(*editor, "EquipLSTValueLBL")->text(), QStringLiteral("200"));
    QCOMPARE(Control<QLabel>(*editor, "WhoCanEquipSmallFontLBL")->text(),
             QStringLiteral("Unknown/Undocumented"));
    QCOMPARE(Control<QComboBox>(*editor, "SpellCBO")->currentText(), QStringLiteral("[N/A]"));
    QVERIFY(!Control<QComboBox>(*editor, "SpellCBO")->isEnabled());
  }

  void applyWritesExactlyTheItemsBytes() {
    OpenFilled(ItemSeventeen());
    ClickRow(Items(), 17);
    ReplaceText(Box("NameTXT"), QStringLiteral("Ab"));
    ReplaceText(Box("PriceTXT"), QStringLiteral("55"));
    ReplaceText(Box("Byte00TXT"), QStringLiteral("1"));
    ReplaceText(Box("AtkDefTXT"), QStringLiteral("300"));
    ReplaceText(Box("AtkDefPercentTXT"), QStringLiteral("3"));
    Control<QComboBox>(*editor, "ItemIconCBO")->setCurrentIndex(0x3B);
    Control<QComboBox>(*editor, "StatCBO")->setCurrentIndex(12);
    ClickRow(*Control<QListWidget>(*editor, "EquipLST"), 4);
    ClickApply();
    Bytes expected = Patched(fixture->original, 0x78200 + 9 * 17,
                             {0x3B, 0x42, 0x5D, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    expected = Patched(expected, 0x7A650 + 17, {6});
    expected = Patched(expected, 0x79300 + 8 * 17, {1, 255, 3, 0xAA, 0xBB, 0xCC, 4, 12});
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QCOMPARE(Box("PriceTXT").text(), QStringLiteral("60"));  // the field shows what is stored
    QCOMPARE(Items().item(17)->text(), QStringLiteral("Edge    "));  // until Refresh
  }

  void unchangedApplyKeepsPricesTheirValue_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("written");
    QTest::newRow("tens") << 0x05 << 0x05;
    QTest::newRow("largest tens") << 0x7F << 0x7F;
    QTest::newRow("largest") << 0xFF << 0xFF;
    QTest::newRow("thousand as tens") << 0x81 << 0x64;
    QTest::newRow("zero thousands") << 0x80 << 0x00;
  }
  void unchangedApplyKeepsPricesTheirValue() {
    QFETCH(int, stored);
    QFETCH(int, written);
    OpenFilled(Patched(ItemSeventeen(), 0x7A650 + 17, {static_cast<std::uint8_t>(stored)}));
    ClickRow(Items(), 17);
    ClickApply();
    QCOMPARE(DescribeDifferences(
                 Patched(fixture->original, 0x7A650 + 17, {static_cast<std::uint8_t>(written)}),
                 fixture->ReadRom()),
             "");
  }

  void itemsPastTheEquipmentShowNameAndIconOnly() {
    OpenFilled(ItemSeventeen());
    ClickRow(Items(), 175);
    for (const char* name : kEquipmentFields)
      QVERIFY2(Control<QWidget>(*editor, name)->isVisible(), name);
    QVERIFY(!Control<QLabel>(*editor, "InfoLBL")->isVisible());
    ClickRow(Items(), 176);
    for (const char* name : kEquipmentFields)
      QVERIFY2(!Control<QWidget>(*editor, name)->isVisible(), name);
    QVERIFY(Control<QLabel>(*editor, "InfoLBL")->isVisible());
    QCOMPARE(Control<QLabel>(*editor, "InfoLBL")->text(),
             QStringLiteral("Items past the index # of 175 can not be edited presently."));
    QVERIFY(Box("NameTXT").isEnabled());
    ReplaceText(Box("NameTXT"), QStringLiteral("Key"));
    ClickApply();
    const Bytes expected =
        Patched(fixture->original, 0x78201 + 9 * 176, torvale::romgen::EncodeGameText("Key", 8));
    // The hidden fields write back what they read; the price keeps its value.
    Bytes written = fixture->ReadRom();
    const std::uint8_t price = fixture->original[0x7A650 + 176];
    written[0x7A650 + 176] = price;
    QCOMPARE(DescribeDifferences(expected, written), "");
    QCOMPARE(Box("PriceTXT").text(),
             QString::number(price < 128 ? price * 10 : (price - 128) * 1000));
  }

  void refreshListsTheNewNameWithoutGrowingTheClassList() {
    OpenFilled(ItemSeventeen());
    ClickRow(Items(), 17);
    ReplaceText(Box("NameTXT"), QStringLiteral("Renamed"));
    ClickApply();
    QTest::mouseClick(Control<QPushButton>(*editor, "RefreshCMD"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(*editor, "RefreshCMD"), Qt::LeftButton);
    QCOMPARE(Items().count(), 256);
    QCOMPARE(Items().item(17)->text(), QStringLiteral("Renamed "));
    QCOMPARE(Control<QListWidget>(*editor, "EquipLST")->count(), 256);
  }

  void statBonusWithoutAValueIsRefused() {
    OpenFilled(ItemSeventeen());
    ClickRow(Items(), 17);
    Control<QComboBox>(*editor, "StatCBO")->setCurrentIndex(256);
    ClickApply();
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, torvale::ui::MessageIcon::kExclamation);
    QCOMPARE(DescribeDifferences(fixture->original, fixture->ReadRom()), "");
  }
};

QTEST_MAIN(ItemEditorTest)
#include "ItemEditorTest.moc"
