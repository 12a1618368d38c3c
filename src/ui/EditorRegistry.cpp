#include "ui/EditorRegistry.h"

#include <QDialog>
#include <stdexcept>
#include <string>

#include "data/BattleTables.h"
#include "data/Items.h"
#include "data/Magic.h"
#include "data/Maps.h"
#include "data/Monsters.h"
#include "data/Party.h"
#include "data/Shops.h"
#include "data/TextList.h"
#include "data/Treasure.h"
#include "ui/editors/BattleTablesEditor.h"
#include "ui/editors/CharacterEquipmentEditor.h"
#include "ui/editors/CharacterStatsEditor.h"
#include "ui/editors/ItemEditor.h"
#include "ui/editors/MagicSpellEditor.h"
#include "ui/editors/MapPropertiesEditor.h"
#include "ui/editors/MonsterEditor.h"
#include "ui/editors/MusicEditor.h"
#include "ui/editors/ShopEditor.h"
#include "ui/editors/TextListEditor.h"
#include "ui/editors/TreasureEditor.h"
#include "ui_BattleTablesEditor.h"
#include "ui_CharacterEquipmentEditor.h"
#include "ui_CharacterStatsEditor.h"
#include "ui_ItemEditor.h"
#include "ui_MagicSpellEditor.h"
#include "ui_MapPropertiesEditor.h"
#include "ui_MonsterEditor.h"
#include "ui_MusicEditor.h"
#include "ui_ShopEditor.h"
#include "ui_TextListEditor.h"
#include "ui_TreasureEditor.h"

namespace torvale::ui {
namespace {

constexpr TableOf kCharacterTables[] = {CharacterTable};
constexpr TableOf kEquipmentTables[] = {EquipmentTable};
constexpr TableOf kSpellTables[] = {SpellTable};
constexpr TableOf kItemTables[] = {ItemTable};
constexpr TableOf kShopTables[] = {ShopTable};
constexpr TableOf kMonsterTables[] = {MonsterTable};
constexpr TableOf kMapTables[] = {MapPropertyTable};
constexpr TableOf kChestTables[] = {ChestTable};
constexpr TableOf kBattleTables[] = {ItemsWonTable, AttackDefenseTable, SpeedTable};
constexpr TableOf kSongTables[] = {MapSongTable};
constexpr TableOf kTextTables[] = {TextEntryTable};

template <typename Window>
std::unique_ptr<QDialog> Open(const EditorContext& context, QWidget* parent) {
  return std::make_unique<Window>(context, parent);
}

template <typename Form>
std::unique_ptr<QDialog> FormOnly(QWidget* parent) {
  auto window = std::make_unique<QDialog>(parent);
  Form().setupUi(window.get());
  return window;
}

constexpr EditorEntry kEditors[] = {
    {"Characters", "r2", "", "", "", "", nullptr, nullptr},
    {"Character Stats", "CharEd-1", "r2", "CharacterStatsEditor", "Character Stats Editor",
     "CharLST", &Open<CharacterStatsEditor>, &FormOnly<Ui::CharacterStatsEditor>, "", "", "",
     kCharacterTables},
    {"Character Equipment", "CharEd-2", "r2", "CharacterEquipmentEditor",
     "Character Equipment Editor", "CharLST", &Open<CharacterEquipmentEditor>,
     &FormOnly<Ui::CharacterEquipmentEditor>, "", "", "", kEquipmentTables},
    {"Magic", "r3", "", "", "", "", nullptr, nullptr},
    {"Magic Spell Editor", "Mag-3", "r3", "MagicSpellEditor", "Magic Spell Editor", "MagicLST",
     &Open<MagicSpellEditor>, &FormOnly<Ui::MagicSpellEditor>, "", "", "", kSpellTables},
    {"Items", "r4", "", "", "", "", nullptr, nullptr},
    {"Item Editor", "Itm-1", "r4", "ItemEditor", "Item Editor", "ItemLST", &Open<ItemEditor>,
     &FormOnly<Ui::ItemEditor>, "", "", "", kItemTables},
    {"Shops", "Itm-2", "r4", "ShopEditor", "Shop Editor", "ShopLST", &Open<ShopEditor>,
     &FormOnly<Ui::ShopEditor>, "", "", "", kShopTables},
    {"Monsters", "r5", "", "", "", "", nullptr, nullptr},
    {"Monster Stats", "Mon-1", "r5", "MonsterEditor", "Monster Editor", "MonsterLST",
     &Open<MonsterEditor>, &FormOnly<Ui::MonsterEditor>, "", "", "", kMonsterTables},
    {"Area/Map Properties", "r8a", "", "", "", "", nullptr, nullptr},
    {"Map Properties", "AP-1", "r8a", "MapPropertiesEditor", "Map Properties Editor", "MapLST",
     &Open<MapPropertiesEditor>, &FormOnly<Ui::MapPropertiesEditor>, "", "", "", kMapTables},
    {"Treasure Data", "AP-4", "r8a", "TreasureEditor", "Treasure Editor", "OffsetLST",
     &Open<TreasureEditor>, &FormOnly<Ui::TreasureEditor>, "", "", "", kChestTables},
    // Clicked, this top node opens the window of its child of the same text.
    {"Data Tables", "r8", "", "", "", "", nullptr, nullptr},
    {"Data Tables", "Tables", "r8", "BattleTablesEditor", "Miscellaneous Data Editor", "tabs",
     &Open<BattleTablesEditor>, &FormOnly<Ui::BattleTablesEditor>, "", "", "", kBattleTables},
    {"", "", "", "MusicEditor", "Music Editor", "AreaLST", &Open<MusicEditor>,
     &FormOnly<Ui::MusicEditor>, "MapPropertiesEditor", "MusicCMD", "", kSongTables},
    {"", "", "", "TextListEditor", "Shit", "TextLST", &Open<TextListEditor>,
     &FormOnly<Ui::TextListEditor>, "MainWindow", "InfoIMG", "Text List Editor", kTextTables},
};

}  // namespace

std::span<const EditorEntry> Editors() {
  return kEditors;
}

const EditorEntry* EditorOfTable(const Table& table) {
  for (const EditorEntry& editor : kEditors) {
    for (const TableOf tableOf : editor.tables) {
      if (&tableOf() == &table) return &editor;
    }
  }
  return nullptr;
}

const EditorEntry& EditorNamed(std::string_view window) {
  for (const EditorEntry& editor : kEditors) {
    if (editor.window == window) return editor;
  }
  throw std::invalid_argument("no editor window named " + std::string(window));
}

}  // namespace torvale::ui
