#include "ui/ChangesWindow.h"

#include <QDir>
#include <algorithm>
#include <iterator>

#include "patch/ImageIdentity.h"
#include "patch/Revert.h"
#include "rom/RomImage.h"
#include "ui/CleanRomChoice.h"
#include "ui/DumpDescription.h"
#include "ui/HexText.h"
#include "ui/PatchDialog.h"
#include "ui_ChangesWindow.h"

namespace torvale::ui {
namespace {

constexpr std::size_t kBytesShown = 8;
constexpr std::size_t kChangesNamed = 3;  // in the name of a revert
constexpr int kColumnWidths[] = {150, 150, 150, 130};

// A run of bytes outside the listed fields shows where it lies and its bytes.
QStringList Columns(const Change& change, std::span<const std::uint8_t> clean,
                    std::span<const std::uint8_t> now) {
  if (!change.table.empty()) {
    return {QString::fromStdString(change.table), QString::fromStdString(change.entry),
            QString::fromStdString(change.field), QString::fromStdString(change.clean),
            QString::fromStdString(change.now)};
  }
  return {QStringLiteral("Other bytes"), HexNumber(change.offset, 6),
          QStringLiteral("%1 byte%2").arg(change.length).arg(change.length == 1 ? "" : "s"),
          HexBytes(clean.subspan(change.offset, change.length), kBytesShown),
          HexBytes(now.subspan(change.offset, change.length), kBytesShown)};
}

}  // namespace

ChangesWindow::ChangesWindow(const EditorContext& context, CleanRom clean, const QString& cleanPath,
                             QWidget* parent)
    : EditorWindow(context, parent),
      m_ui(std::make_unique<Ui::ChangesWindow>()),
      m_clean(std::move(clean)),
      m_cleanPath(cleanPath) {
  m_ui->setupUi(this);
  ShowCleanRom();
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
    m_ui->ChangesTRE->setColumnWidth(column, kColumnWidths[column]);
  }
  connect(m_ui->ChangesTRE, &QTreeWidget::itemSelectionChanged, this,
          [this] { m_ui->RevertCMD->setEnabled(!m_ui->ChangesTRE->selectedItems().isEmpty()); });
  connect(m_ui->RefreshCMD, &QPushButton::clicked, this, [this] { Refresh(false); });
  connect(m_ui->ChooseCleanCMD, &QPushButton::clicked, this, [this] { Refresh(true); });
  connect(m_ui->CreatePatchCMD, &QPushButton::clicked, this, &ChangesWindow::CreatePatch);
  BindButtons(*m_ui->RevertCMD, &ChangesWindow::RevertSelected, *m_ui->CloseCMD);
  RunQuietly([this] { ShowChanges(); });
}

ChangesWindow::~ChangesWindow() = default;

void ChangesWindow::ShowChanges() {
  QTreeWidget& tree = *m_ui->ChangesTRE;
  tree.clear();
  const std::vector<std::uint8_t> now = ReadRomFile(m_context.rom);
  LayOutLike(m_clean, now);
  m_changes = ListChanges(now, m_clean.file, m_context.text);
  QList<QTreeWidgetItem*> rows;
  std::size_t fields = 0;
  for (std::size_t i = 0; i < m_changes.size(); ++i) {
    auto* row = new QTreeWidgetItem(Columns(m_changes[i], m_clean.file, now));
    row->setData(0, Qt::UserRole, QVariant::fromValue(i));
    rows << row;
    if (!m_changes[i].table.empty()) ++fields;
  }
  tree.addTopLevelItems(rows);
  m_ui->StatusLBL->setText(
      m_changes.empty()
          ? QStringLiteral("The open ROM holds the clean ROM's bytes: nothing has changed.")
          : QStringLiteral("%1 changed fields, %2 other runs of changed bytes.")
                .arg(fields)
                .arg(m_changes.size() - fields));
}

// An unknown image may be the user's own base: it is taken, and said to be unknown.
void ChangesWindow::ShowCleanRom() {
  m_ui->CleanRomLBL->setText(QStringLiteral("Clean ROM: ") + QDir::toNativeSeparators(m_cleanPath));
  const std::uint32_t crc = Crc32(m_clean.Image());
  m_ui->CleanCrcLBL->setText(QStringLiteral("Its CRC32: ") + DumpDescription(crc) +
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
  for (const QTreeWidgetItem* row : m_ui->ChangesTRE->selectedItems()) {
    picked.push_back(row->data(0, Qt::UserRole).value<std::size_t>());
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
        .arg(c.length == 1 ? "" : "s", HexNumber(c.offset, 6));
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
      m_ui->ChangesTRE->topLevelItem(static_cast<int>(change))->setSelected(true);
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
