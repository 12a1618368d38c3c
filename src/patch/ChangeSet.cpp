#include "patch/ChangeSet.h"

#include <algorithm>
#include <map>
#include <optional>

#include "data/Tables.h"
#include "patch/ImageDiff.h"
#include "patch/ImageView.h"
#include "patch/PatchError.h"
#include "rom/MemoryRomIo.h"
#include "rom/RomImage.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

bool IsWritten(const Field& field) {
  return field.access == Access::kWritten;
}

struct Span {
  std::size_t offset;
  std::size_t length;
  bool Overlaps(const Span& other) const {
    return offset < other.offset + other.length && other.offset < offset + length;
  }
};

Span SpanOf(const Field& field, int record) {
  return {FieldOffset(field, record), field.width};
}

bool Fits(const Field& field, int record, std::size_t fileSize) {
  return FieldOffset(field, record) + std::size_t{field.width} <= fileSize;
}

// The changed runs of the images, to skip the records they do not reach.
class ChangedBytes {
 public:
  ChangedBytes(std::span<const std::uint8_t> clean, std::span<const std::uint8_t> edited)
      : m_runs(torvale::DiffImages(clean, edited)) {}
  // Whether any byte of the file span (copier header counted) changed.
  bool Reach(const Span& span) const {
    const auto after = std::upper_bound(m_runs.begin(), m_runs.end(), span.offset,
                                        [](std::size_t at, const ChangedRun& run) {
                                          return at < kCopierHeaderSize + run.offset + run.length;
                                        });
    return after != m_runs.end() && kCopierHeaderSize + after->offset < span.offset + span.length;
  }

 private:
  std::vector<ChangedRun> m_runs;
};

}  // namespace

ChangeSet ChangeSetOf(std::span<const std::uint8_t> clean, std::span<const std::uint8_t> edited,
                      const TextCodec& text) {
  const ChangedBytes changed(clean, edited);
  const ImageView was({}, clean), now({}, edited);
  const std::size_t fileSize = kCopierHeaderSize + clean.size();
  ChangeSet changes;
  // A byte two tables hold is changed under the first; a record's fields
  // that share bytes (a chest's kind and its item) all go in.
  std::vector<std::pair<const Table*, Span>> claimed;
  for (const Table* table : AllTables()) {
    for (int record = 0; record < table->count; ++record) {
      std::optional<Record> before, after;
      for (std::size_t i = 0; i < table->fields.size(); ++i) {
        const Field& field = table->fields[i];
        if (!IsWritten(field) || !HasField(field, record) ||
            !Fits(field, record, fileSize) || !changed.Reach(SpanOf(field, record))) {
          continue;
        }
        const Span span = SpanOf(field, record);
        if (std::any_of(claimed.begin(), claimed.end(), [&](const auto& claim) {
              const auto& [owner, other] = claim;
              return owner != table && other.offset <= span.offset &&
                     span.offset + span.length <= other.offset + other.length;
            })) {
          continue;
        }
        if (!before) {
          before = ReadRecord(*table, text, was.Rom(), record);
          after = ReadRecord(*table, text, now.Rom(), record);
        }
        const Value& value = (*after)[i];
        if (value == (*before)[i] || std::holds_alternative<std::monostate>(value)) continue;
        changes.fields.push_back({table, record, i, value});
        claimed.emplace_back(table, span);
      }
    }
  }
  // A value that its field's writer would store as other bytes (a name that
  // holds the byte read as "..") is left to the runs, which give the bytes
  // as they are; so is a field that shares its bytes with one.
  const auto differs = [&](const std::vector<std::uint8_t>& image, const FieldChange& change) {
    const Span span = SpanOf(change.table->fields[change.field], change.record);
    const auto at = static_cast<std::ptrdiff_t>(span.offset - kCopierHeaderSize);
    return !std::equal(image.begin() + at, image.begin() + at + static_cast<std::ptrdiff_t>(span.length),
                       edited.begin() + at);
  };
  std::vector<std::uint8_t> fieldsOnly = AppliedTo(changes, clean, text);
  if (std::erase_if(changes.fields,
                    [&](const FieldChange& change) { return differs(fieldsOnly, change); }) > 0) {
    fieldsOnly = AppliedTo(changes, clean, text);
  }
  // What the fields do not give, byte for byte, the runs give.
  for (const ChangedRun& run : torvale::DiffImages(fieldsOnly, edited)) {
    const auto first = edited.begin() + static_cast<std::ptrdiff_t>(run.offset);
    changes.runs.push_back({run.offset, {first, first + static_cast<std::ptrdiff_t>(run.length)}});
  }
  return changes;
}

std::vector<std::uint8_t> AppliedTo(const ChangeSet& changes, std::span<const std::uint8_t> image,
                                    const TextCodec& text) {
  MemoryRomIo io(LaidOutImage(image));
  RomFile file(io);
  file.Open(io.path);
  std::map<std::pair<const Table*, int>, std::vector<const FieldChange*>> records;
  for (const FieldChange& change : changes.fields) {
    if (change.field >= change.table->fields.size() || change.record < 0 ||
        change.record >= change.table->count ||
        !Fits(change.table->fields[change.field], change.record, io.bytes.size())) {
      throw PatchError("A change names a field past the image's end.");
    }
    records[{change.table, change.record}].push_back(&change);
  }
  for (const auto& [key, fields] : records) {
    const auto& [table, record] = key;
    Record values = ReadRecord(*table, text, file, record);
    std::vector<Span> spans;
    for (const FieldChange* change : fields) {
      values[change->field] = change->value;
      spans.push_back(SpanOf(table->fields[change->field], record));
    }
    if (const auto refusal = RefusalOf(*table, values)) {
      throw PatchError("The changes of " + std::string(table->name) + " record " +
                       std::to_string(record) + " cannot be written: " + *refusal);
    }
    // The record's other fields keep their bytes as they are, where they do
    // not share them with a changed field.
    std::vector<std::pair<Span, std::vector<std::uint8_t>>> kept;
    for (const Field& field : table->fields) {
      const Span span = SpanOf(field, record);
      if (!IsWritten(field) || std::any_of(spans.begin(), spans.end(),
                                           [&](const Span& s) { return s.Overlaps(span); })) {
        continue;
      }
      kept.emplace_back(span, file.ReadBytes(static_cast<FileOffset>(span.offset), span.length));
    }
    WriteRecord(*table, file, record, values);
    for (const auto& [span, bytes] : kept) {
      std::copy(bytes.begin(), bytes.end(),
                io.bytes.begin() + static_cast<std::ptrdiff_t>(span.offset));
    }
  }
  for (const ByteRun& run : changes.runs) {
    if (run.offset + run.bytes.size() > image.size()) {
      throw PatchError("A run of bytes lies past the image's end.");
    }
    std::copy(run.bytes.begin(), run.bytes.end(),
              io.bytes.begin() + static_cast<std::ptrdiff_t>(kCopierHeaderSize + run.offset));
  }
  std::vector<std::uint8_t> applied = std::move(io.bytes);
  applied.erase(applied.begin(), applied.begin() + kCopierHeaderSize);
  return applied;
}

std::vector<ByteRun> WritesApplying(const ChangeSet& changes, std::span<const std::uint8_t> image,
                                    const TextCodec& text) {
  const std::vector<std::uint8_t> target = AppliedTo(changes, image, text);
  std::vector<Span> spans;  // in the image, without copier header
  for (const FieldChange& change : changes.fields) {
    const Span span = SpanOf(change.table->fields[change.field], change.record);
    spans.push_back({span.offset - kCopierHeaderSize, span.length});
  }
  for (const ByteRun& run : changes.runs) spans.push_back({run.offset, run.bytes.size()});
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.offset < b.offset; });
  std::vector<ByteRun> writes;
  const auto add = [&](const Span& span) {
    const auto at = static_cast<std::ptrdiff_t>(span.offset);
    const auto end = at + static_cast<std::ptrdiff_t>(span.length);
    if (std::equal(target.begin() + at, target.begin() + end, image.begin() + at)) return;
    writes.push_back({span.offset, {target.begin() + at, target.begin() + end}});
  };
  std::optional<Span> joined;
  for (const Span& span : spans) {
    if (joined && span.offset <= joined->offset + joined->length) {
      joined->length = std::max(joined->length, span.offset + span.length - joined->offset);
      continue;
    }
    if (joined) add(*joined);
    joined = span;
  }
  if (joined) add(*joined);
  return writes;
}

}  // namespace torvale
