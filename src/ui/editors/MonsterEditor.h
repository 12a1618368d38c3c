#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class MonsterEditor;
}

namespace torvale::ui {

class DeferredFill;
class RecordView;

// The 224 monsters: name, experience, GP and the graphic record's size,
// palette and graphic pointer.
class MonsterEditor : public EditorWindow {
  Q_OBJECT

 public:
  MonsterEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~MonsterEditor() override;

 private:
  void LoadMonsterNames();
  void ShowFirstMonster();
  void LoadMonster();
  void SaveMonster();

  std::unique_ptr<Ui::MonsterEditor> m_ui;
  RecordView* m_monsters;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
