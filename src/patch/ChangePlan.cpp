#include "patch/ChangePlan.h"

#include <algorithm>
#include <map>

#include "data/Tables.h"
#include "patch/ImageView.h"
#include "rom/RomImage.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

std::span<const std::uint8_t> BytesAt(std::span<const std::uint8_t> image, const ByteRun& run) {
  return image.subspan(run.offset, run.bytes.size());
}

using FieldKey = std::tuple<const Table*, int, std::size_t>;

FieldKey KeyOf(const FieldChange& change) {
  return {change.table, change.record, change.field};
}

}  // namespace

std::vector<PlannedChange> PlanChanges(const ChangeSet& changes,
                                       std::span<const std::uint8_t> clean,
                                       std::span<const std::uint8_t> now, const TextCodec& text) {
  const ImageView was({}, clean), is({}, now);
  std::vector<PlannedChange> plan;
  const auto add = [&plan](bool isRun, std::size_t index, PlanState state) {
    plan.push_back({isRun, index, state, state == PlanState::kWillChange});
  };
  // The fields come record by record: each record is read once from each image.
  std::pair<const Table*, int> read{nullptr, -1};
  Record before, current;
  for (std::size_t i = 0; i < changes.fields.size(); ++i) {
    const FieldChange& change = changes.fields[i];
    if (read != std::pair(change.table, change.record)) {
      read = {change.table, change.record};
      before = ReadRecord(*change.table, text, was.Rom(), change.record);
      current = ReadRecord(*change.table, text, is.Rom(), change.record);
    }
    const Value& held = current[change.field];
    add(false, i,
        held == change.value             ? PlanState::kAlreadySo
        : held == before[change.field]   ? PlanState::kWillChange
                                         : PlanState::kConflict);
  }
  for (std::size_t i = 0; i < changes.runs.size(); ++i) {
    const ByteRun& run = changes.runs[i];
    if (run.offset + run.bytes.size() > now.size()) {
      add(true, i, PlanState::kConflict);
      continue;
    }
    const auto current = BytesAt(now, run);
    add(true, i,
        std::ranges::equal(current, run.bytes)                ? PlanState::kAlreadySo
        : std::ranges::equal(current, BytesAt(clean, run))    ? PlanState::kWillChange
                                                              : PlanState::kConflict);
  }
  return plan;
}

ChangeSet TakenChanges(const ChangeSet& changes, std::span<const PlannedChange> plan) {
  ChangeSet chosen{changes.clean, changes.program, {}, {}};
  for (const PlannedChange& planned : plan) {
    if (!planned.taken || planned.state == PlanState::kAlreadySo) continue;
    if (planned.isRun) {
      chosen.runs.push_back(changes.runs[planned.index]);
    } else {
      chosen.fields.push_back(changes.fields[planned.index]);
    }
  }
  return chosen;
}

MergedChanges MergeChangeSets(std::span<const ChangeSet> sets) {
  MergedChanges merged;
  std::map<FieldKey, std::size_t> fields;  // field -> its place in merged.changes.fields
  std::map<FieldKey, std::size_t> fieldConflicts;
  std::vector<std::size_t> fieldSets;  // the set each merged field came from
  for (std::size_t set = 0; set < sets.size(); ++set) {
    for (const FieldChange& change : sets[set].fields) {
      const auto found = fields.find(KeyOf(change));
      if (found == fields.end()) {
        fields.emplace(KeyOf(change), merged.changes.fields.size());
        merged.changes.fields.push_back(change);
        fieldSets.push_back(set);
        continue;
      }
      const FieldChange& first = merged.changes.fields[found->second];
      if (first.value == change.value) continue;
      auto conflict = fieldConflicts.find(KeyOf(change));
      if (conflict == fieldConflicts.end()) {
        conflict = fieldConflicts.emplace(KeyOf(change), merged.conflicts.size()).first;
        merged.conflicts.push_back(
            {first, std::nullopt, {fieldSets[found->second]}, {first.value}});
      }
      merged.conflicts[conflict->second].sets.push_back(set);
      merged.conflicts[conflict->second].values.push_back(change.value);
    }
  }
  // Bytes: each byte takes the value every set that changes it gives.
  std::map<std::size_t, std::pair<std::uint8_t, std::size_t>> bytes;  // offset -> value, set
  for (std::size_t set = 0; set < sets.size(); ++set) {
    for (const ByteRun& run : sets[set].runs) {
      bool clash = false;
      for (std::size_t at = 0; at < run.bytes.size(); ++at) {
        const auto [byte, placed] = bytes.emplace(run.offset + at, std::pair{run.bytes[at], set});
        clash = clash || (!placed && byte->second.first != run.bytes[at]);
      }
      if (clash) merged.conflicts.push_back({std::nullopt, run, {set}, {}});
    }
  }
  for (auto byte = bytes.begin(); byte != bytes.end();) {
    ByteRun run{byte->first, {}};
    for (; byte != bytes.end() && byte->first == run.offset + run.bytes.size(); ++byte) {
      run.bytes.push_back(byte->second.first);
    }
    merged.changes.runs.push_back(std::move(run));
  }
  if (!sets.empty()) {
    merged.changes.clean = sets.front().clean;
    merged.changes.program = sets.front().program;
  }
  // The fields in the order of the tables, records and fields.
  const auto order = [](const FieldChange& change) {
    const auto tables = AllTables();
    return std::tuple(std::find(tables.begin(), tables.end(), change.table) - tables.begin(),
                      change.record, change.field);
  };
  std::sort(merged.changes.fields.begin(), merged.changes.fields.end(),
            [&](const FieldChange& a, const FieldChange& b) { return order(a) < order(b); });
  if (!merged.conflicts.empty()) merged.changes.fields.clear(), merged.changes.runs.clear();
  return merged;
}

}  // namespace torvale
