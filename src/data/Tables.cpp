#include "data/Tables.h"

#include <array>

#include "data/BattleTables.h"
#include "data/Items.h"
#include "data/Magic.h"
#include "data/Maps.h"
#include "data/Monsters.h"
#include "data/Party.h"
#include "data/RomHeaders.h"
#include "data/Shops.h"
#include "data/TextList.h"
#include "data/Treasure.h"

namespace torvale {

std::span<const Table* const> AllTables() {
  static const std::array<const Table*, 14> kTables = {
      &CharacterTable(), &EquipmentTable(), &SpellTable(),         &ItemTable(),
      &ShopTable(),      &MonsterTable(),   &MapPropertyTable(),   &MapSongTable(),
      &ChestTable(),     &ItemsWonTable(),  &AttackDefenseTable(), &SpeedTable(),
      &TextEntryTable(), &RomHeaderTable()};
  return kTables;
}

}  // namespace torvale
