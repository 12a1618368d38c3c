// Change sets over random edits of the sample image: each set, applied to the
// clean image, gives the edited one byte for byte, and reads back the same
// from its text; a BPS patch of the edit
// reads back as the same set; applied to an image that holds it already, it
// changes nothing; its writes never split a field; two sets merge to both, or to exactly the fields they set
// apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "TestRom.h"
#include "data/Items.h"
#include "data/Maps.h"
#include "data/Tables.h"
#include "patch/BpsPatch.h"
#include "patch/ChangePlan.h"
#include "patch/ChangeSet.h"
#include "patch/ChangeSetYaml.h"
#include "patch/ImageDiff.h"
#include "patch/PatchError.h"
#include "rom/RomImage.h"

namespace torvale {
namespace {

using testing::Bytes;
using FieldKey = std::tuple<const Table*, int, std::size_t>;

constexpr int kEditSets = 300;

class ChangeSets : public ::testing::Test {
 protected:
  // The sample's image, without its copier header.
  static const Bytes& Clean() {
    static const Bytes clean(testing::Sample().begin() + kCopierHeaderSize, testing::Sample().end());
    return clean;
  }

  // The clean image with a few fields of random tables given random bytes or
  // a random value through their table's writer, and some bytes anywhere
  // (the first and the last among them, now and then).
  Bytes RandomEdit() {
    Bytes image = Clean();
    const auto tables = AllTables();
    for (int edits = 1 + Below(6); edits-- > 0;) {
      const Table& table = *tables[Below(static_cast<int>(tables.size()))];
      const int record = Below(table.count);
      const std::size_t index = static_cast<std::size_t>(Below(static_cast<int>(table.fields.size())));
      const Field& field = table.fields[index];
      if (!HasField(field, record)) continue;
      if (Below(2) == 0 && field.access == Access::kWritten) {
        ChangeSet value;
        value.fields.push_back({&table, record, index, RandomValue(field)});
        try {
          image = AppliedTo(value, image, m_text);
        } catch (const PatchError&) {
          // A value its record cannot take with the others (a guarded chest's formation).
        }
        continue;
      }
      const std::size_t at = FieldOffset(field, record) - kCopierHeaderSize;
      for (std::size_t i = 0; i < field.width && at + i < image.size(); ++i) {
        image[at + i] = static_cast<std::uint8_t>(m_random());
      }
    }
    for (int bytes = Below(3); bytes-- > 0;) {
      const int where = Below(10);
      const std::size_t at = where == 0   ? 0
                             : where == 1 ? image.size() - 1
                                          : static_cast<std::size_t>(m_random() % image.size());
      image[at] = static_cast<std::uint8_t>(m_random());
    }
    return image;
  }

  // A number in the field's range, or a text of letters as long as the field.
  Value RandomValue(const Field& field) {
    if (field.encoding == Encoding::kText || field.encoding == Encoding::kBlankedText) {
      std::string text(field.width, ' ');
      for (char& letter : text) letter = static_cast<char>('A' + Below(26));
      return text;
    }
    return field.minimum +
           static_cast<std::int64_t>(m_random() % static_cast<std::uint64_t>(field.maximum - field.minimum + 1));
  }

  int Below(int count) { return static_cast<int>(m_random() % static_cast<unsigned>(count)); }

  std::mt19937 m_random{19};
  testing::MemoryRom m_memory;
  const TextCodec& m_text = m_memory.text;
  ListEntries m_lists{m_text, m_memory.rom};
};

std::map<FieldKey, Value> ByField(const ChangeSet& changes) {
  std::map<FieldKey, Value> fields;
  for (const FieldChange& change : changes.fields) {
    fields.emplace(FieldKey{change.table, change.record, change.field}, change.value);
  }
  return fields;
}

TEST_F(ChangeSets, RandomEditsGoBackByteForByteThroughSetsAndPatches) {
  int fields = 0, runs = 0;
  std::set<const Table*> tables;
  for (int set = 0; set < kEditSets; ++set) {
    SCOPED_TRACE("edit set " + std::to_string(set));
    const Bytes edited = RandomEdit();
    ChangeSet changes = ChangeSetOf(Clean(), edited, m_text);
    changes.clean = {Clean().size(), 0x6A3D5E21, ""};
    fields += static_cast<int>(changes.fields.size());
    for (const FieldChange& change : changes.fields) tables.insert(change.table);
    runs += static_cast<int>(changes.runs.size());
    ASSERT_EQ(testing::DescribeDifferences(edited, AppliedTo(changes, Clean(), m_text)), "");
    // Written into the clean image, the writes give the edit, each field in one write.
    Bytes written = Clean();
    const std::vector<ByteRun> writes = WritesApplying(changes, Clean(), m_text);
    for (const ByteRun& write : writes) {
      std::ranges::copy(write.bytes, written.begin() + static_cast<std::ptrdiff_t>(write.offset));
    }
    ASSERT_EQ(testing::DescribeDifferences(edited, written), "");
    for (const FieldChange& change : changes.fields) {
      const std::size_t at =
          FieldOffset(change.table->fields[change.field], change.record) - kCopierHeaderSize;
      ASSERT_TRUE(std::ranges::any_of(writes, [&](const ByteRun& write) {
        return write.offset <= at &&
               at + change.table->fields[change.field].width <= write.offset + write.bytes.size();
      })) << change.table->name << " " << change.record;
    }
    // As text and back, the same set.
    ASSERT_TRUE(ReadChangeSetYaml(WriteChangeSetYaml(changes, m_lists)) == changes);
    const BpsContents patched =
        ReadBps(EncodeBps(Clean(), edited, DiffImages(Clean(), edited)), Clean());
    ChangeSet again = ChangeSetOf(Clean(), patched.target, m_text);
    again.clean = changes.clean;
    ASSERT_TRUE(again == changes);
    // Already held: every change is so, none is taken, and the image stays.
    const auto plan = PlanChanges(changes, Clean(), edited, m_text);
    ASSERT_TRUE(std::ranges::all_of(
        plan, [](const PlannedChange& p) { return p.state == PlanState::kAlreadySo && !p.taken; }));
    ASSERT_TRUE(AppliedTo(TakenChanges(changes, plan), edited, m_text) == edited);
  }
  // The edits reach every table that has written fields of its own, and
  // other bytes too. (A map's song is the Music of its properties, named there.)
  for (const Table* table : AllTables()) {
    const bool written = std::ranges::any_of(
        table->fields, [](const Field& field) { return field.access == Access::kWritten; });
    EXPECT_EQ(tables.contains(table), written && table != &MapSongTable()) << table->name;
  }
  EXPECT_GT(fields, kEditSets);
  EXPECT_GT(runs, kEditSets / 4);
}

TEST_F(ChangeSets, SetsMergeToBothOrToTheFieldsTheySetApart) {
  for (int pair = 0; pair < kEditSets; ++pair) {
    SCOPED_TRACE("pair " + std::to_string(pair));
    const ChangeSet a = ChangeSetOf(Clean(), RandomEdit(), m_text);
    const ChangeSet b = ChangeSetOf(Clean(), RandomEdit(), m_text);
    const std::map<FieldKey, Value> fieldsA = ByField(a), fieldsB = ByField(b);
    std::set<FieldKey> apart;
    for (const auto& [key, value] : fieldsB) {
      const auto found = fieldsA.find(key);
      if (found != fieldsA.end() && found->second != value) apart.insert(key);
    }
    // Bytes that both sets' runs give other values.
    std::map<std::size_t, std::uint8_t> bytesA;
    for (const ByteRun& run : a.runs) {
      for (std::size_t i = 0; i < run.bytes.size(); ++i) bytesA[run.offset + i] = run.bytes[i];
    }
    bool runsApart = false;
    for (const ByteRun& run : b.runs) {
      for (std::size_t i = 0; i < run.bytes.size(); ++i) {
        const auto found = bytesA.find(run.offset + i);
        runsApart = runsApart || (found != bytesA.end() && found->second != run.bytes[i]);
      }
    }
    const std::vector<ChangeSet> sets = {a, b};
    const MergedChanges merged = MergeChangeSets(sets);
    std::set<FieldKey> conflicting;
    bool runConflict = false;
    for (const MergeConflict& conflict : merged.conflicts) {
      if (conflict.run) {
        runConflict = true;
        continue;
      }
      const FieldChange& field = *conflict.field;
      const FieldKey key{field.table, field.record, field.field};
      conflicting.insert(key);
      EXPECT_EQ(conflict.sets, (std::vector<std::size_t>{0, 1}));
      EXPECT_EQ(conflict.values, (std::vector<Value>{fieldsA.at(key), fieldsB.at(key)}));
    }
    ASSERT_EQ(conflicting, apart);
    ASSERT_EQ(runConflict, runsApart);
    if (!merged.conflicts.empty()) {
      EXPECT_TRUE(merged.changes.Empty());
      continue;
    }
    // Apart nowhere: the merge is both sets, in the order of a set.
    const Bytes both = AppliedTo(b, AppliedTo(a, Clean(), m_text), m_text);
    ASSERT_EQ(testing::DescribeDifferences(both, AppliedTo(merged.changes, Clean(), m_text)), "");
    std::map<FieldKey, Value> union_ = fieldsA;
    union_.insert(fieldsB.begin(), fieldsB.end());
    ASSERT_EQ(ByField(merged.changes), union_);
  }
}

// A set applied to an image with changes of its own, three ways: a price
// still clean takes the set's, one that holds it already is left, one changed
// here too is a conflict and not taken; so is a run over bytes changed here.
TEST_F(ChangeSets, ChangesOfTheImageItselfAreNeverOverwritten) {
  const Table& items = ItemTable();
  const std::size_t price = FieldIndex(items, "PriceTXT");
  const auto prices = [&](std::initializer_list<std::pair<int, std::int64_t>> values) {
    ChangeSet changes;
    for (const auto& [record, value] : values) changes.fields.push_back({&items, record, price, Value{value}});
    return changes;
  };
  ChangeSet set = prices({{3, 500}, {4, 600}, {5, 700}});
  set.runs = {{0x100, {1, 2}}, {0x200, {3}}};
  Bytes now = AppliedTo(prices({{4, 600}, {5, 900}}), Clean(), m_text);
  now[0x101] ^= 0xFF;
  const auto plan = PlanChanges(set, Clean(), now, m_text);
  std::vector<std::pair<PlanState, bool>> states;
  for (const PlannedChange& planned : plan) states.emplace_back(planned.state, planned.taken);
  using enum PlanState;
  EXPECT_EQ(states, (std::vector<std::pair<PlanState, bool>>{{kWillChange, true}, {kAlreadySo, false},
                                                              {kConflict, false}, {kConflict, false},
                                                              {kWillChange, true}}));
  Bytes expected = AppliedTo(prices({{3, 500}}), now, m_text);
  expected[0x200] = 3;
  EXPECT_EQ(testing::DescribeDifferences(expected, AppliedTo(TakenChanges(set, plan), now, m_text)),
            "");
  // A conflict the user ticks is taken; one already so never is.
  std::vector<PlannedChange> chosen = plan;
  for (PlannedChange& planned : chosen) planned.taken = true;
  const ChangeSet taken = TakenChanges(set, chosen);
  EXPECT_EQ(taken.fields.size(), 2u);
  EXPECT_EQ(taken.runs.size(), 2u);
}

// Two sets that set one price apart conflict on it alone, naming both values;
// the same price twice is no conflict.
TEST_F(ChangeSets, OneFieldSetApartIsTheOnlyConflict) {
  const Table& items = ItemTable();
  const std::size_t price = FieldIndex(items, "PriceTXT");
  const auto set = [&](std::int64_t value, int record) {
    ChangeSet changes;
    changes.fields.push_back({&items, record, price, Value{value}});
    return changes;
  };
  const std::vector<ChangeSet> sets = {set(500, 3), set(800, 3), set(500, 4), set(500, 3)};
  const MergedChanges merged = MergeChangeSets(sets);
  ASSERT_EQ(merged.conflicts.size(), 1u);
  EXPECT_EQ(merged.conflicts[0].field->record, 3);
  EXPECT_EQ(merged.conflicts[0].sets, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(merged.conflicts[0].values, (std::vector<Value>{Value{std::int64_t{500}}, Value{std::int64_t{800}}}));
  const std::vector<ChangeSet> agreeing = {set(500, 3), set(500, 3), set(700, 4)};
  EXPECT_EQ(MergeChangeSets(agreeing).changes.fields.size(), 2u);
}

}  // namespace
}  // namespace torvale
