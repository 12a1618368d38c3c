#include "ui/ApplyPatchWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "data/CellText.h"
#include "frontend/HexText.h"
#include "frontend/PatchMetadata.h"
#include "patch/ImageView.h"
#include "rom/RomImage.h"
#include "ui/GameText.h"

namespace torvale::ui {
namespace {

constexpr int kColumnWidths[] = {130, 130, 130, 110, 110, 110, 170};

QString StateText(PlanState state) {
  switch (state) {
    case PlanState::kWillChange:
      return QStringLiteral("will change");
    case PlanState::kAlreadySo:
      return QStringLiteral("already so");
    case PlanState::kConflict:
      break;
  }
  return QStringLiteral("conflict: changed here too");
}

// "Title: Hard Mode": a line for each thing the patch says of itself.
QString MetadataText(const std::string& metadata) {
  QStringList lines;
  for (auto [name, text] : frontend::ReadPatchMetadata(metadata)) {
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    lines << name + QStringLiteral(": ") + text;
  }
  return lines.join(u'\n');
}

}  // namespace

ApplyPatchWindow::ApplyPatchWindow(const EditorContext& context, CleanRom clean,
                                   frontend::ChangeSource source, const QString& sourceName,
                                   QWidget* parent)
    : EditorWindow(context, parent),
      m_clean(std::move(clean)),
      m_source(std::move(source)),
      m_sourceName(sourceName),
      m_rows(new QStandardItemModel(this)),
      m_tree(new QTreeView(this)),
      m_status(new QLabel(this)) {
  setObjectName(QStringLiteral("ApplyPatchWindow"));
  setWindowTitle(QStringLiteral("Apply Patch: ") + sourceName);
  auto* metadata = new QLabel(MetadataText(m_source.metadata), this);
  metadata->setObjectName(QStringLiteral("MetadataLBL"));
  metadata->setTextInteractionFlags(Qt::TextSelectableByMouse);
  metadata->setWordWrap(true);
  metadata->setVisible(!m_source.metadata.empty());
  m_rows->setHorizontalHeaderLabels({"Table", "Entry", "Field", "Clean", "Now", "Patch", "State"});
  m_tree->setObjectName(QStringLiteral("PatchTRE"));
  m_tree->setModel(m_rows);
  m_tree->setRootIsDecorated(false);
  m_tree->setUniformRowHeights(true);
  m_tree->setAlternatingRowColors(true);
  m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tree->setToolTip(QStringLiteral(
      "Every change the patch makes. Ticked rows are applied; a conflict is ticked only by you."));
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
    m_tree->setColumnWidth(column, kColumnWidths[column]);
  }
  m_status->setObjectName(QStringLiteral("StatusLBL"));
  m_status->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(this);
  m_apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
  m_apply->setObjectName(QStringLiteral("ApplyCMD"));
  QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("CloseCMD"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(metadata);
  layout->addWidget(m_tree);
  layout->addWidget(m_status);
  auto* row = new QHBoxLayout;
  row->addWidget(buttons);
  layout->addLayout(row);
  resize(940, 520);
  connect(m_rows, &QStandardItemModel::itemChanged, this, [this] { ShowStatus(); });
  BindButtons(*m_apply, &ApplyPatchWindow::ApplyTaken, *close);
  RunQuietly([this] { ShowPlan(); });
}

void ApplyPatchWindow::ShowPlan() {
  const ChangeSet& changes = m_source.changes;
  const std::vector<std::uint8_t> now = ReadRomImage(m_context.rom);
  m_plan = PlanChanges(changes, m_clean.Image(), now, m_context.text);
  const ImageView was(m_clean.file), is({}, now);
  ListEntries lists(m_context.text, was.Rom());
  const QSignalBlocker quiet(m_rows);
  m_rows->removeRows(0, m_rows->rowCount());
  for (const PlannedChange& planned : m_plan) {
    QStringList columns;
    if (planned.isRun) {
      const ByteRun& run = changes.runs[planned.index];
      const auto bytes = [&](std::span<const std::uint8_t> image) {
        return run.offset + run.bytes.size() <= image.size()
                   ? frontend::HexBytes(image.subspan(run.offset, run.bytes.size()), 8)
                   : QString();
      };
      columns = {QStringLiteral("Other bytes"), frontend::HexNumber(run.offset, 6),
                 QStringLiteral("%1 byte%2").arg(run.bytes.size()).arg(run.bytes.size() == 1 ? "" : "s"),
                 bytes(m_clean.Image()), bytes(now), frontend::HexBytes(run.bytes, 8)};
    } else {
      const FieldChange& change = changes.fields[planned.index];
      const Field& field = change.table->fields[change.field];
      const auto shown = [&](const RomFile& rom) {
        return QString::fromStdString(ShownValue(
            field, ReadRecord(*change.table, m_context.text, rom, change.record)[change.field],
            lists));
      };
      columns = {FromGameText(change.table->name),
                 QString::fromStdString(lists.Entry(change.table->entries, change.record)),
                 FromGameText(field.label), shown(was.Rom()), shown(is.Rom()),
                 QString::fromStdString(ShownValue(field, change.value, lists))};
    }
    columns << StateText(planned.state);
    QList<QStandardItem*> row;
    for (const QString& text : columns) row << new QStandardItem(text);
    if (planned.state != PlanState::kAlreadySo) {
      row[0]->setCheckable(true);
      row[0]->setCheckState(planned.taken ? Qt::Checked : Qt::Unchecked);
    }
    m_rows->appendRow(row);
  }
  ShowStatus();
}

void ApplyPatchWindow::ShowStatus() {
  int counts[3] = {0, 0, 0}, taken = 0;
  for (int row = 0; row < m_rows->rowCount(); ++row) {
    ++counts[static_cast<int>(m_plan[static_cast<std::size_t>(row)].state)];
    taken += m_rows->item(row)->checkState() == Qt::Checked;
  }
  m_status->setText(QStringLiteral("%1 will change, %2 already so, %3 changed here too; %4 ticked.")
                        .arg(counts[0])
                        .arg(counts[1])
                        .arg(counts[2])
                        .arg(taken));
  m_apply->setEnabled(taken > 0);
}

void ApplyPatchWindow::ShowRecordsAgain() {
  RunQuietly([this] { ShowPlan(); });
}

// The ticked rows, written into the open ROM as it is now: each field in one write.
void ApplyPatchWindow::ApplyTaken() {
  for (int row = 0; row < m_rows->rowCount(); ++row) {
    m_plan[static_cast<std::size_t>(row)].taken = m_rows->item(row)->checkState() == Qt::Checked;
  }
  const ChangeSet taken = TakenChanges(m_source.changes, m_plan);
  if (taken.Empty()) return;
  Apply(
      QStringLiteral("Apply Patch: ") + m_sourceName,
      [&] {
        const std::vector<std::uint8_t> now = ReadRomImage(m_context.rom);
        const FileOffset header = static_cast<FileOffset>(m_context.rom.Size() - now.size());
        for (const ByteRun& write : WritesApplying(taken, now, m_context.text)) {
          m_context.rom.WriteBytes(header + static_cast<FileOffset>(write.offset), write.bytes);
        }
      },
      [this] { ShowPlan(); });
}

}  // namespace torvale::ui
