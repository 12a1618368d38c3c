#include "RecordWriters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>

#include "Require.h"
#include "data/battle_tables.h"
#include "data/items.h"
#include "data/magic.h"
#include "data/maps.h"
#include "data/monsters.h"
#include "data/music.h"
#include "data/party.h"
#include "data/shops.h"
#include "data/text_list.h"
#include "data/treasure.h"
#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"
#include "text/TextTable.h"

namespace torvale::fuzz {
namespace {

// The record bytes the data modules' headers say their writers touch; the
// modules keep these positions to themselves.
constexpr std::array<FileOffset, 5> kItemRecordBytes = {0, 1, 2, 6, 7};
constexpr std::array<FileOffset, 3> kSpellRecordBytes = {1, 3, 5};
constexpr std::array<FileOffset, 3> kCharacterSingleBytes = {0, 1, 2};  // hand, special, level
constexpr Span kCharacterWordsAndStats = {7, 13};  // both HP words, both MP words, five stats
constexpr std::array<std::size_t, 2> kUnwrittenMapFields = {2, 5};

Spans BytesOf(FileOffset record, std::span<const FileOffset> bytes) {
  Spans spans;
  for (const FileOffset byte : bytes) spans.push_back({record + byte, 1});
  return spans;
}

template <std::size_t N>
std::array<std::uint8_t, N> ByteArray(FuzzInput& input) {
  std::array<std::uint8_t, N> bytes{};
  for (std::uint8_t& byte : bytes) byte = input.Byte();
  return bytes;
}

// ---- items and spells

Spans ItemFields(int item) {
  Spans spans = BytesOf(ItemRecordOffset(item), kItemRecordBytes);
  spans.push_back({ItemIconOffset(item), 1});
  spans.push_back({ItemNameOffset(item), kItemNameLength});
  spans.push_back({ItemPriceOffset(item), 1});
  return spans;
}

void EditItem(const EditScope& scope, int item, FuzzInput& input) {
  Item values;
  values.icon = input.Byte();
  values.priceByte = input.Byte();
  values.magicBlock = input.Byte();
  values.attackDefense = input.Byte();
  values.attackDefensePercent = input.Byte();
  values.equipClass = input.Byte();
  values.statBonus = input.Byte();
  values.name = input.Text();
  WriteItem(scope.codec, scope.rom, item, values);
  const auto numbers = [](const Item& v) {
    return std::tie(v.icon, v.priceByte, v.magicBlock, v.attackDefense, v.attackDefensePercent,
                    v.equipClass, v.statBonus);
  };
  Require(numbers(ReadItem(scope.codec, scope.rom, item)) == numbers(values),
          "an item reads back as written");
  RequireTextWritten(scope, ItemNameOffset(item), kItemNameLength, values.name);
}

Spans SpellFields(int spell) {
  Spans spans = BytesOf(SpellRecordOffset(spell), kSpellRecordBytes);
  spans.push_back({SpellNameOffset(spell), kSpellNameLength});
  return spans;
}

void EditSpell(const EditScope& scope, int spell, FuzzInput& input) {
  Spell values;
  values.power = input.Byte();
  values.effect = input.Byte();
  values.mpCost = static_cast<std::uint8_t>(input.Byte() % (kMaximumMpCost + 1));
  values.ignoresWall = input.Byte() % 2 == 1;
  values.name = input.Text();
  WriteSpell(scope.codec, scope.rom, spell, values);
  const auto numbers = [](const Spell& v) {
    return std::tie(v.power, v.effect, v.mpCost, v.ignoresWall);
  };
  Require(numbers(ReadSpell(scope.codec, scope.rom, spell)) == numbers(values),
          "a spell reads back as written");
  RequireTextWritten(scope, SpellNameOffset(spell), kSpellNameLength, values.name);
}

Spans AsuraFields(int) {
  return {{kAsuraOffset, 4}};
}

void EditAsura(const EditScope& scope, int, FuzzInput&) {
  RestoreAsura(scope.rom);
  Require(!CheckAsura(scope.rom), "restored Asura bytes are no longer the restorable ones");
}

// ---- party

Spans CharacterFields(int slot) {
  const FileOffset record = CharacterRecordOffset(slot);
  Spans spans = BytesOf(record, kCharacterSingleBytes);
  spans.push_back({record + kCharacterWordsAndStats.offset, kCharacterWordsAndStats.length});
  spans.push_back({CharacterNameOffset(slot), kCharacterNameLength});
  return spans;
}

void EditCharacter(const EditScope& scope, int slot, FuzzInput& input) {
  Character values;
  values.byte0 = input.Byte();
  values.special = input.Byte();
  values.level = input.Byte();
  values.hp = static_cast<std::uint16_t>(input.Number(2));
  values.mp = static_cast<std::uint16_t>(input.Number(2));
  values.stats = ByteArray<5>(input);
  values.name = input.Text();
  WriteCharacter(scope.codec, scope.rom, slot, values);
  const auto numbers = [](const Character& v) {
    return std::tie(v.byte0, v.special, v.level, v.hp, v.mp, v.stats);
  };
  Require(numbers(ReadCharacter(scope.codec, scope.rom, slot)) == numbers(values),
          "a character reads back as written");
  RequireTextWritten(scope, CharacterNameOffset(slot), kCharacterNameLength, values.name);
}

Spans EquipmentFields(int slot) {
  return {{EquipmentRecordOffset(slot), kEquipmentRecordLength}};
}

void EditEquipment(const EditScope& scope, int slot, FuzzInput& input) {
  const Equipment values = ByteArray<kEquipmentRecordLength>(input);
  WriteEquipment(scope.rom, slot, values);
  Require(ReadEquipment(scope.rom, slot) == values, "starting equipment reads back as written");
}

// ---- world

Spans ShopFields(int shop) {
  return {{ShopRecordOffset(shop), kShopRecordLength}};
}

void EditShop(const EditScope& scope, int shop, FuzzInput& input) {
  const Shop items = ByteArray<kShopRecordLength>(input);
  WriteShop(scope.rom, shop, items);
  Require(ReadShop(scope.rom, shop) == items, "a shop reads back as written");
}

bool IsUnwrittenMapField(std::size_t field) {
  return std::find(kUnwrittenMapFields.begin(), kUnwrittenMapFields.end(), field) !=
         kUnwrittenMapFields.end();
}

Spans MapFields(int map) {
  Spans spans;
  for (std::size_t field = 0; field < kMapPropertyLength; ++field) {
    if (!IsUnwrittenMapField(field)) {
      spans.push_back({MapPropertyOffset(map) + static_cast<FileOffset>(field), 1});
    }
  }
  return spans;
}

void EditMap(const EditScope& scope, int map, FuzzInput& input) {
  const MapProperties fields = ByteArray<kMapPropertyLength>(input);
  WriteMapProperties(scope.rom, map, fields);
  const MapProperties back = ReadMapProperties(scope.rom, map);
  for (std::size_t field = 0; field < fields.size(); ++field) {
    const std::uint8_t expected =
        IsUnwrittenMapField(field) ? scope.before[MapPropertyOffset(map) + field] : fields[field];
    Require(back[field] == expected, "map properties read back as written");
  }
}

Spans SongFields(int map) {
  return {{SongOffset(map), 1}};
}

// The music editor writes the song byte straight through RomFile.
void EditSong(const EditScope& scope, int map, FuzzInput& input) {
  const auto song = static_cast<std::uint8_t>(input.Below(kSongCount));
  scope.rom.WriteByte(SongOffset(map), song);
  Require(ReadMapProperties(scope.rom, map)[kMapMusicField] == song,
          "a map's song reads back as written");
}

Spans ChestFields(int chest) {
  return {{ChestOffsets()[static_cast<std::size_t>(chest)], 2}};
}

void EditChest(const EditScope& scope, int chest, FuzzInput& input) {
  const ChestBytes bytes = {input.Byte(), input.Byte()};
  WriteChest(scope.rom, chest, bytes);
  const ChestBytes back = ReadChest(scope.rom, chest);
  Require(back.type == bytes.type && back.value == bytes.value, "a chest reads back as written");
}

// ---- monsters and battle tables

Spans MonsterFields(int monster) {
  const auto index = static_cast<FileOffset>(monster);
  return {
      {MonsterNameOffset(monster), kMonsterNameLength},
      {kMonsterGpTable + 2 * index, 2},
      {kMonsterExperienceTable + 2 * index, 2},
      {kMonsterGraphicTable + kMonsterGraphicLength * index, kMonsterGraphicLength},
  };
}

void EditMonster(const EditScope& scope, int monster, FuzzInput& input) {
  Monster values;
  values.gp = static_cast<std::uint16_t>(input.Number(2));
  values.experience = static_cast<std::uint16_t>(input.Number(2));
  values.size = input.Byte();
  values.palette = input.Byte();
  values.graphicPointer = static_cast<std::uint16_t>(input.Number(2));
  values.name = input.Text();
  WriteMonster(scope.codec, scope.rom, monster, values);
  const auto numbers = [](const Monster& v) {
    return std::tie(v.gp, v.experience, v.size, v.palette, v.graphicPointer);
  };
  Require(numbers(ReadMonster(scope.codec, scope.rom, monster)) == numbers(values),
          "a monster reads back as written");
  RequireTextWritten(scope, MonsterNameOffset(monster), kMonsterNameLength, values.name, true);
}

// The three battle tables: entries of whole bytes, side by side.
template <typename Entry, FileOffset kTable, Entry (*Read)(const RomFile&, int),
          void (*Write)(RomFile&, int, const Entry&)>
struct BattleTable {
  static Spans Fields(int entry) {
    constexpr auto kLength = static_cast<FileOffset>(sizeof(Entry));
    return {{kTable + kLength * static_cast<FileOffset>(entry), kLength}};
  }
  static void Edit(const EditScope& scope, int entry, FuzzInput& input) {
    const Entry values = ByteArray<sizeof(Entry)>(input);
    Write(scope.rom, entry, values);
    Require(Read(scope.rom, entry) == values, "a battle table entry reads back as written");
  }
};
using ItemsWonTable = BattleTable<ItemsWon, kItemsWonTable, ReadItemsWon, WriteItemsWon>;
using AttackDefenseTable =
    BattleTable<AttackDefense, kAttackDefenseTable, ReadAttackDefense, WriteAttackDefense>;
using SpeedTable = BattleTable<Speed, kSpeedTable, ReadSpeed, WriteSpeed>;

// ---- texts

Spans TextEntryFields(int entry) {
  return {{TextEntryOffset(entry), kTextEntryLength}};
}

void EditTextEntry(const EditScope& scope, int entry, FuzzInput& input) {
  const std::string text = input.Text();
  WriteTextEntry(scope.codec, scope.rom, entry, text);
  RequireTextWritten(scope, TextEntryOffset(entry), kTextEntryLength, text);
}

// ---- the main window's Save

Spans InternalNameFields(int) {
  return {{kInternalNameOffset, kInternalNameLength}};
}

void EditInternalName(const EditScope& scope, int, FuzzInput& input) {
  const std::string name = input.Text();
  SaveROMIName(scope.rom, name);
  std::string expected = name.substr(0, kEditableNameLength);
  expected.resize(kInternalNameLength, ' ');
  Require(LoadROMIName(scope.rom) == expected,
          "the internal name reads back as its first characters, padded with spaces");
}

Spans CountryCodeFields(int) {
  return {{kCountryCodeOffset, 1}};
}

void EditCountryCode(const EditScope& scope, int, FuzzInput& input) {
  const std::optional<std::string_view> caption = CountryCaption(input.Byte());
  SaveCountryCode(scope.rom, caption.value_or("no country"));
  const std::optional<std::string_view> expected =
      caption ? caption : CountryCaption(scope.before[kCountryCodeOffset]);
  Require(LoadCountryCode(scope.rom) == expected,
          "a known country reads back as saved; another caption writes nothing");
}

Spans EditTagFields(int) {
  return {{kEditTagOffset, kEditTagLength}};
}

void EditEditTag(const EditScope& scope, int, FuzzInput&) {
  SaveROMTag(scope.rom);
  Require(LoadEditedUnEdited(scope.rom) == EditedState::kEdited, "a tagged ROM reads as edited");
}

Spans CopierHeaderFields(int) {
  return {{0, kCopierTemplateLength}};
}

void EditCopierHeader(const EditScope& scope, int, FuzzInput& input) {
  constexpr std::array<std::string_view, 6> kChoices = {
      kBlankedHeader, kSuperMagiCom, kSuperWildCard, kSuperUfo, kUnknownHeader, "no header type"};
  const std::string_view chosen =
      kChoices[static_cast<std::size_t>(input.Below(static_cast<int>(kChoices.size())))];
  const SaveHeaderResult result = SaveHeader(scope.rom, chosen, TORVALE_HEADER_TEMPLATES);
  Require(result.outcome != SaveHeaderOutcome::kTemplateMissing, "the header templates are found");
  if (result.headerType == kSuperMagiCom || result.headerType == kSuperWildCard ||
      result.headerType == kSuperUfo) {
    Require(LoadROMHeader(scope.rom) == result.headerType,
            "a copier header written from its template reads as its type");
  }
}

constexpr std::array kWriters = {
    RecordWriter{"item", kItemCount, ItemFields, EditItem},
    RecordWriter{"spell", kSpellCount, SpellFields, EditSpell},
    RecordWriter{"Asura", 1, AsuraFields, EditAsura},
    RecordWriter{"character", kCharacterSlotCount, CharacterFields, EditCharacter},
    RecordWriter{"equipment", kEquipmentSlotCount, EquipmentFields, EditEquipment},
    RecordWriter{"shop", kShopCount, ShopFields, EditShop},
    RecordWriter{"map", kMapCount, MapFields, EditMap},
    RecordWriter{"song", kMapCount, SongFields, EditSong},
    RecordWriter{"chest", kChestCount, ChestFields, EditChest},
    RecordWriter{"monster", kMonsterCount, MonsterFields, EditMonster},
    RecordWriter{"items won", kItemsWonCount, ItemsWonTable::Fields, ItemsWonTable::Edit},
    RecordWriter{"attack/defense", kAttackDefenseCount, AttackDefenseTable::Fields,
                 AttackDefenseTable::Edit},
    RecordWriter{"speed", kSpeedCount, SpeedTable::Fields, SpeedTable::Edit},
    RecordWriter{"text entry", kTextEntryCount, TextEntryFields, EditTextEntry},
    RecordWriter{"internal name", 1, InternalNameFields, EditInternalName},
    RecordWriter{"country code", 1, CountryCodeFields, EditCountryCode},
    RecordWriter{"edit tag", 1, EditTagFields, EditEditTag},
    RecordWriter{"copier header", 1, CopierHeaderFields, EditCopierHeader},
};

}  // namespace

std::span<const RecordWriter> RecordWriters() {
  return kWriters;
}

void RequireTextWritten(const EditScope& scope, FileOffset offset, std::size_t length,
                        std::string_view text, bool unmappedAsSpace) {
  const Bytes field = scope.rom.ReadBytes(offset, length);
  const std::uint8_t blank = *EncodeCharacter(' ');
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t kept = unmappedAsSpace ? blank : scope.before[offset + i];
    const std::uint8_t expected = EncodeCharacter(i < text.size() ? text[i] : ' ').value_or(kept);
    Require(field[i] == expected, "a text field holds its encoded text");
  }
}

}  // namespace torvale::fuzz
