#include "ui/editors/ShopEditor.h"

#include <QStyle>

#include "data/Shops.h"
#include "ui/DeferredFill.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui_ShopEditor.h"

namespace torvale::ui {

ShopEditor::ShopEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::ShopEditor>()) {
  m_ui->setupUi(this);
  m_ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16));
  AddEntries(*m_ui->ShopLST, FixedEntries(ShopTable().entries));
  m_shops = new RecordView(*this, ShopTable(), *m_ui->ShopLST);
  const QList<QWidget*> slotLists = m_shops->Binder().ListsOf(ListId::kItemNamesEmptyLast);
  m_fill = new DeferredFill(
      *this, *m_ui->pbar, slotLists, slotLists + QList<QWidget*>{m_ui->ShopLST}, [this, slotLists] {
        m_fill->AppendToLists(
            ReadEntries(ListId::kItemNamesEmptyLast, m_context.text, m_context.rom), slotLists);
      });
  // Once the lists are complete, the first shop is shown.
  connect(m_fill, &DeferredFill::Filled, this, [this] { m_ui->ShopLST->setCurrentRow(0); });
  connect(m_ui->ShopLST, &QListWidget::itemSelectionChanged, this, &ShopEditor::LoadShopData);
  BindButtons(*m_ui->ApplyCMD, &ShopEditor::SaveShopData, *m_ui->QuitCMD);
}

ShopEditor::~ShopEditor() = default;

void ShopEditor::LoadShopData() {
  const int shop = m_shops->Picked();
  if (shop < 0) return;
  m_ui->IndexNumLBL->setText(QStringLiteral("Shop #: ") + QString::number(shop + 1));
  m_shops->Load();
}

void ShopEditor::SaveShopData() {
  ApplyRecords({m_shops});
}

}  // namespace torvale::ui
