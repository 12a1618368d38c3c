#include "data/Items.h"

#include <utility>

#include "data/Encodings.h"
#include "text/NameLists.h"

namespace torvale {
namespace {

constexpr std::string_view kUnknownEquipClass = "Unknown/Undocumented";

constexpr std::array<std::string_view, kKnownEquipClassCount> kEquipClasses = {
    "Everyone",
    "Everyone but the Dark Knight",
    "Palom, Bard, Yang, Young Caller, Lunar, Old Caller, Porom, Paladin, & Cid",
    "Yang, Dragoon, Ninja, Old Caller, Paladin, & Cid",
    "Dragoon, Paladin, & Cid",
    "Rosa, Ninja, Paladin, & Cid",
    "Dragoon, Paladin, & Cid",
    "Dragoon & Paladin",
    "Rosa & Paladin",
    "Palom, Rosa, Sage, Young Caller, Lunar, Old Caller, & Cid",
    "Palom, Rosa, Sage, Young Caller, Lunar, Old Caller, & Porom",
    "Rosa, Sage, Young Caller, Lunar, Paladin, & Porom",
    "Palom, Sage, Young Caller, Lunar, & Old Caller",
    "None",
    "Rosa, Young Caller, Old Caller, Porom",
    "None",
    "None",
    "None",
    "None",
    "Palom, Bard, Young Caller, Dragoon, Ninja, Old Caller, & Paladin",
    "Palom, Bard, Rosa, Yang, Sage, Young Caller, Ninja, Lunar, Old Caller, & Porom",
    "Dark Knight",
    "Dragoon",
    "Yang & Old Caller",
    "Palom",
    "Bard",
    "Rosa",
    "Yang & Ninja",
    "Paladin",
    "Cid",
    "Ninja",
    "None",
    "None",
    "Porom",
    "None",
    "Lunar",
    "Cid",
    "None",
    "Palom",
    "Ninja",
    "None",
    "Rosa",
    "Anna",
    "None",
    "None",
    "Dark Knight",
    "Paladin",
    "None",
    "Yang",
    "Golbez",
    "Porom",
    "None",
    "Dragoon",
    "Cid",
    "None",
    "Sage",
    "Ninja",
    "Bard",
    "None",
    "Rosa",
    "Anna",
    "Dark Knight & Dragoon",
    "Palom",
    "Golbez",
    "Yang, Bard, Rosa, Sage, & Young Caller",
    "Palom, Bard, Rosa, Yang, Sage, Dark Knight, Dragoon, Young Caller, Golbez, Anna, Paladin, & "
    "Porom",
    "Golbez, Ninja, Lunar, Anna, Old Caller, Porom, Paladin, & Cid",
    "Palom, Yang, Rosa, Sage, Dark Knight, Dragoon, Young Caller",
    "Palom, Bard, Rosa, Golbez, Ninja, Lunar, Anna, Old Caller, & Cid",
    "Golbez, Ninja, Anna, Old Caller, Porom, Paladin, & Cid",
    "Palom, Bard, Rosa, Yang, Sage, Dark Knight, Dragoon, Young Caller",
    "Everyone but Bard",
    "Golbez, Ninja, Lunar, Anna, Cid, Porom, & Paladin",
    "Everyone but Yang",
    "Golbez, Ninja, Lunar, Anna, Old Caller, Porom, & Cid",
    "Palom, Bard, Rosa, Yang, Sage, Dark Knight, Dragoon, Young Caller",
    "Everyone but Dark Knight",
    "Golbez, Ninja, Lunar, Anna, Old Caller, Porom, Paladin, & Cid",
    "Yang, Bard, Rosa, Sage, Dark Knight, Dragoon, & Old Caller",
    "Everyone but Ninja, Lunar, Anna, Cid, & Old Caller",
    "Palom & Porom",
    "Golbez & Paladin",
    "None",
    "None",
    "Dark Knight & Dragoon",
    "Bard, Rosa, & Sage",
    "Palom",
    "Cid, Porom, & Paladin",
    "None",
    "Yang",
    "None",
    "Ninja, Lunar, & Old Caller",
    "Bard, Sage, Dark Knight, Dragoon, & Young Caller",
    "Old Caller",
    "Dragoon",
    "Palom & Golbez",
    "Lunar & Paladin",
    "None",
    "Dark Knight",
    "Rosa & Paladin",
    "Lunar",
    "None",
    "Bard & Rosa",
    "Everyone but Anna",
    "Rosa & Dark Knight",
    "Paladin & Porom",
    "None",
    "Anna",
    "Golbez, Cid, Porom, & Paladin",
    "Everyone but Cid",
    "Ninja, Lunar, Old Caller, Paladin, & Cid",
    "Sage",
    "Bard, Rosa, Sage, Dragoon, Young Caller, & Cid",
    "Young Caller",
    "Rosa",
    "None",
};

// Amounts by bits 0-2 of a stat bonus code: (chosen stats, other stats).
constexpr std::array<std::pair<int, int>, 8> kBonusAmounts = {
    {{3, 0}, {5, 0}, {10, 0}, {15, 0}, {5, -5}, {10, -10}, {15, -15}, {5, -10}}};

std::string SignedText(int value) {
  if (value > 0) return "+" + std::to_string(value);
  return std::to_string(value);
}

}  // namespace

const Table& ItemTable() {
  static constexpr Field kFields[] = {
      {.name = "ItemIconCBO",
       .label = "Icon",
       .part = ItemIconOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .list = ListId::kIcons},
      {.name = "PriceTXT",
       .label = "Price",
       .part = ItemPriceOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kAmount,
       .maximum = kMaximumAmount},
      {.name = "Byte00TXT",
       .label = "Magic Block %",
       .part = ItemRecordOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .records = kItemRecordCount},
      {.name = "AtkDefTXT",
       .label = "Attack/Defense",
       .part = ItemRecordOffset,
       .within = 1,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .records = kItemRecordCount},
      {.name = "AtkDefPercentTXT",
       .label = "Attack/Defense %",
       .part = ItemRecordOffset,
       .within = 2,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .records = kItemRecordCount},
      {.name = "EquipLST",
       .label = "Who can equip",
       .part = ItemRecordOffset,
       .within = 6,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .list = ListId::kEquipClasses,
       .records = kItemRecordCount},
      {.name = "StatCBO",
       .label = "Stat +/-",
       .part = ItemRecordOffset,
       .within = 7,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .list = ListId::kStatBonuses,
       .records = kItemRecordCount,
       .missing = "Choose a stat bonus: \"[N/A]\" stands for no value."},
      {.name = "NameTXT",
       .label = "Name",
       .part = ItemNameOffset,
       .within = 0,
       .width = kItemNameLength,
       .encoding = Encoding::kText},
  };
  static constexpr Table kTable{"Items", kItemCount, ListId::kItemNames, kFields};
  return kTable;
}

std::string StatBonusText(std::uint8_t code) {
  const auto [chosen, other] = kBonusAmounts[code & 0x07];
  std::string text;
  for (int bit = 3; bit <= 7; ++bit) {
    if (bit > 3) text += " | ";
    text += SignedText((code >> bit) & 1 ? chosen : other);
  }
  return text + "   ";
}

std::vector<std::string> StatBonusEntries() {
  std::vector<std::string> entries;
  for (int code = 0; code < 256; ++code)
    entries.push_back(StatBonusText(static_cast<std::uint8_t>(code)));
  entries.emplace_back("[N/A]");
  return entries;
}

std::vector<std::string> EquipClassEntries() {
  std::vector<std::string> entries;
  for (int equipClass = 0; equipClass < 256; ++equipClass) {
    entries.emplace_back(EquipClassText(equipClass));
  }
  return entries;
}

std::string_view EquipClassText(int equipClass) {
  if (equipClass < kKnownEquipClassCount)
    return kEquipClasses[static_cast<std::size_t>(equipClass)];
  return kUnknownEquipClass;
}

const std::array<std::string_view, 78>& SpellCastEntries() {
  static constexpr std::array<std::string_view, 78> kEntries = {
      "[Empty]",
      "Hold",
      "Mute",
      "Charm",
      "Blink",
      "Armor",
      "Shell",
      "Slow",
      "Fast",
      "Bersk",
      "Wall",
      "White",
      "Dummy (Protesu)",
      "Peep",
      "Cure1",
      "Cure2",
      "Cure3",
      "Cure4",
      "Heal",
      "Life1",
      "Life2",
      "Size",
      "Exit",
      "Sight",
      "Float",
      "Toad",
      "Piggy",
      "Warp",
      "Venom",
      "Fire1",
      "Fire2",
      "Fire3",
      "Ice-1",
      "Ice-2",
      "Ice-3",
      "Lit-1",
      "Lit-2",
      "Lit-3",
      "Virus",
      "Weak",
      "Quake",
      "Sleep",
      "Stone",
      "Fatal",
      "Stop",
      "Drain",
      "Psych",
      "Meteo",
      "Nuke",
      "Imp",
      "Bomb",
      "Dummy (Cocktrice)",
      "Mage",
      "Chocb",
      "Shiva",
      "Indra",
      "Jinn",
      "Titan",
      "Mist",
      "Sylph",
      "Odin",
      "Levia",
      "Asura",
      "Baham",
      "Comet",
      "Flare",
      "Flame",
      "Flood",
      "Blitz",
      "Smoke",
      "Pin",
      "Image",
      "Dummy (Rod)",
      "Dummy (Unknown)",
      "Dummy (Silver)",
      "Dummy (Staff)",
      "Dummy (Unknown)",
      "[N/A]",
  };
  return kEntries;
}

const std::array<std::string_view, 32>& ElementPart1Entries() {
  static constexpr std::array<std::string_view, 32> kEntries = {
      "[None]",
      "Small",
      "Toad",
      "Toad, Small",
      "Stone",
      "Stone, Small",
      "Stone, Toad",
      "Stone, Toad, Small",
      "Swoon (Death)*",
      "Swoon, Small",
      "Swoon, Toad",
      "Swoon, Toad, Small",
      "Swoon, Stone",
      "Swoon, Stone, Small",
      "Swoon, Stone, Toad",
      "Swoon, Stone, Toad, Small",
      "[None]",
      "Poison",
      "Blind",
      "Blind, Poison",
      "Mute",
      "Mute, Poison",
      "Mute, Blind",
      "Mute, Blind, Poison",
      "Pig",
      "Pig, Poison",
      "Pig, Blind",
      "Pig, Blind, Poison",
      "Pig, Mute",
      "Pig, Mute, Poison",
      "Pig, Mute, Blind",
      "Pig, Mute, Poison, Blind",
  };
  return kEntries;
}

const std::array<std::string_view, 32>& ElementPart2Entries() {
  static constexpr std::array<std::string_view, 32> kEntries = {
      "[None]",
      "Sleep",
      "Paralyze",
      "Paralyze, Sleep",
      "Float [D]",
      "Float, Sleep",
      "Float, Paralyze",
      "Float, Paralyze, Sleep",
      "Cursed",
      "Cursed, Sleep",
      "Cursed, Paralyze",
      "Cursed, Paralyze, Sleep",
      "Cursed, Float",
      "Cursed, Float, Sleep",
      "Cursed, Float, Paralyze",
      "Cursed, Float, Paralyze, Sleep",
      "[None]",
      "Petrify [Turning into Stone?!] (Level 1)",
      "Petrify [Turning into Stone?!] (Level 2)*",
      "Both Above",
      "Berserked",
      "Berserked, Petrify 1",
      "Berserked, Petrify 2",
      "Berserked, Petrify 1 & 2",
      "Charmed",
      "Charmed, Petrify 1",
      "Charmed, Petrify 2",
      "Charmed, Petrify 1 & 2",
      "Charmed, Berserked",
      "Charmed, Berserked, Petrify 1",
      "Charmed, Berserked, Petrify 2",
      "Charmed, Berserked, Petrify 1 & 2",
  };
  return kEntries;
}

}  // namespace torvale
