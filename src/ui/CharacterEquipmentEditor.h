#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class CharacterEquipmentEditor;
}

namespace torvale::ui {

class DeferredFill;

// The starting equipment of the 22 character slots: head, body and arms, and
// the item and amount in each hand.
class CharacterEquipmentEditor : public EditorWindow {
  Q_OBJECT

 public:
  CharacterEquipmentEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~CharacterEquipmentEditor() override;

 private:
  void PickSlot();
  void LoadCharEquipment();
  void SaveCharEquipment();

  std::unique_ptr<Ui::CharacterEquipmentEditor> m_ui;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
