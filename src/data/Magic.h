#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

// Spell records: 6 bytes each; the editor writes bytes 1, 3 and 5.
inline constexpr FileOffset kSpellRecordTable = 0x799A0;
inline constexpr FileOffset kSpellRecordLength = 6;

constexpr FileOffset SpellRecordOffset(int spell) {
  return kSpellRecordTable + kSpellRecordLength * static_cast<FileOffset>(spell);
}

// Four bytes of a spell record outside the listed 72, which the US release
// changed; they can be put back to their earlier values.
inline constexpr FileOffset kAsuraOffset = 0x79BC2;
inline constexpr std::int32_t kRestorableAsura = 40115776;  // 40 1E 64 02

// The 72 spells: power, effect, name, MP cost and the ignore-wall flag, and,
// shown only, the casting time, the long-ailment flag and the icon.
const Table& SpellTable();

// Whether the Asura bytes hold the values that can be restored.
bool CheckAsura(const RomFile& rom);
void RestoreAsura(RomFile& rom);

// What each effect routine does, entry k for record byte 3 = k.
std::string_view SpellEffectText(std::uint8_t effect);
std::vector<std::string> SpellEffectEntries();
const std::array<std::string_view, 8>& MagicTargetEntries();

}  // namespace torvale
