#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class MagicSpellEditor;
}

namespace torvale::ui {

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

 private:
  void LoadMagicName();
  void PickSpell();
  void LoadMagicData(int spell);
  void SaveMagicData();
  void CheckAsura();
  void RestoreAsura();

  std::unique_ptr<Ui::MagicSpellEditor> m_ui;
};

}  // namespace torvale::ui
