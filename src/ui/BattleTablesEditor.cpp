#include "ui/BattleTablesEditor.h"

#include <QSignalBlocker>
#include <QStyle>

#include "data/battle_tables.h"
#include "text/NameLists.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui_BattleTablesEditor.h"

namespace torvale::ui {
namespace {

// The tabs and their keys; only the first two have a page, and a letter.
constexpr std::pair<const char*, const char*> kTabs[] = {{"&Items Won", "items_won"},
                                                         {"&Monster ATK/SPD Tables", "monster"},
                                                         {"Equip Tables [N/A]", "equip"},
                                                         {"Other [N/A]", "other"}};

template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> NumbersIn(const std::array<QLineEdit*, N>& boxes) {
  std::array<std::uint8_t, N> values{};
  for (std::size_t field = 0; field < N; ++field) {
    const auto value = NumberIn(*boxes[field]);
    if (!value) return std::nullopt;
    values[field] = static_cast<std::uint8_t>(*value);
  }
  return values;
}

template <std::size_t N>
void ShowNumbers(const std::array<QLineEdit*, N>& boxes,
                 const std::array<std::uint8_t, N>& values) {
  for (std::size_t field = 0; field < N; ++field) {
    ShowText(*boxes[field], QString::number(values[field]));
  }
}

}  // namespace

BattleTablesEditor::BattleTablesEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::BattleTablesEditor>()) {
  m_ui->setupUi(this);
  m_itemLists = {m_ui->Slot1CBO, m_ui->Slot2CBO, m_ui->Slot3CBO, m_ui->Slot4CBO};
  m_ui->InfoIMG->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16));
  m_ui->RefreshCMD->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  for (const auto& [caption, key] : kTabs) {
    m_ui->tabs->setTabData(m_ui->tabs->addTab(QString::fromLatin1(caption)),
                           QString::fromLatin1(key));
  }
  m_ui->MonsterFRA->hide();
  for (QLineEdit* box :
       {m_ui->AtkxTXT, m_ui->AtkPercentTXT, m_ui->AtkBaseTXT, m_ui->AGILowTXT, m_ui->AGIHighTXT}) {
    MakeNumberBox(*box, 255);
  }
  QList<QWidget*> itemLists(m_itemLists.begin(), m_itemLists.end());
  m_fill = new DeferredFill(*this, *m_ui->pbar, itemLists,
                            itemLists + QList<QWidget*>{m_ui->SlotLST, m_ui->tabs},
                            [this] { LoadItems(); });
  connect(m_fill, &DeferredFill::Filled, this, &BattleTablesEditor::ShowFirstEntries);
  // A click, the arrow keys and a tab's letter all change the current tab.
  connect(m_ui->tabs, &QTabBar::currentChanged, this, &BattleTablesEditor::ShowPage);
  connect(m_ui->SlotLST, &QListWidget::itemSelectionChanged, this,
          &BattleTablesEditor::LoadItemsWon);
  connect(m_ui->ATKDEFCBO, &QComboBox::currentIndexChanged, this,
          [this] { RunQuietly([this] { LoadATKDEFTable(); }); });
  connect(m_ui->AGISPDCBO, &QComboBox::currentIndexChanged, this,
          [this] { RunQuietly([this] { LoadAGISPDTable(); }); });
  connect(m_ui->RefreshCMD, &QToolButton::clicked, this, &BattleTablesEditor::RefreshCBOs);
  BindButtons(*m_ui->ApplyCMD, &BattleTablesEditor::SaveVisiblePage, *m_ui->QuitCMD);
}

BattleTablesEditor::~BattleTablesEditor() = default;

void BattleTablesEditor::LoadItems() {
  m_ui->InfoLBL->setText(QStringLiteral("Loading Items..."));
  const QList<QWidget*> itemLists(m_itemLists.begin(), m_itemLists.end());
  if (!m_fill->AppendToLists(ItemNameList(m_context.text, m_context.rom), itemLists)) return;
  m_ui->SlotLST->clear();
  m_ui->SlotLST->addItems(NumberedEntries(QStringLiteral("Slot #"), 1, kItemsWonCount));
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
  const int slot = SelectedRow(*m_ui->SlotLST);
  if (slot < 0) return;
  RunQuietly([&] {
    const ItemsWon items = ReadItemsWon(m_context.rom, slot);
    for (std::size_t field = 0; field < items.size(); ++field) {
      if (!ShowByte(*m_itemLists[static_cast<qsizetype>(field)], items[field])) return;
    }
    for (QComboBox* list : m_itemLists) list->setEnabled(true);
  });
}

void BattleTablesEditor::SaveItemsWon() {
  const int slot = SelectedRow(*m_ui->SlotLST);
  if (slot < 0) return;
  ItemsWon items{};
  for (std::size_t field = 0; field < items.size(); ++field) {
    const auto item = SelectedByte(*m_itemLists[static_cast<qsizetype>(field)]);
    if (!item) return;
    items[field] = *item;
  }
  Apply([&] { WriteItemsWon(m_context.rom, slot, items); }, [] {});
}

// Both monster tables, listed by their values, with their first entries shown.
void BattleTablesEditor::LoadATKSPD() {
  QStringList attackDefense;
  for (int entry = 0; entry < kAttackDefenseCount; ++entry) {
    attackDefense << FromGameText(EntryText(ReadAttackDefense(m_context.rom, entry)));
  }
  QStringList speed;
  for (int entry = 0; entry < kSpeedCount; ++entry) {
    speed << FromGameText(EntryText(ReadSpeed(m_context.rom, entry)));
  }
  // The entries shown are read once, below, not again on each list's change.
  const QSignalBlocker quietAttack(m_ui->ATKDEFCBO);
  const QSignalBlocker quietSpeed(m_ui->AGISPDCBO);
  m_ui->ATKDEFCBO->clear();
  m_ui->AGISPDCBO->clear();
  m_ui->ATKDEFCBO->addItems(attackDefense);
  m_ui->AGISPDCBO->addItems(speed);
  LoadATKDEFTable();
  LoadAGISPDTable();
}

void BattleTablesEditor::LoadATKDEFTable() {
  const int entry = m_ui->ATKDEFCBO->currentIndex();
  if (entry < 0) return;
  ShowNumbers<3>({m_ui->AtkxTXT, m_ui->AtkPercentTXT, m_ui->AtkBaseTXT},
                 ReadAttackDefense(m_context.rom, entry));
}

void BattleTablesEditor::LoadAGISPDTable() {
  const int entry = m_ui->AGISPDCBO->currentIndex();
  if (entry < 0) return;
  ShowNumbers<2>({m_ui->AGILowTXT, m_ui->AGIHighTXT}, ReadSpeed(m_context.rom, entry));
}

void BattleTablesEditor::SaveATKSPDTable() {
  const int attackEntry = m_ui->ATKDEFCBO->currentIndex();
  const int speedEntry = m_ui->AGISPDCBO->currentIndex();
  const auto attack = NumbersIn<3>({m_ui->AtkxTXT, m_ui->AtkPercentTXT, m_ui->AtkBaseTXT});
  const auto speed = NumbersIn<2>({m_ui->AGILowTXT, m_ui->AGIHighTXT});
  if (attackEntry < 0 || speedEntry < 0 || !attack || !speed) return;
  Apply(
      [&] {
        WriteAttackDefense(m_context.rom, attackEntry, *attack);
        WriteSpeed(m_context.rom, speedEntry, *speed);
      },
      [this] { LoadATKSPD(); });
}

void BattleTablesEditor::RefreshCBOs() {
  for (QComboBox* list : {m_ui->ATKDEFCBO, m_ui->AGISPDCBO}) list->setEnabled(false);
  RunQuietly([this] { LoadATKSPD(); });
  for (QComboBox* list : {m_ui->ATKDEFCBO, m_ui->AGISPDCBO}) list->setEnabled(true);
}

// Only the page on show is saved.
void BattleTablesEditor::SaveVisiblePage() {
  if (m_ui->ItemFRA->isVisible()) SaveItemsWon();
  if (m_ui->MonsterFRA->isVisible()) SaveATKSPDTable();
}

}  // namespace torvale::ui
