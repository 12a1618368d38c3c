#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "patch/ChangeList.h"

namespace torvale {

class RomFile;
class TextCodec;

// Every change that goes back with the picked ones (indexes into `changes`,
// which ListChanges made of `open` against `clean`), in order: each picked
// change, and each other change of the same record whose field shares bytes
// with a picked one that cannot go back alone (a chest's kind decides what
// its value byte means; a name index may not fit its hand's byte).
std::vector<std::size_t> ChangesRevertedTogether(std::span<const Change> changes,
                                                 std::span<const std::size_t> picked,
                                                 std::span<const std::uint8_t> open,
                                                 std::span<const std::uint8_t> clean,
                                                 const TextCodec& text);

// Writes back the clean value of each change `reverted` names (as
// ChangesRevertedTogether gives them) into `rom`, which holds `open`. A field
// that shares its bytes with a changed field that stays goes through its
// table's writer, so that the other keeps its value; everything else gets the
// clean ROM's bytes. One write per run of bytes. Throws RomError.
void RevertChanges(RomFile& rom, std::span<const Change> changes,
                   std::span<const std::size_t> reverted, std::span<const std::uint8_t> open,
                   std::span<const std::uint8_t> clean, const TextCodec& text);

}  // namespace torvale
