#include "ui/editors/TreasureEditor.h"

#include "data/Encodings.h"
#include "data/Treasure.h"
#include "rom/Version.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui/Platform.h"
#include "ui/RecordView.h"
#include "ui_TreasureEditor.h"

namespace torvale::ui {
namespace {

const QString kNoItemMessage = QStringLiteral(
    "You need to select a Monster Formation or Item to go with this Treasure Chest.");

}  // namespace

TreasureEditor::TreasureEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::TreasureEditor>()) {
  m_ui->setupUi(this);
  AddEntries(*m_ui->OffsetLST, FixedEntries(ChestTable().entries));
  m_chests = new RecordView(*this, ChestTable(), *m_ui->OffsetLST);
  m_chests->Binder().BindCustom(
      "Frame2", [this](const Value& kind) { ShowKind(kind); }, [this] { return ChosenKind(); });
  m_fill = new DeferredFill(
      *this, *m_ui->pbar, {m_ui->ItemLST}, {m_ui->ItemLST, m_ui->OffsetLST}, [this] {
        m_fill->AppendToLists(
            ReadEntries(ListId::kItemNamesNothingAfter, m_context.text, m_context.rom),
            {m_ui->ItemLST});
      });
  // The first chest is shown once the item names are in.
  connect(m_fill, &DeferredFill::Filled, this, [this] { m_ui->OffsetLST->setCurrentRow(0); });
  connect(m_ui->OffsetLST, &QListWidget::itemSelectionChanged, this, &TreasureEditor::LoadTreasure);
  connect(m_ui->GPOPT, &QRadioButton::clicked, this, [this] { ChooseKind(Kind::kGp); });
  connect(m_ui->ItemOPT, &QRadioButton::clicked, this, [this] { ChooseKind(Kind::kItem); });
  connect(m_ui->ClearCMD, &QPushButton::clicked, this, [this] { ChooseKind(Kind::kNone); });
  BindButtons(*m_ui->ApplyCMD, &TreasureEditor::SaveTreasure, *m_ui->QuitCMD);
}

TreasureEditor::~TreasureEditor() = default;

void TreasureEditor::LoadTreasure() {
  const int chest = m_chests->Picked();
  if (chest < 0) return;
  m_ui->OffsetLBL->setText(QStringLiteral("Offset: ") + m_ui->OffsetLST->item(chest)->text());
  m_chests->Load();
}

// The kind is shown first; the GP, the item and the formation follow.
void TreasureEditor::ShowKind(const Value& kind) {
  const auto* shown = std::get_if<std::int64_t>(&kind);
  ChooseKind(shown == nullptr                             ? Kind::kNone
             : *shown == static_cast<int>(ChestKind::kGp) ? Kind::kGp
                                                          : Kind::kItem);
  m_ui->FormationCHK->setChecked(shown != nullptr &&
                                 *shown == static_cast<int>(ChestKind::kGuardedItem));
}

Value TreasureEditor::ChosenKind() const {
  if (m_ui->GPOPT->isChecked()) return std::int64_t{static_cast<int>(ChestKind::kGp)};
  if (!m_ui->ItemOPT->isChecked()) return {};
  const ChestKind kind =
      m_ui->FormationCHK->isChecked() ? ChestKind::kGuardedItem : ChestKind::kItem;
  return std::int64_t{static_cast<int>(kind)};
}

// A GP chest takes only an amount; an item chest an item, and a formation
// when it is guarded.
void TreasureEditor::ChooseKind(Kind kind) {
  m_ui->GPOPT->setChecked(kind == Kind::kGp);
  m_ui->ItemOPT->setChecked(kind == Kind::kItem);
  if (kind == Kind::kNone) {
    m_ui->FormationCHK->setChecked(false);
    return;
  }
  const bool gp = kind == Kind::kGp;
  m_ui->GPTXT->setReadOnly(!gp);
  m_ui->GPTXT->setEnabled(gp);
  if (!gp) EmptyNumberBox(*m_ui->GPTXT);
  if (gp) {
    m_ui->ItemLST->setCurrentRow(ValueCount(ListId::kItemNamesNothingAfter));
    m_ui->FormationLST->setCurrentRow(ValueCount(ListId::kFormations));
  }
  m_ui->ItemLST->setEnabled(!gp);
  m_ui->FormationLST->setEnabled(!gp);
  m_ui->FormationCHK->setChecked(false);
  m_ui->FormationCHK->setVisible(!gp);
}

void TreasureEditor::SaveTreasure() {
  if (m_chests->Picked() < 0) {
    ApplyRecords({m_chests});  // refuses, saying why
    return;
  }
  const QString title = QString::fromLatin1(kProgramName);
  if (!m_ui->GPOPT->isChecked() && !m_ui->ItemOPT->isChecked()) {
    m_context.platform.ShowMessage(
        this, MessageIcon::kExclamation, title,
        QStringLiteral("Please select what type of treasure you want to save as."));
    return;
  }
  if (m_ui->GPOPT->isChecked() && m_ui->GPTXT->text().isEmpty()) {
    m_context.platform.ShowMessage(this, MessageIcon::kExclamation, title,
                                   QStringLiteral("Please input a GP amount before you save it."));
    m_ui->GPTXT->setText(QStringLiteral("0"));
    return;
  }
  if (m_ui->ItemOPT->isChecked()) {
    SaveItem();
    return;
  }
  ApplyRecords({m_chests}, [] {});  // the fields keep showing what was saved
}

void TreasureEditor::SaveItem() {
  const int formation = SelectedRow(*m_ui->FormationLST);
  const int item = SelectedRow(*m_ui->ItemLST);
  const bool guarded = m_ui->FormationCHK->isChecked();
  if (guarded && (formation < 0 || formation >= ValueCount(ListId::kFormations))) {
    RefuseWithoutItem(*m_ui->FormationLST, kLowestGuardFormation);
    return;
  }
  if (item < 0 || item >= ValueCount(ListId::kItemNamesNothingAfter)) {
    RefuseWithoutItem(*m_ui->ItemLST, 0);
    return;
  }
  if (!guarded && formation >= 1) {
    m_ui->FormationLST->setCurrentRow(ValueCount(ListId::kFormations));
  }
  // What is left to refuse: a formation below those that can guard a chest.
  if (const auto refusal = RefusalOf(ChestTable(), m_chests->Binder().Collect())) {
    m_context.platform.ShowMessage(this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                                   FromGameText(*refusal));
    return;
  }
  ApplyRecords({m_chests}, [] {});
}

// The list the chest lacks a choice in offers its first entry that the chest can take.
void TreasureEditor::RefuseWithoutItem(QListWidget& emptyList, int offered) {
  m_context.platform.ShowMessage(this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                                 kNoItemMessage);
  emptyList.setCurrentRow(offered);
}

}  // namespace torvale::ui
