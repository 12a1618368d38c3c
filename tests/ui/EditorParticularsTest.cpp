// What is particular to one editor window: its captions and labels, its
// lists' special entries, and the behaviour the shared contract does not cover.
// Steps are given as WindowFixture's Drive takes them.

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "romgen/SyntheticSpc.h"

using namespace torvale::testing;

using torvale::romgen::EncodeGameText;

class EditorParticularsTest : public QObject {
  Q_OBJECT

  FaultyRomIo faults;  // outlives the fixture that reads through it
  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<QDialog> window;

  // Opens the editor `model` on `image`, lists filled and first record shown.
  void Open(const char* model, const Bytes& image = Sample(),
            torvale::RomIo& io = torvale::SystemRomIo()) {
    window.reset();
    fixture = std::make_unique<EditorFixture>(image, io);
    window = OpenEditor(EditorModelNamed(model), fixture->context);
  }
  template <typename T = QWidget>
  T& In(const char* name) {
    return *Control<T>(*window, name);
  }
  QString Row(const char* list, int row) { return In<QListWidget>(list).item(row)->text(); }
  void Expect(std::initializer_list<std::pair<const char*, QString>> shown) {
    ExpectShown(*window, shown);
  }
  void ExpectFile(const Bytes& expected) {
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
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
                    {0x78201 + 9 * 17, EncodeGameText("Edge", 8)},
                    {0x7A650 + 17, {0x81}},
                    {0x79300 + 8 * 17, {0x07, 0x20, 0x63, 0xAA, 0xBB, 0xCC, 0xC8, 0x8D}}});
    Open("item", image);
    QCOMPARE(In<QListWidget>("EquipLST").count(), 256);
    Drive(*window, "ItemLST=17");
    Expect({{"", "Item Editor - Edge    "},
            {"ItemIndexNumLBL", "Item Index #: 17"},
            {"ItemIconCBO", "Sword"},
            {"PriceTXT", "1000"},
            {"StatCBO", "+10 | -10 | -10 | -10 | +10   "},
            {"EquipLSTValueLBL", "200"},
            {"WhoCanEquipSmallFontLBL", "Unknown/Undocumented"},
            {"SpellCBO", "[N/A]"}});
    QVERIFY(!In("SpellCBO").isEnabled());
    Drive(*window, "PriceTXT=55 ApplyCMD");
    Expect({{"PriceTXT", "60"}});  // shown as stored
    ExpectFile(Patched(image, 0x7A650 + 17, {6}));
    Drive(*window, "ItemLST=176");
    for (const char* field : {"PriceTXT", "EquipLST", "StatCBO", "AtkDefTXT", "Byte00TXT"}) {
      QVERIFY2(!In(field).isVisible(), field);
    }
    QVERIFY(In("InfoLBL").isVisible());
    Expect({{"InfoLBL", "Items past the index # of 175 can not be edited presently."}});
    // A new name shows in the list after Refresh, which keeps the classes whole.
    Drive(*window, "NameTXT=Renamed ApplyCMD RefreshCMD RefreshCMD");
    QCOMPARE(Row("ItemLST", 176), "Renamed ");
    QCOMPARE(In<QListWidget>("EquipLST").count(), 256);
  }

  void magicSpellEditorCaptionsIconsAndAsura() {
    const Bytes image = SampleWith({{0x78B00 + 6 * 3, {0x40}},
                                    {0x78B01 + 6 * 3, EncodeGameText("Glow", 5)},
                                    {0x79BC2, {0x40, 0x1E, 0x64, 0x02}}});
    Open("magic", image);
    Drive(*window, "MagicLST=3");
    Expect({{"", "Magic Spell Editor - Glow "}, {"MagicIndexNumLBL", "Magic Spell Index #: 3"}});
    QVERIFY(In<QRadioButton>("WhiteOPT").isChecked() && !In<QRadioButton>("BlackOPT").isChecked());
    Drive(*window, "SpellEffectCBO=48");
    Expect({{"", "48"}});
    QTest::mouseDClick(&In<QLabel>("EasterEgg1"), Qt::LeftButton);
    QCOMPARE(fixture->platform.modalWindows, QStringList("Torvale"));
    QVERIFY(In("RestoreAsuraCMD").isEnabled());
    QTest::mouseClick(&In<QPushButton>("RestoreAsuraCMD"), Qt::LeftButton);
    ExpectFile(Patched(image, 0x79BC2, {0x40, 0x01, 0x42, 0x8D}));
    ExpectMessage(fixture->platform, MessageIcon::kInformation,
                  "Asura has been restored to the FF4 effects.");
    QCOMPARE(fixture->platform.messages[0].title, "Asura Restored");
    QVERIFY(!In("RestoreAsuraCMD").isEnabled());
    Expect({{"RestoreAsuraCMD", "Asura Restored"}});
    auto reopened = OpenEditor(EditorModelNamed("magic"), fixture->context, false);
    ExpectShown(*reopened, {{"RestoreAsuraCMD", "Not Available"}});
    // Restoring is offered only when the check could read the bytes.
    window.reset();
    fixture = std::make_unique<EditorFixture>(image, faults);
    faults.FaultAt(1, FaultyRomIo::Fault::kError, 'r');
    window = OpenEditor(EditorModelNamed("magic"), fixture->context);
    QVERIFY(!In("RestoreAsuraCMD").isEnabled());
  }

  void characterEditorsShareTheFirstNameAndNoteTheReservedSlot() {
    // Slot 4: experience bytes 00 00 00 80, the most negative number.
    Open("character stats", Patched(Sample(), 0x7AB00 + 32 * 4 + 0x17, {0, 0, 0, 0x80}));
    QCOMPARE(Row("CharLST", 9), Row("CharLST", 0));
    Drive(*window, "CharLST=4");
    Expect({{"", "Character Stats Editor - " + Row("CharLST", 4)},
            {"EXPTXT", "-2147483648"},
            {"ATKTXT", "N/A"}});
    const QString slotTen = Row("CharLST", 10);
    Drive(*window, "CharLST=9 NameTXT=Edna ApplyCMD RefreshCMD");
    QCOMPARE(Row("CharLST", 0), "Edna  ");
    QCOMPARE(Row("CharLST", 9), "Edna  ");
    QCOMPARE(Row("CharLST", 10), slotTen);
    QVERIFY(In<QListWidget>("CharLST").selectedItems().isEmpty());
    Open("character equipment");
    QCOMPARE(Row("CharLST", 0), "Character Slot 01");
    Drive(*window, "CharLST=21");
    Expect({{"CharIndexNumLBL", "Character Slot: 22"},
            {"InfoLBL",
             "This slot is reserved for 'Anna', she doesn't actually have any battle sprites."}});
    QVERIFY(In("InfoLBL").isVisible());
    Drive(*window, "CharLST=20");
    QVERIFY(!In("InfoLBL").isVisible());
    Expect({{"InfoLBL", ""}});
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
    QCOMPARE(Row("ShopLST", 63), "Shop #64");
    QCOMPARE(In<QComboBox>("Slot8CBO").itemText(255), "[Empty]");
    Expect({{"IndexNumLBL", "Shop #: 1"}});
    Open("map properties");
    Expect({{"MapIndexNumLBL", "Map Index #: 0"}});
    Drive(*window, "MapLST=7");
    Expect({{"MapIndexNumLBL", "Map Index #: 7"}});
    QVERIFY(In<QLineEdit>("MapIndexTXT").isReadOnly());
    // The map editor reads its record again after the music editor.
    fixture->platform.whileModal = [&](QDialog&) {
      fixture->rom.WriteByte(0xA9E80 + 13 * 7 + 11, 0x1A);  // a song stored meanwhile
    };
    Drive(*window, "MusicCMD");
    QCOMPARE(fixture->platform.modalWindows, QStringList("Music Editor"));
    QCOMPARE(In<QComboBox>("MusicCBO").currentIndex(), 0x1A);
    // A music editor that closes the ROM closes the map editor with it.
    fixture->platform.whileModal = [&](QDialog& music) {
      fixture->rom.Close();
      music.reject();
    };
    Drive(*window, "MusicCMD");
    QVERIFY(!window->isVisible());
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  void musicEditorStoresASongTheMomentItIsPickedAndShowsItsSpcFile() {
    Open("music", Patched(Sample(), 0xA9ECC, {9}));
    for (const char* control : {"ApplyCMD", "SongLST", "ShowHex"}) {
      QVERIFY2(!In(control).isEnabled(), control);
    }
    QVERIFY(!In("HexDisplayLBL").isVisible());
    Drive(*window, "AreaLST=5 ShowHex");
    Expect(
        {{"SongLST", "9"}, {"AreaIndexNumLBL", "Map Index #: 5"}, {"HexDisplayLBL", "A9ECC <--"}});
    QVERIFY(In("HexDisplayLBL").isVisible());
    Drive(*window, "AreaLST=380");
    Expect({{"HexDisplayLBL", "AB1D7 <--"}});
    Drive(*window, "AreaLST=5 SongLST=26");  // "Boss Battle Music", without Apply
    ExpectFile(Patched(fixture->original, 0xA9ECC, {0x1A}));
    // Songs clicked one after another for one map are one step; another map's, another.
    Drive(*window, "SongLST=27 SongLST=28 AreaLST=6 SongLST=3");
    QCOMPARE(fixture->history.Steps().activeStack()->count(), 2);
    fixture->history.Undo();
    fixture->history.Undo();
    ExpectFile(fixture->original);
    const auto spc = fixture->folder.File("tune.spc"), notSpc = fixture->folder.File("notes.txt");
    torvale::romgen::WriteFileBytes(
        spc, torvale::romgen::BuildSyntheticSpc("Made-up Quest", "Field March"));
    torvale::romgen::WriteFileBytes(notSpc, {'h', 'i'});
    fixture->platform.fileAnswers << QString() << QString::fromStdString(spc.string())
                                  << QString::fromStdString(notSpc.string());
    Drive(*window, "EjectCMD");
    Expect({{"ID666LBL", ""}});
    Drive(*window, "EjectCMD");
    QCOMPARE(fixture->platform.askedSelectedFilters.last(), "SPC Music File (*.spc)");
    // A file that cannot be played leaves the one loaded before, and its labels.
    for (int eject = 0; eject < 2; ++eject) {
      Expect({{"ID666LBL", "Now Playing: \r\nMade-up Quest - Field March"},
              {"SongLBL", QString::fromStdString(spc.string())}});
      if (eject == 0) Drive(*window, "EjectCMD");
    }
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  void treasureEditorShowsEachKindAndKeepsItsOptionsApart() {
    Open("treasure", SampleWith({{0xA8503, {0x12, 0x05}},
                                 {0xA8508, {0x9F, 0x21}},
                                 {0xA850D, {0xE4, 0x10}},
                                 {0xA8512, {0xC0, 0x22}}}));
    Expect({{"OffsetLBL", "Offset: A8503"}, {"GPTXT", "50"}, {"ItemLST", "256"}});
    QVERIFY(In<QRadioButton>("GPOPT").isChecked());
    QVERIFY(!In("ItemLST").isEnabled());
    Drive(*window, "OffsetLST=2");
    QVERIFY(In<QCheckBox>("FormationCHK").isChecked());
    Expect({{"FormationLST", "100"}, {"GPTXT", ""}});
    Drive(*window, "OffsetLST=3");  // type 0xC0: formation 64 guards item 0x22
    Expect({{"FormationLST", "64"}});
    Drive(*window, "ClearCMD");
    QVERIFY(!In<QRadioButton>("GPOPT").isChecked() && !In<QRadioButton>("ItemOPT").isChecked());
    Drive(*window, "OffsetLST=1 GPOPT");  // an item chest shows no GP amount
    Expect({{"GPTXT", ""}});
  }

  void monsterEditorListsANewNameAfterRefresh() {
    Open("monster");
    Expect({{"InfoLBL", "Loading Monsters..."}, {"MonsterIndexNumLBL", "Monster Index #: 0"}});
    QVERIFY(window->windowTitle().startsWith("Monster Editor - "));
    Drive(*window, "MonsterLST=5 NameTXT=Imp ApplyCMD");
    QVERIFY(Row("MonsterLST", 5) != QStringLiteral("Imp     "));
    Drive(*window, "RefreshCMD");
    QCOMPARE(Row("MonsterLST", 5), "Imp     ");
    QVERIFY(In<QListWidget>("MonsterLST").selectedItems().isEmpty());
  }

  void battleTablesShowOnePageAndRebuildTheMonsterLists() {
    Open("items won", SampleWith({{0x72580, {2, 50, 10}}, {0x72820, {3, 4}}}));
    QCOMPARE(In<QComboBox>("ATKDEFCBO").itemText(0), "2 - 50 - 10");
    ClickTab(In<QTabBar>("tabs"), 1);
    QVERIFY(In<QGroupBox>("MonsterFRA").isVisible());
    QVERIFY(!In<QGroupBox>("ItemFRA").isVisible());
    ClickTab(In<QTabBar>("tabs"), 2);  // "Equip Tables [N/A]" leaves the page as it was
    QVERIFY(In<QGroupBox>("MonsterFRA").isVisible());
    Drive(*window, "ATKDEFCBO=5 AtkxTXT=9");
    In<QLineEdit>("AGILowTXT").selectAll();
    QTest::keyClick(&In<QLineEdit>("AGILowTXT"), Qt::Key_Backspace);
    Expect({{"AGILowTXT", "0"}});
    ClickApply(*window);
    QCOMPARE(In<QComboBox>("ATKDEFCBO").currentIndex(), 0);
    QCOMPARE(In<QComboBox>("AGISPDCBO").itemText(0), "0 - 4");
    QCOMPARE(In<QComboBox>("ATKDEFCBO").itemText(5).left(2), "9 ");
  }

  void textListShowsEachTextAsStored() {
    const Bytes image =
        SampleWith({{0x7A9C6, EncodeGameText("Abcde", 5)}, {0x7AA66, EncodeGameText("Tail", 5)}});
    Open("text list", image);
    Expect({{"", "Shit"}, {"NameTXT", ""}});
    QCOMPARE(Row("TextLST", 32), "Tail ");
    QVERIFY(In<QListWidget>("TextLST").selectedItems().isEmpty());
    // Characters without a byte are refused as they are typed.
    Drive(*window, QStringLiteral("TextLST=0 NameTXT=X#\u00e9yz ApplyCMD"));
    ExpectFile(Patched(image, 0x7A9C6, {0x59, 0x74, 0x75, 0xFF, 0xFF}));
    Expect({{"NameTXT", "Xyz  "}, {"TextLST", "0"}});
    QCOMPARE(Row("TextLST", 0), "Xyz  ");
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
    ExpectMessage(fixture->platform, MessageIcon::kCritical,
                  "You are missing a vital data file, you will need to reinstall the program to "
                  "fix this error.  This application will now close.");
    QCOMPARE(In<QListWidget>("TextLST").count(), 0);
  }
};

QTEST_MAIN(EditorParticularsTest)
#include "EditorParticularsTest.moc"
