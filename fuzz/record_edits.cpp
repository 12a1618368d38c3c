// Sequences of edits on the sample image.
//
// The input is read as a series of edits, each a writer, a record and the
// field values to write (see RecordWriters), or now and then a text field at
// any offset. After each edit the file must keep its length, and no byte
// outside the edited record's fields may differ from the model: a copy of the
// file's bytes, brought up to date field by field after each edit.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "FuzzInput.h"
#include "RecordWriters.h"
#include "Require.h"
#include "ScratchRom.h"
#include "rom/RomError.h"

namespace torvale::fuzz {
namespace {

// Enough to mix every kind of edit; more would only slow each input down.
constexpr int kMostEdits = 24;
// How far past the end of the file a text field may start.
constexpr std::size_t kPastTheEnd = 256;

// The first offset outside `fields` whose byte differs, if any. Runs of
// bytes are compared with memcmp: a byte-wise loop here would be traced by
// the fuzzer's comparison hooks a megabyte at a time.
std::optional<std::size_t> FirstChangeOutside(std::span<const std::uint8_t> before,
                                              std::span<const std::uint8_t> after, Spans fields) {
  std::sort(fields.begin(), fields.end(),
            [](const Span& a, const Span& b) { return a.offset < b.offset; });
  const auto changeIn = [&](std::size_t from, std::size_t to) -> std::optional<std::size_t> {
    if (from >= to || std::memcmp(before.data() + from, after.data() + from, to - from) == 0) {
      return std::nullopt;
    }
    while (before[from] == after[from]) ++from;
    return from;
  };
  std::size_t from = 0;
  for (const Span& field : fields) {
    if (const auto change = changeIn(from, std::min<std::size_t>(field.offset, before.size()))) {
      return change;
    }
    from = std::max<std::size_t>(from, field.offset + field.length);
  }
  return changeIn(from, before.size());
}

// A text field anywhere in or just past the file: written exactly when it lies
// inside; a refused write changes nothing.
Spans EditAnyText(const EditScope& scope, FuzzInput& input) {
  const auto offset =
      static_cast<FileOffset>(input.Number(3) % (scope.before.size() + kPastTheEnd));
  const std::uint16_t length = input.Byte();
  const std::string text = input.Text();
  const bool inside = std::uint64_t{offset} + length <= scope.before.size();
  bool written = true;
  try {
    scope.codec.WriteText(scope.rom, offset, text, length);
  } catch (const RomRangeError&) {
    written = false;
  }
  Require(written == inside, "a text field is written exactly when it lies inside the file");
  if (!inside) return {};
  RequireTextWritten(scope, offset, length, text);
  return {{offset, length}};
}

// One edit; returns the bytes it was allowed to change and its name.
std::pair<Spans, std::string_view> Edit(const EditScope& scope, FuzzInput& input) {
  const auto writers = RecordWriters();
  const int choice = input.Below(static_cast<int>(writers.size()) + 1);
  if (choice == static_cast<int>(writers.size())) return {EditAnyText(scope, input), "text"};
  const RecordWriter& writer = writers[static_cast<std::size_t>(choice)];
  const int record = input.Below(writer.recordCount);
  writer.edit(scope, record, input);
  return {writer.fields(record), writer.name};
}

}  // namespace
}  // namespace torvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  ScratchRom& scratch = SharedScratchRom();
  scratch.Load(SampleImage());
  Bytes model = SampleImage();
  for (int edit = 0; edit < kMostEdits && !input.Empty(); ++edit) {
    const auto [fields, writer] = Edit({scratch.Rom(), scratch.Codec(), model}, input);
    Require(scratch.Rom().Size() == model.size() && scratch.Length() == model.size(),
            "no edit changes the file's length");
    const std::span<const std::uint8_t> after = scratch.View();
    if (const auto change = FirstChangeOutside(model, after, fields)) {
      std::fprintf(stderr, "the %.*s edit changed offset 0x%zX\n", static_cast<int>(writer.size()),
                   writer.data(), *change);
      Require(false, "an edit changes only its record's fields");
    }
    for (const Span& field : fields) {
      std::copy_n(after.begin() + field.offset, field.length, model.begin() + field.offset);
    }
  }
  return 0;
}
