#include "ui/MusicEditor.h"

#include <QMenuBar>
#include <QSignalBlocker>
#include <QStyle>

#include "data/music.h"
#include "rom/RomFile.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui/Platform.h"
#include "ui/SpcPlayer.h"
#include "ui_MusicEditor.h"

namespace torvale::ui {

MusicEditor::MusicEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent),
      m_ui(std::make_unique<Ui::MusicEditor>()),
      m_player(new SpcPlayer(this)) {
  m_ui->setupUi(this);
  auto* menuBar = new QMenuBar(this);
  QMenu* about = menuBar->addMenu(QStringLiteral("&About"));
  about->setObjectName(QStringLiteral("mnuAbout"));
  about->addAction(QStringLiteral("&About SPC Plugin"))
      ->setObjectName(QStringLiteral("mnuAboutSPC"));
  layout()->setMenuBar(menuBar);
  const std::pair<QToolButton*, QStyle::StandardPixmap> pictures[] = {
      {m_ui->RRCMD, QStyle::SP_MediaSkipBackward},
      {m_ui->PlayCMD, QStyle::SP_MediaPlay},
      {m_ui->StopCMD, QStyle::SP_MediaStop},
      {m_ui->EjectCMD, QStyle::SP_DialogOpenButton},
      {m_ui->AboutCMD, QStyle::SP_MessageBoxQuestion}};
  for (const auto& [button, picture] : pictures) button->setIcon(style()->standardIcon(picture));
  m_ui->HexDisplayLBL->hide();

  m_ui->SongLST->addItems(FromGameTexts(SongNames()));
  {
    const QSignalBlocker noSave(m_ui->SongLST);  // no map is picked yet: nothing is written
    m_ui->SongLST->setCurrentRow(0);
  }
  LoadArea();

  connect(m_ui->AreaLST, &QListWidget::itemSelectionChanged, this, &MusicEditor::PickMap);
  connect(m_ui->SongLST, &QListWidget::itemSelectionChanged, this, &MusicEditor::SaveMusicData);
  connect(m_ui->ShowHex, &QCheckBox::toggled, m_ui->HexDisplayLBL, &QLabel::setVisible);
  connect(m_ui->EjectCMD, &QToolButton::clicked, this, &MusicEditor::ChooseSpcFile);
  connect(m_ui->PlayCMD, &QToolButton::clicked, m_player, &SpcPlayer::Play);
  connect(m_ui->StopCMD, &QToolButton::clicked, m_player, &SpcPlayer::Stop);
  connect(m_ui->RRCMD, &QToolButton::clicked, m_player, &SpcPlayer::Restart);
  BindButtons(*m_ui->ApplyCMD, &MusicEditor::SaveMusicData, *m_ui->QuitCMD);
}

MusicEditor::~MusicEditor() = default;

void MusicEditor::LoadArea() {
  m_ui->AreaLST->clear();
  m_ui->AreaLST->addItems(NumberedEntries(QStringLiteral("Map #"), 0, kMapCount));
}

void MusicEditor::PickMap() {
  const int map = SelectedRow(*m_ui->AreaLST);
  if (map < 0) return;
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_ui->ApplyCMD, m_ui->SongLST, m_ui->ShowHex}) {
    control->setEnabled(true);
  }
  RunQuietly([&] { LoadMusicData(map); });
  m_ui->AreaIndexNumLBL->setText(QStringLiteral("Map Index #: ") + QString::number(map));
}

// A song byte past the song list shows no song, so that nothing is written
// for this map until the user picks one.
void MusicEditor::LoadMusicData(int map) {
  const FileOffset offset = SongOffset(map);
  const std::uint8_t song = m_context.rom.ReadByte(offset);
  {
    const QSignalBlocker showOnly(m_ui->SongLST);
    m_ui->SongLST->setCurrentRow(song < m_ui->SongLST->count() ? song : -1);
  }
  m_ui->HexDisplayLBL->setText(QString::number(offset, 16).toUpper() + QStringLiteral(" <--"));
}

void MusicEditor::SaveMusicData() {
  const int map = SelectedRow(*m_ui->AreaLST);
  const int song = SelectedRow(*m_ui->SongLST);
  if (map < 0 || song < 0) return;
  Apply([&] { m_context.rom.WriteByte(SongOffset(map), static_cast<std::uint8_t>(song)); },
        [&] { LoadMusicData(map); });
}

// Any failure (no file chosen, not SPC music) leaves the panel as it was.
void MusicEditor::ChooseSpcFile() {
  const QString path = m_context.platform.AskOpenFileName(
      this, QStringLiteral("All Files (*.*)|*.*|SPC Music File (*.spc)|*.spc"),
      QStringLiteral("SPC Music File (*.spc)"));
  if (path.isEmpty() || !m_player->Load(path)) return;
  m_ui->ID666LBL->setText(QStringLiteral("Now Playing: \r\n") + m_player->GetGame() +
                          QStringLiteral(" - ") + m_player->GetTitle());
  m_ui->SongLBL->setText(path);
}

}  // namespace torvale::ui
