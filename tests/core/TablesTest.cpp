// The tables' descriptions against the game's layout as the tests know it
// (Layout.h): every record of every table written with random values must
// leave exactly the bytes of the layout, and read back as the layout says.
// Then the encodings, the lists and the refusals, each against fixed values.

#include <gtest/gtest.h>

#include <random>

#include "Layout.h"
#include "TestRom.h"
#include "data/BattleTables.h"
#include "data/CellText.h"
#include "data/Encodings.h"
#include "data/Items.h"
#include "data/Lists.h"
#include "data/Magic.h"
#include "data/Maps.h"
#include "data/Monsters.h"
#include "data/Party.h"
#include "data/Shops.h"
#include "data/TextList.h"
#include "data/Treasure.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::FieldModel;
using testing::MemoryRom;

// Each table, the layout's model of its editor, and which of the model's
// pickers picks its records.
const std::tuple<const Table& (*)(), const char*, int> kTables[] = {
    {ItemTable, "item", 0},
    {SpellTable, "magic", 0},
    {CharacterTable, "character stats", 0},
    {EquipmentTable, "character equipment", 0},
    {ShopTable, "shop", 0},
    {MapPropertyTable, "map properties", 0},
    {MapSongTable, "music", 0},
    {ChestTable, "treasure", 0},
    {MonsterTable, "monster", 0},
    {TextEntryTable, "text list", 0},
    {ItemsWonTable, "items won", 0},
    {AttackDefenseTable, "monster tables", 0},
    {SpeedTable, "monster tables", 1}};

// The values of one record as the program takes them, the bytes the layout
// says they stand for (planted), and the values they read back as.
struct Planted {
  Record written;
  Bytes file;
  Record read;
  Bytes expected;  // the file once the written values are written
};

Planted Plant(const Table& table, const testing::EditorModel& model, const Bytes& image, int record,
              std::mt19937& random) {
  Planted planted{Record(table.fields.size()), image, Record(table.fields.size()), image};
  const auto draw = [&](const FieldModel& layout) {
    const int value = std::uniform_int_distribution(layout.min, layout.max)(random);
    Plant(layout, planted.file, record, value);
    Store(layout, planted.expected, record, value);
    return value;
  };
  if (&table == &ChestTable()) {
    // A chest of a random kind: the layout's field of that kind, and the program's four values.
    const int kind = std::uniform_int_distribution(0, 2)(random);
    const FieldModel& chest =
        testing::FieldNamed(model, std::array{"GPOPT", "ItemOPT", "FormationCHK"}[kind]);
    const int value = draw(chest);
    planted.written = planted.read = Record{std::int64_t{kind}, {}, {}, {}};
    if (kind == 0) {  // a typed GP amount reads back as the step it is stored in
      planted.written[1] = std::int64_t{value};
      planted.read[1] = std::int64_t{ValueOf(chest, planted.file, record)};
    } else {
      planted.written[2] = planted.read[2] = std::int64_t{value & 0xFF};
    }
    if (kind == 2) planted.written[3] = planted.read[3] = std::int64_t{value >> 8};
    return planted;
  }
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    const Field& field = table.fields[i];
    if (field.name == "NameIndexTXT" || field.name == "MagicIconFRA") continue;
    const FieldModel& layout = testing::FieldNamed(model, std::string(field.name));
    const int value = draw(layout);
    if (layout.kind == testing::FieldKind::kName) {
      const std::string name = testing::NameFor(value, layout.max);
      planted.written[i] = name;
      planted.read[i] = name + std::string(static_cast<std::size_t>(layout.max) - name.size(), ' ');
    } else if (field.name == "HandLST") {
      // The layout's byte 0 is the program's hand and name index.
      const int hand = value < 0x80 ? 0 : value < 0xC0 ? 1 : 2;
      planted.written[i] = planted.read[i] = std::int64_t{hand};
      planted.written[i + 1] = planted.read[i + 1] = std::int64_t{value - 0x40 * (hand + 1)};
    } else {
      planted.written[i] = std::int64_t{value};
      planted.read[i] = std::int64_t{ValueOf(layout, planted.file, record)};
    }
  }
  return planted;
}

TEST(Tables, EveryRecordWritesAndReadsTheBytesOfTheLayout) {
  std::mt19937 random(7);
  for (const auto& [tableOf, modelName, picker] : kTables) {
    const Table& table = tableOf();
    const testing::EditorModel& model = testing::EditorModelNamed(modelName);
    EXPECT_EQ(table.count, &table == &ItemTable() ? 256 : model.pickers[picker].count)
        << table.name;
    MemoryRom memory;
    for (int record = 0; record < table.count; ++record) {
      const Planted planted = Plant(table, model, memory.file.bytes, record, random);
      memory.file.bytes = planted.file;
      const Record read = ReadRecord(table, memory.text, memory.rom, record);
      for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].name == "MagicIconFRA") continue;
        ASSERT_EQ(read[i], planted.read[i])
            << table.name << " " << record << " " << table.fields[i].name;
      }
      ASSERT_EQ(RefusalOf(table, planted.written), std::nullopt) << table.name << " " << record;
      WriteRecord(table, memory.rom, record, planted.written);
      ASSERT_EQ(DescribeDifferences(planted.expected, memory.file.bytes), "")
          << table.name << " " << record;
    }
  }
}

TEST(Tables, FieldsSharingBytesOrFollowingOneAnotherGoInOneWrite) {
  const std::pair<const Table& (*)(), std::vector<std::size_t>> cases[] = {
      {CharacterTable, {1, 13, 6, 2}},  // level; HP, MP and stats; name; byte 0 and special
      {MonsterTable, {8, 2, 2, 4}},     // name, GP, experience, the graphic record
      {MapPropertyTable, {2, 2, 7}},    // all but the two indexes
      {ChestTable, {2}},
      {ItemTable, {1, 1, 3, 2, 8}},
  };
  for (const auto& [table, lengths] : cases) {
    MemoryRom memory;
    std::vector<std::size_t> writes;
    memory.rom.ObserveWrites([&](FileOffset, auto bytes, auto) { writes.push_back(bytes.size()); });
    WriteRecord(table(), memory.rom, 3, ReadRecord(table(), memory.text, memory.rom, 3));
    EXPECT_EQ(writes, lengths) << table().name;
  }
}

// A name that reaches a table with a character the game cannot show: the
// monster table stores a space for it, the others keep the byte stored.
TEST(Tables, NamesStoreWhatTheGameCannotShowAsTheirTableSays) {
  const std::tuple<const Table& (*)(), std::size_t, Bytes> cases[] = {
      {MonsterTable, 0x71A00 + 8 * 2, {0x47, 0xFF, 0x6A}},   // "F", a space, "o"
      {ItemTable, 0x78200 + 9 * 2 + 1, {0x47, 0x00, 0x6A}},  // the 0x00 stored stays
  };
  for (const auto& [table, offset, expected] : cases) {
    MemoryRom memory(testing::SampleWith({{offset, {0x42, 0x00, 0x42}}}));
    Record values = ReadRecord(table(), memory.text, memory.rom, 2);
    const std::size_t name = FieldIndex(table(), "NameTXT");
    values[name] = std::string("F#o") + std::get<std::string>(values[name]).substr(2);
    WriteRecord(table(), memory.rom, 2, values);
    EXPECT_EQ(Bytes(memory.file.bytes.begin() + static_cast<long>(offset),
                    memory.file.bytes.begin() + static_cast<long>(offset) + 3),
              expected)
        << table().name;
  }
}

// A cell's text read back as a value, as typed or pasted into a grid or read
// from a CSV file: the table, the field, the record whose value is current,
// the text, and the value it reads as or how its refusal starts.
TEST(Tables, CellTextReadsBackAsTheEditorsTakeItOrSaysWhyNot) {
  MemoryRom memory(
      testing::SampleWith({{0x78201 + 9 * 4, romgen::EncodeGameText("Dup     ", 8)},
                           {0x78201 + 9 * 5, romgen::EncodeGameText("Dup     ", 8)},
                           {0x78201 + 9 * 6, {0xBF, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3}}}));
  const std::string dots = "l" + std::string(14, '.');  // eight bytes, shown as 15 characters
  ListEntries lists(memory.text, memory.rom);
  using R = std::variant<Value, const char*>;
  const std::tuple<const Table& (*)(), const char*, int, const char*, R> cases[] = {
      {ItemTable, "PriceTXT", 1, "1270", Value{std::int64_t{1270}}},
      {ItemTable, "PriceTXT", 1, " 99 ", Value{std::int64_t{99}}},
      {ItemTable, "PriceTXT", 1, "127001", "takes a value from 0 to 127000"},
      {ItemTable, "PriceTXT", 1, "12a", "is not a number"},
      {ItemTable, "PriceTXT", 1, "", "is not a number"},
      {CharacterTable, "NameIndexTXT", 1, "-64", Value{std::int64_t{-64}}},
      {ItemTable, "NameTXT", 1, "Q&W", "has a character the game cannot show"},
      {ItemTable, "NameTXT", 1, "Ninechars", "is longer than 8 characters"},
      {ItemTable, "NameTXT", 1, "Ab-c", Value{std::string("Ab-c")}},
      {ItemTable, "NameTXT", 6, dots.c_str(), Value{dots}},       // as shown, so as it was
      {ShopTable, "Slot1CBO", 0, "Dup", Value{std::int64_t{4}}},  // the first of two
      {ShopTable, "Slot1CBO", 0, "No such item", "is not an entry of its list"},
      {ChestTable, "ItemLST", 0, "[-Nothing-]", Value{}},
      {ChestTable, "Frame2", 0, "Guarded Item", Value{std::int64_t{2}}},
      {SpellTable, "IgnoreWallCHK", 0, "1", Value{std::int64_t{1}}},
      {SpellTable, "IgnoreWallCHK", 0, "2", "takes a value from 0 to 1"},
  };
  for (const auto& [table, name, record, text, expected] : cases) {
    const std::size_t field = FieldIndex(table(), name);
    Value current = ReadRecord(table(), memory.text, memory.rom, record)[field];
    if (std::string_view(text) == "Dup") current = std::int64_t{0};
    const CellReading reading = ReadCellText(table().fields[field], text, current, lists);
    if (const auto* value = std::get_if<Value>(&expected)) {
      EXPECT_EQ(reading.refusal, "") << name << " " << text;
      EXPECT_EQ(reading.value, *value) << name << " " << text;
    } else {
      EXPECT_EQ(reading.refusal, std::get<const char*>(expected)) << name << " " << text;
    }
  }
  // A value shown as an entry that another value shows too reads back as itself.
  const Field& slot = FieldNamed(ShopTable(), "Slot1CBO");
  EXPECT_EQ(ReadCellText(slot, "Dup", std::int64_t{5}, lists).value, Value{std::int64_t{5}});
}

TEST(Encodings, AmountsHandsChestsAndIcons) {
  const std::pair<std::uint8_t, int> stored[] = {{0x05, 50},   {0x7F, 1270}, {0x80, 0},
                                                 {0x81, 1000}, {0x83, 3000}, {0xFF, 127000}};
  for (const auto& [byte, amount] : stored) EXPECT_EQ(DecodeAmount(byte), amount) << int{byte};
  const std::pair<int, int> typed[] = {{55, 6},     {65, 6},     {1260, 126},   {1265, 126},
                                       {1269, 127}, {1271, 129}, {1499, 129},   {1500, 130},
                                       {2500, 130}, {3500, 132}, {126500, 254}, {127000, 255}};
  for (const auto& [amount, byte] : typed) EXPECT_EQ(EncodeAmount(amount), byte) << amount;
  const std::tuple<std::uint8_t, Hand, int> hands[] = {
      {0x05, Hand::kLeft, -59}, {0x3F, Hand::kLeft, -1},  {0x7F, Hand::kLeft, 63},
      {0x80, Hand::kRight, 0},  {0xBF, Hand::kRight, 63}, {0xC0, Hand::kBoth, 0},
      {0xFF, Hand::kBoth, 63}};
  for (const auto& [byte, hand, index] : hands) {
    EXPECT_EQ(DecodeHand(byte).hand, hand) << int{byte};
    EXPECT_EQ(DecodeHand(byte).nameIndex, index) << int{byte};
    EXPECT_EQ(EncodeHand(hand, index), byte);
  }
  EXPECT_EQ(EncodeHand(Hand::kRight, 200), std::nullopt);
  EXPECT_EQ(EncodeHand(Hand::kLeft, -65), std::nullopt);
  const std::tuple<std::uint8_t, ChestKind, int, int> chests[] = {
      {0x12, ChestKind::kGp, 3000, 0},           {0x7F, ChestKind::kGp, 3000, 0},
      {0x80, ChestKind::kItem, 0x83, 0},         {0xBF, ChestKind::kItem, 0x83, 0},
      {0xC0, ChestKind::kGuardedItem, 0x83, 64}, {0xE4, ChestKind::kGuardedItem, 0x83, 100}};
  for (const auto& [type, kind, contents, formation] : chests) {
    const Chest chest = DecodeChest(type, 0x83);
    EXPECT_EQ(chest.kind, kind) << int{type};
    EXPECT_EQ(kind == ChestKind::kGp ? chest.gp : chest.item, contents) << int{type};
    EXPECT_EQ(kind == ChestKind::kGuardedItem ? chest.formation : 0, formation) << int{type};
  }
  const std::pair<Chest, std::optional<std::array<std::uint8_t, 2>>> written[] = {
      {{ChestKind::kGp, 1265, 0, 0}, std::array<std::uint8_t, 2>{0x00, 126}},
      {{ChestKind::kItem, 0, 0x21, 9}, std::array<std::uint8_t, 2>{0x80, 0x21}},
      {{ChestKind::kGuardedItem, 0, 0x10, 100}, std::array<std::uint8_t, 2>{0xE4, 0x10}},
      {{ChestKind::kGuardedItem, 0, 0x10, 63}, std::nullopt},
  };
  for (const auto& [chest, bytes] : written) EXPECT_EQ(EncodeChest(chest), bytes);
  const MagicIcon icons[] = {MagicIcon::kBlack, MagicIcon::kWhite, MagicIcon::kSummon,
                             MagicIcon::kOther};  // of bytes 0x3F to 0x42
  for (int byte = 0x3F; byte <= 0x42; ++byte) EXPECT_EQ(DecodeMagicIcon(byte), icons[byte - 0x3F]);
}

TEST(Lists, EntriesStandForTheirValues) {
  const std::pair<ListId, std::vector<std::pair<std::size_t, std::string_view>>> entries[] = {
      {ListId::kIcons,
       {{0x00, "[Letter/Number]"}, {0x2D, "Sword"}, {0x41, "Summon Magic"}, {0xFF, "[Space]"}}},
      {ListId::kStatBonuses,
       {{0, "0 | 0 | 0 | 0 | 0   "},
        {12, "+5 | -5 | -5 | -5 | -5   "},
        {128, "0 | 0 | 0 | 0 | +3   "},
        {0x8D, "+10 | -10 | -10 | -10 | +10   "},
        {0x85, "-10 | -10 | -10 | -10 | +10   "},
        {0x7B, "+15 | +15 | +15 | +15 | 0   "},
        {256, "[N/A]"}}},
      {ListId::kEquipClasses, {{0, "Everyone"}, {115, "None"}, {116, "Unknown/Undocumented"}}},
      {ListId::kSpellEffects,
       {{0x29, "\"summon\" a monster (Alert, Call)"},
        {0x30, "revive monster (Recover, AC Remedy, 8F Vanish)"},
        {0x31, "unknown/undocumented"}}},
      {ListId::kHands, {{2, "L/R Both"}}},
      {ListId::kMapMusic,
       {{16, "Tent\\Cabin"},
        {31, "Suprise! (Ex: Lost the Crystal)"},
        {61, "Nothing"},
        {62, "Airship Noise"},
        {68, "Waves"},
        {69, "Unknown/Undocumented/Glitch"}}},
      {ListId::kSongs, {{31, "Suprise! (Ex: Lost the Dark Crystal)"}, {55, "Ending Part 3"}}},
      {ListId::kFormations, {{127, "Monster Formation #127"}, {128, "[-Nothing-]"}}},
      {ListId::kMonsterPalettes, {{77, "Monster Pallete: #77"}}},
      {ListId::kTreasureIndexes, {{20, "Treasure Index #20"}}},
      {ListId::kMapLayouts, {{200, "Map Layout #200"}}},
      {ListId::kLayouts, {{27, "Layout #27"}}},
      {ListId::kMaps, {{380, "Map #380"}}},
      {ListId::kShops, {{63, "Shop #64"}}},
      {ListId::kItemsWonSlots, {{0, "Slot #1"}}},
      {ListId::kEquipmentSlots, {{21, "Character Slot 22"}}},
      {ListId::kChestOffsets, {{0, "A8503"}, {401, "A9818"}}}};
  for (const auto& [list, texts] : entries) {
    for (const auto& [index, text] : texts) {
      ASSERT_LT(index, FixedEntries(list).size()) << text;
      EXPECT_EQ(FixedEntries(list)[index], text);
    }
  }
  const std::pair<ListId, int> counts[] = {
      {ListId::kIcons, 256},        {ListId::kStatBonuses, 256},
      {ListId::kEquipClasses, 256}, {ListId::kSpellEffects, 256},
      {ListId::kMapMusic, 256},     {ListId::kSongs, 56},
      {ListId::kFormations, 128},   {ListId::kMaps, 381},
      {ListId::kChestOffsets, 402}, {ListId::kItemNamesNothingAfter, 256}};
  for (const auto& [list, count] : counts) EXPECT_EQ(ValueCount(list), count);
  const auto& effects = FixedEntries(ListId::kSpellEffects);
  EXPECT_EQ(std::count(effects.begin(), effects.end(), "unknown/undocumented"), 225);
}

TEST(Lists, NamesComeFromTheirTablesInTheRom) {
  Bytes image = testing::SampleWith({{0x72580, {2, 50, 10}}, {0x7289E, {7, 9}}});
  const std::pair<std::size_t, std::string> names[] = {
      {0x78201, "First   "}, {0x78AF8, "Last one"}, {0x78B01, "Opens"}, {0x78CAB, "Ends "},
      {0x7A910, "Cecil "},   {0x71A00, "Goblin  "}, {0x7AA66, "Tail "}};
  for (const auto& [offset, name] : names) {
    image = testing::Patched(image, offset, romgen::EncodeGameText(name, name.size()));
  }
  MemoryRom memory(image);
  const auto read = [&](ListId list) { return ReadEntries(list, memory.text, memory.rom); };
  EXPECT_EQ(read(ListId::kItemNames).front(), "First   ");
  EXPECT_EQ(read(ListId::kItemNames).back(), "Last one");
  EXPECT_EQ(read(ListId::kItemNamesEmptyLast).back(), "[Empty]");
  EXPECT_EQ(read(ListId::kItemNamesNothingAfter).size(), 257u);
  EXPECT_EQ(read(ListId::kItemNamesNothingAfter)[255], "Last one");
  EXPECT_EQ(read(ListId::kItemNamesNothingAfter).back(), "[-Nothing-]");
  EXPECT_EQ(read(ListId::kSpellNames).front(), "Opens");
  EXPECT_EQ(read(ListId::kSpellNames).back(), "Ends ");
  const auto characters = read(ListId::kCharacterNames);
  ASSERT_EQ(characters.size(), 15u);
  EXPECT_EQ(characters[0], "Cecil ");
  EXPECT_EQ(characters[9], "Cecil ");  // slot 9 shares the first name
  EXPECT_NE(characters[10], "Cecil ");
  EXPECT_EQ(read(ListId::kMonsterNames).front(), "Goblin  ");
  EXPECT_EQ(read(ListId::kTextEntries).back(), "Tail ");
  EXPECT_EQ(read(ListId::kAttackDefenseEntries).front(), "2 - 50 - 10");
  EXPECT_EQ(read(ListId::kSpeedEntries).back(), "7 - 9");
}

// What the windows cannot reach: the windows' own refusals (EditorContractTest,
// EditorParticularsTest) check the other messages.
TEST(Refusals, ValuesNoFieldCanHoldAreRefusedByName) {
  MemoryRom memory;
  Record monster = ReadRecord(MonsterTable(), memory.text, memory.rom, 0);
  monster[FieldIndex(MonsterTable(), "GPTXT")] = std::int64_t{65536};
  EXPECT_EQ(RefusalOf(MonsterTable(), monster), "\"GP\" takes a value from 0 to 65535.");
  EXPECT_EQ(RefusalOf(ChestTable(), {std::int64_t{0}, {}, {}, {}}), "\"GP\" has no value.");
  EXPECT_EQ(RefusalOf(ChestTable(), {std::int64_t{1}, {}, {}, {}}), "\"Item\" has no value.");
  EXPECT_EQ(RefusalOf(ChestTable(), {std::int64_t{1}, {}, std::int64_t{3}, {}}), std::nullopt);
  const Record guarded = {std::int64_t{2}, {}, std::int64_t{0x10}, std::int64_t{63}};
  EXPECT_THROW(WriteRecord(ChestTable(), memory.rom, 0, guarded), std::invalid_argument);
}

}  // namespace
}  // namespace torvale
