#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class CharacterStatsEditor;
}

namespace torvale::ui {

class RecordView;

// The 15 character slots' starting records: name, hand and name index,
// level, HP, MP and the five base stats.
class CharacterStatsEditor : public EditorWindow {
  Q_OBJECT

 public:
  CharacterStatsEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~CharacterStatsEditor() override;

 private:
  void LoadCharNames();
  void RefreshCharNames();
  void LoadCharData();
  void SaveCharData();

  std::unique_ptr<Ui::CharacterStatsEditor> m_ui;
  RecordView* m_slots;
};

}  // namespace torvale::ui
