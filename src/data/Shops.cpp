#include "data/Shops.h"

namespace torvale {

const Table& ShopTable() {
  static constexpr Field kFields[] = {
      {"Slot1CBO", "Slot 1", ShopRecordOffset, 0, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot2CBO", "Slot 2", ShopRecordOffset, 1, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot3CBO", "Slot 3", ShopRecordOffset, 2, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot4CBO", "Slot 4", ShopRecordOffset, 3, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot5CBO", "Slot 5", ShopRecordOffset, 4, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot6CBO", "Slot 6", ShopRecordOffset, 5, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot7CBO", "Slot 7", ShopRecordOffset, 6, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
      {"Slot8CBO", "Slot 8", ShopRecordOffset, 7, 1, Encoding::kByte, 0, 255,
       ListId::kItemNamesEmptyLast},
  };
  static constexpr Table kTable{"Shops", kShopCount, ListId::kShops, kFields};
  return kTable;
}

}  // namespace torvale
