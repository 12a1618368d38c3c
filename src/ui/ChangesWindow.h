#pragma once

#include <memory>
#include <vector>

#include "patch/ChangeList.h"
#include "patch/CleanRom.h"
#include "ui/EditorWindow.h"

class QStandardItemModel;

namespace Ui {
class ChangesWindow;
}

namespace torvale::ui {

class RowFilter;

// Everything the open ROM changed since the clean one: each field that
// differs, as the editors show it, and each other run of changed bytes. The
// selected rows can be reverted, as one step of the history, and the
// differences published as a patch.
class ChangesWindow : public EditorWindow {
  Q_OBJECT

 public:
  ChangesWindow(const EditorContext& context, CleanRom clean, const QString& cleanPath,
                QWidget* parent);
  ~ChangesWindow() override;

 protected:
  void ShowRecordsAgain() override;

 private:
  void ShowCleanRom();
  // Reads the open ROM and lists what differs. Throws RomError.
  void ShowChanges();
  void ShowStatus();
  // Reads the clean ROM again, or another one the user chooses, and lists
  // the changes against it.
  void Refresh(bool choose);
  void RevertSelected();
  void CreatePatch();
  std::vector<std::size_t> SelectedChanges() const;
  QString Described(std::size_t change) const;
  QString Described(std::span<const std::size_t> changes) const;

  std::unique_ptr<Ui::ChangesWindow> m_ui;
  QStandardItemModel* m_items;  // a row per change, in the tables' order
  RowFilter* m_rows;
  CleanRom m_clean;
  QString m_cleanPath;
  std::vector<Change> m_changes;
};

}  // namespace torvale::ui
