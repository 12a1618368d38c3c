#pragma once

#include <array>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

// 402 treasure chests, each a type byte and a value byte at its own offset.
inline constexpr int kChestCount = 402;

// The chests' file offsets, in list order.
const std::array<FileOffset, kChestCount>& ChestOffsets();
FileOffset ChestOffset(int chest);

// Each chest's kind and, as its kind uses them, its GP, its item and the
// monster formation that guards it.
const Table& ChestTable();

}  // namespace torvale
