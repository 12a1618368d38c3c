#include "ui/TableModel.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include "patch/ImageView.h"
#include "rom/RomError.h"
#include "rom/RomImage.h"
#include "ui/GameText.h"
#include "ui/RomSession.h"

namespace torvale::ui {
namespace {

const QColor kEditedColour(255, 236, 179);
const QColor kConflictColour(255, 205, 210);

bool IsWritten(const Field& field) {
  return field.access == Access::kWritten;
}

bool IsNumber(const Field& field) {
  return field.list == ListId::kNone && field.encoding != Encoding::kText &&
         field.encoding != Encoding::kBlankedText && field.encoding != Encoding::kPlainText;
}

}  // namespace

TableModel::TableModel(RomSession& session, const Table& table, QObject* parent)
    : QAbstractTableModel(parent),
      m_session(session),
      m_table(table),
      m_lists(session.Text(), session.Rom()) {
  // One read of the file, the records decoded from it in memory.
  const std::vector<std::uint8_t> file = ReadRomFile(session.Rom());
  const ImageView image(file);
  m_read.reserve(static_cast<std::size_t>(table.count));
  for (int record = 0; record < table.count; ++record) {
    m_read.push_back(ReadRecord(table, session.Text(), image.Rom(), record));
  }
  connect(&session, &RomSession::Changed, this, &TableModel::ShowChange);
}

const Field* TableModel::FieldAt(int column) const {
  const int field = column - kFirstFieldColumn;
  if (field < 0 || field >= static_cast<int>(m_table.fields.size())) return nullptr;
  return &m_table.fields[static_cast<std::size_t>(field)];
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_table.count;
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kFirstFieldColumn + static_cast<int>(m_table.fields.size());
}

const Record& TableModel::Shown(int record) const {
  const auto staged = m_staged.find(record);
  return staged != m_staged.end() ? staged->second : m_read[static_cast<std::size_t>(record)];
}

bool TableModel::Edited(int record, std::size_t field) const {
  const auto staged = m_staged.find(record);
  return staged != m_staged.end() && staged->second[field] != m_base.at(record)[field];
}

bool TableModel::Editable(int record, std::size_t field) const {
  const Field& f = m_table.fields[field];
  return IsWritten(f) && HasField(f, record) && IsUsed(m_table, Shown(record), field);
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int record = index.row();
  if (index.column() == 0) {
    if (role == Qt::DisplayRole || role == kSortRole) return record;
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
  auto& lists = const_cast<ListEntries&>(m_lists);
  if (index.column() == 1) {
    if (role != Qt::DisplayRole && role != kSortRole) return {};
    if (m_table.entries == ListId::kNone) return QString();
    return FromGameText(lists.Entry(m_table.entries, record));
  }
  const auto field = static_cast<std::size_t>(index.column() - kFirstFieldColumn);
  const Field& f = m_table.fields[field];
  if (!HasField(f, record))
    return role == Qt::BackgroundRole ? QVariant(QGuiApplication::palette().color(QPalette::Window))
                                      : QVariant();
  const Value& value = Shown(record)[field];
  const bool edited = Edited(record, field);
  switch (role) {
    case Qt::DisplayRole:
      if (IsOneBit(f)) return {};
      [[fallthrough]];
    case Qt::EditRole:
      return FromGameText(ShownValue(f, value, lists));
    case Qt::CheckStateRole:
      if (!IsOneBit(f)) return {};
      return std::get_if<std::int64_t>(&value) != nullptr && std::get<std::int64_t>(value) != 0
                 ? Qt::Checked
                 : Qt::Unchecked;
    case kSortRole:
      if (const auto* number = std::get_if<std::int64_t>(&value); number && IsNumber(f)) {
        return static_cast<qlonglong>(*number);
      }
      if (IsNumber(f)) return std::numeric_limits<qlonglong>::min();
      return FromGameText(ShownValue(f, value, lists));
    case kValueRole:
      if (const auto* number = std::get_if<std::int64_t>(&value))
        return static_cast<qlonglong>(*number);
      return {};
    case Qt::ToolTipRole:
      if (const auto* number = std::get_if<std::int64_t>(&value);
          number && f.list != ListId::kNone) {
        return QStringLiteral("Value %1").arg(*number);
      }
      return {};
    case Qt::TextAlignmentRole:
      if (IsNumber(f)) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    case Qt::BackgroundRole:
      if (edited && m_read[static_cast<std::size_t>(record)] != m_base.at(record)) {
        return kConflictColour;
      }
      if (edited) return kEditedColour;
      if (!IsWritten(f)) return QGuiApplication::palette().color(QPalette::Window);
      return {};
    case Qt::ForegroundRole:
      if (!IsWritten(f))
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
      return {};
    case Qt::FontRole:
      if (!edited) return {};
      {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
    default:
      return {};
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == 0) return QStringLiteral("#");
  if (section == 1) return QStringLiteral("Entry");
  const Field* field = FieldAt(section);
  if (field == nullptr) return {};
  return QString::fromLatin1(field->label.data(), static_cast<qsizetype>(field->label.size()));
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  const Field* field = FieldAt(index.column());
  if (field == nullptr ||
      !Editable(index.row(), static_cast<std::size_t>(index.column() - kFirstFieldColumn))) {
    return flags;
  }
  return flags | (IsOneBit(*field) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

CellReading TableModel::Read(const QModelIndex& index, const QString& text) {
  const Field* field = FieldAt(index.column());
  if (field == nullptr || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) {
    return {{}, "cannot be changed here"};
  }
  const auto column = static_cast<std::size_t>(index.column() - kFirstFieldColumn);
  return ReadCellText(*field, ToGameText(text), Shown(index.row())[column], m_lists);
}

QString TableModel::RefusalOf(const QModelIndex& index, const QString& text) {
  return QString::fromStdString(Read(index, text).refusal);
}

void TableModel::Stage(int record, std::size_t field, const Value& value) {
  const Record& read = m_read[static_cast<std::size_t>(record)];
  Record staged = Shown(record);
  staged[field] = value;
  const bool rebased = m_base.contains(record) && m_base.at(record) != read;
  if (staged == read && !rebased) {
    m_staged.erase(record);
    m_base.erase(record);
    return;
  }
  m_base.emplace(record, read);
  m_staged[record] = std::move(staged);
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  QString text = value.toString();
  if (role == kValueRole) return PickEntry(index, value);
  if (role == Qt::CheckStateRole) {
    text = value.value<Qt::CheckState>() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
  } else if (role != Qt::EditRole) {
    return false;
  }
  if (const auto refusal = StageAll({{index, text}})) {
    emit Refused(QStringLiteral("Row %1, %2: \"%3\" %4.")
                     .arg(refusal->index.row())
                     .arg(headerData(refusal->index.column(), Qt::Horizontal).toString(),
                          refusal->text, refusal->why));
    return false;
  }
  return true;
}

// An entry of a drop-down list, picked by its place: its value, or none for
// the list's closing entry where the field may hold none.
bool TableModel::PickEntry(const QModelIndex& index, const QVariant& entry) {
  const Field* field = FieldAt(index.column());
  if (field == nullptr || field->list == ListId::kNone || !(flags(index) & Qt::ItemIsEditable)) {
    return false;
  }
  const qlonglong picked = entry.toLongLong();
  Value value;
  if (picked >= 0 && picked < ValueCount(field->list)) {
    value = static_cast<std::int64_t>(picked);
  } else if (!MayHoldNothing(*field)) {
    return false;
  }
  Stage(index.row(), static_cast<std::size_t>(index.column() - kFirstFieldColumn), value);
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  return true;
}

std::optional<TableModel::PasteRefusal> TableModel::StageAll(const std::vector<CellText>& cells) {
  std::vector<Value> values;
  values.reserve(cells.size());
  for (const CellText& cell : cells) {
    CellReading reading = Read(cell.index, cell.text);
    if (!reading.refusal.empty()) {
      return PasteRefusal{cell.index, cell.text, QString::fromStdString(reading.refusal)};
    }
    values.push_back(std::move(reading.value));
  }
  int top = rowCount(), bottom = -1;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int record = cells[i].index.row();
    Stage(record, static_cast<std::size_t>(cells[i].index.column() - kFirstFieldColumn), values[i]);
    top = std::min(top, record);
    bottom = std::max(bottom, record);
  }
  if (bottom >= 0) emit dataChanged(index(top, 0), index(bottom, columnCount() - 1));
  return std::nullopt;
}

std::vector<Record> TableModel::ShownRecords() const {
  std::vector<Record> records;
  records.reserve(m_read.size());
  for (int record = 0; record < rowCount(); ++record) records.push_back(Shown(record));
  return records;
}

void TableModel::StageValues(const std::vector<FieldValue>& values) {
  if (values.empty()) return;
  for (const auto& [record, field, value] : values) Stage(record, field, value);
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

std::vector<int> TableModel::Conflicts() const {
  std::vector<int> records;
  for (const auto& [record, base] : m_base) {
    if (m_read[static_cast<std::size_t>(record)] != base) records.push_back(record);
  }
  return records;
}

std::optional<std::pair<int, std::string>> TableModel::FirstRefusal() const {
  for (const auto& [record, values] : m_staged) {
    if (auto reason = torvale::RefusalOf(m_table, values)) return std::pair{record, *reason};
  }
  return std::nullopt;
}

// Once written, the records are staged no more: the file holds them as their
// fields store them (an amount to its step, a name padded).
void TableModel::WriteStaged() {
  std::vector<NumberedRecord> records;
  records.reserve(m_staged.size());
  for (const auto& [record, values] : m_staged) records.push_back({record, &values});
  WriteRecords(m_table, m_session.Rom(), records);
  m_staged.clear();
  m_base.clear();
}

void TableModel::Discard() {
  if (m_staged.empty()) return;
  m_staged.clear();
  m_base.clear();
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// Rows nobody changed show what the file now holds; a staged record the file
// now holds whole is staged no more.
void TableModel::ShowChange(const RomChange& change) {
  try {
    for (const int record : RecordsChanged(m_table, change)) {
      Record now = ReadRecord(m_table, m_session.Text(), m_session.Rom(), record);
      const auto staged = m_staged.find(record);
      if (staged != m_staged.end() && staged->second == now) {
        m_staged.erase(staged);
        m_base.erase(record);
      }
      m_read[static_cast<std::size_t>(record)] = std::move(now);
    }
  } catch (const RomError& error) {
    emit Refused(QStringLiteral("The table could not be read again after the ROM changed: %1.  "
                                "The grid may not show what the file holds; close it and open it "
                                "again.")
                     .arg(QString::fromLocal8Bit(error.what())));
  }
  m_lists.Forget();  // a name may have changed
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace torvale::ui
