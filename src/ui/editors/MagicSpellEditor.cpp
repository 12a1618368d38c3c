#include "ui/editors/MagicSpellEditor.h"

#include <QEvent>

#include "data/Encodings.h"
#include "data/Magic.h"
#include "rom/RomFile.h"
#include "ui/ListControls.h"
#include "ui/PictureWindow.h"
#include "ui/Platform.h"
#include "ui/RecordView.h"
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
  m_spells = new RecordView(*this, SpellTable(), *m_ui->MagicLST);
  m_spells->Binder().BindCustom("MagicIconFRA", [this](const Value& icon) { ShowIcon(icon); });
  AddEntries(*m_ui->TargetLST, {MagicTargetEntries().begin(), MagicTargetEntries().end()});
  m_ui->ElementLST->addItem(QStringLiteral("[None]"));

  // Picking an effect shows its number in the caption.
  connect(m_ui->SpellEffectCBO, &QComboBox::currentIndexChanged, this,
          [this](int effect) { setWindowTitle(QString::number(effect)); });
  connect(m_ui->MagicLST, &QListWidget::itemSelectionChanged, this,
          &MagicSpellEditor::LoadMagicData);
  connect(m_ui->RefreshCMD, &QPushButton::clicked, this, &MagicSpellEditor::LoadMagicName);
  connect(m_ui->RestoreAsuraCMD, &QPushButton::clicked, this, &MagicSpellEditor::RestoreAsura);
  BindButtons(*m_ui->ApplyCMD, &MagicSpellEditor::SaveMagicData, *m_ui->QuitCMD);

  CheckAsura(false);
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
    AddEntries(*m_ui->MagicLST, ReadEntries(ListId::kSpellNames, m_context.text, m_context.rom));
  });
}

void MagicSpellEditor::LoadMagicData() {
  const int spell = m_spells->Picked();
  if (spell < 0 || !m_spells->Load()) return;
  m_ui->MagicIndexNumLBL->setText(QStringLiteral("Magic Spell Index #: ") + QString::number(spell));
  setWindowTitle(QStringLiteral("Magic Spell Editor - ") + m_ui->MagicLST->item(spell)->text());
}

void MagicSpellEditor::ShowIcon(const Value& icon) {
  const auto* shown = std::get_if<std::int64_t>(&icon);
  const auto is = [shown](MagicIcon kind) {
    return shown != nullptr && *shown == static_cast<int>(kind);
  };
  m_ui->BlackOPT->setChecked(is(MagicIcon::kBlack));
  m_ui->WhiteOPT->setChecked(is(MagicIcon::kWhite));
  m_ui->GreyOPT->setChecked(is(MagicIcon::kSummon));
}

// The fields already show what was written.
void MagicSpellEditor::SaveMagicData() {
  ApplyRecords({m_spells}, [] {});
}

// Restoring is offered only when the bytes were read and hold the values it replaces.
void MagicSpellEditor::CheckAsura(bool tellFailure) {
  bool restorable = false;
  const auto check = [&] { restorable = torvale::CheckAsura(m_context.rom); };
  if (tellFailure) {
    ReadOrTell(check);
  } else {
    RunQuietly(check);
  }
  m_ui->RestoreAsuraCMD->setEnabled(restorable);
  m_ui->RestoreAsuraCMD->setText(restorable ? QStringLiteral("Restore A&sura")
                                            : QStringLiteral("Not Available"));
}

void MagicSpellEditor::ShowRecordsAgain() {
  EditorWindow::ShowRecordsAgain();
  CheckAsura(true);
}

void MagicSpellEditor::RestoreAsura() {
  Apply(
      ChangeName(QStringLiteral("Restore Asura")), [this] { torvale::RestoreAsura(m_context.rom); },
      [this] {
        m_context.platform.ShowMessage(
            this, MessageIcon::kInformation, QStringLiteral("Asura Restored"),
            QStringLiteral("Asura has been restored to the FF4 effects."));
        m_ui->RestoreAsuraCMD->setEnabled(false);
        m_ui->RestoreAsuraCMD->setText(QStringLiteral("Asura Restored"));
      });
}

}  // namespace torvale::ui
