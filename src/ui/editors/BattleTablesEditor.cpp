#include "ui/editors/BattleTablesEditor.h"

#include <QSignalBlocker>
#include <QStyle>

#include "data/BattleTables.h"
#include "ui/DeferredFill.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui_BattleTablesEditor.h"

namespace torvale::ui {
namespace {

// The tabs and their keys; only the first two have a page, and a letter.
constexpr std::pair<const char*, const char*> kTabs[] = {{"&Items Won", "items_won"},
                                                         {"&Monster ATK/SPD Tables", "monster"},
                                                         {"Equip Tables [N/A]", "equip"},
                                                         {"Other [N/A]", "other"}};

}  // namespace

BattleTablesEditor::BattleTablesEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::BattleTablesEditor>()) {
  m_ui->setupUi(this);
  m_ui->InfoIMG->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16));
  m_ui->RefreshCMD->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  for (const auto& [caption, key] : kTabs) {
    m_ui->tabs->setTabData(m_ui->tabs->addTab(QString::fromLatin1(caption)),
                           QString::fromLatin1(key));
  }
  m_ui->MonsterFRA->hide();
  m_itemsWon = new RecordView(*this, ItemsWonTable(), *m_ui->SlotLST);
  m_attack = new RecordView(*this, AttackDefenseTable(), *m_ui->ATKDEFCBO);
  m_speed = new RecordView(*this, SpeedTable(), *m_ui->AGISPDCBO);
  const QList<QWidget*> itemLists = m_itemsWon->Binder().ListsOf(ListId::kItemNames);
  m_fill = new DeferredFill(*this, *m_ui->pbar, itemLists,
                            itemLists + QList<QWidget*>{m_ui->SlotLST, m_ui->tabs},
                            [this] { LoadItems(); });
  connect(m_fill, &DeferredFill::Filled, this, &BattleTablesEditor::ShowFirstEntries);
  // A click, the arrow keys and a tab's letter all change the current tab.
  connect(m_ui->tabs, &QTabBar::currentChanged, this, &BattleTablesEditor::ShowPage);
  connect(m_ui->SlotLST, &QListWidget::itemSelectionChanged, this,
          &BattleTablesEditor::LoadItemsWon);
  connect(m_ui->ATKDEFCBO, &QComboBox::currentIndexChanged, m_attack, &RecordView::Load);
  connect(m_ui->AGISPDCBO, &QComboBox::currentIndexChanged, m_speed, &RecordView::Load);
  connect(m_ui->RefreshCMD, &QToolButton::clicked, this, &BattleTablesEditor::RefreshCBOs);
  BindButtons(*m_ui->ApplyCMD, &BattleTablesEditor::SaveVisiblePage, *m_ui->QuitCMD);
}

BattleTablesEditor::~BattleTablesEditor() = default;

void BattleTablesEditor::LoadItems() {
  m_ui->InfoLBL->setText(QStringLiteral("Loading Items..."));
  if (!m_fill->AppendToLists(ReadEntries(ListId::kItemNames, m_context.text, m_context.rom),
                             m_itemsWon->Binder().ListsOf(ListId::kItemNames))) {
    return;
  }
  m_ui->SlotLST->clear();
  AddEntries(*m_ui->SlotLST, FixedEntries(ItemsWonTable().entries));
  LoadATKSPD();
}

void BattleTablesEditor::ShowFirstEntries() {
  m_ui->InfoLBL->clear();
  m_ui->InfoLBL->hide();
  m_ui->InfoIMG->hide();
  m_ui->SlotLST->setCurrentRow(0);
}

void BattleTablesEditor::ShowPage(int tab) {
  const QString key = m_ui->tabs->tabData(tab).toString();
  if (key != QLatin1String("items_won") && key != QLatin1String("monster")) return;
  m_ui->ItemFRA->setVisible(key == QLatin1String("items_won"));
  m_ui->MonsterFRA->setVisible(key == QLatin1String("monster"));
}

void BattleTablesEditor::LoadItemsWon() {
  if (!m_itemsWon->Load()) return;
  for (QWidget* list : m_itemsWon->Binder().ListsOf(ListId::kItemNames)) list->setEnabled(true);
}

// Both monster tables, listed by their values, with their first entries shown.
void BattleTablesEditor::LoadATKSPD() {
  auto attackEntries = ReadEntries(ListId::kAttackDefenseEntries, m_context.text, m_context.rom);
  auto speedEntries = ReadEntries(ListId::kSpeedEntries, m_context.text, m_context.rom);
  {
    // The entries shown are read once, below, not again on each list's change.
    const QSignalBlocker quietAttack(m_ui->ATKDEFCBO);
    const QSignalBlocker quietSpeed(m_ui->AGISPDCBO);
    ReplaceEntries(*m_ui->ATKDEFCBO, m_attackEntries, std::move(attackEntries));
    ReplaceEntries(*m_ui->AGISPDCBO, m_speedEntries, std::move(speedEntries));
  }
  m_attack->Reload();
  m_speed->Reload();
}

void BattleTablesEditor::RefreshCBOs() {
  for (QComboBox* list : {m_ui->ATKDEFCBO, m_ui->AGISPDCBO}) list->setEnabled(false);
  RunQuietly([this] { LoadATKSPD(); });
  for (QComboBox* list : {m_ui->ATKDEFCBO, m_ui->AGISPDCBO}) list->setEnabled(true);
}

// Only the page on show is saved.
void BattleTablesEditor::SaveVisiblePage() {
  if (m_ui->ItemFRA->isVisible()) ApplyRecords({m_itemsWon}, [] {});
  if (m_ui->MonsterFRA->isVisible()) ApplyRecords({m_attack, m_speed}, [this] { LoadATKSPD(); });
}

}  // namespace torvale::ui
