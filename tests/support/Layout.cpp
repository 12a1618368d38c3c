#include "Layout.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace torvale::testing {
namespace {

// The game's tables, as file offsets.
constexpr std::size_t kItemNames = 0x78200, kItemRecords = 0x79300, kItemPrices = 0x7A650;
constexpr std::size_t kSpellNames = 0x78B00, kSpellRecords = 0x799A0;
constexpr std::size_t kCharacterNames = 0x7A910, kCharacterRecords = 0x7AB00;
constexpr std::size_t kEquipment = 0x7AD00, kShops = 0x9A500, kMaps = 0xA9E80;
constexpr std::size_t kMonsterNames = 0x71A00, kMonsterGp = 0x72200, kMonsterExperience = 0x723C0;
constexpr std::size_t kMonsterGraphics = 0x7CC00, kItemsWon = 0x72100;
constexpr std::size_t kAttackDefense = 0x72580, kSpeed = 0x72820, kShortTexts = 0x7A9C6;
// The treasure chests lie at listed offsets, in runs 5 bytes apart: the
// first offset of each run, and how many chests it holds.
struct ChestRun {
  std::size_t first;
  int count;
};
constexpr ChestRun kChestRuns[] = {
    {0xA8503, 7},  {0xA8567, 3}, {0xA8599, 1}, {0xA8602, 3},  {0xA8625, 4},  {0xA865C, 1},
    {0xA8689, 1},  {0xA868C, 1}, {0xA8693, 2}, {0xA86A2, 8},  {0xA871F, 3},  {0xA87F1, 3},
    {0xA884B, 6},  {0xA88A0, 4}, {0xA88BE, 2}, {0xA88CD, 6},  {0xA88FA, 3},  {0xA8913, 3},
    {0xA893B, 2},  {0xA8954, 1}, {0xA8963, 3}, {0xA897C, 10}, {0xA89DB, 4},  {0xA8A17, 1},
    {0xA8A26, 1},  {0xA8A35, 4}, {0xA8AA3, 9}, {0xA8AE9, 19}, {0xA8B4D, 5},  {0xA8B75, 2},
    {0xA8B84, 4},  {0xA8B9D, 2}, {0xA8BB1, 5}, {0xA8BD4, 3},  {0xA8BE8, 4},  {0xA8C15, 5},
    {0xA8C3D, 3},  {0xA8C60, 2}, {0xA8C74, 2}, {0xA8C88, 4},  {0xA8CB0, 2},  {0xA8CBF, 2},
    {0xA8CD8, 6},  {0xA8D0A, 3}, {0xA8D37, 4}, {0xA8D5F, 1},  {0xA8D7D, 4},  {0xA8D96, 5},
    {0xA8DD2, 2},  {0xA8E31, 2}, {0xA8E45, 1}, {0xA8E54, 2},  {0xA8E6D, 4},  {0xA8E86, 1},
    {0xA8EA4, 1},  {0xA8EB3, 1}, {0xA8ED6, 4}, {0xA8F08, 2},  {0xA8F26, 1},  {0xA8F35, 1},
    {0xA8F53, 1},  {0xA8F7B, 1}, {0xA8FA8, 5}, {0xA8FCB, 2},  {0xA8FDF, 1},  {0xA9007, 3},
    {0xA9039, 12}, {0xA9089, 4}, {0xA90BB, 8}, {0xA910B, 3},  {0xA911F, 1},  {0xA912E, 6},
    {0xA9192, 3},  {0xA91BA, 3}, {0xA91F6, 1}, {0xA920A, 1},  {0xA9237, 14}, {0xA9287, 1},
    {0xA929B, 1},  {0xA92A5, 3}, {0xA92C3, 1}, {0xA92DC, 3},  {0xA92FA, 2},  {0xA9322, 2},
    {0xA933B, 1},  {0xA9345, 1}, {0xA9354, 1}, {0xA93A4, 3},  {0xA93BD, 2},  {0xA93CC, 6},
    {0xA93EF, 5},  {0xA9412, 4}, {0xA9444, 2}, {0xA9471, 4},  {0xA948A, 5},  {0xA94AD, 10},
    {0xA94F8, 4},  {0xA951B, 6}, {0xA953E, 2}, {0xA9552, 1},  {0xA9575, 4},  {0xA9598, 2},
    {0xA95D9, 7},  {0xA9601, 1}, {0xA961F, 2}, {0xA9633, 2},  {0xA9660, 2},  {0xA966F, 2},
    {0xA96A6, 3},  {0xA96C9, 1}, {0xA96DD, 3}, {0xA96FB, 3},  {0xA970F, 2},  {0xA972E, 1},
    {0xA9732, 4},  {0xA975F, 4}, {0xA979B, 2}, {0xA97AA, 2},  {0xA97B9, 2},  {0xA97D2, 3},
    {0xA97E6, 1},  {0xA97F5, 1}, {0xA97FF, 1}, {0xA9809, 1},  {0xA9813, 2}};
constexpr int kChestCount = 402;

std::size_t ChestAt(int chest) {
  for (const ChestRun& run : kChestRuns) {
    if (chest < run.count) return run.first + 5 * static_cast<std::size_t>(chest);
    chest -= run.count;
  }
  throw std::out_of_range("no such chest");
}

using Offset = std::function<std::size_t(int record)>;

// Byte `field` of record `record` in a table of `length`-byte records at `table`.
Offset InTable(std::size_t table, std::size_t length, std::size_t field = 0) {
  return [=](int record) { return table + length * static_cast<std::size_t>(record) + field; };
}

int WordAt(const Bytes& file, std::size_t at) {
  return file[at] | file[at + 1] << 8;
}
void PutWord(Bytes& file, std::size_t at, int value) {
  file[at] = static_cast<std::uint8_t>(value & 0xFF);
  file[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// A price or GP amount: tens below 128, thousands from 128; a typed amount
// rounds to its nearest step, a half to the even neighbour.
int AmountOf(std::uint8_t byte) {
  return byte < 128 ? byte * 10 : (byte - 128) * 1000;
}
std::uint8_t AmountByte(int amount) {
  const auto nearest = [](int value, int step) {
    const int quotient = value / step, twice = 2 * (value % step);
    return quotient + (twice > step || (twice == step && quotient % 2 == 1) ? 1 : 0);
  };
  return static_cast<std::uint8_t>(amount <= 1270 ? nearest(amount, 10)
                                                  : 128 + nearest(amount, 1000));
}

FieldModel ByteField(const char* control, FieldKind kind, int max, Offset at) {
  return {control,
          kind,
          0,
          max,
          [at](Bytes& file, int record, int value) {
            file[at(record)] = static_cast<std::uint8_t>(value);
          },
          [at](const Bytes& file, int record) { return int{file[at(record)]}; }};
}
FieldModel WordField(const char* control, Offset at) {
  return {control,
          FieldKind::kNumber,
          0,
          0xFFFF,
          [at](Bytes& file, int record, int value) { PutWord(file, at(record), value); },
          [at](const Bytes& file, int record) { return WordAt(file, at(record)); }};
}
FieldModel NameField(const char* control, int length, Offset at) {
  return {control, FieldKind::kName, 0, length, [at, length](Bytes& file, int record, int value) {
            const Bytes bytes =
                romgen::EncodeGameText(NameFor(value, length), static_cast<std::size_t>(length));
            std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<long>(at(record)));
          }};
}
// A field the window shows but never writes.
FieldModel ShownOnly(FieldModel field) {
  field.written = false;
  return field;
}

EditorModel ItemModel() {
  const Offset price = InTable(kItemPrices, 1);
  return {
      "item",
      "ItemEditor",
      {{"ItemLST", 0, 176}},
      {NameField("NameTXT", 8, InTable(kItemNames, 9, 1)),
       ByteField("ItemIconCBO", FieldKind::kChoice, 255, InTable(kItemNames, 9)),
       ByteField("Byte00TXT", FieldKind::kNumber, 255, InTable(kItemRecords, 8, 0)),
       ByteField("AtkDefTXT", FieldKind::kNumber, 255, InTable(kItemRecords, 8, 1)),
       ByteField("AtkDefPercentTXT", FieldKind::kNumber, 255, InTable(kItemRecords, 8, 2)),
       ByteField("EquipLST", FieldKind::kChoice, 255, InTable(kItemRecords, 8, 6)),
       ByteField("StatCBO", FieldKind::kChoice, 255, InTable(kItemRecords, 8, 7)),
       {"PriceTXT", FieldKind::kNumber, 0, 127000,
        [price](Bytes& file, int record, int amount) { file[price(record)] = AmountByte(amount); },
        [price](const Bytes& file, int record) { return AmountOf(file[price(record)]); }}}};
}

EditorModel SpellModel() {
  const auto sevenBits = [](const char* control, int byte, bool written) {
    const Offset at = InTable(kSpellRecords, 6, static_cast<std::size_t>(byte));
    FieldModel low{control,
                   FieldKind::kNumber,
                   0,
                   127,
                   [at](Bytes& file, int record, int value) {
                     auto& stored = file[at(record)];
                     stored = static_cast<std::uint8_t>((stored & 0x80) | value);
                   },
                   [at](const Bytes& file, int record) { return file[at(record)] & 0x7F; }};
    low.written = written;
    return low;
  };
  const auto highBit = [](const char* control, int byte, bool written) {
    const Offset at = InTable(kSpellRecords, 6, static_cast<std::size_t>(byte));
    FieldModel flag{control,
                    FieldKind::kCheck,
                    0,
                    1,
                    [at](Bytes& file, int record, int value) {
                      auto& stored = file[at(record)];
                      stored = static_cast<std::uint8_t>((stored & 0x7F) | value << 7);
                    },
                    [at](const Bytes& file, int record) { return file[at(record)] >> 7; }};
    flag.written = written;
    return flag;
  };
  return {"magic",
          "MagicSpellEditor",
          {{"MagicLST", 0, 72}},
          {NameField("NameTXT", 5, InTable(kSpellNames, 6, 1)),
           ByteField("PowerTXT", FieldKind::kNumber, 255, InTable(kSpellRecords, 6, 1)),
           ByteField("SpellEffectCBO", FieldKind::kChoice, 255, InTable(kSpellRecords, 6, 3)),
           sevenBits("MPCostTXT", 5, true), highBit("IgnoreWallCHK", 5, true),
           sevenBits("CastingTimeTXT", 0, false), highBit("AilmentDurationCHK", 0, false)}};
}

EditorModel CharacterModel() {
  const Offset name = [](int slot) {
    const int entry = slot < 9 ? slot : slot == 9 ? 0 : slot - 1;
    return kCharacterNames + 6 * static_cast<std::size_t>(entry);
  };
  // The HP and MP boxes stand for a pair of words each; an Apply writes both.
  // HP shows the second word, MP the first.
  const auto pair = [](const char* control, std::size_t first, bool showsSecond) {
    const Offset at = InTable(kCharacterRecords, 32, first);
    return FieldModel{control,
                      FieldKind::kNumber,
                      0,
                      0xFFFF,
                      [at](Bytes& file, int record, int value) {
                        PutWord(file, at(record), value);
                        PutWord(file, at(record) + 2, value);
                      },
                      [at, showsSecond](const Bytes& file, int record) {
                        return WordAt(file, at(record) + (showsSecond ? 2 : 0));
                      }};
  };
  // Hand and name index make up byte 0: 0x40 + index for the left hand,
  // 0x80 + index for the right, 0xC0 + index for both.
  // Hand and name index make up byte 0: 0x40 + index for the left hand,
  // 0x80 + index for the right, 0xC0 + index for both.
  const FieldModel hand =
      ByteField("HandLST", FieldKind::kCustom, 255, InTable(kCharacterRecords, 32));
  const Offset experience = InTable(kCharacterRecords, 32, 0x17);
  FieldModel experienceField{"EXPTXT",
                             FieldKind::kNumber,
                             0,
                             0x7FFFFFFF,
                             [experience](Bytes& file, int record, int value) {
                               for (std::size_t i = 0; i < 4; ++i)
                                 file[experience(record) + i] = (value >> (8 * i)) & 0xFF;
                             },
                             [experience](const Bytes& file, int record) {
                               return WordAt(file, experience(record)) |
                                      WordAt(file, experience(record) + 2) << 16;
                             }};
  std::vector<FieldModel> fields = {
      NameField("NameTXT", 6, name),
      hand,
      ByteField("SpecialBitTXT", FieldKind::kNumber, 255, InTable(kCharacterRecords, 32, 1)),
      ByteField("LevelTXT", FieldKind::kNumber, 255, InTable(kCharacterRecords, 32, 2)),
      pair("HPTXT", 7, true),
      pair("MPTXT", 0xB, false),
      ShownOnly(experienceField)};
  const char* const stats[] = {"STRTXT", "AGITXT", "VITTXT", "WISTXT", "WillTXT"};
  for (std::size_t stat = 0; stat < 5; ++stat) {
    fields.push_back(ByteField(stats[stat], FieldKind::kNumber, 255,
                               InTable(kCharacterRecords, 32, 0xF + stat)));
  }
  return {"character stats", "CharacterStatsEditor", {{"CharLST", 0, 15}}, fields};
}

EditorModel EquipmentModel() {
  const char* const controls[] = {"HeadCBO",  "BodyCBO", "ArmsCBO", "RHCBO",
                                  "RHAMTTXT", "LHCBO",   "LHAMTTXT"};
  EditorModel model{"character equipment", "CharacterEquipmentEditor", {{"CharLST", 0, 22}}, {}};
  for (std::size_t field = 0; field < 7; ++field) {
    const FieldKind kind = field == 4 || field == 6 ? FieldKind::kNumber : FieldKind::kChoice;
    model.fields.push_back(ByteField(controls[field], kind, 255, InTable(kEquipment, 7, field)));
  }
  return model;
}

// Slots of one-byte items: Slot1CBO, Slot2CBO, ...
EditorModel SlotModel(const char* name, const char* window, const char* picker, int records,
                      std::size_t table, std::size_t slots) {
  EditorModel model{name, window, {{picker, 0, records}}, {}};
  static const char* const kSlots[] = {"Slot1CBO", "Slot2CBO", "Slot3CBO", "Slot4CBO",
                                       "Slot5CBO", "Slot6CBO", "Slot7CBO", "Slot8CBO"};
  for (std::size_t slot = 0; slot < slots; ++slot) {
    model.fields.push_back(
        ByteField(kSlots[slot], FieldKind::kChoice, 255, InTable(table, slots, slot)));
  }
  return model;
}

EditorModel MapModel() {
  static const std::pair<const char*, FieldKind> kFields[] = {
      {"UnknownByte1TXT", FieldKind::kNumber}, {"UnknownByte2TXT", FieldKind::kNumber},
      {"MapNameIndexTXT", FieldKind::kNumber}, {"TreasureCBO", FieldKind::kChoice},
      {"UnknownByte3TXT", FieldKind::kNumber}, {"MapIndexTXT", FieldKind::kNumber},
      {"MapLayoutCBO", FieldKind::kChoice},    {"MapTilesetCBO", FieldKind::kChoice},
      {"BGGFXCBO", FieldKind::kChoice},        {"MapPaletteCBO", FieldKind::kChoice},
      {"NPCPaletteCBO", FieldKind::kChoice},   {"MusicCBO", FieldKind::kChoice},
      {"LayoutCBO", FieldKind::kChoice}};
  EditorModel model{"map properties", "MapPropertiesEditor", {{"MapLST", 0, 381}}, {}};
  for (std::size_t field = 0; field < 13; ++field) {
    FieldModel byte =
        ByteField(kFields[field].first, kFields[field].second, 255, InTable(kMaps, 13, field));
    // The map name index and the map index are shown, never written.
    model.fields.push_back(field == 2 || field == 5 ? ShownOnly(byte) : byte);
  }
  return model;
}

EditorModel TreasureModel() {
  // Each chest is a type byte and a value byte: 00 and the GP byte, 80 and an
  // item, or 80 + formation and an item for a guarded chest. The model's
  // values: an amount of GP, an item, or formation * 256 + item.
  const auto chest = [](Bytes& file, int record, int type, int value) {
    file[ChestAt(record)] = static_cast<std::uint8_t>(type);
    file[ChestAt(record) + 1] = static_cast<std::uint8_t>(value);
  };
  return {"treasure",
          "TreasureEditor",
          {{"OffsetLST", 0, kChestCount}},
          {{
               "GPOPT",
               FieldKind::kCustom,
               0,
               127000,
               [chest](Bytes& file, int record, int gp) { chest(file, record, 0, AmountByte(gp)); },
               [](const Bytes& file, int record) {
                 return file[ChestAt(record)] < 0x80 ? AmountOf(file[ChestAt(record) + 1]) : -1;
               },
           },
           {
               "ItemOPT",
               FieldKind::kCustom,
               0,
               255,
               [chest](Bytes& file, int record, int item) { chest(file, record, 0x80, item); },
               [](const Bytes& file, int record) {
                 const int type = file[ChestAt(record)];
                 return type >= 0x80 && type < 0xC0 ? int{file[ChestAt(record) + 1]} : -1;
               },
           },
           {
               "FormationCHK",
               FieldKind::kCustom,
               64 << 8,
               0x7FFF,
               [chest](Bytes& file, int record, int guardedItem) {
                 chest(file, record, 0x80 + (guardedItem >> 8), guardedItem & 0xFF);
               },
               [](const Bytes& file, int record) {
                 const int type = file[ChestAt(record)];
                 return type >= 0xC0 ? (type - 0x80) << 8 | file[ChestAt(record) + 1] : -1;
               },
           }}};
}

EditorModel MonsterModel() {
  return {"monster",
          "MonsterEditor",
          {{"MonsterLST", 0, 224}},
          {NameField("NameTXT", 8, InTable(kMonsterNames, 8)),
           WordField("GPTXT", InTable(kMonsterGp, 2)),
           WordField("EXPTXT", InTable(kMonsterExperience, 2)),
           ByteField("SizeTXT", FieldKind::kNumber, 255, InTable(kMonsterGraphics, 4)),
           ByteField("PaletteCBO", FieldKind::kChoice, 255, InTable(kMonsterGraphics, 4, 1)),
           WordField("GFXPointerTXT", InTable(kMonsterGraphics, 4, 2))}};
}

EditorModel MonsterTablesModel() {
  EditorModel model{
      "monster tables", "BattleTablesEditor", {{"ATKDEFCBO", 0, 224}, {"AGISPDCBO", 0, 64}}, {}, 1};
  const char* const attack[] = {"AtkxTXT", "AtkPercentTXT", "AtkBaseTXT"};
  for (std::size_t field = 0; field < 3; ++field) {
    model.fields.push_back(
        ByteField(attack[field], FieldKind::kNumber, 255, InTable(kAttackDefense, 3, field)));
  }
  const char* const speed[] = {"AGILowTXT", "AGIHighTXT"};
  for (std::size_t field = 0; field < 2; ++field) {
    FieldModel byte = ByteField(speed[field], FieldKind::kNumber, 255, InTable(kSpeed, 2, field));
    byte.picker = 1;
    model.fields.push_back(byte);
  }
  return model;
}

}  // namespace

const std::vector<EditorModel>& EditorModels() {
  static const std::vector<EditorModel> models = {
      ItemModel(),
      SpellModel(),
      CharacterModel(),
      EquipmentModel(),
      SlotModel("shop", "ShopEditor", "ShopLST", 64, kShops, 8),
      MapModel(),
      {"music",
       "MusicEditor",
       {{"AreaLST", 0, 381}},
       {ByteField("SongLST", FieldKind::kChoice, 55, InTable(kMaps, 13, 11))}},
      TreasureModel(),
      MonsterModel(),
      {"text list",
       "TextListEditor",
       {{"TextLST", 0, 33}},
       {NameField("NameTXT", 5, InTable(kShortTexts, 5))}},
      SlotModel("items won", "BattleTablesEditor", "SlotLST", 64, kItemsWon, 4),
      MonsterTablesModel()};
  return models;
}

const EditorModel& EditorModelNamed(const std::string& name) {
  for (const EditorModel& model : EditorModels()) {
    if (name == model.name) return model;
  }
  throw std::invalid_argument("no editor model named " + name);
}

const FieldModel& FieldNamed(const EditorModel& model, const std::string& control) {
  for (const FieldModel& field : model.fields) {
    if (control == field.control) return field;
  }
  throw std::invalid_argument("no field named " + control);
}

std::string NameFor(int value, int length) {
  static const std::string kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string name;
  auto state = static_cast<std::uint32_t>(value);
  const int size = 1 + value % length;
  for (int character = 0; character < size; ++character) {
    state = state * 1103515245u + 12345u;
    name += kLetters[(state >> 16) % kLetters.size()];
  }
  return name;
}

}  // namespace torvale::testing
