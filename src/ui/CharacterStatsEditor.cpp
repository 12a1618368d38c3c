#include "ui/CharacterStatsEditor.h"

#include <QStyle>

#include "data/party.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui_CharacterStatsEditor.h"

namespace torvale::ui {
namespace {

constexpr int kLargestWord = 65535;

}  // namespace

CharacterStatsEditor::CharacterStatsEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::CharacterStatsEditor>()) {
  m_ui->setupUi(this);
  m_ui->RefreshCMD->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  m_ui->CharPortraitIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/portrait.png")));
  m_ui->HandLST->addItems(FromGameTexts(kHandEntries));
  MakeNameBox(*m_ui->NameTXT, kCharacterNameLength);
  MakeNumberBox(*m_ui->NameIndexTXT, 255, kMinimumNameIndex);
  for (QLineEdit* box : {m_ui->SpecialBitTXT, m_ui->LevelTXT, m_ui->STRTXT, m_ui->AGITXT,
                         m_ui->VITTXT, m_ui->WISTXT, m_ui->WillTXT}) {
    MakeNumberBox(*box, 255);
  }
  MakeNumberBox(*m_ui->HPTXT, kLargestWord);
  MakeNumberBox(*m_ui->MPTXT, kLargestWord);
  connect(m_ui->CharLST, &QListWidget::itemSelectionChanged, this, &CharacterStatsEditor::PickSlot);
  connect(m_ui->RefreshCMD, &QToolButton::clicked, this, &CharacterStatsEditor::RefreshCharNames);
  BindButtons(*m_ui->ApplyCMD, &CharacterStatsEditor::SaveCharData, *m_ui->QuitCMD);
  LoadCharNames();
  m_ui->CharLST->setCurrentRow(0);
}

CharacterStatsEditor::~CharacterStatsEditor() = default;

void CharacterStatsEditor::LoadCharNames() {
  RunQuietly([this] {
    for (int slot = 0; slot < kCharacterSlotCount; ++slot) {
      m_ui->CharLST->addItem(FromGameText(
          m_context.text.ReadText(m_context.rom, CharacterNameOffset(slot), kCharacterNameLength)));
    }
  });
}

// The list is rebuilt from the file; no slot is picked afterwards.
void CharacterStatsEditor::RefreshCharNames() {
  m_ui->CharLST->clear();
  LoadCharNames();
}

void CharacterStatsEditor::PickSlot() {
  const int slot = SelectedRow(*m_ui->CharLST);
  if (slot < 0 || !RunQuietly([&] { LoadCharData(slot); })) return;
  setWindowTitle(QStringLiteral("Character Stats Editor - ") + m_ui->CharLST->item(slot)->text());
}

void CharacterStatsEditor::LoadCharData(int slot) {
  const Character values = ReadCharacter(m_context.text, m_context.rom, slot);
  ShowText(*m_ui->NameTXT, FromGameText(values.name));
  ShowText(*m_ui->SpecialBitTXT, QString::number(values.special));
  ShowText(*m_ui->LevelTXT, QString::number(values.level));
  QLineEdit* const stats[] = {m_ui->STRTXT, m_ui->AGITXT, m_ui->VITTXT, m_ui->WISTXT,
                              m_ui->WillTXT};
  for (std::size_t stat = 0; stat < values.stats.size(); ++stat) {
    ShowText(*stats[stat], QString::number(values.stats[stat]));
  }
  ShowText(*m_ui->EXPTXT, QString::number(values.experience));
  ShowText(*m_ui->HPTXT, QString::number(values.hp));
  ShowText(*m_ui->MPTXT, QString::number(values.mp));
  const HandedIndex hand = DecodeHand(values.byte0);
  m_ui->HandLST->setCurrentRow(static_cast<int>(hand.hand));
  ShowText(*m_ui->NameIndexTXT, QString::number(hand.nameIndex));
}

void CharacterStatsEditor::SaveCharData() {
  const int slot = SelectedRow(*m_ui->CharLST);
  const int hand = SelectedRow(*m_ui->HandLST);
  if (slot < 0 || hand < 0) return;
  QLineEdit* const numberBoxes[] = {
      m_ui->NameIndexTXT, m_ui->SpecialBitTXT, m_ui->LevelTXT, m_ui->HPTXT,  m_ui->MPTXT,
      m_ui->STRTXT,       m_ui->AGITXT,        m_ui->VITTXT,   m_ui->WISTXT, m_ui->WillTXT};
  std::vector<int> numbers;
  for (QLineEdit* box : numberBoxes) {
    const auto number = NumberIn(*box);
    if (!number) return;  // a lone minus sign: no index yet
    numbers.push_back(*number);
  }
  const auto byte0 = EncodeHand(static_cast<Hand>(hand), numbers[0]);
  if (!byte0) {
    RefuseApply(QStringLiteral("The name index %1 with \"%2\" makes a byte outside 0 to 255.")
                    .arg(numbers[0])
                    .arg(m_ui->HandLST->item(hand)->text()));
    return;
  }
  Character values;
  values.byte0 = *byte0;
  values.special = static_cast<std::uint8_t>(numbers[1]);
  values.level = static_cast<std::uint8_t>(numbers[2]);
  values.hp = static_cast<std::uint16_t>(numbers[3]);
  values.mp = static_cast<std::uint16_t>(numbers[4]);
  for (std::size_t stat = 0; stat < values.stats.size(); ++stat) {
    values.stats[stat] = static_cast<std::uint8_t>(numbers[5 + stat]);
  }
  values.name = ToGameText(m_ui->NameTXT->text());
  Apply([&] { WriteCharacter(m_context.text, m_context.rom, slot, values); },
        [&] { LoadCharData(slot); });
}

}  // namespace torvale::ui
