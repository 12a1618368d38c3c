#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class ShopEditor;
}

namespace torvale::ui {

class DeferredFill;
class RecordView;

// What each of the 64 shops sells: an item, or nothing, in each of eight slots.
class ShopEditor : public EditorWindow {
  Q_OBJECT

 public:
  ShopEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~ShopEditor() override;

 private:
  void LoadShopData();
  void SaveShopData();

  std::unique_ptr<Ui::ShopEditor> m_ui;
  RecordView* m_shops;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
