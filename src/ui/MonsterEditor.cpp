#include "ui/MonsterEditor.h"

#include <QStyle>

#include "data/monsters.h"
#include "ui/DeferredFill.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui_MonsterEditor.h"

namespace torvale::ui {
namespace {

constexpr int kLargestWord = 65535;

}  // namespace

MonsterEditor::MonsterEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::MonsterEditor>()) {
  m_ui->setupUi(this);
  m_ui->RefreshCMD->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  MakeNameBox(*m_ui->NameTXT, kMonsterNameLength);
  MakeNumberBox(*m_ui->EXPTXT, kLargestWord);
  MakeNumberBox(*m_ui->GPTXT, kLargestWord);
  MakeNumberBox(*m_ui->SizeTXT, 255);
  MakeNumberBox(*m_ui->GFXPointerTXT, kLargestWord);
  m_fill = new DeferredFill(*this, *m_ui->pbar, {m_ui->MonsterLST}, {m_ui->MonsterLST},
                            [this] { LoadMonsterNames(); });
  connect(m_fill, &DeferredFill::Filled, this, &MonsterEditor::FillPalettesOnce);
  connect(m_ui->MonsterLST, &QListWidget::itemSelectionChanged, this, &MonsterEditor::PickMonster);
  connect(m_ui->RefreshCMD, &QToolButton::clicked, m_fill, &DeferredFill::Restart);
  BindButtons(*m_ui->ApplyCMD, &MonsterEditor::SaveMonster, *m_ui->QuitCMD);
}

MonsterEditor::~MonsterEditor() = default;

void MonsterEditor::LoadMonsterNames() {
  m_ui->InfoLBL->setText(QStringLiteral("Loading Monsters..."));
  std::vector<std::string> names;
  names.reserve(kMonsterCount);
  for (int monster = 0; monster < kMonsterCount; ++monster) {
    names.push_back(
        m_context.text.ReadText(m_context.rom, MonsterNameOffset(monster), kMonsterNameLength));
  }
  m_fill->AppendToLists(names, {m_ui->MonsterLST});
}

// After the first fill only: the palettes, the fields, and the first monster.
// A Refresh leaves no monster picked.
void MonsterEditor::FillPalettesOnce() {
  if (m_ui->PaletteCBO->count() > 0) return;
  m_ui->PaletteCBO->addItems(NumberedEntries(QStringLiteral("Monster Pallete: #"), 0, 256));
  for (QWidget* field :
       std::initializer_list<QWidget*>{m_ui->NameTXT, m_ui->EXPTXT, m_ui->GPTXT, m_ui->SizeTXT,
                                       m_ui->PaletteCBO, m_ui->GFXPointerTXT}) {
    field->setEnabled(true);
  }
  m_ui->MonsterLST->setCurrentRow(0);
}

void MonsterEditor::PickMonster() {
  const int monster = SelectedRow(*m_ui->MonsterLST);
  if (monster < 0) return;
  RunQuietly([&] { LoadMonster(monster); });
  m_ui->MonsterIndexNumLBL->setText(QStringLiteral("Monster Index #: ") + QString::number(monster));
  setWindowTitle(QStringLiteral("Monster Editor - ") + m_ui->MonsterLST->item(monster)->text());
}

void MonsterEditor::LoadMonster(int monster) {
  const Monster values = ReadMonster(m_context.text, m_context.rom, monster);
  ShowText(*m_ui->NameTXT, FromGameText(values.name));
  ShowText(*m_ui->SizeTXT, QString::number(values.size));
  ShowByte(*m_ui->PaletteCBO, values.palette);
  ShowText(*m_ui->GPTXT, QString::number(values.gp));
  ShowText(*m_ui->EXPTXT, QString::number(values.experience));
  ShowText(*m_ui->GFXPointerTXT, QString::number(values.graphicPointer));
}

void MonsterEditor::SaveMonster() {
  const int monster = SelectedRow(*m_ui->MonsterLST);
  const auto gp = NumberIn(*m_ui->GPTXT);
  const auto experience = NumberIn(*m_ui->EXPTXT);
  const auto size = NumberIn(*m_ui->SizeTXT);
  const auto palette = SelectedByte(*m_ui->PaletteCBO);
  const auto graphicPointer = NumberIn(*m_ui->GFXPointerTXT);
  if (monster < 0 || !gp || !experience || !size || !palette || !graphicPointer) return;
  Monster values;
  values.name = ToGameText(m_ui->NameTXT->text());
  values.gp = static_cast<std::uint16_t>(*gp);
  values.experience = static_cast<std::uint16_t>(*experience);
  values.size = static_cast<std::uint8_t>(*size);
  values.palette = *palette;
  values.graphicPointer = static_cast<std::uint16_t>(*graphicPointer);
  Apply([&] { WriteMonster(m_context.text, m_context.rom, monster, values); },
        [&] { LoadMonster(monster); });
}

}  // namespace torvale::ui
