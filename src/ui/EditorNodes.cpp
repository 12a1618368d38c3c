#include "ui/EditorNodes.h"

#include <QDialog>
#include <array>

#include "ui/BattleTablesEditor.h"
#include "ui/CharacterEquipmentEditor.h"
#include "ui/CharacterStatsEditor.h"
#include "ui/ItemEditor.h"
#include "ui/MagicSpellEditor.h"
#include "ui/MapPropertiesEditor.h"
#include "ui/MonsterEditor.h"
#include "ui/ShopEditor.h"
#include "ui/TreasureEditor.h"

namespace torvale::ui {
namespace {

template <typename Window>
std::unique_ptr<QDialog> Open(const EditorContext& context, QWidget* parent) {
  return std::make_unique<Window>(context, parent);
}

}  // namespace

std::span<const EditorNode> EditorNodes() {
  static constexpr std::array<EditorNode, 9> kWindows = {{
      {"Item Editor", &Open<ItemEditor>},
      {"Magic Spell Editor", &Open<MagicSpellEditor>},
      {"Character Stats", &Open<CharacterStatsEditor>},
      {"Character Equipment", &Open<CharacterEquipmentEditor>},
      {"Shops", &Open<ShopEditor>},
      {"Map Properties", &Open<MapPropertiesEditor>},
      {"Treasure Data", &Open<TreasureEditor>},
      {"Monster Stats", &Open<MonsterEditor>},
      {"Data Tables", &Open<BattleTablesEditor>},
  }};
  return kWindows;
}

}  // namespace torvale::ui
