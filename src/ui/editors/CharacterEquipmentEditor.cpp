#include "ui/editors/CharacterEquipmentEditor.h"

#include <QStyle>

#include "data/Party.h"
#include "ui/DeferredFill.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui_CharacterEquipmentEditor.h"

namespace torvale::ui {
namespace {

constexpr int kReservedSlot = 21;  // "Character Slot 22"

}  // namespace

CharacterEquipmentEditor::CharacterEquipmentEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::CharacterEquipmentEditor>()) {
  m_ui->setupUi(this);
  m_ui->InfoIMG->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24));
  m_ui->InfoIMG->hide();
  m_ui->InfoLBL->hide();
  AddEntries(*m_ui->CharLST, FixedEntries(EquipmentTable().entries));
  m_slots = new RecordView(*this, EquipmentTable(), *m_ui->CharLST);
  const QList<QWidget*> itemLists = m_slots->Binder().ListsOf(ListId::kItemNames);
  m_fill = new DeferredFill(*this, *m_ui->pbar, itemLists,
                            {m_ui->CharLST, m_ui->RHAMTTXT, m_ui->LHAMTTXT}, [this, itemLists] {
                              m_fill->AppendToLists(
                                  ReadEntries(ListId::kItemNames, m_context.text, m_context.rom),
                                  itemLists);
                            });
  connect(m_fill, &DeferredFill::Filled, this, &CharacterEquipmentEditor::LoadCharEquipment);
  connect(m_ui->CharLST, &QListWidget::itemSelectionChanged, this,
          &CharacterEquipmentEditor::PickSlot);
  BindButtons(*m_ui->ApplyCMD, &CharacterEquipmentEditor::SaveCharEquipment, *m_ui->QuitCMD);
  // The first slot is picked at once; it loads when the item lists are filled.
  m_ui->CharLST->setCurrentRow(0);
}

CharacterEquipmentEditor::~CharacterEquipmentEditor() = default;

void CharacterEquipmentEditor::PickSlot() {
  const int slot = m_slots->Picked();
  if (slot < 0) return;
  LoadCharEquipment();
  m_ui->CharIndexNumLBL->setText(QStringLiteral("Character Slot: ") + QString::number(slot + 1));
  const bool reserved = slot == kReservedSlot;
  m_ui->InfoLBL->setText(reserved ? QStringLiteral("This slot is reserved for 'Anna', she doesn't "
                                                   "actually have any battle sprites.")
                                  : QString());
  m_ui->InfoIMG->setVisible(reserved);
  m_ui->InfoLBL->setVisible(reserved);
}

// Skipped while the item lists are still empty: no entry could be shown.
void CharacterEquipmentEditor::LoadCharEquipment() {
  if (m_fill->IsFilling() || m_ui->HeadCBO->count() == 0 || !m_slots->Load()) return;
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_ui->HeadCBO, m_ui->BodyCBO, m_ui->ArmsCBO, m_ui->RHCBO,
                                       m_ui->LHCBO, m_ui->RHAMTTXT, m_ui->LHAMTTXT}) {
    control->setEnabled(true);
  }
}

void CharacterEquipmentEditor::SaveCharEquipment() {
  ApplyRecords({m_slots});
}

}  // namespace torvale::ui
