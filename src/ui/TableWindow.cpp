#include "ui/TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>
#include <functional>

#include "data/CellText.h"
#include "data/Search.h"
#include "patch/OutputFile.h"
#include "patch/PatchError.h"
#include "patch/TableCsv.h"
#include "rom/RomError.h"
#include "rom/Version.h"
#include "ui/DurableStep.h"
#include "ui/HistoryKeys.h"
#include "ui/PlacesWindow.h"
#include "ui/Platform.h"
#include "ui/RomSession.h"
#include "ui/RowFilter.h"
#include "ui/TableDelegate.h"
#include "ui/TableModel.h"
#include "ui_TableWindow.h"

namespace torvale::ui {
namespace {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kRowPadding = 6;
constexpr int kColumnPadding = 24;        // room for the sort arrow
constexpr std::size_t kWidestEntry = 28;  // characters shown of a list's entries

// How many characters a column's values take at most: a number's digits, a
// name's length, a list's longest entry (up to a limit).
std::size_t CharactersOf(const Field& field, ListEntries& lists) {
  if (field.list != ListId::kNone) {
    std::size_t widest = 0;
    for (const std::string& entry : lists.Of(field.list)) widest = std::max(widest, entry.size());
    return std::min(widest, kWidestEntry);
  }
  if (field.encoding == Encoding::kText || field.encoding == Encoding::kBlankedText)
    return field.width;
  return std::max(std::to_string(field.maximum).size(), std::to_string(field.minimum).size());
}
const QString kCsvType = QStringLiteral("CSV File (*.csv)");
const QString kCsvFilter = kCsvType + QStringLiteral("|*.csv");

// Where the grid's column widths and order are kept, per table.
QString HeaderKey(const Table& table) {
  return QStringLiteral("TableWindows/") + Latin1(table.name);
}

// What a cell shows as text: what its box would hold, or its caption.
QString CellText(const QModelIndex& index) {
  const QVariant edit = index.data(Qt::EditRole);
  if (edit.isValid()) return edit.toString();
  return index.data(Qt::DisplayRole).toString();
}

}  // namespace

TableWindow::TableWindow(RomSession& session, Platform& platform, const Table& table,
                         QWidget* parent)
    : QMainWindow(parent),
      m_ui(std::make_unique<Ui::TableWindow>()),
      m_session(session),
      m_platform(platform),
      m_model(new TableModel(session, table, this)),
      m_rows(new RowFilter(this)) {
  m_ui->setupUi(this);
  setObjectName(QStringLiteral("TableWindow"));
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Latin1(table.name));
  m_rows->setSourceModel(m_model);
  QTableView& grid = *m_ui->TableGRD;
  grid.setModel(m_rows);
  grid.setItemDelegate(new TableDelegate(*m_model, TypedLengthsOf(table), this));
  // A row a line high; columns as wide as their titles and their first rows' values.
  grid.verticalHeader()->hide();
  grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + kRowPadding);
  grid.horizontalHeader()->setSectionsMovable(true);
  SizeColumns();
  grid.sortByColumn(-1, Qt::AscendingOrder);  // the file's order until a column is clicked
  const QByteArray header = m_platform.Settings().value(HeaderKey(table)).toByteArray();
  if (!header.isEmpty()) grid.horizontalHeader()->restoreState(header);
  ConnectCommands();
  ShowStatus();
}

TableWindow::~TableWindow() = default;

const Table& TableWindow::Fields() const {
  return m_model->Fields();
}

void TableWindow::ConnectCommands() {
  QTableView& grid = *m_ui->TableGRD;
  const auto addAction = [&](const QString& caption, const QList<QKeySequence>& keys,
                             const std::function<void()>& slot) {
    auto* action = new QAction(caption, &grid);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid.addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  addAction(QStringLiteral("&Copy"), QKeySequence::keyBindings(QKeySequence::Copy),
            [this] { CopyCells(); });
  addAction(QStringLiteral("&Paste"), QKeySequence::keyBindings(QKeySequence::Paste),
            [this] { PasteCells(); });
  if (IsNamedElsewhere(Fields())) {
    addAction(QStringLiteral("Where &Used"), {QKeySequence(Qt::CTRL | Qt::Key_U)}, [this] {
      ShowWhereUsed();
    })->setObjectName(QStringLiteral("mnuWhereUsed"));
  }
  // The ROM's history, as in every window.
  addAction(QStringLiteral("&Undo"), UndoKeys(), [this] { m_session.Steps().Undo(); });
  addAction(QStringLiteral("&Redo"), RedoKeys(), [this] { m_session.Steps().Redo(); });

  connect(m_ui->FilterTXT, &QLineEdit::textChanged, this, [this](const QString& text) {
    m_rows->SetText(text);
    ShowStatus();
  });
  connect(m_ui->ApplyCMD, &QPushButton::clicked, this, &TableWindow::Apply);
  connect(m_ui->ExportCMD, &QPushButton::clicked, this, &TableWindow::ExportCsv);
  connect(m_ui->ImportCMD, &QPushButton::clicked, this, &TableWindow::ImportCsv);
  connect(m_ui->RevertCMD, &QPushButton::clicked, m_model, &TableModel::Discard);
  connect(m_model, &TableModel::dataChanged, this, &TableWindow::ShowStatus);
  connect(m_model, &TableModel::Refused, this, &TableWindow::Tell);
  connect(&m_session, &RomSession::Closed, this, [this] {
    m_model->Discard();  // the ROM is gone, and what was not applied with it
    close();
  });
}

// Each column as wide as its title and its widest value, reckoned from the
// field rather than measured cell by cell.
void TableWindow::SizeColumns() {
  QHeaderView& header = *m_ui->TableGRD->horizontalHeader();
  const QFontMetrics text = m_ui->TableGRD->fontMetrics();
  const int digit = text.horizontalAdvance(u'0');
  ListEntries& lists = m_model->Lists();
  for (int column = 0; column < m_model->columnCount(); ++column) {
    std::size_t characters = std::to_string(m_model->rowCount()).size();
    if (column == 1)
      characters = Fields().entries == ListId::kNone
                       ? 0
                       : CharactersOf(Field{.list = Fields().entries}, lists);
    if (const Field* field = m_model->FieldAt(column)) characters = CharactersOf(*field, lists);
    const int title = header.fontMetrics().horizontalAdvance(
        m_model->headerData(column, Qt::Horizontal).toString());
    header.resizeSection(column,
                         std::max(title, digit * static_cast<int>(characters)) + kColumnPadding);
  }
}

void TableWindow::ShowStatus() {
  const int staged = m_model->StagedRecordCount();
  m_ui->ApplyCMD->setEnabled(staged > 0);
  m_ui->RevertCMD->setEnabled(staged > 0);
  QString status =
      QStringLiteral("%1 of %2 rows shown").arg(m_rows->rowCount()).arg(m_model->rowCount());
  if (staged > 0) status += QStringLiteral("; %1 changed, not applied").arg(staged);
  statusBar()->showMessage(status);
}

void TableWindow::Tell(const QString& text) {
  m_platform.ShowMessage(this, MessageIcon::kExclamation, QString::fromLatin1(kProgramName), text);
}

void TableWindow::ShowRecord(int record) {
  QModelIndex row = m_rows->mapFromSource(m_model->index(record, 0));
  if (!row.isValid()) {
    m_ui->FilterTXT->clear();
    row = m_rows->mapFromSource(m_model->index(record, 0));
  }
  m_ui->TableGRD->selectRow(row.row());
  m_ui->TableGRD->scrollTo(row);
}

// Refused, naming the rows, when the file changed under changed cells since
// they were read, or when a record cannot be written; else one step.
bool TableWindow::Apply() {
  if (!m_model->HasStaged()) return true;
  const std::vector<int> conflicts = m_model->Conflicts();
  if (!conflicts.empty()) {
    QStringList rows;
    for (const int record : conflicts) rows << QString::number(record);
    Tell(QStringLiteral("The ROM changed under the changes of rows %1 since they were read: "
                        "discard them, or make them again over what the file holds now.\r\n\r\n"
                        "Nothing was written.")
             .arg(rows.join(QStringLiteral(", "))));
    return false;
  }
  if (const auto refusal = m_model->FirstRefusal()) {
    Tell(QStringLiteral("Row %1: %2\r\n\r\nNothing was written.")
             .arg(refusal->first)
             .arg(QString::fromStdString(refusal->second)));
    return false;
  }
  const int records = m_model->StagedRecordCount();
  const QString name = QStringLiteral("%1 table: %2 record%3")
                           .arg(Latin1(Fields().name))
                           .arg(records)
                           .arg(records == 1 ? "" : "s");
  WriteDurableStep(m_session, m_platform, this, name, [this] { m_model->WriteStaged(); });
  ShowStatus();
  return !m_model->HasStaged();
}

void TableWindow::closeEvent(QCloseEvent* event) {
  if (m_model->HasStaged()) {
    switch (m_platform.AskAboutPendingChanges(
        this, QString::fromLatin1(kProgramName),
        QStringLiteral("The %1 table has changes not applied to the ROM.").arg(windowTitle()))) {
      case PendingChoice::kApply:
        if (Apply()) break;
        [[fallthrough]];
      case PendingChoice::kCancel:
        event->ignore();
        return;
      case PendingChoice::kDiscard:
        m_model->Discard();
        break;
    }
  }
  m_platform.Settings().setValue(HeaderKey(Fields()),
                                 m_ui->TableGRD->horizontalHeader()->saveState());
  m_platform.Settings().sync();
  event->accept();
}

// The selected cells' rectangle as tab-separated rows, as spreadsheets paste them.
void TableWindow::CopyCells() {
  const QModelIndexList cells = m_ui->TableGRD->selectionModel()->selectedIndexes();
  if (cells.isEmpty()) return;
  const QHeaderView& header = *m_ui->TableGRD->horizontalHeader();
  int top = cells[0].row(), bottom = top, left = header.visualIndex(cells[0].column()),
      right = left;
  for (const QModelIndex& cell : cells) {
    top = std::min(top, cell.row());
    bottom = std::max(bottom, cell.row());
    left = std::min(left, header.visualIndex(cell.column()));
    right = std::max(right, header.visualIndex(cell.column()));
  }
  QStringList rows;
  for (int row = top; row <= bottom; ++row) {
    QStringList texts;
    for (int visual = left; visual <= right; ++visual) {
      texts << CellText(m_rows->index(row, header.logicalIndex(visual)));
    }
    rows << texts.join(u'\t');
  }
  QApplication::clipboard()->setText(rows.join(u'\n') + u'\n');
}

// Tab-separated rows from the current cell on, or one value into every
// selected cell: each value checked as typing would check it, and nothing
// taken when one is refused.
void TableWindow::PasteCells() {
  QString text = QApplication::clipboard()->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (text.endsWith(u'\n')) text.chop(1);
  QList<QStringList> rows;
  for (const QString& row : text.split(u'\n')) rows << row.split(u'\t');
  std::vector<TableModel::CellText> cells;
  const QHeaderView& header = *m_ui->TableGRD->horizontalHeader();
  const QModelIndexList selected = m_ui->TableGRD->selectionModel()->selectedIndexes();
  if (rows.size() == 1 && rows[0].size() == 1 && selected.size() > 1) {
    for (const QModelIndex& cell : selected)
      cells.push_back({m_rows->mapToSource(cell), rows[0][0]});
  } else {
    const QModelIndex start = m_ui->TableGRD->currentIndex();
    if (!start.isValid()) return;
    for (qsizetype r = 0; r < rows.size(); ++r) {
      for (qsizetype c = 0; c < rows[r].size(); ++c) {
        const int row = start.row() + static_cast<int>(r);
        const int visual = header.visualIndex(start.column()) + static_cast<int>(c);
        const QModelIndex cell =
            row < m_rows->rowCount() && visual < header.count()
                ? m_rows->mapToSource(m_rows->index(row, header.logicalIndex(visual)))
                : QModelIndex();
        if (!cell.isValid()) {
          Tell(
              QStringLiteral("Nothing was pasted: the text reaches past the grid's last "
                             "row or column."));
          return;
        }
        cells.push_back({cell, rows[r][c]});
      }
    }
  }
  if (const auto refusal = m_model->StageAll(cells)) {
    Tell(QStringLiteral("Nothing was pasted: row %1, column \"%2\": \"%3\" %4.")
             .arg(refusal->index.row())
             .arg(m_model->headerData(refusal->index.column(), Qt::Horizontal).toString(),
                  refusal->text, refusal->why));
  }
}

// The whole table as the grid shows it, written safely: never over the ROM.
void TableWindow::ExportCsv() {
  QString type = kCsvType;
  const QString path =
      m_platform.AskSaveFileName(this, QStringLiteral("Export CSV"), kCsvFilter, type);
  if (path.isEmpty()) return;
  try {
    const std::string csv = WriteTableCsv(Fields(), m_model->ShownRecords(), m_model->Lists());
    const std::filesystem::path rom[] = {m_session.Rom().Path()};
    WriteOutputFile(path.toStdString(),
                    std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()), rom,
                    "CSV file");
    statusBar()->showMessage(QStringLiteral("Exported %1 rows to \"%2\".")
                                 .arg(m_model->rowCount())
                                 .arg(QDir::toNativeSeparators(path)));
  } catch (const PatchNotDurableError& error) {
    Tell(QString::fromLocal8Bit(error.what()));
  } catch (const RomError& error) {
    Tell(QString::fromLocal8Bit(error.what()) + QStringLiteral("\r\n\r\nNo file was written."));
  }
}

// A file edited in a spreadsheet: its cells that differ are marked as
// changed, to be applied or discarded; a file with any cell refused is
// refused whole, every refused cell named.
void TableWindow::ImportCsv() {
  const QString path = m_platform.AskOpenFileName(
      this, kCsvFilter + QStringLiteral("|All Files (*.*)|*.*"), kCsvType);
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Tell(QStringLiteral("\"%1\" could not be read: %2.")
             .arg(QDir::toNativeSeparators(path), file.errorString()));
    return;
  }
  const QByteArray bytes = file.readAll();
  CsvReading reading;
  try {
    reading = ReadTableCsv(
        Fields(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        m_model->ShownRecords(), m_model->Lists());
  } catch (const RomError& error) {
    Tell(
        QStringLiteral("The ROM could not be read: %1.").arg(QString::fromLocal8Bit(error.what())));
    return;
  }
  if (!reading.refusals.empty()) {
    QStringList lines;
    for (const CsvRefusal& refusal : reading.refusals) {
      lines << QStringLiteral("Line %1, %2: \"%3\" %4.")
                   .arg(refusal.line)
                   .arg(QString::fromStdString(refusal.column),
                        QString::fromStdString(refusal.text), QString::fromStdString(refusal.why));
    }
    Tell(QStringLiteral("\"%1\" was not taken; nothing of it was marked as changed:\r\n\r\n%2")
             .arg(QDir::toNativeSeparators(path), lines.join(QStringLiteral("\r\n"))));
    return;
  }
  std::vector<TableModel::FieldValue> values;
  for (CsvEdit& edit : reading.edits)
    values.push_back({edit.record, edit.field, std::move(edit.value)});
  m_model->StageValues(values);
  statusBar()->showMessage(
      QStringLiteral("%1 cells of \"%2\" differ from the table: marked as changed.")
          .arg(values.size())
          .arg(QDir::toNativeSeparators(path)));
}

void TableWindow::ShowWhereUsed() {
  const QModelIndex current = m_ui->TableGRD->currentIndex();
  if (!current.isValid()) return;
  const int record = m_rows->mapToSource(current).row();
  std::vector<FieldOfRecord> uses;
  try {
    uses = WhereUsed(Fields(), record, m_session.Text(), m_session.Rom());
  } catch (const RomError& error) {
    Tell(
        QStringLiteral("The ROM could not be read: %1.").arg(QString::fromLocal8Bit(error.what())));
    return;
  }
  auto* window = PlacesWindow::ForUses(
      m_session, QStringLiteral("Where Used: %1").arg(m_model->index(record, 1).data().toString()),
      uses, this);
  connect(window, &PlacesWindow::OpenTableAt, this, &TableWindow::OpenTableAt);
  window->show();
}

}  // namespace torvale::ui
