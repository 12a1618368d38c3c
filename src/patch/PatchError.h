#pragma once

#include "rom/RomError.h"

namespace torvale {

// A patch that could not be made, written or read: a clean ROM of another
// game or size, an image too large for the chosen format, a destination that
// is one of the ROM files, a refused write, or a patch that is damaged or
// made for another image. The message names what failed. It is a RomError,
// so a window's guard ends the step and nothing crosses the event loop.
class PatchError : public RomError {
 public:
  using RomError::RomError;
};

// The patch was put in place, but the folder that holds it could not be made
// durable: it is there, yet not known to be on disk.
class PatchNotDurableError : public PatchError {
 public:
  using PatchError::PatchError;
};

// Throws a PatchError whose message is printf's `format` filled with the
// values: the readers name offsets in hexadecimal, which strings do not.
[[noreturn]] [[gnu::format(printf, 1, 2)]] void ThrowPatchError(const char* format, ...);

}  // namespace torvale
