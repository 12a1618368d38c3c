#pragma once

#include <memory>

#include "ui/EditorWindow.h"

namespace Ui {
class TextListEditor;
}

namespace torvale::ui {

class RecordView;

// The 33 short texts of the game, renamed one at a time.
class TextListEditor : public EditorWindow {
  Q_OBJECT

 public:
  TextListEditor(const EditorContext& context, QWidget* parent = nullptr);
  ~TextListEditor() override;

 private:
  void LoadText();
  void LoadTextData();
  void SaveTextData();

  std::unique_ptr<Ui::TextListEditor> m_ui;
  RecordView* m_texts;
};

}  // namespace torvale::ui
