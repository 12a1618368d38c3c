#include "ui/CharacterEquipmentEditor.h"

#include <QStyle>

#include "data/party.h"
#include "text/NameLists.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/ListControls.h"
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
  for (int slot = 0; slot < kEquipmentSlotCount; ++slot) {
    m_ui->CharLST->addItem(
        QStringLiteral("Character Slot %1").arg(slot + 1, 2, 10, QLatin1Char('0')));
  }
  MakeNumberBox(*m_ui->RHAMTTXT, 255);
  MakeNumberBox(*m_ui->LHAMTTXT, 255);
  const QList<QWidget*> itemLists = {m_ui->RHCBO, m_ui->LHCBO, m_ui->HeadCBO, m_ui->BodyCBO,
                                     m_ui->ArmsCBO};
  m_fill = new DeferredFill(*this, *m_ui->pbar, itemLists,
                            {m_ui->CharLST, m_ui->RHAMTTXT, m_ui->LHAMTTXT}, [this, itemLists] {
                              m_fill->AppendToLists(ItemNameList(m_context.text, m_context.rom),
                                                    itemLists);
                            });
  connect(m_fill, &DeferredFill::Filled, this,
          [this] { RunQuietly([this] { LoadCharEquipment(); }); });
  connect(m_ui->CharLST, &QListWidget::itemSelectionChanged, this,
          &CharacterEquipmentEditor::PickSlot);
  BindButtons(*m_ui->ApplyCMD, &CharacterEquipmentEditor::SaveCharEquipment, *m_ui->QuitCMD);
  // The first slot is picked at once; it loads when the item lists are filled.
  m_ui->CharLST->setCurrentRow(0);
}

CharacterEquipmentEditor::~CharacterEquipmentEditor() = default;

void CharacterEquipmentEditor::PickSlot() {
  const int slot = SelectedRow(*m_ui->CharLST);
  if (slot < 0) return;
  RunQuietly([this] { LoadCharEquipment(); });
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
  const int slot = SelectedRow(*m_ui->CharLST);
  if (slot < 0 || m_fill->IsFilling() || m_ui->HeadCBO->count() == 0) return;
  const Equipment values = ReadEquipment(m_context.rom, slot);
  QComboBox* const lists[] = {m_ui->HeadCBO, m_ui->BodyCBO, m_ui->ArmsCBO,
                              m_ui->RHCBO,   nullptr,       m_ui->LHCBO};
  for (std::size_t field = 0; field < std::size(lists); ++field) {
    if (lists[field] != nullptr && !ShowByte(*lists[field], values[field])) return;
  }
  ShowText(*m_ui->RHAMTTXT, QString::number(values[4]));
  ShowText(*m_ui->LHAMTTXT, QString::number(values[6]));
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_ui->HeadCBO, m_ui->BodyCBO, m_ui->ArmsCBO, m_ui->RHCBO,
                                       m_ui->LHCBO, m_ui->RHAMTTXT, m_ui->LHAMTTXT}) {
    control->setEnabled(true);
  }
}

void CharacterEquipmentEditor::SaveCharEquipment() {
  const int slot = SelectedRow(*m_ui->CharLST);
  const auto head = SelectedByte(*m_ui->HeadCBO);
  const auto body = SelectedByte(*m_ui->BodyCBO);
  const auto arms = SelectedByte(*m_ui->ArmsCBO);
  const auto rightHand = SelectedByte(*m_ui->RHCBO);
  const auto leftHand = SelectedByte(*m_ui->LHCBO);
  const auto rightAmount = NumberIn(*m_ui->RHAMTTXT);
  const auto leftAmount = NumberIn(*m_ui->LHAMTTXT);
  // Nothing to write until the lists are filled and a slot is loaded.
  if (slot < 0 || !head || !body || !arms || !rightHand || !leftHand || !rightAmount ||
      !leftAmount) {
    return;
  }
  const Equipment values = {*head,
                            *body,
                            *arms,
                            *rightHand,
                            static_cast<std::uint8_t>(*rightAmount),
                            *leftHand,
                            static_cast<std::uint8_t>(*leftAmount)};
  Apply([&] { WriteEquipment(m_context.rom, slot, values); }, [this] { LoadCharEquipment(); });
}

}  // namespace torvale::ui
