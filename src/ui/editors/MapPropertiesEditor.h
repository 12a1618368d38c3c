#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class MapPropertiesEditor;
}

namespace torvale::ui {

class RecordView;

// The 381 maps' property records: graphics, palettes, layouts, the treasure
// table index and the music, with five fields shown read-only.
class MapPropertiesEditor : public EditorWindow {
  Q_OBJECT

 public:
  MapPropertiesEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~MapPropertiesEditor() override;

 private:
  void LoadMapData();
  void SaveMapData();
  void OpenMusicEditor();

  std::unique_ptr<Ui::MapPropertiesEditor> m_ui;
  RecordView* m_maps;
};

}  // namespace torvale::ui
