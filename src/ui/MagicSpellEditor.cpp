#include "ui/MagicSpellEditor.h"

#include <QEvent>

#include "data/magic.h"
#include "rom/RomFile.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui/PictureWindow.h"
#include "ui/Platform.h"
#include "ui_MagicSpellEditor.h"

namespace torvale::ui {

MagicSpellEditor::MagicSpellEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::MagicSpellEditor>()) {
  m_ui->setupUi(this);
  m_ui->BlackIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/magic-black.png")));
  m_ui->WhiteIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/magic-white.png")));
  m_ui->GreyIMG->setPixmap(QPixmap(QStringLiteral(":/pictures/magic-summon.png")));
  m_ui->EasterEgg1->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png"))
                                  .scaledToHeight(24, Qt::SmoothTransformation));
  m_ui->EasterEgg1->installEventFilter(this);
  // The icon buttons show the spell's icon; the icon is not edited here.
  for (QRadioButton* icon : {m_ui->BlackOPT, m_ui->WhiteOPT, m_ui->GreyOPT}) {
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    icon->setFocusPolicy(Qt::NoFocus);
  }
  QStringList effects;
  for (int effect = 0; effect < 256; ++effect) {
    effects << FromGameText(SpellEffectText(static_cast<std::uint8_t>(effect)));
  }
  m_ui->SpellEffectCBO->addItems(effects);
  m_ui->TargetLST->addItems(FromGameTexts(MagicTargetEntries()));
  m_ui->ElementLST->addItem(QStringLiteral("[None]"));
  MakeNameBox(*m_ui->NameTXT, kSpellNameLength);
  MakeNumberBox(*m_ui->PowerTXT, 255);
  MakeNumberBox(*m_ui->MPCostTXT, kMaximumMpCost);
  MakeNumberBox(*m_ui->CastingTimeTXT, kMaximumCastingTime);

  // Picking an effect shows its number in the caption.
  connect(m_ui->SpellEffectCBO, &QComboBox::currentIndexChanged, this,
          [this](int effect) { setWindowTitle(QString::number(effect)); });
  connect(m_ui->MagicLST, &QListWidget::itemSelectionChanged, this, &MagicSpellEditor::PickSpell);
  connect(m_ui->RefreshCMD, &QPushButton::clicked, this, &MagicSpellEditor::LoadMagicName);
  connect(m_ui->RestoreAsuraCMD, &QPushButton::clicked, this, &MagicSpellEditor::RestoreAsura);
  BindButtons(*m_ui->ApplyCMD, &MagicSpellEditor::SaveMagicData, *m_ui->QuitCMD);

  RunQuietly([this] { CheckAsura(); });
  LoadMagicName();
  m_ui->MagicLST->setCurrentRow(0);
}

MagicSpellEditor::~MagicSpellEditor() = default;

bool MagicSpellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_ui->EasterEgg1 && event->type() == QEvent::MouseButtonDblClick) {
    PictureWindow picture(this);
    m_context.platform.ShowModal(picture);
    return true;
  }
  return EditorWindow::eventFilter(watched, event);
}

void MagicSpellEditor::LoadMagicName() {
  m_ui->MagicLST->clear();
  RunQuietly([this] {
    QStringList names;
    for (const std::string& name : SpellNameList(m_context.text, m_context.rom)) {
      names << FromGameText(name);
    }
    m_ui->MagicLST->addItems(names);
  });
}

void MagicSpellEditor::PickSpell() {
  const int spell = SelectedRow(*m_ui->MagicLST);
  if (spell < 0 || !RunQuietly([&] { LoadMagicData(spell); })) return;
  m_ui->MagicIndexNumLBL->setText(QStringLiteral("Magic Spell Index #: ") + QString::number(spell));
  setWindowTitle(QStringLiteral("Magic Spell Editor - ") + m_ui->MagicLST->item(spell)->text());
}

void MagicSpellEditor::LoadMagicData(int spell) {
  const Spell values = ReadSpell(m_context.text, m_context.rom, spell);
  ShowText(*m_ui->NameTXT, FromGameText(values.name));
  ShowByte(*m_ui->SpellEffectCBO, values.effect);
  ShowText(*m_ui->PowerTXT, QString::number(values.power));
  ShowText(*m_ui->CastingTimeTXT, QString::number(values.castingTime));
  m_ui->AilmentDurationCHK->setChecked(values.longAilment);
  ShowText(*m_ui->MPCostTXT, QString::number(values.mpCost));
  m_ui->IgnoreWallCHK->setChecked(values.ignoresWall);
  m_ui->BlackOPT->setChecked(values.icon == MagicIcon::kBlack);
  m_ui->WhiteOPT->setChecked(values.icon == MagicIcon::kWhite);
  m_ui->GreyOPT->setChecked(values.icon == MagicIcon::kSummon);
}

void MagicSpellEditor::SaveMagicData() {
  const int spell = SelectedRow(*m_ui->MagicLST);
  const auto power = NumberIn(*m_ui->PowerTXT);
  const auto effect = SelectedByte(*m_ui->SpellEffectCBO);
  const auto mpCost = NumberIn(*m_ui->MPCostTXT);
  if (spell < 0 || !power || !effect || !mpCost) return;
  Spell values;
  values.power = static_cast<std::uint8_t>(*power);
  values.effect = *effect;
  values.name = ToGameText(m_ui->NameTXT->text());
  values.mpCost = static_cast<std::uint8_t>(*mpCost);
  values.ignoresWall = m_ui->IgnoreWallCHK->isChecked();
  // The fields already show what was written.
  Apply([&] { WriteSpell(m_context.text, m_context.rom, spell, values); }, [] {});
}

void MagicSpellEditor::CheckAsura() {
  const bool restorable = torvale::CheckAsura(m_context.rom);
  m_ui->RestoreAsuraCMD->setEnabled(restorable);
  if (!restorable) m_ui->RestoreAsuraCMD->setText(QStringLiteral("Not Available"));
}

void MagicSpellEditor::RestoreAsura() {
  Apply([this] { torvale::RestoreAsura(m_context.rom); },
        [this] {
          m_context.platform.ShowMessage(
              this, MessageIcon::kInformation, QStringLiteral("Asura Restored"),
              QStringLiteral("Asura has been restored to the FF4 effects."));
          m_ui->RestoreAsuraCMD->setEnabled(false);
          m_ui->RestoreAsuraCMD->setText(QStringLiteral("Asura Restored"));
        });
}

}  // namespace torvale::ui
