#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/Table.h"

namespace torvale {

class TextCodec;

// A field of a record given a value, as the editors take it.
struct FieldChange {
  const Table* table;
  int record;
  std::size_t field;  // its index in the table's fields
  Value value;

  bool operator==(const FieldChange&) const = default;
};

// Bytes of the game image that no table's written field holds, at their
// offset in the image (without copier header).
struct ByteRun {
  std::size_t offset;
  std::vector<std::uint8_t> bytes;

  bool operator==(const ByteRun&) const = default;
};

// The clean image a change set was made against.
struct CleanImageFacts {
  std::uint64_t size = 0;
  std::uint32_t crc32 = 0;
  std::string sha1;  // 40 lowercase hexadecimal digits; empty when not known

  bool operator==(const CleanImageFacts&) const = default;
};

// The differences between a clean game image and an edited one, named the
// way the editors name them: each written field of a table that holds another
// value, in the order of AllTables(), then of records, then of the table's
// fields; and each run of other changed bytes, in the order of the image.
// Applied to the clean image, it gives the edited one byte for byte.
struct ChangeSet {
  CleanImageFacts clean;
  std::string program;  // the program that made it: "Torvale 1.2"
  std::vector<FieldChange> fields;
  std::vector<ByteRun> runs;

  bool Empty() const { return fields.empty() && runs.empty(); }
  bool operator==(const ChangeSet&) const = default;
};

// The changes that turn `clean` into `edited`, two game images of the same
// size (without copier header). Throws RomError when a name list cannot be
// read, PatchError for images of different sizes.
ChangeSet ChangeSetOf(std::span<const std::uint8_t> clean, std::span<const std::uint8_t> edited,
                      const TextCodec& text);

// `image` with the changes put in it: each field's bytes as its table's
// writer makes them beside the values the image holds (a field that shares
// its bytes with another leaves the other's as they are), then each run's
// bytes. Fields and runs that lie past the image's end are refused
// (PatchError).
std::vector<std::uint8_t> AppliedTo(const ChangeSet& changes, std::span<const std::uint8_t> image,
                                    const TextCodec& text);

// The writes that put the changes into `image`, in the order of the image:
// the bytes of AppliedTo over each field's whole span and each run, spans
// that overlap or touch joined into one write, so that no field is split
// between writes. A span whose bytes would not change is left out.
std::vector<ByteRun> WritesApplying(const ChangeSet& changes, std::span<const std::uint8_t> image,
                                    const TextCodec& text);

}  // namespace torvale
