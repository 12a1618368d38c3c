#include "ui/editors/CharacterStatsEditor.h"

#include <QStyle>

#include "data/Party.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui_CharacterStatsEditor.h"

namespace torvale::ui {

CharacterStatsEditor::CharacterStatsEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::CharacterStatsEditor>()) {
  m_ui->setupUi(this);
  m_ui->RefreshCMD->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  m_ui->CharPortraitIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/portrait.png")));
  m_slots = new RecordView(*this, CharacterTable(), *m_ui->CharLST);
  connect(m_ui->CharLST, &QListWidget::itemSelectionChanged, this,
          &CharacterStatsEditor::LoadCharData);
  connect(m_ui->RefreshCMD, &QToolButton::clicked, this, &CharacterStatsEditor::RefreshCharNames);
  BindButtons(*m_ui->ApplyCMD, &CharacterStatsEditor::SaveCharData, *m_ui->QuitCMD);
  LoadCharNames();
  m_ui->CharLST->setCurrentRow(0);
}

CharacterStatsEditor::~CharacterStatsEditor() = default;

void CharacterStatsEditor::LoadCharNames() {
  RunQuietly([this] {
    AddEntries(*m_ui->CharLST, ReadEntries(ListId::kCharacterNames, m_context.text, m_context.rom));
  });
}

// The list is rebuilt from the file; no slot is picked afterwards.
void CharacterStatsEditor::RefreshCharNames() {
  m_ui->CharLST->clear();
  LoadCharNames();
}

void CharacterStatsEditor::LoadCharData() {
  const int slot = m_slots->Picked();
  if (slot < 0 || !m_slots->Load()) return;
  setWindowTitle(QStringLiteral("Character Stats Editor - ") + m_ui->CharLST->item(slot)->text());
}

void CharacterStatsEditor::SaveCharData() {
  ApplyRecords({m_slots});
}

}  // namespace torvale::ui
