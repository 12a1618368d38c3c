#pragma once

#include <vector>

#include "frontend/ChangeSources.h"
#include "patch/ChangePlan.h"
#include "patch/CleanRom.h"
#include "ui/EditorWindow.h"

class QLabel;
class QStandardItemModel;
class QTreeView;

namespace torvale::ui {

// A patch or change set read against the clean ROM, before it goes into the
// open one: each change, what the clean ROM and the open ROM hold there, what
// the patch gives, and whether it will change the field, finds it so
// already, or meets a change made here too. The rows ticked are applied as
// one step of the history; a conflict is ticked only by the user.
class ApplyPatchWindow : public EditorWindow {
  Q_OBJECT

 public:
  ApplyPatchWindow(const EditorContext& context, CleanRom clean, frontend::ChangeSource source,
                   const QString& sourceName, QWidget* parent);

 protected:
  void ShowRecordsAgain() override;

 private:
  // Judges every change against the open ROM and lists it. Throws RomError.
  void ShowPlan();
  void ShowStatus();
  void ApplyTaken();

  CleanRom m_clean;
  frontend::ChangeSource m_source;
  QString m_sourceName;
  std::vector<PlannedChange> m_plan;
  QStandardItemModel* m_rows;
  QTreeView* m_tree;
  QLabel* m_status;
  QPushButton* m_apply;
};

}  // namespace torvale::ui
