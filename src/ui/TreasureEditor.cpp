#include "ui/TreasureEditor.h"

#include "data/amounts.h"
#include "data/treasure.h"
#include "rom/Version.h"
#include "text/NameLists.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/ListControls.h"
#include "ui/Platform.h"
#include "ui_TreasureEditor.h"

namespace torvale::ui {
namespace {

constexpr int kNoFormation = kFormationCount;  // "[-Nothing-]"
constexpr int kNoItem = kItemCount;            // "[-Nothing-]"

const QString kNoItemMessage = QStringLiteral(
    "You need to select a Monster Formation or Item to go with this Treasure Chest.");

}  // namespace

TreasureEditor::TreasureEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::TreasureEditor>()) {
  m_ui->setupUi(this);
  MakeNumberBox(*m_ui->GPTXT, kMaximumAmount);
  m_ui->FormationLST->addItems(
      NumberedEntries(QStringLiteral("Monster Formation #"), 0, kFormationCount));
  m_ui->FormationLST->addItem(QString::fromLatin1(kNothingEntry.data(), kNothingEntry.size()));
  for (const FileOffset offset : ChestOffsets()) {
    m_ui->OffsetLST->addItem(QString::number(offset, 16).toUpper());
  }
  m_fill = new DeferredFill(
      *this, *m_ui->pbar, {m_ui->ItemLST}, {m_ui->ItemLST, m_ui->OffsetLST}, [this] {
        m_fill->AppendToLists(
            ItemNameList(m_context.text, m_context.rom, ItemListEnd::kNothingAfter),
            {m_ui->ItemLST});
      });
  // The first chest is shown once the item names are in.
  connect(m_fill, &DeferredFill::Filled, this, [this] { m_ui->OffsetLST->setCurrentRow(0); });
  connect(m_ui->OffsetLST, &QListWidget::itemSelectionChanged, this, &TreasureEditor::PickChest);
  connect(m_ui->GPOPT, &QRadioButton::clicked, this, [this] { ChooseKind(Kind::kGp); });
  connect(m_ui->ItemOPT, &QRadioButton::clicked, this, [this] { ChooseKind(Kind::kItem); });
  connect(m_ui->ClearCMD, &QPushButton::clicked, this, [this] { ChooseKind(Kind::kNone); });
  BindButtons(*m_ui->ApplyCMD, &TreasureEditor::SaveTreasure, *m_ui->QuitCMD);
}

TreasureEditor::~TreasureEditor() = default;

void TreasureEditor::PickChest() {
  const int chest = SelectedRow(*m_ui->OffsetLST);
  if (chest < 0) return;
  m_ui->OffsetLBL->setText(QStringLiteral("Offset: ") + m_ui->OffsetLST->item(chest)->text());
  RunQuietly([&] { LoadTreasure(chest); });
}

void TreasureEditor::LoadTreasure(int chest) {
  const Chest contents = DecodeChest(ReadChest(m_context.rom, chest));
  if (contents.kind == ChestKind::kGp) {
    ChooseKind(Kind::kGp);
    ShowText(*m_ui->GPTXT, QString::number(contents.gp));
    return;
  }
  ChooseKind(Kind::kItem);
  const bool guarded = contents.kind == ChestKind::kGuardedItem;
  m_ui->FormationLST->setCurrentRow(guarded ? contents.formation : kNoFormation);
  m_ui->ItemLST->setCurrentRow(contents.item);
  m_ui->FormationCHK->setChecked(guarded);
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
    m_ui->ItemLST->setCurrentRow(kNoItem);
    m_ui->FormationLST->setCurrentRow(kNoFormation);
  }
  m_ui->ItemLST->setEnabled(!gp);
  m_ui->FormationLST->setEnabled(!gp);
  m_ui->FormationCHK->setChecked(false);
  m_ui->FormationCHK->setVisible(!gp);
}

void TreasureEditor::SaveTreasure() {
  const int chest = SelectedRow(*m_ui->OffsetLST);
  if (chest < 0) return;
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
  if (m_ui->GPOPT->isChecked()) {
    SaveGP(chest);
  } else {
    SaveItem(chest);
  }
}

void TreasureEditor::SaveGP(int chest) {
  const auto gp = NumberIn(*m_ui->GPTXT);
  if (!gp) return;
  Apply([&] { WriteChest(m_context.rom, chest, {0x00, EncodeAmount(*gp)}); }, [] {});
}

void TreasureEditor::SaveItem(int chest) {
  const int formation = SelectedRow(*m_ui->FormationLST);
  const int item = SelectedRow(*m_ui->ItemLST);
  const bool guarded = m_ui->FormationCHK->isChecked();
  if (guarded && (formation < 0 || formation == kNoFormation)) {
    RefuseWithoutItem(*m_ui->FormationLST);
    return;
  }
  if (item < 0 || item == kNoItem) {
    RefuseWithoutItem(*m_ui->ItemLST);
    return;
  }
  if (guarded && formation < kLowestGuardFormation) {
    m_context.platform.ShowMessage(
        this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
        QStringLiteral("A chest guarded by monsters needs a Monster Formation from %1 to %2; "
                       "formation %3 would be stored as an unguarded chest.")
            .arg(kLowestGuardFormation)
            .arg(kFormationCount - 1)
            .arg(formation));
    return;
  }
  if (!guarded && formation >= 1) m_ui->FormationLST->setCurrentRow(kNoFormation);
  const auto type = static_cast<std::uint8_t>(0x80 + (guarded ? formation : 0));
  Apply([&] { WriteChest(m_context.rom, chest, {type, static_cast<std::uint8_t>(item)}); }, [] {});
}

// The list the chest lacks a choice in offers its first entry.
void TreasureEditor::RefuseWithoutItem(QListWidget& emptyList) {
  m_context.platform.ShowMessage(this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                                 kNoItemMessage);
  emptyList.setCurrentRow(0);
}

}  // namespace torvale::ui
