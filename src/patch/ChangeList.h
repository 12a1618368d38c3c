#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rom/RomFile.h"

namespace torvale {

class TextCodec;
struct Table;

// A difference between the clean ROM and the open one: a field of a table
// whose value differs, named and shown as the editors show it, or a run of
// changed bytes that no listed field holds.
struct Change {
  std::string table;  // "Items"; empty for a run of bytes
  std::string entry;  // the record's entry, as the open ROM names it: "Dunnox"
  std::string field;  // "Price"
  std::string clean;  // "7000"
  std::string now;    // "9000"
  FileOffset offset;  // the bytes that hold it
  std::size_t length;
  // The field: its table (none for a run of bytes), record and place in the table.
  const Table* source = nullptr;
  int record = 0;
  std::size_t fieldIndex = 0;
};

// Every difference between `open` and `clean`, two files of the same length
// laid out alike (LayOutLike): the fields of every table in the tables'
// order, then the runs of changed bytes that no listed field holds. A byte
// shared by two tables is listed once, under the first.
std::vector<Change> ListChanges(std::span<const std::uint8_t> open,
                                std::span<const std::uint8_t> clean, const TextCodec& text);

}  // namespace torvale
