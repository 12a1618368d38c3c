#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/ShopEditor.h"

using namespace torvale::testing;
using torvale::ui::ShopEditor;

namespace {

// Shop #64 sells items 0, 1, 254, and nothing in its other slots.
Bytes LastShop() {
  Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0x9A6F8,
                        {0x00, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  return Patched(image, 0x78201 + 9 * 254, torvale::romgen::EncodeGameText("Lastbut1", 8));
}

QComboBox& Slot(const ShopEditor& editor, int slot) {
  return *Control<QComboBox>(editor, ("Slot" + std::to_string(slot) + "CBO").c_str());
}

}  // namespace

class ShopEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void firstShopShowsOnceTheSlotListsAreFilled() {
    EditorFixture fixture(LastShop());
    ShopEditor editor(fixture.context);
    auto& shops = *Control<QListWidget>(editor, "ShopLST");
    QCOMPARE(shops.count(), 64);
    QCOMPARE(shops.item(63)->text(), QStringLiteral("Shop #64"));
    QVERIFY(!shops.isEnabled());
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
    editor.show();
    QTRY_COMPARE(shops.currentRow(), 0);
    QVERIFY(shops.isEnabled());
    QVERIFY(!Control<QWidget>(editor, "pbar")->isVisible());
    QCOMPARE(Control<QLabel>(editor, "IndexNumLBL")->text(), QStringLiteral("Shop #: 1"));
    QCOMPARE(Slot(editor, 8).count(), 256);
    QCOMPARE(Slot(editor, 8).itemText(255), QStringLiteral("[Empty]"));
  }

  void lastShopWritesItsEightBytesOnly() {
    EditorFixture fixture(LastShop());
    ShopEditor editor(fixture.context);
    editor.show();
    auto& shops = *Control<QListWidget>(editor, "ShopLST");
    QTRY_COMPARE(shops.currentRow(), 0);
    ClickRow(shops, 63);
    QCOMPARE(Slot(editor, 3).currentText(), QStringLiteral("Lastbut1"));
    QCOMPARE(Slot(editor, 4).currentText(), QStringLiteral("[Empty]"));
    Slot(editor, 1).setCurrentIndex(255);
    Slot(editor, 5).setCurrentIndex(0x42);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(Patched(fixture.original, 0x9A6F8,
                                         {0xFF, 0x01, 0xFE, 0xFF, 0x42, 0xFF, 0xFF, 0xFF}),
                                 fixture.ReadRom()),
             "");
  }
};

QTEST_MAIN(ShopEditorTest)
#include "ShopEditorTest.moc"
