// What is particular to one editor window: its captions and labels, its
// lists' special entries, and the behaviour the shared contract does not cover.

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "romgen/SyntheticSpc.h"

using namespace torvale::testing;

namespace {

Bytes Name(const std::string& text, std::size_t length) {
  return torvale::romgen::EncodeGameText(text, length);
}

}  // namespace

class EditorParticularsTest : public QObject {
  Q_OBJECT

  FaultyRomIo faults;  // outlives the fixture that reads through it
  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<QDialog> window;

  // Opens the editor `model` on `image`, lists filled and first record shown.
  QDialog& Open(const char* model, const Bytes& image = Sample(),
                torvale::RomIo& io = torvale::SystemRomIo()) {
    window.reset();
    fixture = std::make_unique<EditorFixture>(image, io);
    window = OpenEditor(EditorModelNamed(model), fixture->context);
    return *window;
  }
  template <typename T = QWidget>
  T& In(const char* name) {
    return *Control<T>(*window, name);
  }
  void Click(const char* button) { ClickButton(In<QAbstractButton>(button)); }
  void Pick(const char* list, int row) { ClickRow(In<QListWidget>(list), row); }
  void Type(const char* box, const QString& text) { ReplaceText(In<QLineEdit>(box), text); }
  void ExpectFile(const Bytes& expected) {
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }
  // The one message shown since the editor opened: its icon and text.
  void ExpectMessage(MessageIcon icon, const QString& text) {
    QCOMPARE(fixture->platform.messages.size(), 1);
    QCOMPARE(fixture->platform.messages[0].icon, icon);
    QCOMPARE(fixture->platform.messages[0].text, text);
  }

 private slots:
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  void itemEditorShowsAnItemAndHidesWhatItemsPastTheRecordsLack() {
    // Item 17: icon 0x2D, price byte 0x81, record 07 20 63 AA BB CC C8 8D.
    const Bytes image =
        SampleWith({{0x78200 + 9 * 17, {0x2D}},
                    {0x78201 + 9 * 17, Name("Edge", 8)},
                    {0x7A650 + 17, {0x81}},
                    {0x79300 + 8 * 17, {0x07, 0x20, 0x63, 0xAA, 0xBB, 0xCC, 0xC8, 0x8D}}});
    Open("item", image);
    QCOMPARE(In<QListWidget>("EquipLST").count(), 256);
    Pick("ItemLST", 17);
    ExpectShown(*window, {{"", "Item Editor - Edge    "},
                          {"ItemIndexNumLBL", "Item Index #: 17"},
                          {"ItemIconCBO", "Sword"},
                          {"PriceTXT", "1000"},
                          {"StatCBO", "+10 | -10 | -10 | -10 | +10   "},
                          {"EquipLSTValueLBL", "200"},
                          {"WhoCanEquipSmallFontLBL", "Unknown/Undocumented"},
                          {"SpellCBO", "[N/A]"}});
    QVERIFY(!In("SpellCBO").isEnabled());
    Type("PriceTXT", "55");
    ClickApply(*window);
    ExpectShown(*window, {{"PriceTXT", "60"}});  // shown as stored
    ExpectFile(Patched(image, 0x7A650 + 17, {6}));
    Pick("ItemLST", 176);
    for (const char* field : {"PriceTXT", "EquipLST", "StatCBO", "AtkDefTXT", "Byte00TXT"}) {
      QVERIFY2(!In(field).isVisible(), field);
    }
    QVERIFY(In("InfoLBL").isVisible());
    ExpectShown(*window,
                {{"InfoLBL", "Items past the index # of 175 can not be edited presently."}});
    // A new name shows in the list after Refresh, which keeps the classes whole.
    Type("NameTXT", "Renamed");
    ClickApply(*window);
    Click("RefreshCMD");
    Click("RefreshCMD");
    QCOMPARE(In<QListWidget>("ItemLST").item(176)->text(), QStringLiteral("Renamed "));
    QCOMPARE(In<QListWidget>("EquipLST").count(), 256);
  }

  void magicSpellEditorCaptionsIconsAndAsura() {
    const Bytes image = SampleWith({{0x78B00 + 6 * 3, {0x40}},
                                    {0x78B01 + 6 * 3, Name("Glow", 5)},
                                    {0x79BC2, {0x40, 0x1E, 0x64, 0x02}}});
    Open("magic", image);
    Pick("MagicLST", 3);
    ExpectShown(*window, {{"", "Magic Spell Editor - Glow "},
                          {"MagicIndexNumLBL", "Magic Spell Index #: 3"}});
    QVERIFY(In<QRadioButton>("WhiteOPT").isChecked() && !In<QRadioButton>("BlackOPT").isChecked());
    In<QComboBox>("SpellEffectCBO").setCurrentIndex(0x30);
    ExpectShown(*window, {{"", "48"}});
    QTest::mouseDClick(&In<QLabel>("EasterEgg1"), Qt::LeftButton);
    QCOMPARE(fixture->platform.modalWindows, QStringList("Torvale"));
    QVERIFY(In("RestoreAsuraCMD").isEnabled());
    QTest::mouseClick(&In<QPushButton>("RestoreAsuraCMD"), Qt::LeftButton);
    ExpectFile(Patched(image, 0x79BC2, {0x40, 0x01, 0x42, 0x8D}));
    ExpectMessage(MessageIcon::kInformation, "Asura has been restored to the FF4 effects.");
    QCOMPARE(fixture->platform.messages[0].title, QStringLiteral("Asura Restored"));
    QVERIFY(!In("RestoreAsuraCMD").isEnabled());
    ExpectShown(*window, {{"RestoreAsuraCMD", "Asura Restored"}});
    auto reopened = OpenEditor(EditorModelNamed("magic"), fixture->context, false);
    QCOMPARE(Control<QPushButton>(*reopened, "RestoreAsuraCMD")->text(),
             QStringLiteral("Not Available"));
    // Restoring is offered only when the check could read the bytes.
    faults.FaultAt(1, FaultyRomIo::Fault::kError, 'r');
    Open("magic", image, faults);
    QVERIFY(!In("RestoreAsuraCMD").isEnabled());
  }

  void characterStatsEditorSharesTheFirstNameAndShowsTheWholeExperience() {
    // Slot 4: experience bytes 00 00 00 80, the most negative number.
    Open("character stats", Patched(Sample(), 0x7AB00 + 32 * 4 + 0x17, {0, 0, 0, 0x80}));
    auto& characters = In<QListWidget>("CharLST");
    QCOMPARE(characters.item(9)->text(), characters.item(0)->text());
    Pick("CharLST", 4);
    ExpectShown(*window, {{"", "Character Stats Editor - " + characters.item(4)->text()},
                          {"EXPTXT", "-2147483648"},
                          {"ATKTXT", "N/A"}});
    const QString slotTen = characters.item(10)->text();
    Pick("CharLST", 9);
    Type("NameTXT", "Edna");
    ClickApply(*window);
    Click("RefreshCMD");
    QCOMPARE(characters.item(0)->text(), QStringLiteral("Edna  "));
    QCOMPARE(characters.item(9)->text(), QStringLiteral("Edna  "));
    QCOMPARE(characters.item(10)->text(), slotTen);
    QVERIFY(characters.selectedItems().isEmpty());
  }

  void characterEquipmentEditorNotesTheReservedSlot() {
    Open("character equipment");
    QCOMPARE(In<QListWidget>("CharLST").item(0)->text(), QStringLiteral("Character Slot 01"));
    Pick("CharLST", 21);
    ExpectShown(
        *window,
        {{"CharIndexNumLBL", "Character Slot: 22"},
         {"InfoLBL",
          "This slot is reserved for 'Anna', she doesn't actually have any battle sprites."}});
    QVERIFY(In("InfoLBL").isVisible());
    Pick("CharLST", 20);
    QVERIFY(!In("InfoLBL").isVisible());
    ExpectShown(*window, {{"InfoLBL", ""}});
    // Closed while its lists fill, the window loads no slot and writes nothing.
    auto closing = OpenEditor(EditorModelNamed("character equipment"), fixture->context, false);
    closing->show();
    closing->reject();
    QTest::qWait(30);
    QVERIFY(!Control<QWidget>(*closing, "HeadCBO")->isEnabled());
    ExpectFile(fixture->original);
  }

  void shopAndMapEditorsNumberTheirRecords() {
    Open("shop");
    QCOMPARE(In<QListWidget>("ShopLST").item(63)->text(), QStringLiteral("Shop #64"));
    QCOMPARE(In<QComboBox>("Slot8CBO").itemText(255), QStringLiteral("[Empty]"));
    ExpectShown(*window, {{"IndexNumLBL", "Shop #: 1"}});
    Open("map properties");
    ExpectShown(*window, {{"MapIndexNumLBL", "Map Index #: 0"}});
    Pick("MapLST", 7);
    ExpectShown(*window, {{"MapIndexNumLBL", "Map Index #: 7"}});
    QVERIFY(In<QLineEdit>("MapIndexTXT").isReadOnly());
    // The map editor reads its record again after the music editor.
    fixture->platform.whileModal = [&](QDialog&) {
      fixture->rom.WriteByte(0xA9E80 + 13 * 7 + 11, 0x1A);  // a song stored meanwhile
    };
    Click("MusicCMD");
    QCOMPARE(fixture->platform.modalWindows, QStringList("Music Editor"));
    QCOMPARE(In<QComboBox>("MusicCBO").currentIndex(), 0x1A);
    // A music editor that closes the ROM closes the map editor with it.
    fixture->platform.whileModal = [&](QDialog& music) {
      fixture->rom.Close();
      music.reject();
    };
    Click("MusicCMD");
    QVERIFY(!window->isVisible());
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  void musicEditorStoresASongTheMomentItIsPickedAndShowsItsSpcFile() {
    Open("music", Patched(Sample(), 0xA9ECC, {9}));
    for (const char* control : {"ApplyCMD", "SongLST", "ShowHex"}) {
      QVERIFY2(!In(control).isEnabled(), control);
    }
    QVERIFY(!In("HexDisplayLBL").isVisible());
    Pick("AreaLST", 5);
    QCOMPARE(In<QListWidget>("SongLST").currentRow(), 9);
    ExpectShown(*window, {{"AreaIndexNumLBL", "Map Index #: 5"}});
    Click("ShowHex");
    QVERIFY(In("HexDisplayLBL").isVisible());
    ExpectShown(*window, {{"HexDisplayLBL", "A9ECC <--"}});
    Pick("AreaLST", 380);
    ExpectShown(*window, {{"HexDisplayLBL", "AB1D7 <--"}});
    Pick("AreaLST", 5);
    Pick("SongLST", 26);  // "Boss Battle Music", without Apply
    ExpectFile(Patched(fixture->original, 0xA9ECC, {0x1A}));
    const auto spc = fixture->folder.File("tune.spc"), notSpc = fixture->folder.File("notes.txt");
    torvale::romgen::WriteFileBytes(
        spc, torvale::romgen::BuildSyntheticSpc("Made-up Quest", "Field March"));
    torvale::romgen::WriteFileBytes(notSpc, {'h', 'i'});
    fixture->platform.fileAnswers << QString() << QString::fromStdString(spc.string())
                                  << QString::fromStdString(notSpc.string());
    Click("EjectCMD");
    ExpectShown(*window, {{"ID666LBL", ""}});
    Click("EjectCMD");
    QCOMPARE(fixture->platform.askedSelectedFilters.last(),
             QStringLiteral("SPC Music File (*.spc)"));
    // A file that cannot be played leaves the one loaded before, and its labels.
    for (int eject = 0; eject < 2; ++eject) {
      ExpectShown(*window, {{"ID666LBL", "Now Playing: \r\nMade-up Quest - Field March"},
                            {"SongLBL", QString::fromStdString(spc.string())}});
      if (eject == 0) Click("EjectCMD");
    }
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  void treasureEditorShowsEachKindAndKeepsItsOptionsApart() {
    Open("treasure",
         SampleWith({{0xA8503, {0x12, 0x05}}, {0xA850D, {0xE4, 0x10}}, {0xA8512, {0xC0, 0x22}}}));
    ExpectShown(*window, {{"OffsetLBL", "Offset: A8503"}, {"GPTXT", "50"}});
    QVERIFY(In<QRadioButton>("GPOPT").isChecked());
    QCOMPARE(In<QListWidget>("ItemLST").currentRow(), 256);
    QVERIFY(!In("ItemLST").isEnabled());
    Pick("OffsetLST", 2);
    QVERIFY(In<QCheckBox>("FormationCHK").isChecked());
    QCOMPARE(In<QListWidget>("FormationLST").currentRow(), 100);
    ExpectShown(*window, {{"GPTXT", ""}});
    Pick("OffsetLST", 3);  // type 0xC0: formation 64 guards item 0x22
    QCOMPARE(In<QListWidget>("FormationLST").currentRow(), 64);
    Click("ClearCMD");
    QVERIFY(!In<QRadioButton>("GPOPT").isChecked() && !In<QRadioButton>("ItemOPT").isChecked());
  }

  // The treasure options refuse with messages of their own.
  void treasureEditorRefusals_data() {
    QTest::addColumn<int>("setup");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("offered");
    const QString noItem = QStringLiteral(
        "You need to select a Monster Formation or Item to go with this Treasure Chest.");
    const auto critical = MessageIcon::kCritical, warning = MessageIcon::kExclamation;
    QTest::newRow("no kind") << 0 << warning
                             << "Please select what type of treasure you want to save as."
                             << QString() << 0;
    QTest::newRow("no amount") << 1 << warning << "Please input a GP amount before you save it."
                               << QString() << 0;
    QTest::newRow("no item") << 2 << critical << noItem << "ItemLST" << 0;
    QTest::newRow("no formation") << 3 << critical << noItem << "FormationLST" << 64;
    QTest::newRow("formation below 64")
        << 4 << critical
        << "A chest guarded by monsters needs a Monster Formation from 64 to 127; formation 63 "
           "would be stored as an unguarded chest."
        << "FormationLST" << 63;
  }
  void treasureEditorRefusals() {
    QFETCH(int, setup);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, message);
    QFETCH(QString, list);
    QFETCH(int, offered);
    Open("treasure", Patched(Sample(), 0xA8508, {0x9F, 0x21}));
    Pick("OffsetLST", 1);
    if (setup == 0) Click("ClearCMD");
    if (setup == 1) Click("GPOPT");
    if (setup == 1) ExpectShown(*window, {{"GPTXT", ""}});
    if (setup >= 2) Click("ItemOPT");
    if (setup == 2) Pick("ItemLST", 256);
    if (setup >= 3) {
      Click("FormationCHK");
      Pick("ItemLST", 3);
      Pick("FormationLST", setup == 3 ? 128 : 63);
    }
    ClickApply(*window);
    ExpectMessage(icon, message);
    if (setup == 1) ExpectShown(*window, {{"GPTXT", "0"}});
    if (!list.isEmpty()) QCOMPARE(In<QListWidget>(qPrintable(list)).currentRow(), offered);
    ExpectFile(fixture->original);
  }

  void monsterEditorListsANewNameAfterRefresh() {
    Open("monster");
    ExpectShown(*window,
                {{"InfoLBL", "Loading Monsters..."}, {"MonsterIndexNumLBL", "Monster Index #: 0"}});
    QVERIFY(window->windowTitle().startsWith("Monster Editor - "));
    auto& monsters = In<QListWidget>("MonsterLST");
    Pick("MonsterLST", 5);
    Type("NameTXT", "Imp");
    ClickApply(*window);
    QVERIFY(monsters.item(5)->text() != QStringLiteral("Imp     "));
    Click("RefreshCMD");
    QCOMPARE(monsters.item(5)->text(), QStringLiteral("Imp     "));
    QVERIFY(monsters.selectedItems().isEmpty());
  }

  void battleTablesShowOnePageAndRebuildTheMonsterLists() {
    Open("items won", SampleWith({{0x72580, {2, 50, 10}}, {0x72820, {3, 4}}}));
    auto& tabs = In<QTabBar>("tabs");
    const auto clickTab = [&](int tab) {
      QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(tab).center());
    };
    QCOMPARE(In<QComboBox>("ATKDEFCBO").itemText(0), QStringLiteral("2 - 50 - 10"));
    clickTab(1);
    QVERIFY(In<QGroupBox>("MonsterFRA").isVisible());
    QVERIFY(!In<QGroupBox>("ItemFRA").isVisible());
    clickTab(2);  // "Equip Tables [N/A]" leaves the page as it was
    QVERIFY(In<QGroupBox>("MonsterFRA").isVisible());
    In<QComboBox>("ATKDEFCBO").setCurrentIndex(5);
    Type("AtkxTXT", "9");
    In<QLineEdit>("AGILowTXT").selectAll();
    QTest::keyClick(&In<QLineEdit>("AGILowTXT"), Qt::Key_Backspace);
    ExpectShown(*window, {{"AGILowTXT", "0"}});
    ClickApply(*window);
    QCOMPARE(In<QComboBox>("ATKDEFCBO").currentIndex(), 0);
    QCOMPARE(In<QComboBox>("AGISPDCBO").itemText(0), QStringLiteral("0 - 4"));
    QCOMPARE(In<QComboBox>("ATKDEFCBO").itemText(5).left(2), QStringLiteral("9 "));
  }

  void textListShowsEachTextAsStored() {
    const Bytes image = SampleWith({{0x7A9C6, Name("Abcde", 5)}, {0x7AA66, Name("Tail", 5)}});
    Open("text list", image);
    ExpectShown(*window, {{"", "Shit"}, {"NameTXT", ""}});
    auto& texts = In<QListWidget>("TextLST");
    QCOMPARE(texts.item(32)->text(), QStringLiteral("Tail "));
    QVERIFY(texts.selectedItems().isEmpty());
    Pick("TextLST", 0);
    Type("NameTXT", QStringLiteral("X#\u00e9yz"));  // characters without a byte keep theirs
    ClickApply(*window);
    ExpectFile(Patched(image, 0x7A9C6, {0x59, 0x5D, 0x5E, 0x74, 0x75}));
    ExpectShown(*window, {{"NameTXT", "Xbcyz"}});
    QCOMPARE(texts.item(0)->text(), QStringLiteral("Xbcyz"));
    QCOMPARE(texts.currentRow(), 0);
    In<QLineEdit>("NameTXT").selectAll();
    QTest::keyClick(&In<QLineEdit>("NameTXT"), Qt::Key_Backspace);
    ClickApply(*window);  // an emptied text is stored as spaces
    ExpectFile(Patched(image, 0x7A9C6, Bytes(5, 0xFF)));
  }

  void missingCharacterTableEndsTheProgramOnTheFirstRead() {
    fixture = std::make_unique<EditorFixture>();
    fixture->RemoveDataFile("FF2us.tbl");
    window = OpenEditor(EditorModelNamed("text list"), fixture->context, false);
    QCOMPARE(fixture->platform.endProgramCalls, 1);
    ExpectMessage(MessageIcon::kCritical,
                  "You are missing a vital data file, you will need to reinstall the program to "
                  "fix this error.  This application will now close.");
    QCOMPARE(In<QListWidget>("TextLST").count(), 0);
  }
};

QTEST_MAIN(EditorParticularsTest)
#include "EditorParticularsTest.moc"
