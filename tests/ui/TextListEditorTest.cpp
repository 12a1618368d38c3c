#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/DataFiles.h"
#include "ui/TextListEditor.h"

using namespace torvale::testing;
using torvale::ui::TextListEditor;

namespace {

Bytes Encoded(const std::string& text) {
  return torvale::romgen::EncodeGameText(text, 5);
}

}  // namespace

class TextListEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void listsTheThirtyThreeTextsWithNothingSelected() {
    Bytes image = Patched(torvale::romgen::BuildSampleRom(), 0x7A9C6, Encoded("Front"));
    image = Patched(image, 0x7AA66, Encoded("Tail"));
    EditorFixture fixture(image);
    TextListEditor editor(fixture.context);
    editor.show();
    QApplication::setActiveWindow(&editor);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Shit"));
    auto& list = *Control<QListWidget>(editor, "TextLST");
    list.setFocus();  // the focused list has a current entry, yet nothing is picked
    QCOMPARE(list.count(), 33);
    QCOMPARE(list.item(0)->text(), QStringLiteral("Front"));
    QCOMPARE(list.item(32)->text(), QStringLiteral("Tail "));
    QVERIFY(list.selectedItems().isEmpty());
    QCOMPARE(Control<QLineEdit>(editor, "NameTXT")->text(), QString());
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void applyWritesTheEntryAndShowsItAsStored_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Bytes>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("renamed") << 3 << "Run" << Bytes{0x53, 0x70, 0x69, 0xFF, 0xFF} << "Run  ";
    QTest::newRow("emptied") << 0 << "" << Bytes(5, 0xFF) << "     ";
    QTest::newRow("too long") << 32 << "Sixchars" << Encoded("Sixch") << "Sixch";
  }
  void applyWritesTheEntryAndShowsItAsStored() {
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(Bytes, stored);
    QFETCH(QString, shown);
    EditorFixture fixture;
    TextListEditor editor(fixture.context);
    editor.show();
    auto& list = *Control<QListWidget>(editor, "TextLST");
    auto& name = *Control<QLineEdit>(editor, "NameTXT");
    ClickRow(list, entry);
    name.selectAll();
    QTest::keyClick(&name, Qt::Key_Backspace);
    TypeText(&name, typed);
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    const Bytes expected = Patched(fixture.original, 0x7A9C6 + 5 * entry, stored);
    QCOMPARE(DescribeDifferences(expected, fixture.ReadRom()), "");
    QCOMPARE(list.currentRow(), entry);
    QCOMPARE(name.text(), shown);
    QCOMPARE(list.item(entry)->text(), shown);
  }

  void unencodableCharacterKeepsItsStoredByte() {
    EditorFixture fixture(Patched(torvale::romgen::BuildSampleRom(), 0x7A9C6, Encoded("Abcde")));
    TextListEditor editor(fixture.context);
    editor.show();
    ClickRow(*Control<QListWidget>(editor, "TextLST"), 0);
    auto& name = *Control<QLineEdit>(editor, "NameTXT");
    name.selectAll();
    TypeText(&name, QStringLiteral("X#\u00e9yz"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    const Bytes expected = Patched(fixture.original, 0x7A9C6, {0x59, 0x5D, 0x5E, 0x74, 0x75});
    QCOMPARE(DescribeDifferences(expected, fixture.ReadRom()), "");
    QCOMPARE(name.text(), QStringLiteral("Xbcyz"));
  }

  void applyWithoutASelectionAndCancelWriteNothing() {
    EditorFixture fixture;
    TextListEditor editor(fixture.context);
    editor.show();
    TypeText(Control<QLineEdit>(editor, "NameTXT"), QStringLiteral("Zap"));
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    ClickRow(*Control<QListWidget>(editor, "TextLST"), 5);
    TypeText(Control<QLineEdit>(editor, "NameTXT"), QStringLiteral("Q"));
    QTest::mouseClick(Control<QPushButton>(editor, "QuitCMD"), Qt::LeftButton);
    QVERIFY(!editor.isVisible());
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void refusedWriteIsReportedAndNothingReloads() {
    torvale::testing::FaultyRomIo io;
    EditorFixture fixture(torvale::romgen::BuildSampleRom(), io);
    TextListEditor editor(fixture.context);
    editor.show();
    auto& list = *Control<QListWidget>(editor, "TextLST");
    ClickRow(list, 2);
    const QString shownBefore = list.item(2)->text();
    TypeText(Control<QLineEdit>(editor, "NameTXT"), QStringLiteral("Q"));
    io.FaultAt(1, torvale::testing::FaultyRomIo::Fault::kError, 'w');
    QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].icon, torvale::ui::MessageIcon::kCritical);
    QVERIFY(fixture.platform.messages[0].text.startsWith("The change could not be written"));
    QCOMPARE(list.item(2)->text(), shownBefore);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void characterTableIsFoundBesideTheProgramOrInTheInstalledFolder_data() {
    QTest::addColumn<DataPlace>("place");
    QTest::newRow("program folder") << DataPlace::kProgramFolder;
    QTest::newRow("installed folder") << DataPlace::kInstalledFolder;
  }
  void characterTableIsFoundBesideTheProgramOrInTheInstalledFolder() {
    QFETCH(DataPlace, place);
    WindowFixture fixture;
    fixture.PlaceDataFile("FF2us.tbl", place);
    torvale::RomFile rom;
    rom.Open(fixture.WriteRom(torvale::romgen::BuildSampleRom()).toStdString());
    // The codec is made as the main window makes it, once the data files are in place.
    const torvale::TextCodec text = torvale::ui::MakeTextCodec(fixture.platform);
    TextListEditor editor({rom, fixture.platform, text});
    QCOMPARE(Control<QListWidget>(editor, "TextLST")->count(), 33);
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(fixture.platform.endProgramCalls, 0);
  }

  void missingCharacterTableEndsTheProgramOnTheFirstRead() {
    EditorFixture fixture;
    fixture.RemoveDataFile("FF2us.tbl");
    TextListEditor editor(fixture.context);
    QCOMPARE(fixture.platform.endProgramCalls, 1);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].text,
             QStringLiteral("You are missing a vital data file, you will need to reinstall the "
                            "program to fix this error.  This application will now close."));
    QCOMPARE(Control<QListWidget>(editor, "TextLST")->count(), 0);
  }
};

QTEST_MAIN(TextListEditorTest)
#include "TextListEditorTest.moc"
