#include "ui/editors/MusicEditor.h"

#include <QMenuBar>
#include <QSignalBlocker>
#include <QStyle>

#include "data/Maps.h"
#include "ui/ListControls.h"
#include "ui/Platform.h"
#include "ui/RecordView.h"
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

  m_maps = new RecordView(*this, MapSongTable(), *m_ui->AreaLST);
  {
    const QSignalBlocker noSave(m_ui->SongLST);  // no map is picked yet: nothing is written
    m_ui->SongLST->setCurrentRow(0);
  }
  AddEntries(*m_ui->AreaLST, FixedEntries(MapSongTable().entries));

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

void MusicEditor::PickMap() {
  const int map = m_maps->Picked();
  if (map < 0) return;
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_ui->ApplyCMD, m_ui->SongLST, m_ui->ShowHex}) {
    control->setEnabled(true);
  }
  LoadMusicData();
  m_ui->AreaIndexNumLBL->setText(QStringLiteral("Map Index #: ") + QString::number(map));
}

// Showing a map's song writes nothing. A song byte past the song list shows
// no song, so that nothing is written for the map until the user picks one.
void MusicEditor::LoadMusicData() {
  const QSignalBlocker showOnly(m_ui->SongLST);
  if (!m_maps->Load()) return;
  const FileOffset song = FieldOffset(FieldNamed(MapSongTable(), "SongLST"), m_maps->Picked());
  m_ui->HexDisplayLBL->setText(QString::number(song, 16).toUpper() + QStringLiteral(" <--"));
}

// Songs clicked one after another for one map are one step of the history.
void MusicEditor::SaveMusicData() {
  ApplyRecords(
      {m_maps},
      [this] {
        const QSignalBlocker showOnly(m_ui->SongLST);
        m_maps->Reload();
      },
      StepMerge::kWithTheSameStep);
}

// A file that cannot be played leaves the panel and the file loaded before as they were.
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
