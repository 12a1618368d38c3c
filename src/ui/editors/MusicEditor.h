#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class MusicEditor;
}

namespace torvale::ui {

class RecordView;
class SpcPlayer;

// The song of each of the 381 maps, stored the moment a song is picked, and
// a small player for SPC music files.
class MusicEditor : public EditorWindow {
  Q_OBJECT

 public:
  MusicEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~MusicEditor() override;

 protected:
  void ShowRecordsAgain() override { LoadMusicData(); }

 private:
  void PickMap();
  void LoadMusicData();
  void SaveMusicData();
  void ChooseSpcFile();

  std::unique_ptr<Ui::MusicEditor> m_ui;
  RecordView* m_maps;
  SpcPlayer* m_player;
};

}  // namespace torvale::ui
