#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rom/RomFile.h"
#include "text/NameLists.h"
#include "text/TextCodec.h"

namespace torvale {

// Spell records: 6 bytes each; the editor writes bytes 1, 3 and 5.
inline constexpr FileOffset kSpellRecordTable = 0x799A0;
inline constexpr FileOffset kSpellRecordLength = 6;
inline constexpr int kMaximumMpCost = 127;
inline constexpr int kMaximumCastingTime = 127;

constexpr FileOffset SpellRecordOffset(int spell) {
  return kSpellRecordTable + kSpellRecordLength * static_cast<FileOffset>(spell);
}

// Four bytes of a spell record outside the listed 72, which the US release
// changed; they can be put back to their earlier values.
inline constexpr FileOffset kAsuraOffset = 0x79BC2;
inline constexpr std::int32_t kRestorableAsura = 40115776;  // 40 1E 64 02

enum class MagicIcon { kBlack, kWhite, kSummon, kOther };

struct Spell {
  MagicIcon icon = MagicIcon::kOther;
  std::string name;
  std::uint8_t castingTime = 0;  // record byte 0, bits 0-6
  bool longAilment = false;      // record byte 0, bit 7
  std::uint8_t power = 0;        // record byte 1
  std::uint8_t effect = 0;       // record byte 3
  std::uint8_t mpCost = 0;       // record byte 5, bits 0-6
  bool ignoresWall = false;      // record byte 5, bit 7
};

Spell ReadSpell(const TextCodec& codec, const RomFile& rom, int spell);
// Writes, in this order: power, effect, name, MP cost with the wall flag.
// Byte 0 (casting time and ailment flag) and the icon are never written.
void WriteSpell(const TextCodec& codec, RomFile& rom, int spell, const Spell& values);

// Whether the Asura bytes hold the values that can be restored.
bool CheckAsura(const RomFile& rom);
void RestoreAsura(RomFile& rom);

// What each effect routine does, entry k for record byte 3 = k.
std::string_view SpellEffectText(std::uint8_t effect);
const std::array<std::string_view, 8>& MagicTargetEntries();

}  // namespace torvale
