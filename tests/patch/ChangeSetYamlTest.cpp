// Change sets as YAML: random sets over every table's written fields read
// back as themselves and write the same text twice; one small set gives
// exactly the documented text, and the same set hand-edited out of order
// reads back to it; every text that cannot be taken is refused whole, saying
// where and why.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "TestRom.h"
#include "data/Tables.h"
#include "patch/ChangeSetYaml.h"
#include "patch/PatchError.h"
#include "rom/RomImage.h"

namespace torvale {
namespace {

class ChangeSetYaml : public ::testing::Test {
 protected:
  testing::MemoryRom m_memory;
  ListEntries m_lists{m_memory.text, m_memory.rom};
};

const Table& TableNamed(std::string_view name) {
  const auto tables = AllTables();
  return **std::find_if(tables.begin(), tables.end(),
                        [&](const Table* table) { return table->name == name; });
}

FieldChange Change(std::string_view table, int record, std::string_view label, Value value) {
  const Table& named = TableNamed(table);
  const auto field = std::find_if(named.fields.begin(), named.fields.end(),
                                  [&](const Field& f) { return f.label == label; });
  return {&named, record, static_cast<std::size_t>(field - named.fields.begin()), value};
}

// A set with a random value for some written fields of some records of each
// table, in a ChangeSet's order, and runs in order with gaps between them.
ChangeSet RandomSet(std::mt19937& random) {
  constexpr std::string_view kCharacters = "ABZabz09 '.-!?%/:,";
  const auto below = [&](std::int64_t count) {
    return std::uniform_int_distribution<std::int64_t>(0, count - 1)(random);
  };
  ChangeSet changes{{0x100000 + static_cast<std::uint64_t>(below(0x100000)),
                     static_cast<std::uint32_t>(random()), below(2) ? "" : std::string(40, 'a')},
                    "Torvale 1.2",
                    {},
                    {}};
  for (const Table* table : AllTables()) {
    for (int record = 0; record < table->count; ++record) {
      if (below(table->count) >= 3) continue;
      for (std::size_t i = 0; i < table->fields.size(); ++i) {
        const Field& field = table->fields[i];
        if (field.access == Access::kShown || !HasField(field, record) || below(2)) continue;
        std::string text(static_cast<std::size_t>(below(field.width + 1)), ' ');
        for (char& character : text) character = kCharacters[below(kCharacters.size())];
        const Value value = IsText(field)
                                ? Value(text)
                                : Value(field.minimum + below(field.maximum - field.minimum + 1));
        changes.fields.push_back({table, record, i, value});
      }
    }
  }
  for (std::size_t offset = below(64); offset < changes.clean.size; offset += below(0x40000)) {
    ByteRun run{offset, std::vector<std::uint8_t>(static_cast<std::size_t>(1 + below(16)))};
    for (std::uint8_t& byte : run.bytes) byte = static_cast<std::uint8_t>(below(256));
    if (run.offset + run.bytes.size() > changes.clean.size) break;
    offset += run.bytes.size() + 1;
    changes.runs.push_back(std::move(run));
  }
  return changes;
}

// The changes of the sample image with random bytes in some names and texts,
// as the editors find them.
ChangeSet RandomTextEdits(std::mt19937& random, const TextCodec& text) {
  const testing::Bytes clean(testing::Sample().begin() + kCopierHeaderSize,
                             testing::Sample().end());
  testing::Bytes edited = clean;
  for (const Table* table : AllTables()) {
    for (const Field& field : table->fields) {
      if (!IsText(field) || field.access == Access::kShown) continue;
      const int record = static_cast<int>(random() % static_cast<unsigned>(table->count));
      const std::size_t offset = FieldOffset(field, record) - kCopierHeaderSize;
      for (std::size_t i = 0; i < field.width; ++i) {
        edited[offset + i] = static_cast<std::uint8_t>(random());
      }
    }
  }
  ChangeSet changes = ChangeSetOf(clean, edited, text);
  changes.clean = {clean.size(), static_cast<std::uint32_t>(random()), {}};
  return changes;
}

TEST_F(ChangeSetYaml, RandomSetsReadBackAsThemselves) {
  std::mt19937 random(20240601);
  std::set<std::string> tablesSeen;
  for (int set = 0; set < 40; ++set) {
    const ChangeSet changes =
        set % 4 == 0 ? RandomTextEdits(random, m_memory.text) : RandomSet(random);
    for (const FieldChange& change : changes.fields) tablesSeen.emplace(change.table->name);
    const std::string yaml = WriteChangeSetYaml(changes, m_lists);
    const ChangeSet read = ReadChangeSetYaml(yaml);
    ASSERT_EQ(read, changes) << yaml;
    EXPECT_EQ(WriteChangeSetYaml(read, m_lists), yaml);
  }
  EXPECT_EQ(tablesSeen.size(), AllTables().size() - 1);  // all but the header's, only shown
}

constexpr std::string_view kSmallSet = R"(# Torvale change set
version: 1
clean:
  size: 1048576
  crc32: 0x05D0A825
  sha1: 0f1e2d3c4b5a69788796a5b4c3d2e1f00f1e2d3c
program: Torvale 1.2
tables:
  Items:
    1:  # Baldax
      Price: 1270
      Who can equip: 90  # None
      Name: "Ab-c  "
    12:  # Balsel
      Price: 0
  Shops:
    0:  # Shop #1
      Slot 1: 97  # Heldax
bytes:
  - offset: 0x000010
    bytes: 00 0A FF
  - offset: 0x07FFC0
    bytes: 46
)";

const ChangeSet& SmallSet() {
  static const ChangeSet kSet{{1048576, 0x05D0A825, "0f1e2d3c4b5a69788796a5b4c3d2e1f00f1e2d3c"},
                              "Torvale 1.2",
                              {Change("Items", 1, "Price", std::int64_t{1270}),
                               Change("Items", 1, "Who can equip", std::int64_t{90}),
                               Change("Items", 1, "Name", std::string("Ab-c  ")),
                               Change("Items", 12, "Price", std::int64_t{0}),
                               Change("Shops", 0, "Slot 1", std::int64_t{97})},
                              {{0x10, {0x00, 0x0A, 0xFF}}, {0x7FFC0, {0x46}}}};
  return kSet;
}

TEST_F(ChangeSetYaml, SmallSetGivesTheDocumentedText) {
  EXPECT_EQ(WriteChangeSetYaml(SmallSet(), m_lists), kSmallSet);
  EXPECT_EQ(ReadChangeSetYaml(kSmallSet), SmallSet());
  // Edited by hand: keys in another order, numbers in the other base, other
  // quotes and case, no comments; it reads as the same set.
  constexpr std::string_view kEdited = R"(tables:
  Shops: {0: {Slot 1: 0x61}}
  Items:
    0x0C: {Price: 0x0}
    1:
      Name: 'Ab-c  '
      Who can equip: 90
      Price: 1270
bytes:
  - {bytes: 46, offset: 524224}
  - offset: 16
    bytes: "00 0a ff"
program: "Torvale 1.2"
clean: {sha1: 0F1E2D3C4B5A69788796A5B4C3D2E1F00F1E2D3C, crc32: 97560613, size: 0x100000}
version: 1
)";
  EXPECT_EQ(ReadChangeSetYaml(kEdited), SmallSet());
}

TEST_F(ChangeSetYaml, TextsThatCannotBeTakenAreRefused) {
  const std::string clean = "version: 1\nclean:\n  size: 0x100000\n  crc32: 0x12345678\n";
  const std::string items = clean + "tables:\n  Items:\n    1:\n";
  const std::string runs = clean + "bytes:\n";
  std::string laughs = runs + "  - &a [x, x, x, x, x, x, x, x, x, x]\n";
  for (char name = 'b'; name <= 'j'; ++name) {
    laughs += std::string("  - &") + name + " [";
    for (int i = 0; i < 10; ++i) laughs += std::string(i ? ", *" : "*") + char(name - 1);
    laughs += "]\n";
  }
  const std::pair<std::string, std::string> cases[] = {
      {"", "The change set is empty."},
      {"version: 1\nclean: {size: 1\n", "Line 3 of the change set is not YAML"},
      {"- 1\n", "Line 1 of the change set: the change set is not a list."},
      {std::string(10000, '[') + std::string(10000, ']'), "the change set is not a list"},
      {"version: " + std::string(10000, '['), "\"version\" is not a list"},
      {laughs, "Line 6 of the change set: an anchor (&); a change set has none."},
      {clean + "program: *p\n", "the referenced anchor is not defined"},
      {clean + "---\n" + clean, "Line 5 of the change set: a second document"},
      {clean + "? [a]\n: 1\n", "a key is a map or list"},
      {std::string(kLargestChangeSetYaml + 1, ' '), "larger than 100 MB"},
      {"clean:\n  size: 1\n  crc32: 1\n", "the change set has no version"},
      {"version: 2\n" + clean.substr(11), "Line 1 of the change set: the version is \"2\""},
      {"version: 1\n", "has no clean image facts"},
      {"version: 1\nclean:\n  size: 1\n", "Line 3 of the change set: the clean image's CRC32"},
      {"version: 1\nclean:\n  size: 0\n  crc32: 1\n", "\"0\" is not the size of an image"},
      {"version: 1\nclean:\n  size: 1\n  crc32: 0x100000000\n", "is not a CRC32"},
      {clean + "  sha1: 0f1e2d\n", "Line 5 of the change set: \"0f1e2d\" is not a SHA-1"},
      {clean + "  sha1: " + std::string(39, 'a') + "g\n", "is not a SHA-1"},
      {clean + "  size: 1\n", "Line 5 of the change set: \"size\" is given twice"},
      {clean + "byte:\n", "\"byte\" is not one of the keys here (version, clean, program, "},
      {clean + "tables:\n  Itemz: {}\n", "Line 6 of the change set: no table is called \"Itemz\""},
      {clean + "tables:\n  Items: 5\n", "\"Items\" is \"5\", not a map or list"},
      {clean + "tables:\n  Items:\n    256: {}\n",
       "Items has no record \"256\"; its records are 0 to 255"},
      {clean + "tables:\n  Items:\n    -1: {}\n", "Items has no record \"-1\""},
      {clean + "tables:\n  Items:\n    x: {}\n", "Items has no record \"x\""},
      {clean + "tables:\n  Items:\n    1: {}\n    0x01: {}\n", "Items record 1 is given twice"},
      {items + "      Prize: 5\n", "Line 8 of the change set: Items has no field \"Prize\"."},
      {items + "      Price: 5\n      Price: 6\n",
       "Line 9 of the change set: \"Price\" is given twice"},
      {items + "      Price:\n", "Items record 1, Price has no value"},
      {items + "      Price: [5]\n", "Items record 1, Price is not a list"},
      {items + "      Price: \"500\"\n",
       "Items record 1, Price takes a number, not the text \"500\""},
      {items + "      Price: 12abc\n", "Items record 1, Price: \"12abc\" is not a number"},
      {items + "      Price: 127001\n",
       "Items record 1, Price: 127001 takes a value from 0 to 127000"},
      {items + "      Price: -1\n", "Price: -1 takes a value from 0 to 127000"},
      {items + "      Price: 0x-1\n", "Price: \"0x-1\" is not a number"},
      {items + "      Name: Saber\n",
       "Items record 1, Name takes a text in double quotes, not Saber"},
      {items + "      Name: \"Q&W\"\n",
       "Items record 1, Name: \"Q&W\" has a character the game cannot show"},
      {items + "      Name: \"Ninechars\"\n", "\"Ninechars\" is longer than 8 characters"},
      {clean + "tables:\n  Items:\n    200:\n      Magic Block %: 5\n",
       "Items record 200, Magic Block %: the record has no such field"},
      {clean + "tables:\n  ROM Header:\n    0:\n      Name: \"A\"\n",
       "ROM Header record 0, Name is only shown, not written"},
      {runs + "  - offset: zz\n", "Line 6 of the change set: \"zz\" is not an offset"},
      {runs + "  - offset: 1\n    bytes: 4G\n",
       "\"4G\" is not bytes in hexadecimal, two digits each"},
      {runs + "  - offset: 1\n    bytes: 123\n", "is not bytes in hexadecimal"},
      {runs + "  - offset: 1\n    bytes: \"\"\n", "the run holds no bytes"},
      {runs + "  - offset: 1\n", "Line 6 of the change set: the run of bytes has no bytes"},
      {runs + "  - bytes: 01\n", "the run of bytes has no offset"},
      {runs + "  - 5\n", "a run of bytes is \"5\", not a map or list"},
      {runs + "  - offset: 0xFFFFF\n    bytes: 01 02\n",
       "the run at 0x0FFFFF of 2 bytes lies past the end of the 1048576 bytes of the clean image"},
      {runs + "  - offset: 0xFFFFFFFFFFFFFFFF\n    bytes: 01\n", "lies past the end"},
      {runs + "  - {offset: 9, bytes: 01}\n  - {offset: 7, bytes: 01 02 03}\n",
       "Line 6 of the change set: the run at 0x000009 overlaps the one on line 7"},
  };
  for (const auto& [yaml, message] : cases) {
    try {
      ReadChangeSetYaml(yaml);
      ADD_FAILURE() << "taken: " << yaml.substr(0, 200);
    } catch (const PatchError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos)
          << error.what() << "\nfor: " << yaml.substr(0, 200);
    }
  }
}

}  // namespace
}  // namespace torvale
