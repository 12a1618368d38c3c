#include "data/Magic.h"

#include <utility>

#include "text/NameLists.h"

namespace torvale {
namespace {

constexpr std::array<std::pair<std::uint8_t, std::string_view>, 31> kKnownEffects = {{
    {0x00, "base X mult damage"},
    {0x01, "base X mult damage + hp leak (White, Virus, Big Bang, Pollen, Digest)"},
    {0x02, "cure (Cure1, Cure2, Cure3, Cure4, 5A Asura, 5B Asura)"},
    {0x03, "reduce to very low hp (Weak, Weak, Storm)"},
    {0x04, "drain hp (Drain)"},
    {0x05, "drain mp (Psych)"},
    {0x06, "staus: many (Bersk)"},
    {0x07, "status: sleep or paralyze (Hold, Sleep, Pin, Tongue, Entangle, Gas)"},
    {0x08, "image (Blink, Image)"},
    {0x09, "wall (Wall)"},
    {0x0A, "life (Life1, Life2, 5C Asura)"},
    {0x0B, "heal (12 Heal, 93 Heal)"},
    {0x0C, "form-changing status (Piggy, Size, Toad)"},
    {0x0D, "protect (Armor)"},
    {0x0E, "shell (Shell)"},
    {0x0F, "slow/haste (Slow, Fast, DullSong)"},
    {0x10, "dispel (0C Dummy)"},
    {0x11, "stop (Stop, Magnet)"},
    {0x12, "peep (Peep)"},
    {0x13, "escape (Exit, Smoke)"},
    {0x14, "damage based on caster's hp (4E Bomb, 56 Mist, Tornado, Blizzard, etc.)"},
    {0x17, "damage + poison (Venom, Poison)"},
    {0x1D, "count (Count)"},
    {0x1E, "damage based on target's max hp"},
    {0x1F, "slow petrify (Ray, Petrify)"},
    {0x25, "explode (A0 Explode)"},
    {0x29, "\"summon\" a monster (Alert, Call)"},
    {0x2B, "attack based on physical attack power"},
    {0x2E, "increment invincibility counter"},
    {0x2F, "decrement invincibility counter"},
    {0x30, "revive monster (Recover, AC Remedy, 8F Vanish)"},
}};

}  // namespace

const Table& SpellTable() {
  static constexpr Field kFields[] = {
      {.name = "PowerTXT",
       .label = "Power",
       .part = SpellRecordOffset,
       .within = 1,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255},
      {.name = "SpellEffectCBO",
       .label = "Effect",
       .part = SpellRecordOffset,
       .within = 3,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .list = ListId::kSpellEffects},
      {.name = "NameTXT",
       .label = "Name",
       .part = SpellNameOffset,
       .within = 0,
       .width = kSpellNameLength,
       .encoding = Encoding::kText},
      {.name = "MPCostTXT",
       .label = "MP Cost",
       .part = SpellRecordOffset,
       .within = 5,
       .width = 1,
       .encoding = Encoding::kLowSevenBits,
       .maximum = 127},
      {.name = "IgnoreWallCHK",
       .label = "Ignore Wall",
       .part = SpellRecordOffset,
       .within = 5,
       .width = 1,
       .encoding = Encoding::kHighBit,
       .maximum = 1},
      {.name = "CastingTimeTXT",
       .label = "Casting Time",
       .part = SpellRecordOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kLowSevenBits,
       .maximum = 127,
       .access = Access::kShown},
      {.name = "AilmentDurationCHK",
       .label = "Long Ailment",
       .part = SpellRecordOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kHighBit,
       .maximum = 1,
       .access = Access::kShown},
      {.name = "MagicIconFRA",
       .label = "Icon",
       .part = SpellIconOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kMagicIcon,
       .maximum = 3,
       .list = ListId::kMagicIcons,
       .access = Access::kShown},
  };
  static constexpr Table kTable{"Spells", kSpellCount, ListId::kSpellNames, kFields};
  return kTable;
}

bool CheckAsura(const RomFile& rom) {
  return rom.ReadLong(kAsuraOffset) == kRestorableAsura;
}

void RestoreAsura(RomFile& rom) {
  rom.WriteWord(kAsuraOffset, 320);  // 40 01
  rom.WriteByte(kAsuraOffset + 2, 0x42);
  rom.WriteByte(kAsuraOffset + 3, 0x8D);
}

std::vector<std::string> SpellEffectEntries() {
  std::vector<std::string> entries;
  for (int effect = 0; effect < 256; ++effect) {
    entries.emplace_back(SpellEffectText(static_cast<std::uint8_t>(effect)));
  }
  return entries;
}

std::string_view SpellEffectText(std::uint8_t effect) {
  for (const auto& [known, text] : kKnownEffects) {
    if (known == effect) return text;
  }
  return "unknown/undocumented";
}

const std::array<std::string_view, 8>& MagicTargetEntries() {
  static constexpr std::array<std::string_view, 8> kEntries = {
      "[None]",    "One Ally",       "All Allies",  "One/All Allies/Enemies (Default: Ally)",
      "One Enemy", "One Ally/Enemy", "All Enemies", "One/All Allies/Enemies (Default: Enemy)",
  };
  return kEntries;
}

}  // namespace torvale
