#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/TreasureEditor.h"

using namespace torvale::testing;
using torvale::ui::TreasureEditor;

namespace {

// Chest 0 (A8503) holds 50 GP, chest 1 (A8508) item 0x9F's type, chest 2
// (A850D) item 0x10 guarded by formation 100, chest 3 (A8512) type 0xC0.
Bytes Chests() {
  Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0xA8503, {0x12, 0x05});
  image = Patched(image, 0xA8508, {0x9F, 0x21});
  image = Patched(image, 0xA850D, {0xE4, 0x10});
  return Patched(image, 0xA8512, {0xC0, 0x22});
}

const QString kNoItem = QStringLiteral(
    "You need to select a Monster Formation or Item to go with this Treasure Chest.");

}  // namespace

class TreasureEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<TreasureEditor> editor;

  QListWidget& List(const char* name) { return *Control<QListWidget>(*editor, name); }
  void Open() {
    fixture = std::make_unique<EditorFixture>(Chests());
    editor = std::make_unique<TreasureEditor>(fixture->context);
    editor->show();
    QTRY_COMPARE(List("OffsetLST").currentRow(), 0);
  }
  // On the button's indicator: a stretched button takes clicks on its face only.
  void Choose(const char* kind) {
    auto* button = Control<QRadioButton>(*editor, kind);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  void Apply() { QTest::mouseClick(Control<QPushButton>(*editor, "ApplyCMD"), Qt::LeftButton); }
  void ExpectMessage(torvale::ui::MessageIcon icon, const QString& text) {
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, icon);
    QCOMPARE(fixture->platform.messages[0].text, text);
    QCOMPARE(DescribeDifferences(fixture->original, fixture->ReadRom()), "");
  }

 private slots:
  void cleanup() {
    editor.reset();
    fixture.reset();
  }

  void chestsShowTheirKinds() {
    Open();
    QCOMPARE(List("OffsetLST").count(), 402);
    QCOMPARE(Control<QLabel>(*editor, "OffsetLBL")->text(), QStringLiteral("Offset: A8503"));
    QVERIFY(Control<QRadioButton>(*editor, "GPOPT")->isChecked());
    QCOMPARE(Control<QLineEdit>(*editor, "GPTXT")->text(), QStringLiteral("50"));
    QCOMPARE(List("ItemLST").currentRow(), 256);
    ClickRow(List("OffsetLST"), 2);
    QVERIFY(Control<QRadioButton>(*editor, "ItemOPT")->isChecked());
    QVERIFY(Control<QCheckBox>(*editor, "FormationCHK")->isChecked());
    QCOMPARE(List("FormationLST").currentRow(), 100);
    QCOMPARE(List("ItemLST").currentRow(), 0x10);
    ClickRow(List("OffsetLST"), 3);  // 0xC0: formation 64 guards item 0x22
    QCOMPARE(List("FormationLST").currentRow(), 64);
    QCOMPARE(List("ItemLST").currentRow(), 0x22);
    for (int chest = 0; chest < 402; ++chest) ClickRow(List("OffsetLST"), chest);
    QCOMPARE(Control<QLabel>(*editor, "OffsetLBL")->text(), QStringLiteral("Offset: A9818"));
    QCOMPARE(DescribeDifferences(fixture->original, fixture->ReadRom()), "");
  }

  void savedChestsStoreTheirBytes() {
    Open();
    ReplaceText(*Control<QLineEdit>(*editor, "GPTXT"), QStringLiteral("1265"));
    Apply();
    ClickRow(List("OffsetLST"), 1);
    Apply();  // an item chest stores type 0x80
    ClickRow(List("OffsetLST"), 3);
    ClickRow(List("FormationLST"), 100);
    ClickRow(List("ItemLST"), 0x10);
    Apply();
    Bytes expected = Patched(fixture->original, 0xA8503, {0x00, 126});
    expected = Patched(expected, 0xA8508, {0x80, 0x21});
    expected = Patched(expected, 0xA8512, {0xE4, 0x10});
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  void clearedKindIsRefused() {
    Open();
    QTest::mouseClick(Control<QPushButton>(*editor, "ClearCMD"), Qt::LeftButton);
    Apply();
    ExpectMessage(torvale::ui::MessageIcon::kExclamation,
                  QStringLiteral("Please select what type of treasure you want to save as."));
  }

  void itemChestWithoutItemIsRefused() {
    Open();
    Choose("ItemOPT");
    ClickRow(List("ItemLST"), 256);
    Apply();
    ExpectMessage(torvale::ui::MessageIcon::kCritical, kNoItem);
    QCOMPARE(List("ItemLST").currentRow(), 0);
  }

  void guardedChestNeedsAFormationFromSixtyFour() {
    Open();
    ClickRow(List("OffsetLST"), 2);
    ClickRow(List("FormationLST"), 128);
    Apply();
    ExpectMessage(torvale::ui::MessageIcon::kCritical, kNoItem);
    QCOMPARE(List("FormationLST").currentRow(), 0);
    fixture->platform.messages.clear();
    ClickRow(List("FormationLST"), 63);
    Apply();
    QCOMPARE(fixture->platform.messages.size(), 1);
    QVERIFY(fixture->platform.messages[0].text.contains("64 to 127"));
    QCOMPARE(DescribeDifferences(fixture->original, fixture->ReadRom()), "");
  }

  void emptyGpAmountIsRefused() {
    Open();
    ClickRow(List("OffsetLST"), 1);
    Choose("GPOPT");
    QCOMPARE(Control<QLineEdit>(*editor, "GPTXT")->text(), QString());
    Apply();
    ExpectMessage(torvale::ui::MessageIcon::kExclamation,
                  QStringLiteral("Please input a GP amount before you save it."));
    QCOMPARE(Control<QLineEdit>(*editor, "GPTXT")->text(), QStringLiteral("0"));
    ReplaceText(*Control<QLineEdit>(*editor, "GPTXT"), QStringLiteral("200000"));
    QCOMPARE(Control<QLineEdit>(*editor, "GPTXT")->text(), QStringLiteral("127000"));
  }
};

QTEST_MAIN(TreasureEditorTest)
#include "TreasureEditorTest.moc"
