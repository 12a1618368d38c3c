#include "ui/EditorRegistry.h"

#include <QDialog>
#include <stdexcept>
#include <string>

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

template <typename Window>
std::unique_ptr<QDialog> Open(const EditorContext& context, QWidget* parent) {
  return std::make_unique<Window>(context, parent);
}

template <typename Form>
std::unique_ptr<QDialog> FormOnly(const EditorContext&, QWidget* parent) {
  auto window = std::make_unique<QDialog>(parent);
  Form().setupUi(window.get());
  return window;
}

constexpr EditorEntry kEditors[] = {
    {"Characters", "r2", "", "", "", "", nullptr, nullptr},
    {"Character Stats", "CharEd-1", "r2", "CharacterStatsEditor", "Character Stats Editor",
     "CharLST", &Open<CharacterStatsEditor>, &FormOnly<Ui::CharacterStatsEditor>},
    {"Character Equipment", "CharEd-2", "r2", "CharacterEquipmentEditor",
     "Character Equipment Editor", "CharLST", &Open<CharacterEquipmentEditor>,
     &FormOnly<Ui::CharacterEquipmentEditor>},
    {"Magic", "r3", "", "", "", "", nullptr, nullptr},
    {"Magic Spell Editor", "Mag-3", "r3", "MagicSpellEditor", "Magic Spell Editor", "MagicLST",
     &Open<MagicSpellEditor>, &FormOnly<Ui::MagicSpellEditor>},
    {"Items", "r4", "", "", "", "", nullptr, nullptr},
    {"Item Editor", "Itm-1", "r4", "ItemEditor", "Item Editor", "ItemLST", &Open<ItemEditor>,
     &FormOnly<Ui::ItemEditor>},
    {"Shops", "Itm-2", "r4", "ShopEditor", "Shop Editor", "ShopLST", &Open<ShopEditor>,
     &FormOnly<Ui::ShopEditor>},
    {"Monsters", "r5", "", "", "", "", nullptr, nullptr},
    {"Monster Stats", "Mon-1", "r5", "MonsterEditor", "Monster Editor", "MonsterLST",
     &Open<MonsterEditor>, &FormOnly<Ui::MonsterEditor>},
    {"Area/Map Properties", "r8a", "", "", "", "", nullptr, nullptr},
    {"Map Properties", "AP-1", "r8a", "MapPropertiesEditor", "Map Properties Editor", "MapLST",
     &Open<MapPropertiesEditor>, &FormOnly<Ui::MapPropertiesEditor>},
    {"Treasure Data", "AP-4", "r8a", "TreasureEditor", "Treasure Editor", "OffsetLST",
     &Open<TreasureEditor>, &FormOnly<Ui::TreasureEditor>},
    // Clicked, this top node opens the window of its child of the same text.
    {"Data Tables", "r8", "", "", "", "", nullptr, nullptr},
    {"Data Tables", "Tables", "r8", "BattleTablesEditor", "Miscellaneous Data Editor", "tabs",
     &Open<BattleTablesEditor>, &FormOnly<Ui::BattleTablesEditor>},
    {"", "", "", "MusicEditor", "Music Editor", "AreaLST", &Open<MusicEditor>,
     &FormOnly<Ui::MusicEditor>, "MapPropertiesEditor", "MusicCMD"},
    {"", "", "", "TextListEditor", "Shit", "TextLST", &Open<TextListEditor>,
     &FormOnly<Ui::TextListEditor>, "MainWindow", "InfoIMG", "Text List Editor"},
};

}  // namespace

std::span<const EditorEntry> Editors() {
  return kEditors;
}

const EditorEntry& EditorNamed(std::string_view window) {
  for (const EditorEntry& editor : kEditors) {
    if (editor.window == window) return editor;
  }
  throw std::invalid_argument("no editor window named " + std::string(window));
}

}  // namespace torvale::ui
