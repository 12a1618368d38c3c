#pragma once

#include <memory>

#include "ui/EditorWindow.h"

class QListWidget;

namespace Ui {
class TreasureEditor;
}

namespace torvale::ui {

class DeferredFill;

// The 402 treasure chests: an amount of GP, an item, or an item guarded by a
// monster formation.
class TreasureEditor : public EditorWindow {
  Q_OBJECT

 public:
  TreasureEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~TreasureEditor() override;

 private:
  enum class Kind { kNone, kGp, kItem };

  void PickChest();
  void LoadTreasure(int chest);
  void ChooseKind(Kind kind);
  void SaveTreasure();
  void SaveGP(int chest);
  void SaveItem(int chest);
  void RefuseWithoutItem(QListWidget& emptyList);

  std::unique_ptr<Ui::TreasureEditor> m_ui;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
