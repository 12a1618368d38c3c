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

 protected:
  void ShowRecordsAgain() override;

 private:
  void LoadText();
  // The list read again, `entry` picked without reading it.
  void ListEntriesAgain(int entry);
  void LoadTextData();
  void SaveTextData();

  std::unique_ptr<Ui::TextListEditor> m_ui;
  RecordView* m_texts;
};

}  // namespace torvale::ui
