#include "ui/EditorNodes.h"

#include <array>

namespace torvale::ui {

std::span<const EditorNode> EditorNodes() {
  static constexpr std::array<EditorNode, 9> kWindows = {{
      {"Item Editor", nullptr},
      {"Magic Spell Editor", nullptr},
      {"Character Stats", nullptr},
      {"Character Equipment", nullptr},
      {"Shops", nullptr},
      {"Map Properties", nullptr},
      {"Treasure Data", nullptr},
      {"Monster Stats", nullptr},
      {"Data Tables", nullptr},
  }};
  return kWindows;
}

}  // namespace torvale::ui
