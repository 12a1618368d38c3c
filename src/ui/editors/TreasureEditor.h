#pragma once

#include <memory>

#include "data/Table.h"
#include "ui/EditorWindow.h"

class QListWidget;

namespace Ui {
class TreasureEditor;
}

namespace torvale::ui {

class DeferredFill;
class RecordView;

// The 402 treasure chests: an amount of GP, an item, or an item guarded by a
// monster formation.
class TreasureEditor : public EditorWindow {
  Q_OBJECT

 public:
  TreasureEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~TreasureEditor() override;

 private:
  enum class Kind { kNone, kGp, kItem };

  void LoadTreasure();
  void ShowKind(const Value& kind);
  Value ChosenKind() const;
  void ChooseKind(Kind kind);
  void SaveTreasure();
  void SaveItem();
  void RefuseWithoutItem(QListWidget& emptyList, int offered);

  std::unique_ptr<Ui::TreasureEditor> m_ui;
  RecordView* m_chests;
  DeferredFill* m_fill;
};

}  // namespace torvale::ui
