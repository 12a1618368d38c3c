#pragma once

#include <memory>

#include "data/Table.h"
#include "ui/EditorWindow.h"

namespace Ui {
class MagicSpellEditor;
}

namespace torvale::ui {

class RecordView;

// The 72 player spells: name, power, effect routine and MP cost with the
// ignore-wall flag; and the repair of the Asura bytes.
class MagicSpellEditor : public EditorWindow {
  Q_OBJECT

 public:
  MagicSpellEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~MagicSpellEditor() override;

 protected:
  // A double click on the small picture opens the picture window.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void ShowRecordsAgain() override;

 private:
  void LoadMagicName();
  void LoadMagicData();
  void ShowIcon(const Value& icon);
  void SaveMagicData();
  // Offers Restore Asura when the bytes were read and can be restored; a
  // failed read is told to the user only when `tellFailure`.
  void CheckAsura(bool tellFailure);
  void RestoreAsura();

  std::unique_ptr<Ui::MagicSpellEditor> m_ui;
  RecordView* m_spells;
};

}  // namespace torvale::ui
