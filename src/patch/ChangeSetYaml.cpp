#include "patch/ChangeSetYaml.h"

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "data/Tables.h"
#include "patch/PatchError.h"

namespace torvale {
namespace {

constexpr int kVersion = 1;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
// A text longer than this is cut where a message quotes it.
constexpr std::size_t kLongestQuote = 40;

std::string Hex(std::uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0xF];
  }
  return text;
}

std::string Quoted(std::string_view text) {
  if (text.size() <= kLongestQuote) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, kLongestQuote)) + "...\"";
}

// How messages name a field of a record: "Items record 12, Price".
std::string FieldName(const Table& table, int record, const Field& field) {
  return std::string(table.name) + " record " + std::to_string(record) + ", " +
         std::string(field.label);
}

// An entry that names a record or a value, as a comment after it.
void EntryComment(YAML::Emitter& out, std::string entry) {
  while (!entry.empty() && entry.back() == ' ') entry.pop_back();
  if (!entry.empty()) out << YAML::Comment(entry);
}

void WriteValue(YAML::Emitter& out, const FieldChange& change, ListEntries& lists) {
  const Field& field = change.table->fields[change.field];
  if (const auto* text = std::get_if<std::string>(&change.value)) {
    out << YAML::DoubleQuoted << *text;
    return;
  }
  const auto* number = std::get_if<std::int64_t>(&change.value);
  if (number == nullptr) {
    ThrowPatchError("%s has no value to write.",
                    FieldName(*change.table, change.record, field).c_str());
  }
  out << *number;
  if (field.list != ListId::kNone) EntryComment(out, lists.Entry(field.list, *number));
}

// The fields, grouped by table and record in the order they come in.
void WriteTables(YAML::Emitter& out, const std::vector<FieldChange>& fields, ListEntries& lists) {
  out << YAML::Key << "tables" << YAML::Value << YAML::BeginMap;
  auto change = fields.begin();
  while (change != fields.end()) {
    const Table& table = *change->table;
    out << YAML::Key << std::string(table.name) << YAML::Value << YAML::BeginMap;
    while (change != fields.end() && change->table == &table) {
      const int record = change->record;
      out << YAML::Key << record;
      EntryComment(out, lists.Entry(table.entries, record));
      out << YAML::Value << YAML::BeginMap;
      for (; change != fields.end() && change->table == &table && change->record == record;
           ++change) {
        out << YAML::Key << std::string(table.fields[change->field].label) << YAML::Value;
        WriteValue(out, *change, lists);
      }
      out << YAML::EndMap;
    }
    out << YAML::EndMap;
  }
  out << YAML::EndMap;
}

void WriteRuns(YAML::Emitter& out, const std::vector<ByteRun>& runs) {
  out << YAML::Key << "bytes" << YAML::Value << YAML::BeginSeq;
  for (const ByteRun& run : runs) {
    out << YAML::BeginMap << YAML::Key << "offset" << YAML::Value << Hex(run.offset, 6) << YAML::Key
        << "bytes" << YAML::Value << HexBytes(run.bytes) << YAML::EndMap;
  }
  out << YAML::EndSeq;
}

// A number in decimal, or in hexadecimal after "0x".
template <typename Number>
std::optional<Number> NumberIn(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
    if (text.starts_with('-')) return std::nullopt;
  }
  Number number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<std::vector<std::uint8_t>> BytesIn(std::string_view text) {
  constexpr std::string_view kSpaces = " \t\r\n";
  std::vector<std::uint8_t> bytes;
  for (std::size_t at = text.find_first_not_of(kSpaces); at != std::string_view::npos;
       at = text.find_first_not_of(kSpaces, at)) {
    const std::size_t end = std::min(text.find_first_of(kSpaces, at), text.size());
    std::uint8_t byte = 0;
    const auto [stop, error] = std::from_chars(text.data() + at, text.data() + end, byte, 16);
    if (end - at != 2 || error != std::errc() || stop != text.data() + end) return std::nullopt;
    bytes.push_back(byte);
    at = end;
  }
  return bytes;
}

std::optional<std::string> Sha1In(std::string text) {
  if (text.size() != 40) return std::nullopt;
  for (char& digit : text) {
    if (!std::isxdigit(static_cast<unsigned char>(digit))) return std::nullopt;
    digit = static_cast<char>(std::tolower(static_cast<unsigned char>(digit)));
  }
  return text;
}

std::size_t OrderOf(const Table* table) {
  const auto tables = AllTables();
  return static_cast<std::size_t>(std::find(tables.begin(), tables.end(), table) - tables.begin());
}

[[noreturn]] void Refuse(const YAML::Mark& at, const std::string& why) {
  ThrowPatchError("Line %d of the change set: %s.", at.line + 1, why.c_str());
}

void RefuseAnchor(const YAML::Mark& at, YAML::anchor_t anchor) {
  if (anchor != YAML::NullAnchor) Refuse(at, "an anchor (&); a change set has none");
}

// Where in the file a value lies: what the map or list that holds it is.
enum class Place { kDocument, kTop, kClean, kTables, kTable, kRecord, kRuns, kRun };

struct Key {
  std::string text;
  YAML::Mark mark;
};

struct Frame {
  Place place;
  YAML::Mark mark;             // where it starts
  std::optional<Key> key;      // in a map, the key whose value comes next
  std::set<std::string> keys;  // in a map, the keys given so far
};

void RequireKey(const Frame& frame, std::string_view key, std::string_view what) {
  if (!frame.keys.contains(std::string(key))) Refuse(frame.mark, std::string(what));
}

// Reads the parser's events into a change set as they come, holding no more
// of the document than the set: any shape the format does not have is
// refused where it begins, so that neither nesting nor a large document of
// another shape costs more than its reading.
class ChangeSetEvents : public YAML::EventHandler {
 public:
  ChangeSet Result() && { return std::move(m_changes); }

  void OnDocumentStart(const YAML::Mark& mark) override {
    if (m_begun) Refuse(mark, "a second document; a change set is one");
    m_begun = true;
    Open(Place::kDocument, mark);
  }
  void OnDocumentEnd() override {}

  void OnNull(const YAML::Mark& mark, YAML::anchor_t anchor) override {
    RefuseAnchor(mark, anchor);
    const Frame& frame = m_frames.back();
    if (TakesKey(frame)) Refuse(mark, "a key is missing");
    Refuse(mark, ValueName(frame) + " has no value");
  }

  void OnAlias(const YAML::Mark& mark, YAML::anchor_t) override {
    Refuse(mark, "an alias (*); a change set has none");
  }

  void OnScalar(const YAML::Mark& mark, const std::string& tag, YAML::anchor_t anchor,
                const std::string& value) override {
    RefuseAnchor(mark, anchor);
    Frame& frame = m_frames.back();
    if (TakesKey(frame)) {
      TakeKey(frame, {value, mark});
      return;
    }
    // A plain scalar's tag is "?"; a quoted one's, or one tagged, another.
    TakeScalar(frame, mark, value, tag != "?");
    frame.key.reset();
  }

  void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                       YAML::EmitterStyle::value) override {
    RefuseAnchor(mark, anchor);
    const Frame& frame = m_frames.back();
    RefuseCollectionKey(frame, mark);
    if (frame.place != Place::kTop || !frame.key || frame.key->text != "bytes") {
      Refuse(mark, ValueName(frame) + " is not a list");
    }
    Open(Place::kRuns, mark);
  }
  void OnSequenceEnd() override { End(); }

  void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                  YAML::EmitterStyle::value) override {
    RefuseAnchor(mark, anchor);
    const Frame& frame = m_frames.back();
    RefuseCollectionKey(frame, mark);
    const std::string key = frame.key ? frame.key->text : std::string();
    Place place = Place::kDocument;
    if (frame.place == Place::kDocument) place = Place::kTop;
    if (frame.place == Place::kTop && key == "clean") place = Place::kClean;
    if (frame.place == Place::kTop && key == "tables") place = Place::kTables;
    if (frame.place == Place::kTables) place = Place::kTable;
    if (frame.place == Place::kTable) place = Place::kRecord;
    if (frame.place == Place::kRuns) place = Place::kRun;
    if (place == Place::kDocument) Refuse(mark, ValueName(frame) + " is not a map");
    if (place == Place::kRun) m_run = {};
    Open(place, mark);
  }
  void OnMapEnd() override { End(); }

 private:
  void Open(Place place, const YAML::Mark& mark) {
    m_frames.push_back({place, mark, std::nullopt, {}});
  }

  static bool TakesKey(const Frame& frame) {
    return frame.place != Place::kDocument && frame.place != Place::kRuns && !frame.key;
  }

  static void RefuseCollectionKey(const Frame& frame, const YAML::Mark& mark) {
    if (TakesKey(frame)) Refuse(mark, "a key is a map or list; keys are names and numbers");
  }

  // What the value about to be read is, as messages name it.
  std::string ValueName(const Frame& frame) const {
    switch (frame.place) {
      case Place::kDocument:
        return "the change set";
      case Place::kRuns:
        return "a run of bytes";
      case Place::kRecord:
        return FieldName(*m_table, m_record, m_table->fields[m_field]);
      case Place::kTable:
        return std::string(m_table->name) + " record " + std::to_string(m_record);
      default:
        return Quoted(frame.key->text);
    }
  }

  void TakeKey(Frame& frame, Key key) {
    if (!frame.keys.insert(key.text).second) Refuse(key.mark, Quoted(key.text) + " is given twice");
    switch (frame.place) {
      case Place::kTop:
        RequireKnown(key, {"version", "clean", "program", "tables", "bytes"});
        break;
      case Place::kClean:
        RequireKnown(key, {"size", "crc32", "sha1"});
        break;
      case Place::kRun:
        RequireKnown(key, {"offset", "bytes"});
        break;
      case Place::kTables:
        TakeTable(key);
        break;
      case Place::kTable:
        TakeRecord(key);
        break;
      case Place::kRecord:
        TakeField(key);
        break;
      default:
        break;
    }
    frame.key = std::move(key);
  }

  static void RequireKnown(const Key& key, std::initializer_list<std::string_view> known) {
    if (std::find(known.begin(), known.end(), key.text) != known.end()) return;
    std::string keys;
    for (const std::string_view name : known)
      keys += (keys.empty() ? "" : ", ") + std::string(name);
    Refuse(key.mark, Quoted(key.text) + " is not one of the keys here (" + keys + ")");
  }

  void TakeTable(const Key& key) {
    const auto tables = AllTables();
    const auto table = std::find_if(tables.begin(), tables.end(),
                                    [&](const Table* t) { return t->name == key.text; });
    if (table == tables.end()) Refuse(key.mark, "no table is called " + Quoted(key.text));
    m_table = *table;
  }

  void TakeRecord(const Key& key) {
    const std::optional<int> record = NumberIn<int>(key.text);
    if (!record || *record < 0 || *record >= m_table->count) {
      Refuse(key.mark, std::string(m_table->name) + " has no record " + Quoted(key.text) +
                           "; its records are 0 to " + std::to_string(m_table->count - 1));
    }
    m_record = *record;
    if (!m_records.emplace(m_table, m_record).second) {
      Refuse(key.mark, ValueName(m_frames.back()) + " is given twice");
    }
  }

  void TakeField(const Key& key) {
    const auto fields = m_table->fields;
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&](const Field& f) { return f.label == key.text; });
    if (field == fields.end()) {
      Refuse(key.mark, std::string(m_table->name) + " has no field " + Quoted(key.text));
    }
    m_field = static_cast<std::size_t>(field - fields.begin());
    const std::string name = FieldName(*m_table, m_record, *field);
    if (field->access == Access::kShown) Refuse(key.mark, name + " is only shown, not written");
    if (!HasField(*field, m_record)) Refuse(key.mark, name + ": the record has no such field");
  }

  void TakeScalar(const Frame& frame, const YAML::Mark& mark, const std::string& text,
                  bool quoted) {
    const std::string key = frame.key ? frame.key->text : std::string();
    switch (frame.place) {
      case Place::kTop:
        if (key == "version") return TakeVersion(mark, text);
        if (key == "program") {
          m_changes.program = text;
          return;
        }
        break;
      case Place::kClean:
        return TakeClean(mark, key, text);
      case Place::kRecord:
        return TakeValue(mark, text, quoted);
      case Place::kRun:
        return TakeRun(mark, key, text);
      default:
        break;
    }
    Refuse(mark, ValueName(frame) + " is " + Quoted(text) + ", not a map or list");
  }

  static void TakeVersion(const YAML::Mark& mark, const std::string& text) {
    if (NumberIn<int>(text) != kVersion) {
      Refuse(mark, "the version is " + Quoted(text) + "; this program reads version 1");
    }
  }

  void TakeClean(const YAML::Mark& mark, const std::string& key, const std::string& text) {
    CleanImageFacts& clean = m_changes.clean;
    if (key == "size") {
      const auto size = NumberIn<std::uint64_t>(text);
      if (!size || *size == 0) Refuse(mark, Quoted(text) + " is not the size of an image");
      clean.size = *size;
    } else if (key == "crc32") {
      const auto crc32 = NumberIn<std::uint32_t>(text);
      if (!crc32) Refuse(mark, Quoted(text) + " is not a CRC32 of 32 bits");
      clean.crc32 = *crc32;
    } else {
      auto sha1 = Sha1In(text);
      if (!sha1) Refuse(mark, Quoted(text) + " is not a SHA-1 of 40 hexadecimal digits");
      clean.sha1 = std::move(*sha1);
    }
  }

  void TakeValue(const YAML::Mark& mark, const std::string& text, bool quoted) {
    const Field& field = m_table->fields[m_field];
    const std::string name = FieldName(*m_table, m_record, field);
    Value value;
    if (IsText(field)) {
      if (!quoted) Refuse(mark, name + " takes a text in double quotes, not " + text);
      const std::string refusal = TextRefusal(field, text);
      if (!refusal.empty()) Refuse(mark, name + ": " + Quoted(text) + " " + refusal);
      value = text;
    } else {
      if (quoted) Refuse(mark, name + " takes a number, not the text " + Quoted(text));
      const auto number = NumberIn<std::int64_t>(text);
      if (!number) Refuse(mark, name + ": " + Quoted(text) + " is not a number");
      const std::string refusal = NumberRefusal(field, *number);
      if (!refusal.empty()) Refuse(mark, name + ": " + text + " " + refusal);
      value = *number;
    }
    m_changes.fields.push_back({m_table, m_record, m_field, std::move(value)});
  }

  void TakeRun(const YAML::Mark& mark, const std::string& key, const std::string& text) {
    if (key == "offset") {
      const auto offset = NumberIn<std::size_t>(text);
      if (!offset) Refuse(mark, Quoted(text) + " is not an offset");
      m_run.offset = *offset;
      return;
    }
    auto bytes = BytesIn(text);
    if (!bytes) Refuse(mark, Quoted(text) + " is not bytes in hexadecimal, two digits each");
    if (bytes->empty()) Refuse(mark, "the run holds no bytes");
    m_run.bytes = std::move(*bytes);
  }

  void End() {
    const Frame frame = std::move(m_frames.back());
    m_frames.pop_back();
    m_frames.back().key.reset();
    if (frame.place == Place::kRun) {
      RequireKey(frame, "offset", "the run of bytes has no offset");
      RequireKey(frame, "bytes", "the run of bytes has no bytes");
      m_runs.emplace_back(std::move(m_run), frame.mark);
    } else if (frame.place == Place::kClean) {
      RequireKey(frame, "size", "the clean image's size is missing");
      RequireKey(frame, "crc32", "the clean image's CRC32 is missing");
    } else if (frame.place == Place::kTop) {
      RequireKey(frame, "version", "the change set has no version");
      RequireKey(frame, "clean", "the change set has no clean image facts");
      Finish();
    }
  }

  // The set in a ChangeSet's order, its runs within the clean image.
  void Finish() {
    std::stable_sort(m_changes.fields.begin(), m_changes.fields.end(),
                     [](const FieldChange& a, const FieldChange& b) {
                       return std::tuple(OrderOf(a.table), a.record, a.field) <
                              std::tuple(OrderOf(b.table), b.record, b.field);
                     });
    std::stable_sort(m_runs.begin(), m_runs.end(),
                     [](const auto& a, const auto& b) { return a.first.offset < b.first.offset; });
    const std::uint64_t size = m_changes.clean.size;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
      const auto& [run, mark] = m_runs[i];
      if (run.offset > size || run.bytes.size() > size - run.offset) {
        Refuse(mark, "the run at " + Hex(run.offset, 6) + " of " +
                         std::to_string(run.bytes.size()) + " bytes lies past the end of the " +
                         std::to_string(size) + " bytes of the clean image");
      }
      if (i > 0 && run.offset < m_runs[i - 1].first.offset + m_runs[i - 1].first.bytes.size()) {
        Refuse(mark, "the run at " + Hex(run.offset, 6) + " overlaps the one on line " +
                         std::to_string(m_runs[i - 1].second.line + 1));
      }
      m_changes.runs.push_back(run);
    }
  }

  bool m_begun = false;
  std::vector<Frame> m_frames;
  ChangeSet m_changes;
  const Table* m_table = nullptr;  // the table, record and field being read
  int m_record = 0;
  std::size_t m_field = 0;
  std::set<std::pair<const Table*, int>> m_records;  // the records given so far
  ByteRun m_run;                                     // the run being read
  std::vector<std::pair<ByteRun, YAML::Mark>> m_runs;
};

}  // namespace

std::string WriteChangeSetYaml(const ChangeSet& changes, ListEntries& lists) {
  YAML::Emitter out;
  out << YAML::Comment("Torvale change set") << YAML::BeginMap;
  out << YAML::Key << "version" << YAML::Value << kVersion;
  out << YAML::Key << "clean" << YAML::Value << YAML::BeginMap;
  out << YAML::Key << "size" << YAML::Value << changes.clean.size;
  out << YAML::Key << "crc32" << YAML::Value << Hex(changes.clean.crc32, 8);
  if (!changes.clean.sha1.empty()) out << YAML::Key << "sha1" << YAML::Value << changes.clean.sha1;
  out << YAML::EndMap;
  out << YAML::Key << "program" << YAML::Value << changes.program;
  if (!changes.fields.empty()) WriteTables(out, changes.fields, lists);
  if (!changes.runs.empty()) WriteRuns(out, changes.runs);
  out << YAML::EndMap;
  if (!out.good()) {
    ThrowPatchError("The change set cannot be written as YAML: %s.", out.GetLastError().c_str());
  }
  return std::string(out.c_str(), out.size()) + "\n";
}

ChangeSet ReadChangeSetYaml(std::string_view yaml) {
  if (yaml.size() > kLargestChangeSetYaml) {
    ThrowPatchError("The change set is larger than %zu MB.", kLargestChangeSetYaml >> 20);
  }
  std::istringstream input{std::string(yaml)};
  ChangeSetEvents events;
  try {
    YAML::Parser parser(input);
    if (!parser.HandleNextDocument(events)) throw PatchError("The change set is empty.");
    parser.HandleNextDocument(events);
  } catch (const YAML::Exception& error) {
    ThrowPatchError("Line %d of the change set is not YAML: %s.", error.mark.line + 1,
                    error.msg.c_str());
  }
  return std::move(events).Result();
}

}  // namespace torvale
