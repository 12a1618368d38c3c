#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "patch/ChangeSet.h"

namespace torvale {

class TextCodec;

// What a change of a set does to a ROM that may have changes of its own,
// judged three ways against the clean image: the field (or bytes) still
// holds the clean value and takes the set's, already holds the set's, or was
// changed to something else, which is never overwritten without a choice.
enum class PlanState { kWillChange, kAlreadySo, kConflict };

// A change of the set: a field (its index in ChangeSet::fields) or a run of
// bytes (its index in ChangeSet::runs), its state, and whether it is taken:
// at first each one that will change, and no conflict, until a user chooses.
struct PlannedChange {
  bool isRun;
  std::size_t index;
  PlanState state;
  bool taken;
};

// Every change of `changes` against `now`, the image it is to be applied to,
// and `clean`, the image the set was made against; images without copier
// header, of one size. Throws RomError.
std::vector<PlannedChange> PlanChanges(const ChangeSet& changes,
                                       std::span<const std::uint8_t> clean,
                                       std::span<const std::uint8_t> now, const TextCodec& text);

// The part of `changes` that is taken: each planned change marked taken, but
// never one that is already so.
ChangeSet TakenChanges(const ChangeSet& changes, std::span<const PlannedChange> plan);

// Two or more sets made against one clean image, merged: every change any of
// them makes, and where two set one field, or one byte, to different values,
// a conflict naming the field (or the run) and each set's value.
struct MergeConflict {
  std::optional<FieldChange> field;  // the field, with the first set's value
  std::optional<ByteRun> run;        // or the bytes, of the first set
  std::vector<std::size_t> sets;     // which sets (indexes) give it a value
  std::vector<Value> values;         // each one's value, for a field
};
struct MergedChanges {
  ChangeSet changes;  // empty of changes when there are conflicts
  std::vector<MergeConflict> conflicts;
};
MergedChanges MergeChangeSets(std::span<const ChangeSet> sets);

}  // namespace torvale
