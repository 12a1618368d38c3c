#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class ItemEditor;
}

namespace torvale::ui {

class DeferredFill;
class RecordView;

// The 256 items: name and icon of each, and for the items with an item
// record the price and five bytes of the record.
class ItemEditor : public EditorWindow {
  Q_OBJECT

 public:
  ItemEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~ItemEditor() override;

 private:
  void LoadItems();
  void LoadItemData();
  void ShowFieldSet(int item);
  void SaveItemData();
  void ShowEquipClass();

  std::unique_ptr<Ui::ItemEditor> m_ui;
  RecordView* m_items;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
