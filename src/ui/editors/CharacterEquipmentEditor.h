#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class CharacterEquipmentEditor;
}

namespace torvale::ui {

class DeferredFill;
class RecordView;

// The starting equipment of the 22 character slots: head, body, arms, and
// the item and amount held in each hand.
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
  RecordView* m_slots;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
