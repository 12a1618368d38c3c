#pragma once

#include <array>
#include <cstdint>

#include "rom/RomFile.h"

namespace torvale {

// 64 shops of eight item items; a slot of 0xFF sells nothing.
inline constexpr FileOffset kShopTable = 0x9A500;
inline constexpr int kShopCount = 64;
inline constexpr FileOffset kShopRecordLength = 8;

constexpr FileOffset ShopRecordOffset(int shop) {
  return kShopTable + kShopRecordLength * static_cast<FileOffset>(shop);
}

using Shop = std::array<std::uint8_t, kShopRecordLength>;

Shop ReadShop(const RomFile& rom, int shop);
// One byte at a time, slot 1 to slot 8.
void WriteShop(RomFile& rom, int shop, const Shop& items);

}  // namespace torvale
