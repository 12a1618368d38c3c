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
      {"PowerTXT", "Power", SpellRecordOffset, 1, 1, Encoding::kByte, 0, 255},
      {"SpellEffectCBO", "Effect", SpellRecordOffset, 3, 1, Encoding::kByte, 0, 255,
       ListId::kSpellEffects},
      {"NameTXT", "Name", SpellNameOffset, 0, kSpellNameLength, Encoding::kText, 0, 0},
      {"MPCostTXT", "MP Cost", SpellRecordOffset, 5, 1, Encoding::kLowSevenBits, 0, 127},
      {"IgnoreWallCHK", "Ignore Wall", SpellRecordOffset, 5, 1, Encoding::kHighBit, 0, 1},
      {"CastingTimeTXT", "Casting Time", SpellRecordOffset, 0, 1, Encoding::kLowSevenBits, 0, 127,
       ListId::kNone, Access::kShown},
      {"AilmentDurationCHK", "Long Ailment", SpellRecordOffset, 0, 1, Encoding::kHighBit, 0, 1,
       ListId::kNone, Access::kShown},
      {"MagicIconFRA", "Icon", SpellIconOffset, 0, 1, Encoding::kMagicIcon, 0, 3, ListId::kNone,
       Access::kShown},
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
