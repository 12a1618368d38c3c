#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/MagicSpellEditor.h"

using namespace torvale::testing;
using torvale::ui::MagicSpellEditor;

namespace {

const Bytes kRestorableAsura = {0x40, 0x1E, 0x64, 0x02};

// Spell 3: white icon, name "Glow", record 85 C8 00 2B 00 8A.
Bytes SpellThree() {
  Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0x78B00 + 6 * 3, {0x40});
  image = Patched(image, 0x78B01 + 6 * 3, torvale::romgen::EncodeGameText("Glow", 5));
  return Patched(image, 0x799A0 + 6 * 3, {0x85, 0xC8, 0x00, 0x2B, 0x00, 0x8A});
}

}  // namespace

class MagicSpellEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstSpellAndShowsAPickedOne() {
    EditorFixture fixture(SpellThree());
    MagicSpellEditor editor(fixture.context);
    editor.show();
    auto& spells = *Control<QListWidget>(editor, "MagicLST");
    QCOMPARE(spells.count(), 72);
    QCOMPARE(spells.currentRow(), 0);
    QVERIFY(editor.windowTitle().startsWith("Magic Spell Editor - "));
    ClickRow(spells, 3);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Magic Spell Editor - Glow "));
    QCOMPARE(Control<QLabel>(editor, "MagicIndexNumLBL")->text(),
             QStringLiteral("Magic Spell Index #: 3"));
    QCOMPARE(Control<QLineEdit>(editor, "PowerTXT")->text(), QStringLiteral("200"));
    QCOMPARE(Control<QLineEdit>(editor, "CastingTimeTXT")->text(), QStringLiteral("5"));
    QVERIFY(Control<QCheckBox>(editor, "AilmentDurationCHK")->isChecked());
    QCOMPARE(Control<QLineEdit>(editor, "MPCostTXT")->text(), QStringLiteral("10"));
    QVERIFY(Control<QCheckBox>(editor, "IgnoreWallCHK")->isChecked());
    QCOMPARE(Control<QComboBox>(editor, "SpellEffectCBO")->currentIndex(), 0x2B);
    QVERIFY(Control<QRadioButton>(editor, "WhiteOPT")->isChecked());
    QVERIFY(!Control<QRadioButton>(editor, "BlackOPT")->isChecked());
    QVERIFY(!Control<QCheckBox>(editor, "AutoSaveCHK")->isEnabled());
    Control<QComboBox>(editor, "SpellEffectCBO")->setCurrentIndex(0x30);
    QCOMPARE(editor.windowTitle(), QStringLiteral("48"));
  }

  void applyWritesPowerEffectNameAndCostOnly() {
    EditorFixture fixture(SpellThree());
    MagicSpellEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "MagicLST"), 3);
    auto& name = *Control<QLineEdit>(editor, "NameTXT");
    name.selectAll();
    TypeText(&name, QStringLiteral("Zap"));
    QTest::mouseClick(Control<QCheckBox>(editor, "AilmentDurationCHK"), Qt::LeftButton);
    QTest::mouseClick(Control<QCheckBox>(editor, "IgnoreWallCHK"), Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(editor, "BlackOPT"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    Bytes expected =
        Patched(fixture.original, 0x799A0 + 6 * 3, {0x85, 0xC8, 0x00, 0x2B, 0x00, 0x0A});
    expected = Patched(expected, 0x78B01 + 6 * 3, {0x5B, 0x5C, 0x6B, 0xFF, 0xFF});
    QCOMPARE(DescribeDifferences(expected, fixture.ReadRom()), "");
    QVERIFY(Control<QRadioButton>(editor, "WhiteOPT")->isChecked());  // the icon only shows
  }

  void applyAfterRefreshWithNothingPickedWritesNothing() {
    EditorFixture fixture(SpellThree());
    MagicSpellEditor editor(fixture.context);
    editor.show();
    QTest::mouseClick(Control<QPushButton>(editor, "RefreshCMD"), Qt::LeftButton);
    QCOMPARE(Control<QListWidget>(editor, "MagicLST")->count(), 72);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void asuraRestoresOnceAcrossOpenings() {
    EditorFixture fixture(Patched(torvale::romgen::BuildSampleRom(), 0x79BC2, kRestorableAsura));
    {
      MagicSpellEditor editor(fixture.context);
      auto& restore = *Control<QPushButton>(editor, "RestoreAsuraCMD");
      QVERIFY(restore.isEnabled());
      QCOMPARE(restore.text(), QStringLiteral("Restore A&sura"));  // shown as "Restore Asura"
      editor.show();
      QTest::mouseClick(&restore, Qt::LeftButton);
      QCOMPARE(DescribeDifferences(Patched(fixture.original, 0x79BC2, {0x40, 0x01, 0x42, 0x8D}),
                                   fixture.ReadRom()),
               "");
      QCOMPARE(fixture.platform.messages.size(), 1);
      QCOMPARE(fixture.platform.messages[0].title, QStringLiteral("Asura Restored"));
      QCOMPARE(fixture.platform.messages[0].text,
               QStringLiteral("Asura has been restored to the FF4 effects."));
      QVERIFY(!restore.isEnabled());
      QCOMPARE(restore.text(), QStringLiteral("Asura Restored"));
    }
    MagicSpellEditor reopened(fixture.context);
    QVERIFY(!Control<QPushButton>(reopened, "RestoreAsuraCMD")->isEnabled());
    QCOMPARE(Control<QPushButton>(reopened, "RestoreAsuraCMD")->text(),
             QStringLiteral("Not Available"));
  }

  void smallPictureOpensThePictureWindowOnADoubleClick() {
    EditorFixture fixture;
    MagicSpellEditor editor(fixture.context);
    editor.show();
    QTest::mouseDClick(Control<QLabel>(editor, "EasterEgg1"), Qt::LeftButton);
    QCOMPARE(fixture.platform.modalWindows, QStringList("Torvale"));
  }
};

QTEST_MAIN(MagicSpellEditorTest)
#include "MagicSpellEditorTest.moc"
