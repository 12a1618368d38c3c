#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "ScratchRom.h"
#include "rom/RomFile.h"
#include "text/TextCodec.h"

namespace torvale::fuzz {

// A run of bytes a writer may change.
struct Span {
  FileOffset offset;
  std::size_t length;
};
using Spans = std::vector<Span>;

// What one edit works on: the open file, the codec, and the file's bytes
// before the edit.
struct EditScope {
  RomFile& rom;
  const TextCodec& codec;
  const Bytes& before;
};

// One writer of the core, with the model of the bytes it owns.
struct RecordWriter {
  std::string_view name;
  int recordCount;
  // The fields of one record: the only bytes a write of that record may change.
  Spans (*fields)(int record);
  // Takes the field values from the input, writes the record, and requires
  // that it reads back what was written.
  void (*edit)(const EditScope& scope, int record, FuzzInput& input);
};

// Every writer the editor windows and the main window's Save call.
std::span<const RecordWriter> RecordWriters();

// The text codec's promise for one field: the text padded with spaces and cut
// to the field; a character without a byte leaves the byte that was there, or
// a space where the writer promises one.
void RequireTextWritten(const EditScope& scope, FileOffset offset, std::size_t length,
                        std::string_view text, bool unmappedAsSpace = false);

}  // namespace torvale::fuzz
