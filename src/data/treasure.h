#pragma once

#include <array>
#include <cstdint>

#include "rom/RomFile.h"

namespace torvale {

// 402 treasure chests, each a type byte and a value byte at its own offset.
inline constexpr int kChestCount = 402;
inline constexpr int kFormationCount = 128;
// Guarded chests store 0x80 + formation; below 64 that would read as unguarded.
inline constexpr int kLowestGuardFormation = 64;

// The chests' file offsets, in list order.
const std::array<FileOffset, kChestCount>& ChestOffsets();

enum class ChestKind { kGp, kItem, kGuardedItem };

struct Chest {
  ChestKind kind;
  int gp;             // for a GP chest
  std::uint8_t item;  // for an item chest
  int formation;      // for a guarded chest, 64-127
};

struct ChestBytes {
  std::uint8_t type;
  std::uint8_t value;
};

// Type 0x00-0x7F: GP; 0x80-0xBF: an item; 0xC0-0xFF: an item guarded by
// formation type - 0x80.
Chest DecodeChest(ChestBytes bytes);

ChestBytes ReadChest(const RomFile& rom, int chest);
// The type byte, then the value byte.
void WriteChest(RomFile& rom, int chest, ChestBytes bytes);

}  // namespace torvale
