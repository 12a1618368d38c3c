#include "ui/ItemEditor.h"

#include <QStyle>

#include "data/amounts.h"
#include "data/items.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui_ItemEditor.h"

namespace torvale::ui {
namespace {

// The fixed lists are the same for every window: built once.
const QStringList& StatBonusEntries() {
  static const QStringList entries = [] {
    QStringList texts;
    for (int code = 0; code < 256; ++code) {
      texts << FromGameText(StatBonusText(static_cast<std::uint8_t>(code)));
    }
    return texts << QStringLiteral("[N/A]");
  }();
  return entries;
}

QStringList EquipClassEntries(int first, int end) {
  QStringList entries;
  for (int equipClass = first; equipClass < end; ++equipClass) {
    entries << FromGameText(EquipClassText(equipClass));
  }
  return entries;
}

}  // namespace

ItemEditor::ItemEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::ItemEditor>()) {
  m_ui->setupUi(this);
  m_ui->InfoIMG->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24));
  m_ui->ItemIconsIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/item-icons.png")));
  m_ui->InfoIMG->hide();
  m_ui->InfoLBL->hide();
  AddIcons(*m_ui->ItemIconCBO);
  m_ui->StatCBO->addItems(StatBonusEntries());
  m_ui->SpellCBO->addItems(FromGameTexts(SpellCastEntries()));
  m_ui->Element1LST->addItems(FromGameTexts(ElementPart1Entries()));
  m_ui->Element2LST->addItems(FromGameTexts(ElementPart2Entries()));
  m_ui->EquipLST->addItems(EquipClassEntries(0, kKnownEquipClassCount));
  for (QComboBox* list : {m_ui->ItemIconCBO, m_ui->StatCBO, m_ui->SpellCBO}) {
    list->setCurrentIndex(0);
  }
  MakeNameBox(*m_ui->NameTXT, kItemNameLength);
  for (QLineEdit* box : {m_ui->Byte00TXT, m_ui->AtkDefTXT, m_ui->AtkDefPercentTXT}) {
    MakeNumberBox(*box, 255);
  }
  MakeNumberBox(*m_ui->PriceTXT, kMaximumAmount);
  // Price and who-can-equip open up when an equipment item is picked.
  m_ui->PriceTXT->setEnabled(false);
  m_ui->EquipLST->setEnabled(false);

  m_fill =
      new DeferredFill(*this, *m_ui->pbar, {m_ui->ItemLST},
                       {m_ui->ItemLST, m_ui->ItemIconCBO, m_ui->NameTXT, m_ui->Byte00TXT,
                        m_ui->AtkDefTXT, m_ui->AtkDefPercentTXT, m_ui->StatCBO, m_ui->SpellCBO},
                       [this] { LoadItems(); });
  // The first item is shown as soon as the list is complete.
  connect(m_fill, &DeferredFill::Filled, this, [this] { m_ui->ItemLST->setCurrentRow(0); });
  connect(m_ui->ItemLST, &QListWidget::itemSelectionChanged, this, &ItemEditor::PickItem);
  connect(m_ui->EquipLST, &QListWidget::itemSelectionChanged, this, &ItemEditor::ShowEquipClass);
  connect(m_ui->RefreshCMD, &QPushButton::clicked, m_fill, &DeferredFill::Restart);
  BindButtons(*m_ui->ApplyCMD, &ItemEditor::SaveItemData, *m_ui->QuitCMD);
}

ItemEditor::~ItemEditor() = default;

void ItemEditor::LoadItems() {
  if (!m_fill->AppendToLists(ItemNameList(m_context.text, m_context.rom), {m_ui->ItemLST})) return;
  // The classes past the known ones, once: a Refresh finds the list complete.
  m_ui->EquipLST->addItems(EquipClassEntries(m_ui->EquipLST->count(), 256));
}

void ItemEditor::PickItem() {
  const int item = SelectedRow(*m_ui->ItemLST);
  if (item < 0) return;
  ShowFieldSet(item <= kLastEquipmentItem);
  if (!RunQuietly([&] { LoadItemData(item); })) return;
  setWindowTitle(QStringLiteral("Item Editor - ") + m_ui->ItemLST->item(item)->text());
  m_ui->ItemIndexNumLBL->setText(QStringLiteral("Item Index #: ") + QString::number(item));
}

// Items past the equipment have no record or price to edit; their hidden
// fields still hold what was read, so Apply writes the same values back.
void ItemEditor::ShowFieldSet(bool equipment) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           m_ui->SpellLBL,       m_ui->SpellCBO,         m_ui->StatNameLBL,
           m_ui->StatCaptionLBL, m_ui->StatCBO,          m_ui->AtkDefLBL,
           m_ui->AtkDefTXT,      m_ui->AtkDefPercentLBL, m_ui->AtkDefPercentTXT,
           m_ui->Byte00LBL,      m_ui->Byte00TXT,        m_ui->Element1LBL,
           m_ui->Element1LST,    m_ui->Element2LBL,      m_ui->Element2LST,
           m_ui->EquipLBL,       m_ui->EquipLST,         m_ui->WhoCanEquipSmallFontLBL,
           m_ui->PriceLBL,       m_ui->PriceTXT}) {
    control->setVisible(equipment);
    control->setEnabled(equipment);
  }
  m_ui->InfoIMG->setVisible(!equipment);
  m_ui->InfoLBL->setVisible(!equipment);
}

void ItemEditor::LoadItemData(int item) {
  const Item values = ReadItem(m_context.text, m_context.rom, item);
  ShowText(*m_ui->NameTXT, FromGameText(values.name));
  ShowByte(*m_ui->ItemIconCBO, values.icon);
  ShowText(*m_ui->Byte00TXT, QString::number(values.magicBlock));
  ShowText(*m_ui->AtkDefTXT, QString::number(values.attackDefense));
  ShowText(*m_ui->AtkDefPercentTXT, QString::number(values.attackDefensePercent));
  ShowByte(*m_ui->StatCBO, values.statBonus);
  ShowText(*m_ui->PriceTXT, QString::number(DecodeAmount(values.priceByte)));
  m_ui->EquipLST->setCurrentRow(values.equipClass);
  // The spell an item casts or blocks is not edited here.
  m_ui->SpellCBO->setEnabled(false);
  m_ui->SpellCBO->setCurrentIndex(m_ui->SpellCBO->count() - 1);
}

void ItemEditor::SaveItemData() {
  const int item = SelectedRow(*m_ui->ItemLST);
  if (item < 0) return;
  const auto icon = SelectedByte(*m_ui->ItemIconCBO);
  const auto statBonus = SelectedByte(*m_ui->StatCBO);
  const auto price = NumberIn(*m_ui->PriceTXT);
  const auto magicBlock = NumberIn(*m_ui->Byte00TXT);
  const auto attackDefense = NumberIn(*m_ui->AtkDefTXT);
  const auto attackDefensePercent = NumberIn(*m_ui->AtkDefPercentTXT);
  const int equipClass = SelectedRow(*m_ui->EquipLST);
  if (!statBonus) {
    RefuseApply(QStringLiteral("Choose a stat bonus: \"[N/A]\" stands for no value."));
    return;
  }
  if (!icon || !price || !magicBlock || !attackDefense || !attackDefensePercent || equipClass < 0) {
    return;
  }
  Item values;
  values.icon = *icon;
  values.name = ToGameText(m_ui->NameTXT->text());
  values.priceByte = EncodeAmount(*price);
  values.magicBlock = static_cast<std::uint8_t>(*magicBlock);
  values.attackDefense = static_cast<std::uint8_t>(*attackDefense);
  values.attackDefensePercent = static_cast<std::uint8_t>(*attackDefensePercent);
  values.equipClass = static_cast<std::uint8_t>(equipClass);
  values.statBonus = *statBonus;
  Apply([&] { WriteItem(m_context.text, m_context.rom, item, values); },
        [&] { LoadItemData(item); });
}

void ItemEditor::ShowEquipClass() {
  const int equipClass = SelectedRow(*m_ui->EquipLST);
  if (equipClass < 0) return;
  m_ui->EquipLSTValueLBL->setText(QString::number(equipClass));
  m_ui->WhoCanEquipSmallFontLBL->setText(m_ui->EquipLST->item(equipClass)->text());
}

}  // namespace torvale::ui
