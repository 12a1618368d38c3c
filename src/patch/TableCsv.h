#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/CellText.h"
#include "data/Table.h"

namespace torvale {

// The columns of a table as CSV: "#" (the record's index), "Entry" (its name,
// as the editors' lists show it), then each field's label, and right after a
// field that shows an entry of a list a column "<label> #" holding the value
// as a plain number, so that a spreadsheet can sort and compute on it.
std::vector<std::string> CsvColumns(const Table& table);

// The whole table as CSV (RFC 4180, UTF-8 without a byte order mark, CRLF
// line ends): a header row of CsvColumns, then one row per record of
// `values`, in order, each value as the editors show it; empty where the
// record has no such field or no value. `values` holds every record of the
// table as ReadRecord reads it. Throws RomError when a list cannot be read.
std::string WriteTableCsv(const Table& table, std::span<const Record> values, ListEntries& lists);

// A cell of a CSV file that cannot be taken: the line of the file where its
// row starts (1 for a header on the first line), the column's title, the
// cell's text and why, said so that `"<text>" <why>` reads as a sentence. A
// refusal of a whole row names the column "#"; when its record with the
// row's edits cannot be written, `why` is RefusalOf's sentence.
struct CsvRefusal {
  std::size_t line;
  std::string column;
  std::string text;
  std::string why;

  bool operator==(const CsvRefusal&) const = default;
};
// A field of a record that the file gives another value.
struct CsvEdit {
  int record;
  std::size_t field;  // its index in the table's fields
  Value value;

  bool operator==(const CsvEdit&) const = default;
};
struct CsvReading {
  std::vector<CsvEdit> edits;        // in the order of the file; none when anything is refused
  std::vector<CsvRefusal> refusals;  // in the order of the file, the first kMostCsvRefusals
};
// A file refused on every row says so soon enough; reading stops there.
inline constexpr std::size_t kMostCsvRefusals = 100;

// Reads a table's CSV, as written above and edited in a spreadsheet. Rows are
// matched to records by "#" and cells to fields by the column's title: columns
// may come in any order and any but "#" may be missing; so may rows. Each cell
// reads as the editors read what is typed into a field (ReadCellText) against
// the record's value in `current`, and a cell that reads as another value is
// an edit. "Entry" is not read. Of a field's two columns the one that changed
// wins; changed to different values, they are refused (an entry that the
// number's value shows too agrees with it). A field that is only
// shown, or that the record does not have, keeps what the file was written
// with. A record with edits must still be one that can be written
// (RefusalOf). Blank lines and rows of empty cells are skipped, a UTF-8 byte
// order mark at the start too. The file is taken whole or not at all: when
// anything is refused there are no edits. Throws nothing for any bytes; a
// list that cannot be read throws RomError.
CsvReading ReadTableCsv(const Table& table, std::string_view csv, std::span<const Record> current,
                        ListEntries& lists);

}  // namespace torvale
