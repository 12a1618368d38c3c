#include "ui/editors/ItemEditor.h"

#include <QStyle>

#include "data/Items.h"
#include "ui/DeferredFill.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui_ItemEditor.h"

namespace torvale::ui {

ItemEditor::ItemEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::ItemEditor>()) {
  m_ui->setupUi(this);
  m_ui->InfoIMG->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24));
  m_ui->ItemIconsIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/item-icons.png")));
  m_ui->InfoIMG->hide();
  m_ui->InfoLBL->hide();
  // The classes without a text of their own join the list with the item names.
  const std::vector<std::string>& classes = FixedEntries(ListId::kEquipClasses);
  AddEntries(*m_ui->EquipLST, {classes.begin(), classes.begin() + kKnownEquipClassCount});
  m_items = new RecordView(*this, ItemTable(), *m_ui->ItemLST);
  // Lists shown but bound to nothing.
  AddEntries(*m_ui->SpellCBO, {SpellCastEntries().begin(), SpellCastEntries().end()});
  AddEntries(*m_ui->Element1LST, {ElementPart1Entries().begin(), ElementPart1Entries().end()});
  AddEntries(*m_ui->Element2LST, {ElementPart2Entries().begin(), ElementPart2Entries().end()});
  for (QComboBox* list : {m_ui->ItemIconCBO, m_ui->StatCBO, m_ui->SpellCBO}) {
    list->setCurrentIndex(0);
  }
  // Price and who-can-equip open up when an item with a record is picked.
  m_ui->PriceTXT->setEnabled(false);
  m_ui->EquipLST->setEnabled(false);

  m_fill =
      new DeferredFill(*this, *m_ui->pbar, {m_ui->ItemLST},
                       {m_ui->ItemLST, m_ui->ItemIconCBO, m_ui->NameTXT, m_ui->Byte00TXT,
                        m_ui->AtkDefTXT, m_ui->AtkDefPercentTXT, m_ui->StatCBO, m_ui->SpellCBO},
                       [this] { LoadItems(); });
  // The first item is shown as soon as the list is complete.
  connect(m_fill, &DeferredFill::Filled, this, [this] { m_ui->ItemLST->setCurrentRow(0); });
  connect(m_ui->ItemLST, &QListWidget::itemSelectionChanged, this, &ItemEditor::LoadItemData);
  connect(m_ui->EquipLST, &QListWidget::itemSelectionChanged, this, &ItemEditor::ShowEquipClass);
  connect(m_ui->RefreshCMD, &QPushButton::clicked, m_fill, &DeferredFill::Restart);
  BindButtons(*m_ui->ApplyCMD, &ItemEditor::SaveItemData, *m_ui->QuitCMD);
}

ItemEditor::~ItemEditor() = default;

void ItemEditor::LoadItems() {
  if (!m_fill->AppendToLists(ReadEntries(ListId::kItemNames, m_context.text, m_context.rom),
                             {m_ui->ItemLST})) {
    return;
  }
  // The classes past the known ones, once: a Refresh finds the list complete.
  const std::vector<std::string>& classes = FixedEntries(ListId::kEquipClasses);
  AddEntries(*m_ui->EquipLST, {classes.begin() + m_ui->EquipLST->count(), classes.end()});
}

void ItemEditor::LoadItemData() {
  const int item = m_items->Picked();
  if (item < 0) return;
  ShowFieldSet(item);
  if (!m_items->Load()) return;
  // The spell an item casts or blocks is not edited here.
  m_ui->SpellCBO->setEnabled(false);
  m_ui->SpellCBO->setCurrentIndex(m_ui->SpellCBO->count() - 1);
  setWindowTitle(QStringLiteral("Item Editor - ") + m_ui->ItemLST->item(item)->text());
  m_ui->ItemIndexNumLBL->setText(QStringLiteral("Item Index #: ") + QString::number(item));
}

// Items without an item record show their name and icon only; their hidden
// fields still hold what was read, so Apply writes the same values back.
void ItemEditor::ShowFieldSet(int item) {
  const bool record = HasField(FieldNamed(ItemTable(), "Byte00TXT"), item);
  for (QWidget* control : std::initializer_list<QWidget*>{
           m_ui->SpellLBL,       m_ui->SpellCBO,         m_ui->StatNameLBL,
           m_ui->StatCaptionLBL, m_ui->StatCBO,          m_ui->AtkDefLBL,
           m_ui->AtkDefTXT,      m_ui->AtkDefPercentLBL, m_ui->AtkDefPercentTXT,
           m_ui->Byte00LBL,      m_ui->Byte00TXT,        m_ui->Element1LBL,
           m_ui->Element1LST,    m_ui->Element2LBL,      m_ui->Element2LST,
           m_ui->EquipLBL,       m_ui->EquipLST,         m_ui->WhoCanEquipSmallFontLBL,
           m_ui->PriceLBL,       m_ui->PriceTXT}) {
    control->setVisible(record);
    control->setEnabled(record);
  }
  m_ui->InfoIMG->setVisible(!record);
  m_ui->InfoLBL->setVisible(!record);
}

void ItemEditor::SaveItemData() {
  ApplyRecords({m_items});
}

void ItemEditor::ShowEquipClass() {
  const int equipClass = SelectedRow(*m_ui->EquipLST);
  if (equipClass < 0) return;
  m_ui->EquipLSTValueLBL->setText(QString::number(equipClass));
  m_ui->WhoCanEquipSmallFontLBL->setText(m_ui->EquipLST->item(equipClass)->text());
}

}  // namespace torvale::ui
