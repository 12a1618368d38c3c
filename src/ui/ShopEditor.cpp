#include "ui/ShopEditor.h"

#include <QStyle>

#include "data/shops.h"
#include "text/NameLists.h"
#include "ui/DeferredFill.h"
#include "ui/ListControls.h"
#include "ui_ShopEditor.h"

namespace torvale::ui {

ShopEditor::ShopEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::ShopEditor>()) {
  m_ui->setupUi(this);
  m_slots = {m_ui->Slot1CBO, m_ui->Slot2CBO, m_ui->Slot3CBO, m_ui->Slot4CBO,
             m_ui->Slot5CBO, m_ui->Slot6CBO, m_ui->Slot7CBO, m_ui->Slot8CBO};
  m_ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16));
  m_ui->ShopLST->addItems(NumberedEntries(QStringLiteral("Shop #"), 1, kShopCount));
  QList<QWidget*> slotLists(m_slots.begin(), m_slots.end());
  m_fill = new DeferredFill(
      *this, *m_ui->pbar, slotLists, slotLists + QList<QWidget*>{m_ui->ShopLST}, [this, slotLists] {
        m_fill->AppendToLists(ItemNameList(m_context.text, m_context.rom, ItemListEnd::kEmptyLast),
                              slotLists);
      });
  // Once the lists are complete, the first shop is shown.
  connect(m_fill, &DeferredFill::Filled, this, [this] { m_ui->ShopLST->setCurrentRow(0); });
  connect(m_ui->ShopLST, &QListWidget::itemSelectionChanged, this, &ShopEditor::PickShop);
  BindButtons(*m_ui->ApplyCMD, &ShopEditor::SaveShopData, *m_ui->QuitCMD);
}

ShopEditor::~ShopEditor() = default;

void ShopEditor::PickShop() {
  const int shop = SelectedRow(*m_ui->ShopLST);
  if (shop < 0) return;
  m_ui->IndexNumLBL->setText(QStringLiteral("Shop #: ") + QString::number(shop + 1));
  RunQuietly([&] { LoadShopData(shop); });
}

void ShopEditor::LoadShopData(int shop) {
  const Shop items = ReadShop(m_context.rom, shop);
  for (std::size_t slot = 0; slot < items.size(); ++slot) ShowByte(*m_slots[slot], items[slot]);
}

void ShopEditor::SaveShopData() {
  const int shop = SelectedRow(*m_ui->ShopLST);
  if (shop < 0) return;
  Shop items{};
  for (std::size_t slot = 0; slot < items.size(); ++slot) {
    const auto item = SelectedByte(*m_slots[slot]);
    if (!item) return;  // the lists are not filled yet
    items[slot] = *item;
  }
  Apply([&] { WriteShop(m_context.rom, shop, items); }, [&] { LoadShopData(shop); });
}

}  // namespace torvale::ui
