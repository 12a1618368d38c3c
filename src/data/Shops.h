#pragma once

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

// 64 shops of eight item slots; a slot of 0xFF sells nothing.
inline constexpr FileOffset kShopTable = 0x9A500;
inline constexpr int kShopCount = 64;
inline constexpr FileOffset kShopRecordLength = 8;

constexpr FileOffset ShopRecordOffset(int shop) {
  return kShopTable + kShopRecordLength * static_cast<FileOffset>(shop);
}

// The eight slots of each shop, slot 1 to slot 8.
const Table& ShopTable();

}  // namespace torvale
