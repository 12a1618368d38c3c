#include "ui/editors/MonsterEditor.h"

#include <QStyle>

#include "data/Monsters.h"
#include "ui/DeferredFill.h"
#include "ui/RecordView.h"
#include "ui_MonsterEditor.h"

namespace torvale::ui {

MonsterEditor::MonsterEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::MonsterEditor>()) {
  m_ui->setupUi(this);
  m_ui->RefreshCMD->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  m_monsters = new RecordView(*this, MonsterTable(), *m_ui->MonsterLST);
  m_fill = new DeferredFill(*this, *m_ui->pbar, {m_ui->MonsterLST}, {m_ui->MonsterLST},
                            [this] { LoadMonsterNames(); });
  connect(m_fill, &DeferredFill::Filled, this, &MonsterEditor::ShowFirstMonster);
  connect(m_ui->MonsterLST, &QListWidget::itemSelectionChanged, this, &MonsterEditor::LoadMonster);
  connect(m_ui->RefreshCMD, &QToolButton::clicked, m_fill, &DeferredFill::Restart);
  BindButtons(*m_ui->ApplyCMD, &MonsterEditor::SaveMonster, *m_ui->QuitCMD);
}

MonsterEditor::~MonsterEditor() = default;

void MonsterEditor::LoadMonsterNames() {
  m_ui->InfoLBL->setText(QStringLiteral("Loading Monsters..."));
  m_fill->AppendToLists(ReadEntries(ListId::kMonsterNames, m_context.text, m_context.rom),
                        {m_ui->MonsterLST});
}

// After the first fill only: the fields open, and the first monster shows.
// A Refresh leaves no monster picked.
void MonsterEditor::ShowFirstMonster() {
  if (m_ui->NameTXT->isEnabled()) return;
  for (QWidget* field :
       std::initializer_list<QWidget*>{m_ui->NameTXT, m_ui->EXPTXT, m_ui->GPTXT, m_ui->SizeTXT,
                                       m_ui->PaletteCBO, m_ui->GFXPointerTXT}) {
    field->setEnabled(true);
  }
  m_ui->MonsterLST->setCurrentRow(0);
}

void MonsterEditor::LoadMonster() {
  const int monster = m_monsters->Picked();
  if (monster < 0) return;
  m_monsters->Load();
  m_ui->MonsterIndexNumLBL->setText(QStringLiteral("Monster Index #: ") + QString::number(monster));
  setWindowTitle(QStringLiteral("Monster Editor - ") + m_ui->MonsterLST->item(monster)->text());
}

void MonsterEditor::SaveMonster() {
  ApplyRecords({m_monsters});
}

}  // namespace torvale::ui
