#pragma once

#include <QList>
#include <memory>

#include "ui/EditorWindow.h"

class QComboBox;
class QLineEdit;

namespace Ui {
class MapPropertiesEditor;
}

namespace torvale::ui {

// The 381 maps' property records: graphics, palettes, layouts, the treasure
// table index and the music, with five fields shown read-only.
class MapPropertiesEditor : public EditorWindow {
  Q_OBJECT

 public:
  MapPropertiesEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~MapPropertiesEditor() override;

 private:
  void LoadCBOData();
  void LoadMaps();
  void PickMap();
  void LoadMapData(int map);
  void SaveMapData();
  void OpenMusicEditor();

  std::unique_ptr<Ui::MapPropertiesEditor> m_ui;
  // Field n of the record, whether a box or a list.
  QList<QWidget*> m_fields;
};

}  // namespace torvale::ui
