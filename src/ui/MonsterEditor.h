#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class MonsterEditor;
}

namespace torvale::ui {

class DeferredFill;

// The 224 monsters: name, experience, GP and the graphic record's size,
// palette and graphic pointer.
class MonsterEditor : public EditorWindow {
  Q_OBJECT

 public:
  MonsterEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~MonsterEditor() override;

 private:
  void LoadMonsterNames();
  void FillPalettesOnce();
  void PickMonster();
  void LoadMonster(int monster);
  void SaveMonster();

  std::unique_ptr<Ui::MonsterEditor> m_ui;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
