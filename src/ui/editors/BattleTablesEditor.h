#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/EditorWindow.h"

namespace Ui {
class BattleTablesEditor;
}

namespace torvale::ui {

class DeferredFill;
class RecordView;

// The battle tables: the items won (and stolen) from monsters, and the
// monsters' attack/defense and speed tables, each on its own page.
class BattleTablesEditor : public EditorWindow {
  Q_OBJECT

 public:
  BattleTablesEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~BattleTablesEditor() override;

 private:
  void LoadItems();
  void ShowFirstEntries();
  void ShowPage(int tab);
  void LoadItemsWon();
  void LoadATKSPD();
  void RefreshCBOs();
  void SaveVisiblePage();

  std::unique_ptr<Ui::BattleTablesEditor> m_ui;
  RecordView* m_itemsWon;
  RecordView* m_attack;
  RecordView* m_speed;
  // What the two monster lists show, to rewrite only the entries an Apply changed.
  std::vector<std::string> m_attackEntries;
  std::vector<std::string> m_speedEntries;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
