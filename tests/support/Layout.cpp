#include "Layout.h"

#include <algorithm>
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
// clang-format off
constexpr ChestRun kChestRuns[] = {
    {0xA8503, 7}, {0xA8567, 3}, {0xA8599, 1}, {0xA8602, 3}, {0xA8625, 4}, {0xA865C, 1},
    {0xA8689, 1}, {0xA868C, 1}, {0xA8693, 2}, {0xA86A2, 8}, {0xA871F, 3}, {0xA87F1, 3},
    {0xA884B, 6}, {0xA88A0, 4}, {0xA88BE, 2}, {0xA88CD, 6}, {0xA88FA, 3}, {0xA8913, 3},
    {0xA893B, 2}, {0xA8954, 1}, {0xA8963, 3}, {0xA897C, 10}, {0xA89DB, 4}, {0xA8A17, 1},
    {0xA8A26, 1}, {0xA8A35, 4}, {0xA8AA3, 9}, {0xA8AE9, 19}, {0xA8B4D, 5}, {0xA8B75, 2},
    {0xA8B84, 4}, {0xA8B9D, 2}, {0xA8BB1, 5}, {0xA8BD4, 3}, {0xA8BE8, 4}, {0xA8C15, 5},
    {0xA8C3D, 3}, {0xA8C60, 2}, {0xA8C74, 2}, {0xA8C88, 4}, {0xA8CB0, 2}, {0xA8CBF, 2},
    {0xA8CD8, 6}, {0xA8D0A, 3}, {0xA8D37, 4}, {0xA8D5F, 1}, {0xA8D7D, 4}, {0xA8D96, 5},
    {0xA8DD2, 2}, {0xA8E31, 2}, {0xA8E45, 1}, {0xA8E54, 2}, {0xA8E6D, 4}, {0xA8E86, 1},
    {0xA8EA4, 1}, {0xA8EB3, 1}, {0xA8ED6, 4}, {0xA8F08, 2}, {0xA8F26, 1}, {0xA8F35, 1},
    {0xA8F53, 1}, {0xA8F7B, 1}, {0xA8FA8, 5}, {0xA8FCB, 2}, {0xA8FDF, 1}, {0xA9007, 3},
    {0xA9039, 12}, {0xA9089, 4}, {0xA90BB, 8}, {0xA910B, 3}, {0xA911F, 1}, {0xA912E, 6},
    {0xA9192, 3}, {0xA91BA, 3}, {0xA91F6, 1}, {0xA920A, 1}, {0xA9237, 14}, {0xA9287, 1},
    {0xA929B, 1}, {0xA92A5, 3}, {0xA92C3, 1}, {0xA92DC, 3}, {0xA92FA, 2}, {0xA9322, 2},
    {0xA933B, 1}, {0xA9345, 1}, {0xA9354, 1}, {0xA93A4, 3}, {0xA93BD, 2}, {0xA93CC, 6},
    {0xA93EF, 5}, {0xA9412, 4}, {0xA9444, 2}, {0xA9471, 4}, {0xA948A, 5}, {0xA94AD, 10},
    {0xA94F8, 4}, {0xA951B, 6}, {0xA953E, 2}, {0xA9552, 1}, {0xA9575, 4}, {0xA9598, 2},
    {0xA95D9, 7}, {0xA9601, 1}, {0xA961F, 2}, {0xA9633, 2}, {0xA9660, 2}, {0xA966F, 2},
    {0xA96A6, 3}, {0xA96C9, 1}, {0xA96DD, 3}, {0xA96FB, 3}, {0xA970F, 2}, {0xA972E, 1},
    {0xA9732, 4}, {0xA975F, 4}, {0xA979B, 2}, {0xA97AA, 2}, {0xA97B9, 2}, {0xA97D2, 3},
    {0xA97E6, 1}, {0xA97F5, 1}, {0xA97FF, 1}, {0xA9809, 1}, {0xA9813, 2},
};
// clang-format on

std::size_t ChestAt(int chest) {
  for (const ChestRun& run : kChestRuns) {
    if (chest < run.count) return run.first + 5 * static_cast<std::size_t>(chest);
    chest -= run.count;
  }
  throw std::out_of_range("no such chest");
}

std::size_t At(const FieldModel& field, int record) {
  if (field.form == Form::kCharacterName) {  // slot 9 shares the first name
    record = record < 9 ? record : record == 9 ? 0 : record - 1;
  }
  if (field.form >= Form::kChestGp) return ChestAt(record);
  return field.table + field.length * static_cast<std::size_t>(record) + field.within;
}

// A typed amount rounds to its nearest step, a half to the even neighbour.
std::uint8_t AmountByte(int amount) {
  const auto nearest = [](int value, int step) {
    const int quotient = value / step, twice = 2 * (value % step);
    return quotient + (twice > step || (twice == step && quotient % 2 == 1) ? 1 : 0);
  };
  return static_cast<std::uint8_t>(amount <= 1270 ? nearest(amount, 10)
                                                  : 128 + nearest(amount, 1000));
}
int AmountOf(std::uint8_t byte) {
  return byte < 128 ? byte * 10 : (byte - 128) * 1000;
}

constexpr auto kNumber = FieldKind::kNumber, kChoice = FieldKind::kChoice,
               kCheck = FieldKind::kCheck;

using Fields = std::vector<FieldModel>;

// Fields at byte `within` on of records of `length` bytes at `table`, their
// records picked by the model's picker `picker`.
Fields ByteRun(std::vector<const char*> controls, FieldKind kind, std::size_t table,
               std::size_t length, std::size_t within = 0, int picker = 0) {
  Fields fields;
  for (const char* control : controls) {
    fields.push_back({control, kind, 0, 255, Form::kByte, table, length, within++, true, picker});
  }
  return fields;
}

// The same fields, shown but never written.
Fields ShownOnly(Fields fields) {
  for (FieldModel& field : fields) field.written = false;
  return fields;
}

Fields operator+(Fields fields, const Fields& more) {
  fields.insert(fields.end(), more.begin(), more.end());
  return fields;
}

// clang-format off
std::vector<EditorModel> Models() {
  return {
      {"item", "ItemEditor", {{"ItemLST", 0, 176}},
       Fields{{"NameTXT", FieldKind::kName, 0, 8, Form::kName, kItemNames, 9, 1},
              {"ItemIconCBO", kChoice, 0, 255, Form::kByte, kItemNames, 9, 0},
              {"PriceTXT", kNumber, 0, 127000, Form::kAmount, kItemPrices, 1, 0},
              {"EquipLST", kChoice, 0, 255, Form::kByte, kItemRecords, 8, 6},
              {"StatCBO", kChoice, 0, 255, Form::kByte, kItemRecords, 8, 7}} +
           ByteRun({"Byte00TXT", "AtkDefTXT", "AtkDefPercentTXT"}, kNumber, kItemRecords, 8)},
      {"magic", "MagicSpellEditor", {{"MagicLST", 0, 72}},
       {{"NameTXT", FieldKind::kName, 0, 5, Form::kName, kSpellNames, 6, 1},
        {"PowerTXT", kNumber, 0, 255, Form::kByte, kSpellRecords, 6, 1},
        {"SpellEffectCBO", kChoice, 0, 255, Form::kByte, kSpellRecords, 6, 3},
        {"MPCostTXT", kNumber, 0, 127, Form::kLowBits, kSpellRecords, 6, 5},
        {"IgnoreWallCHK", kCheck, 0, 1, Form::kHighBit, kSpellRecords, 6, 5},
        {"CastingTimeTXT", kNumber, 0, 127, Form::kLowBits, kSpellRecords, 6, 0, false},
        {"AilmentDurationCHK", kCheck, 0, 1, Form::kHighBit, kSpellRecords, 6, 0, false}}},
      {"character stats", "CharacterStatsEditor", {{"CharLST", 0, 15}},
       Fields{{"NameTXT", FieldKind::kName, 0, 6, Form::kCharacterName, kCharacterNames, 6, 0},
              {"HandLST", FieldKind::kCustom, 0, 255, Form::kByte, kCharacterRecords, 32, 0},
              {"HPTXT", kNumber, 0, 0xFFFF, Form::kSecondOfTwins, kCharacterRecords, 32, 7},
              {"MPTXT", kNumber, 0, 0xFFFF, Form::kFirstOfTwins, kCharacterRecords, 32, 0xB},
              {"EXPTXT", kNumber, 0, 0x7FFFFFFF, Form::kLong, kCharacterRecords, 32, 0x17, false}} +
           ByteRun({"SpecialBitTXT", "LevelTXT"}, kNumber, kCharacterRecords, 32, 1) +
           ByteRun({"STRTXT", "AGITXT", "VITTXT", "WISTXT", "WillTXT"}, kNumber, kCharacterRecords,
                   32, 0xF)},
      {"character equipment", "CharacterEquipmentEditor", {{"CharLST", 0, 22}},
       ByteRun({"HeadCBO", "BodyCBO", "ArmsCBO", "RHCBO"}, kChoice, kEquipment, 7) +
           ByteRun({"RHAMTTXT"}, kNumber, kEquipment, 7, 4) +
           ByteRun({"LHCBO"}, kChoice, kEquipment, 7, 5) +
           ByteRun({"LHAMTTXT"}, kNumber, kEquipment, 7, 6)},
      {"shop", "ShopEditor", {{"ShopLST", 0, 64}},
       ByteRun({"Slot1CBO", "Slot2CBO", "Slot3CBO", "Slot4CBO", "Slot5CBO", "Slot6CBO", "Slot7CBO",
                "Slot8CBO"}, kChoice, kShops, 8)},
      // The map name index and the map index are shown, never written.
      {"map properties", "MapPropertiesEditor", {{"MapLST", 0, 381}},
       ByteRun({"UnknownByte1TXT", "UnknownByte2TXT"}, kNumber, kMaps, 13) +
           ShownOnly(ByteRun({"MapNameIndexTXT"}, kNumber, kMaps, 13, 2)) +
           ByteRun({"TreasureCBO"}, kChoice, kMaps, 13, 3) +
           ByteRun({"UnknownByte3TXT"}, kNumber, kMaps, 13, 4) +
           ShownOnly(ByteRun({"MapIndexTXT"}, kNumber, kMaps, 13, 5)) +
           ByteRun({"MapLayoutCBO", "MapTilesetCBO", "BGGFXCBO", "MapPaletteCBO", "NPCPaletteCBO",
                    "MusicCBO", "LayoutCBO"}, kChoice, kMaps, 13, 6)},
      {"music", "MusicEditor", {{"AreaLST", 0, 381}},
       {{"SongLST", kChoice, 0, 55, Form::kByte, kMaps, 13, 11}}},
      {"treasure", "TreasureEditor", {{"OffsetLST", 0, 402}},
       {{"GPOPT", FieldKind::kCustom, 0, 127000, Form::kChestGp, 0, 0, 0},
        {"ItemOPT", FieldKind::kCustom, 0, 255, Form::kChestItem, 0, 0, 0},
        {"FormationCHK", FieldKind::kCustom, 64 << 8, 0x7FFF, Form::kGuardedChest, 0, 0, 0}}},
      {"monster", "MonsterEditor", {{"MonsterLST", 0, 224}},
       {{"NameTXT", FieldKind::kName, 0, 8, Form::kName, kMonsterNames, 8, 0},
        {"GPTXT", kNumber, 0, 0xFFFF, Form::kWord, kMonsterGp, 2, 0},
        {"EXPTXT", kNumber, 0, 0xFFFF, Form::kWord, kMonsterExperience, 2, 0},
        {"SizeTXT", kNumber, 0, 255, Form::kByte, kMonsterGraphics, 4, 0},
        {"PaletteCBO", kChoice, 0, 255, Form::kByte, kMonsterGraphics, 4, 1},
        {"GFXPointerTXT", kNumber, 0, 0xFFFF, Form::kWord, kMonsterGraphics, 4, 2}}},
      {"text list", "TextListEditor", {{"TextLST", 0, 33}},
       {{"NameTXT", FieldKind::kName, 0, 5, Form::kName, kShortTexts, 5, 0}}},
      {"items won", "BattleTablesEditor", {{"SlotLST", 0, 64}},
       ByteRun({"Slot1CBO", "Slot2CBO", "Slot3CBO", "Slot4CBO"}, kChoice, kItemsWon, 4)},
      {"monster tables", "BattleTablesEditor", {{"ATKDEFCBO", 0, 224}, {"AGISPDCBO", 0, 64}},
       ByteRun({"AtkxTXT", "AtkPercentTXT", "AtkBaseTXT"}, kNumber, kAttackDefense, 3) +
           ByteRun({"AGILowTXT", "AGIHighTXT"}, kNumber, kSpeed, 2, 0, 1), 1},
  };
}
// clang-format on

}  // namespace

const std::vector<EditorModel>& EditorModels() {
  static const std::vector<EditorModel> models = Models();
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

void Store(const FieldModel& field, Bytes& file, int record, int value) {
  const std::size_t at = At(field, record);
  const auto put = [&](std::vector<int> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      file[at + i] = static_cast<std::uint8_t>(bytes[i]);
  };
  const int low = value & 0xFF, high = value >> 8 & 0xFF, byte = file[at];
  const Form form = field.form;
  if (form == Form::kWord) return put({low, high});
  if (form == Form::kLong) return put({low, high, value >> 16 & 0xFF, value >> 24 & 0xFF});
  if (form == Form::kFirstOfTwins || form == Form::kSecondOfTwins)
    return put({low, high, low, high});
  if (form == Form::kAmount) return put({AmountByte(value)});
  if (form == Form::kLowBits) return put({(byte & 0x80) | value});
  if (form == Form::kHighBit) return put({(byte & 0x7F) | value << 7});
  if (form == Form::kChestGp) return put({0x00, AmountByte(value)});
  if (form == Form::kChestItem) return put({0x80, value});
  if (form == Form::kGuardedChest) return put({0x80 + (value >> 8), low});
  if (form != Form::kName && form != Form::kCharacterName) return put({value});
  const Bytes name =
      romgen::EncodeGameText(NameFor(value, field.max), static_cast<std::size_t>(field.max));
  std::copy(name.begin(), name.end(), file.begin() + static_cast<long>(at));
}

void Plant(const FieldModel& field, Bytes& file, int record, int value) {
  Store(field, file, record, value);
  const int other = value ^ 0x5A5A;  // in the word the field does not show
  const std::size_t at = At(field, record) + (field.form == Form::kSecondOfTwins ? 0 : 2);
  if (field.form == Form::kFirstOfTwins || field.form == Form::kSecondOfTwins) {
    file[at] = static_cast<std::uint8_t>(other & 0xFF);
    file[at + 1] = static_cast<std::uint8_t>(other >> 8 & 0xFF);
  }
}

int ValueOf(const FieldModel& field, const Bytes& file, int record) {
  const std::size_t at = At(field, record);
  const auto word = [&](std::size_t from) { return file[from] | file[from + 1] << 8; };
  const int byte = file[at];
  const Form form = field.form;
  if (form == Form::kWord || form == Form::kFirstOfTwins) return word(at);
  if (form == Form::kSecondOfTwins) return word(at + 2);
  if (form == Form::kLong) return word(at) | word(at + 2) << 16;
  if (form == Form::kAmount) return AmountOf(file[at]);
  if (form == Form::kLowBits) return byte & 0x7F;
  if (form == Form::kHighBit) return byte >> 7;
  if (form == Form::kChestGp) return byte < 0x80 ? AmountOf(file[at + 1]) : -1;
  if (form == Form::kChestItem) return byte >= 0x80 && byte < 0xC0 ? file[at + 1] : -1;
  if (form == Form::kGuardedChest) return byte >= 0xC0 ? (byte - 0x80) << 8 | file[at + 1] : -1;
  return byte;
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
