#pragma once

#include <QList>
#include <memory>

#include "ui/EditorWindow.h"

class QComboBox;

namespace Ui {
class BattleTablesEditor;
}

namespace torvale::ui {

class DeferredFill;

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
  void SaveItemsWon();
  void LoadATKSPD();
  void LoadATKDEFTable();
  void LoadAGISPDTable();
  void SaveATKSPDTable();
  void RefreshCBOs();
  void SaveVisiblePage();

  std::unique_ptr<Ui::BattleTablesEditor> m_ui;
  QList<QComboBox*> m_itemLists;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
