#include "ui/editors/MapPropertiesEditor.h"

#include <QStyle>

#include "data/Maps.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui/editors/MusicEditor.h"
#include "ui_MapPropertiesEditor.h"

namespace torvale::ui {

MapPropertiesEditor::MapPropertiesEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::MapPropertiesEditor>()) {
  m_ui->setupUi(this);
  m_ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16));
  AddEntries(*m_ui->MapLST, FixedEntries(MapPropertyTable().entries));
  m_maps = new RecordView(*this, MapPropertyTable(), *m_ui->MapLST);
  connect(m_ui->MapLST, &QListWidget::itemSelectionChanged, this,
          &MapPropertiesEditor::LoadMapData);
  connect(m_ui->MusicCMD, &QPushButton::clicked, this, &MapPropertiesEditor::OpenMusicEditor);
  BindButtons(*m_ui->ApplyCMD, &MapPropertiesEditor::SaveMapData, *m_ui->QuitCMD);
  m_ui->MapLST->setCurrentRow(0);
}

MapPropertiesEditor::~MapPropertiesEditor() = default;

void MapPropertiesEditor::LoadMapData() {
  const int map = m_maps->Picked();
  if (map < 0) return;
  m_ui->MapIndexNumLBL->setText(QStringLiteral("Map Index #: ") + QString::number(map));
  m_maps->Load();
}

void MapPropertiesEditor::SaveMapData() {
  ApplyRecords({m_maps});
}

// The music editor writes song bytes of its own; the shown record is read
// again afterwards, so that Apply here cannot put back a song it replaced.
void MapPropertiesEditor::OpenMusicEditor() {
  MusicEditor music(m_context, this);
  if (OpenEditor(music)) LoadMapData();
}

}  // namespace torvale::ui
