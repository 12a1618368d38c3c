#include "data/shops.h"

namespace torvale {

Shop ReadShop(const RomFile& rom, int shop) {
  Shop items{};
  rom.Read(ShopRecordOffset(shop), items);
  return items;
}

void WriteShop(RomFile& rom, int shop, const Shop& items) {
  for (std::size_t slot = 0; slot < items.size(); ++slot) {
    rom.WriteByte(ShopRecordOffset(shop) + static_cast<FileOffset>(slot), items[slot]);
  }
}

}  // namespace torvale
