#include "patch/TableCsv.h"

#include <csv.h>

#include <algorithm>
#include <charconv>
#include <new>
#include <optional>
#include <utility>

namespace torvale {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What a column of the file holds.
struct Column {
  enum class Kind { kRecord, kEntry, kShown, kNumber } kind;
  std::size_t field = 0;
};

struct TitledColumn {
  std::string title;
  Column column;
};

std::vector<TitledColumn> TitledColumns(const Table& table) {
  std::vector<TitledColumn> columns = {{"#", {Column::Kind::kRecord}},
                                       {"Entry", {Column::Kind::kEntry}}};
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    const Field& field = table.fields[i];
    columns.push_back({std::string(field.label), {Column::Kind::kShown, i}});
    if (field.list != ListId::kNone) {
      columns.push_back({std::string(field.label) + " #", {Column::Kind::kNumber, i}});
    }
  }
  return columns;
}

// The field as its number column shows and reads it: the value, not its entry.
Field AsNumber(Field field) {
  field.list = ListId::kNone;
  return field;
}

void AppendRow(std::string& csv, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) csv += ',';
    const std::string& cell = cells[i];
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
      csv += cell;
      continue;
    }
    csv += '"';
    for (const char character : cell) {
      if (character == '"') csv += '"';
      csv += character;
    }
    csv += '"';
  }
  csv += "\r\n";
}

// The row libcsv is giving, cell by cell. An exception must not cross the
// library's C frames, so running out of memory is only noted.
struct PendingRow {
  std::vector<std::string> cells;
  bool ended = false;
  bool outOfMemory = false;
};

void AddCell(void* text, std::size_t length, void* row) {
  auto& pending = *static_cast<PendingRow*>(row);
  try {
    pending.cells.emplace_back(length == 0 ? std::string()
                                           : std::string(static_cast<const char*>(text), length));
  } catch (const std::bad_alloc&) {
    pending.outOfMemory = true;
  }
}

void EndRow(int, void* row) {
  static_cast<PendingRow*>(row)->ended = true;
}

// Spaces around a cell are part of it: a name may begin or end with one.
int NoSpace(unsigned char) {
  return 0;
}

// Where a file stops being CSV: its line, and the cell of the row it was in.
struct Break {
  std::size_t line;
  std::size_t cell;
};

class CsvParser {
 public:
  CsvParser() {
    csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_space_func(&m_parser, NoSpace);
  }
  ~CsvParser() { csv_free(&m_parser); }
  CsvParser(const CsvParser&) = delete;
  CsvParser& operator=(const CsvParser&) = delete;

  // Calls `take(line, cells)` for each row, with the line it starts on, until
  // it returns false. The file goes to libcsv a line at a time, so that each
  // row is known to start on the line fed first after the last row ended.
  template <typename Take>
  std::optional<Break> ReadRows(std::string_view csv, Take take) {
    PendingRow row;
    std::size_t line = 0;
    std::size_t rowLine = 0;  // 0 between rows
    for (std::size_t at = 0; at < csv.size();) {
      std::size_t end = csv.find_first_of("\r\n", at);
      if (end == std::string_view::npos) {
        end = csv.size();
      } else {
        end += csv.compare(end, 2, "\r\n") == 0 ? 2 : 1;
      }
      const std::string_view text = csv.substr(at, end - at);
      at = end;
      ++line;
      if (rowLine == 0) {
        if (text.find_first_not_of("\r\n") == std::string_view::npos) continue;
        rowLine = line;
      }
      if (csv_parse(&m_parser, text.data(), text.size(), AddCell, EndRow, &row) != text.size() ||
          row.outOfMemory) {
        return Break{line, row.cells.size()};
      }
      if (!row.ended) continue;
      if (!take(std::exchange(rowLine, 0), row.cells)) return std::nullopt;
      row = {};
    }
    if (csv_fini(&m_parser, AddCell, EndRow, &row) != 0 || row.outOfMemory) {
      return Break{rowLine, row.cells.size()};
    }
    if (row.ended) take(rowLine, row.cells);
    return std::nullopt;
  }

 private:
  csv_parser m_parser{};
};

class TableCsvReader {
 public:
  TableCsvReader(const Table& table, std::span<const Record> current, ListEntries& lists)
      : m_table(table),
        m_current(current),
        m_lists(lists),
        m_records(std::min<std::size_t>(static_cast<std::size_t>(std::max(table.count, 0)),
                                        current.size())),
        m_lineOf(m_records, 0),
        m_shownAt(table.fields.size()),
        m_numberAt(table.fields.size()) {}

  // Takes the file's next row; false once enough is refused to stop reading.
  bool Take(std::size_t line, const std::vector<std::string>& cells) {
    if (m_titles.empty()) {
      ReadHeader(line, cells);
    } else if (std::any_of(cells.begin(), cells.end(), [](const auto& c) { return !c.empty(); })) {
      ReadRow(line, cells);
    }
    return m_reading.refusals.size() < kMostCsvRefusals && m_recordAt;
  }

  void Broken(const Break& at) {
    const bool titled = !m_titles.empty() && at.cell < m_titles.size();
    Refuse(std::max<std::size_t>(at.line, 1), titled ? m_titles[at.cell] : std::string(), {},
           "breaks the quoting rules of CSV");
  }

  CsvReading Result() && {
    if (m_titles.empty()) Refuse(1, "#", {}, "is missing: rows are matched to records by it");
    if (!m_reading.refusals.empty()) m_reading.edits.clear();
    return std::move(m_reading);
  }

 private:
  void Refuse(std::size_t line, std::string column, std::string text, std::string why) {
    if (m_reading.refusals.size() == kMostCsvRefusals) return;
    m_reading.refusals.push_back({line, std::move(column), std::move(text), std::move(why)});
  }

  void ReadHeader(std::size_t line, const std::vector<std::string>& titles) {
    m_titles = titles;
    const std::vector<TitledColumn> known = TitledColumns(m_table);
    for (std::size_t i = 0; i < titles.size(); ++i) {
      const std::string& title = titles[i];
      const auto column = std::find_if(known.begin(), known.end(),
                                       [&](const TitledColumn& c) { return c.title == title; });
      if (column == known.end()) {
        Refuse(line, title, title, "no column of this table has this title");
      } else if (std::find(titles.begin(), titles.begin() + static_cast<long>(i), title) !=
                 titles.begin() + static_cast<long>(i)) {
        Refuse(line, title, title, "is the title of an earlier column too");
      } else if (column->column.kind == Column::Kind::kRecord) {
        m_recordAt = i;
      } else if (column->column.kind == Column::Kind::kShown) {
        m_shownAt[column->column.field] = i;
      } else if (column->column.kind == Column::Kind::kNumber) {
        m_numberAt[column->column.field] = i;
      }
    }
    if (!m_recordAt) Refuse(line, "#", {}, "is missing: rows are matched to records by it");
  }

  void ReadRow(std::size_t line, const std::vector<std::string>& cells) {
    const std::string& number = *m_recordAt < cells.size() ? cells[*m_recordAt] : std::string();
    if (cells.size() != m_titles.size()) {
      Refuse(line, "#", number,
             "starts a row of " + std::to_string(cells.size()) + " cells where the header has " +
                 std::to_string(m_titles.size()));
      return;
    }
    std::size_t record = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), record);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        record >= m_records) {
      Refuse(line, "#", number, "no record has this number");
      return;
    }
    if (m_lineOf[record] != 0) {
      Refuse(line, "#", number,
             "is the number of the row on line " + std::to_string(m_lineOf[record]) + " too");
      return;
    }
    m_lineOf[record] = line;
    const Record& was = m_current[record];
    Record now = was;
    bool changed = false;
    for (std::size_t i = 0; i < m_table.fields.size(); ++i) {
      const std::optional<Value> value = ReadField(line, cells, static_cast<int>(record), i);
      if (!value || *value == was[i]) continue;
      now[i] = *value;
      m_reading.edits.push_back({static_cast<int>(record), i, *value});
      changed = true;
    }
    if (!changed) return;
    if (const auto why = RefusalOf(m_table, now)) Refuse(line, "#", number, *why);
  }

  // The value the cells of field `i` give the record; nothing when refused.
  std::optional<Value> ReadField(std::size_t line, const std::vector<std::string>& cells,
                                 int record, std::size_t i) {
    const Field& field = m_table.fields[i];
    const Value& was = m_current[static_cast<std::size_t>(record)][i];
    const auto read = [&](std::optional<std::size_t> column,
                          const Field& as) -> std::optional<Value> {
      if (!column) return was;
      const std::string& text = cells[*column];
      const std::string& title = m_titles[*column];
      if (!HasField(field, record)) {
        if (text.empty()) return was;
        Refuse(line, title, text, "must be empty: this record has no such field");
        return std::nullopt;
      }
      CellReading reading = ReadCellText(as, text, was, m_lists);
      if (field.access == Access::kShown && (!reading.refusal.empty() || reading.value != was)) {
        Refuse(line, title, text, "is only shown and cannot be changed");
        return std::nullopt;
      }
      if (!reading.refusal.empty()) {
        Refuse(line, title, text, std::move(reading.refusal));
        return std::nullopt;
      }
      return std::move(reading.value);
    };
    const std::optional<Value> shown = read(m_shownAt[i], field);
    const std::optional<Value> number = read(m_numberAt[i], AsNumber(field));
    if (!shown || !number) return std::nullopt;
    if (*number == was) return shown;
    // An entry that several values show reads as the first of them, unless
    // read against one of them: against the number, it agrees with it.
    if (*shown != was &&
        ReadCellText(field, cells[*m_shownAt[i]], *number, m_lists).value != *number) {
      Refuse(line, m_titles[*m_numberAt[i]], cells[*m_numberAt[i]],
             "names another value than the column \"" + std::string(field.label) + "\"");
      return std::nullopt;
    }
    return number;
  }

  const Table& m_table;
  std::span<const Record> m_current;
  ListEntries& m_lists;
  std::size_t m_records;                               // how many records rows may name
  std::vector<std::size_t> m_lineOf;                   // the line of each record's row, 0 before it
  std::vector<std::string> m_titles;                   // the header's, empty before it
  std::optional<std::size_t> m_recordAt;               // the column of "#"
  std::vector<std::optional<std::size_t>> m_shownAt;   // each field's column
  std::vector<std::optional<std::size_t>> m_numberAt;  // each field's "<label> #" column
  CsvReading m_reading;
};

}  // namespace

std::vector<std::string> CsvColumns(const Table& table) {
  std::vector<std::string> titles;
  for (TitledColumn& column : TitledColumns(table)) titles.push_back(std::move(column.title));
  return titles;
}

std::string WriteTableCsv(const Table& table, std::span<const Record> values, ListEntries& lists) {
  std::string csv;
  AppendRow(csv, CsvColumns(table));
  std::vector<std::string> cells;
  for (std::size_t record = 0; record < values.size(); ++record) {
    const int index = static_cast<int>(record);
    cells = {std::to_string(record),
             table.entries == ListId::kNone ? std::string() : lists.Entry(table.entries, index)};
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
      const Field& field = table.fields[i];
      const bool has = HasField(field, index);
      cells.push_back(has ? ShownValue(field, values[record][i], lists) : std::string());
      if (field.list == ListId::kNone) continue;
      cells.push_back(has ? ShownValue(AsNumber(field), values[record][i], lists) : std::string());
    }
    AppendRow(csv, cells);
  }
  return csv;
}

CsvReading ReadTableCsv(const Table& table, std::string_view csv, std::span<const Record> current,
                        ListEntries& lists) {
  if (csv.starts_with(kByteOrderMark)) csv.remove_prefix(kByteOrderMark.size());
  TableCsvReader reader(table, current, lists);
  CsvParser parser;
  const std::optional<Break> broken =
      parser.ReadRows(csv, [&](std::size_t line, const std::vector<std::string>& cells) {
        return reader.Take(line, cells);
      });
  if (broken) reader.Broken(*broken);
  return std::move(reader).Result();
}

}  // namespace torvale
