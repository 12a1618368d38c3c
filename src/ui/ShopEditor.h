#pragma once

#include <QList>
#include <memory>

#include "ui/EditorWindow.h"

class QComboBox;

namespace Ui {
class ShopEditor;
}

namespace torvale::ui {

class DeferredFill;

// What each of the 64 shops sells: an item, or nothing, in each of eight slots.
class ShopEditor : public EditorWindow {
  Q_OBJECT

 public:
  ShopEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~ShopEditor() override;

 private:
  void PickShop();
  void LoadShopData(int shop);
  void SaveShopData();

  std::unique_ptr<Ui::ShopEditor> m_ui;
  QList<QComboBox*> m_slots;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
