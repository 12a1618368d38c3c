#include "ui/MapPropertiesEditor.h"

#include <QStyle>

#include "data/maps.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui/MusicEditor.h"
#include "ui/Platform.h"
#include "ui_MapPropertiesEditor.h"

namespace torvale::ui {
MapPropertiesEditor::MapPropertiesEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::MapPropertiesEditor>()) {
  m_ui->setupUi(this);
  m_ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16));
  m_fields = {m_ui->UnknownByte1TXT, m_ui->UnknownByte2TXT, m_ui->MapNameIndexTXT,
              m_ui->TreasureCBO,     m_ui->UnknownByte3TXT, m_ui->MapIndexTXT,
              m_ui->MapLayoutCBO,    m_ui->MapTilesetCBO,   m_ui->BGGFXCBO,
              m_ui->MapPaletteCBO,   m_ui->NPCPaletteCBO,   m_ui->MusicCBO,
              m_ui->LayoutCBO};
  for (QLineEdit* box : {m_ui->UnknownByte1TXT, m_ui->UnknownByte2TXT, m_ui->MapNameIndexTXT,
                         m_ui->UnknownByte3TXT, m_ui->MapIndexTXT}) {
    MakeNumberBox(*box, 255);
  }
  connect(m_ui->MapLST, &QListWidget::itemSelectionChanged, this, &MapPropertiesEditor::PickMap);
  connect(m_ui->MusicCMD, &QPushButton::clicked, this, &MapPropertiesEditor::OpenMusicEditor);
  BindButtons(*m_ui->ApplyCMD, &MapPropertiesEditor::SaveMapData, *m_ui->QuitCMD);
  LoadCBOData();
  LoadMaps();
  m_ui->MapLST->setCurrentRow(0);
}

MapPropertiesEditor::~MapPropertiesEditor() = default;

void MapPropertiesEditor::LoadCBOData() {
  const std::pair<QComboBox*, const char*> generated[] = {
      {m_ui->MapLayoutCBO, "Map Layout #"},   {m_ui->MapTilesetCBO, "Map Tileset #"},
      {m_ui->BGGFXCBO, "Background GFX #"},   {m_ui->MapPaletteCBO, "Map Palette #"},
      {m_ui->NPCPaletteCBO, "NPC Palette #"}, {m_ui->LayoutCBO, "Layout #"},
      {m_ui->TreasureCBO, "Treasure Index #"}};
  for (const auto& [list, prefix] : generated)
    list->addItems(NumberedEntries(QString::fromLatin1(prefix), 0, 256));
  QStringList songs;
  for (int music = 0; music < 256; ++music) {
    songs << FromGameText(MapMusicText(static_cast<std::uint8_t>(music)));
  }
  m_ui->MusicCBO->addItems(songs);
}

void MapPropertiesEditor::LoadMaps() {
  m_ui->MapLST->clear();
  m_ui->MapLST->addItems(NumberedEntries(QStringLiteral("Map #"), 0, kMapCount));
}

void MapPropertiesEditor::PickMap() {
  const int map = SelectedRow(*m_ui->MapLST);
  if (map < 0) return;
  m_ui->MapIndexNumLBL->setText(QStringLiteral("Map Index #: ") + QString::number(map));
  RunQuietly([&] { LoadMapData(map); });
}

void MapPropertiesEditor::LoadMapData(int map) {
  const MapProperties fields = ReadMapProperties(m_context.rom, map);
  for (std::size_t field = 0; field < fields.size(); ++field) {
    if (auto* box = qobject_cast<QLineEdit*>(m_fields[field])) {
      ShowText(*box, QString::number(fields[field]));
    } else {
      ShowByte(*qobject_cast<QComboBox*>(m_fields[field]), fields[field]);
    }
  }
}

void MapPropertiesEditor::SaveMapData() {
  const int map = SelectedRow(*m_ui->MapLST);
  if (map < 0) return;
  MapProperties fields{};
  for (std::size_t field = 0; field < fields.size(); ++field) {
    std::optional<int> value;
    if (const auto* box = qobject_cast<QLineEdit*>(m_fields[field])) {
      value = NumberIn(*box);
    } else if (const auto byte = SelectedByte(*qobject_cast<QComboBox*>(m_fields[field]))) {
      value = *byte;
    }
    if (!value) return;
    fields[field] = static_cast<std::uint8_t>(*value);
  }
  Apply([&] { WriteMapProperties(m_context.rom, map, fields); }, [&] { LoadMapData(map); });
}

// The music editor writes song bytes of its own; the shown record is read
// again afterwards, so that Apply here cannot put back a song it replaced.
void MapPropertiesEditor::OpenMusicEditor() {
  MusicEditor music(m_context, this);
  m_context.platform.ShowModal(music);
  PickMap();
}

}  // namespace torvale::ui
