#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class ItemEditor;
}

namespace torvale::ui {

class DeferredFill;

// The 256 items: name and icon of each, and for the equipment items 0-175
// the price and five bytes of the item record.
class ItemEditor : public EditorWindow {
  Q_OBJECT

 public:
  ItemEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~ItemEditor() override;

 private:
  void LoadItems();
  void PickItem();
  void ShowFieldSet(bool equipment);
  void LoadItemData(int item);
  void SaveItemData();
  void ShowEquipClass();

  std::unique_ptr<Ui::ItemEditor> m_ui;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
