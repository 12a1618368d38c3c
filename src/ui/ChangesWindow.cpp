#include "ui/ChangesWindow.h"

#include <QDir>
#include <QStandardItemModel>
#include <algorithm>
#include <iterator>

#include "frontend/DumpDescription.h"
#include "frontend/HexText.h"
#include "patch/ImageIdentity.h"
#include "patch/Revert.h"
#include "rom/RomImage.h"
#include "ui/CleanRomChoice.h"
#include "ui/PatchDialog.h"
#include "ui/RowFilter.h"
#include "ui_ChangesWindow.h"

namespace torvale::ui {
namespace {

constexpr std::size_t kBytesShown = 8;
constexpr std::size_t kChangesNamed = 3;  // in the name of a revert
constexpr int kColumnWidths[] = {150, 150, 150, 130, 130};
constexpr int kChangeRole = Qt::UserRole + 3;  // the change a row shows
constexpr int kOffsetColumn = 5;

// A run of bytes outside the listed fields shows where it lies and its bytes;
// every change, the file offset of its bytes.
QStringList Columns(const Change& change, std::span<const std::uint8_t> clean,
                    std::span<const std::uint8_t> now) {
  if (!change.table.empty()) {
    return {QString::fromStdString(change.table), QString::fromStdString(change.entry),
            QString::fromStdString(change.field), QString::fromStdString(change.clean),
            QString::fromStdString(change.now),   frontend::HexNumber(change.offset, 6)};
  }
  return {QStringLiteral("Other bytes"),
          frontend::HexNumber(change.offset, 6),
          QStringLiteral("%1 byte%2").arg(change.length).arg(change.length == 1 ? "" : "s"),
          frontend::HexBytes(clean.subspan(change.offset, change.length), kBytesShown),
          frontend::HexBytes(now.subspan(change.offset, change.length), kBytesShown),
          frontend::HexNumber(change.offset, 6)};
}

}  // namespace

ChangesWindow::ChangesWindow(const EditorContext& context, CleanRom clean, const QString& cleanPath,
                             QWidget* parent)
    : EditorWindow(context, parent),
      m_ui(std::make_unique<Ui::ChangesWindow>()),
      m_items(new QStandardItemModel(this)),
      m_rows(new RowFilter(this)),
      m_clean(std::move(clean)),
      m_cleanPath(cleanPath) {
  m_ui->setupUi(this);
  ShowCleanRom();
  m_items->setHorizontalHeaderLabels({QStringLiteral("Table"), QStringLiteral("Entry"),
                                      QStringLiteral("Field"), QStringLiteral("Clean"),
                                      QStringLiteral("Now"), QStringLiteral("File Offset")});
  m_rows->setSourceModel(m_items);
  QTreeView& tree = *m_ui->ChangesTRE;
  tree.setModel(m_rows);
  tree.sortByColumn(-1, Qt::AscendingOrder);  // the tables' order until a column is clicked
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
    tree.setColumnWidth(column, kColumnWidths[column]);
  }
  connect(tree.selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    m_ui->RevertCMD->setEnabled(m_ui->ChangesTRE->selectionModel()->hasSelection());
  });
  connect(m_ui->FilterTXT, &QLineEdit::textChanged, this, [this](const QString& text) {
    m_rows->SetText(text);
    ShowStatus();
  });
  connect(m_ui->RefreshCMD, &QPushButton::clicked, this, [this] { Refresh(false); });
  connect(m_ui->ChooseCleanCMD, &QPushButton::clicked, this, [this] { Refresh(true); });
  connect(m_ui->CreatePatchCMD, &QPushButton::clicked, this, &ChangesWindow::CreatePatch);
  connect(m_ui->ExportChangesCMD, &QPushButton::clicked, this, [this] {
    const QString status = ExportChangesWithDialog(m_context.platform, this, m_context.rom,
                                                   m_context.text, m_clean, m_cleanPath);
    if (!status.isEmpty()) m_ui->StatusLBL->setText(status);
  });
  BindButtons(*m_ui->RevertCMD, &ChangesWindow::RevertSelected, *m_ui->CloseCMD);
  RunQuietly([this] { ShowChanges(); });
}

ChangesWindow::~ChangesWindow() = default;

void ChangesWindow::ShowChanges() {
  const std::vector<std::uint8_t> now = ReadRomFile(m_context.rom);
  LayOutLike(m_clean, now);
  m_changes = ListChanges(now, m_clean.file, m_context.text);
  m_items->removeRows(0, m_items->rowCount());
  for (std::size_t i = 0; i < m_changes.size(); ++i) {
    QList<QStandardItem*> row;
    for (const QString& text : Columns(m_changes[i], m_clean.file, now)) {
      auto* item = new QStandardItem(text);
      item->setData(text, kSortRole);
      row << item;
    }
    row[0]->setData(QVariant::fromValue(i), kChangeRole);
    row[kOffsetColumn]->setData(static_cast<qulonglong>(m_changes[i].offset), kSortRole);
    m_items->appendRow(row);
  }
  ShowStatus();
}

void ChangesWindow::ShowStatus() {
  const auto fields = static_cast<std::size_t>(std::count_if(
      m_changes.begin(), m_changes.end(), [](const Change& c) { return !c.table.empty(); }));
  QString status =
      m_changes.empty()
          ? QStringLiteral("The open ROM holds the clean ROM's bytes: nothing has changed.")
          : QStringLiteral("%1 changed fields, %2 other runs of changed bytes.")
                .arg(fields)
                .arg(m_changes.size() - fields);
  if (m_rows->rowCount() < m_items->rowCount()) {
    status +=
        QStringLiteral(" %1 of %2 rows shown.").arg(m_rows->rowCount()).arg(m_items->rowCount());
  }
  m_ui->StatusLBL->setText(status);
}

// An unknown image may be the user's own base: it is taken, and said to be unknown.
void ChangesWindow::ShowCleanRom() {
  m_ui->CleanRomLBL->setText(QStringLiteral("Clean ROM: ") + QDir::toNativeSeparators(m_cleanPath));
  const std::uint32_t crc = Crc32(m_clean.Image());
  m_ui->CleanCrcLBL->setText(QStringLiteral("Its CRC32: ") + frontend::DumpDescription(crc) +
                             (KnownDumpName(crc) ? QStringLiteral(".")
                                                 : QStringLiteral("; it is taken as the clean ROM "
                                                                  "all the same.")));
}

void ChangesWindow::ShowRecordsAgain() {
  RunQuietly([this] { ShowChanges(); });
}

void ChangesWindow::Refresh(bool choose) {
  CleanRomChoice choice(m_context.platform, this, m_context.rom);
  std::optional<CleanRom> clean = choice.Read(choose);
  if (!clean) return;
  m_clean = std::move(*clean);
  m_cleanPath = choice.Path();
  ShowCleanRom();
  ShowRecordsAgain();
}

std::vector<std::size_t> ChangesWindow::SelectedChanges() const {
  std::vector<std::size_t> picked;
  for (const QModelIndex& row : m_ui->ChangesTRE->selectionModel()->selectedRows()) {
    picked.push_back(row.data(kChangeRole).value<std::size_t>());
  }
  std::sort(picked.begin(), picked.end());
  return picked;
}

// "Items: Dunnox Price", or "3 bytes at 0x01F000".
QString ChangesWindow::Described(std::size_t change) const {
  const Change& c = m_changes[change];
  if (c.table.empty()) {
    return QStringLiteral("%1 byte%2 at %3")
        .arg(c.length)
        .arg(c.length == 1 ? "" : "s", frontend::HexNumber(c.offset, 6));
  }
  return QStringLiteral("%1: %2 %3")
      .arg(QString::fromStdString(c.table), QString::fromStdString(c.entry),
           QString::fromStdString(c.field));
}

QString ChangesWindow::Described(std::span<const std::size_t> changes) const {
  QStringList named;
  for (const std::size_t change : changes.first(std::min(changes.size(), kChangesNamed))) {
    named << Described(change);
  }
  QString text = named.join(QStringLiteral(", "));
  if (changes.size() > kChangesNamed) {
    text += QStringLiteral(" and %1 more").arg(changes.size() - kChangesNamed);
  }
  return text;
}

// Fields that cannot go back alone take the rows that must go with them
// along: they are selected, and the user told, before anything is written.
void ChangesWindow::RevertSelected() {
  const std::vector<std::size_t> picked = SelectedChanges();
  if (picked.empty()) return;
  std::vector<std::uint8_t> now;
  std::vector<std::size_t> reverted;
  if (!ReadOrTell([&] {
        now = ReadRomFile(m_context.rom);
        reverted = ChangesRevertedTogether(m_changes, picked, now, m_clean.file, m_context.text);
      })) {
    return;
  }
  if (reverted.size() > picked.size()) {
    std::vector<std::size_t> added;
    std::set_difference(reverted.begin(), reverted.end(), picked.begin(), picked.end(),
                        std::back_inserter(added));
    for (const std::size_t change : added) {
      const QModelIndex row = m_rows->mapFromSource(m_items->index(static_cast<int>(change), 0));
      m_ui->ChangesTRE->selectionModel()->select(
          row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    Tell(MessageIcon::kInformation,
         QStringLiteral("These fields share their bytes with the ones chosen, which cannot go back "
                        "without them, so they go back too and are now selected: %1.")
             .arg(Described(added)));
  }
  Apply(
      QStringLiteral("Revert ") + Described(reverted),
      [&] { RevertChanges(m_context.rom, m_changes, reverted, now, m_clean.file, m_context.text); },
      [this] { ShowChanges(); });
}

void ChangesWindow::CreatePatch() {
  const QString status =
      CreatePatchWithDialog(m_context.platform, this, m_context.rom, m_clean, m_cleanPath);
  if (!status.isEmpty()) m_ui->StatusLBL->setText(status);
}

}  // namespace torvale::ui
