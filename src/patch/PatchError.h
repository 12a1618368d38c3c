#pragma once

#include "rom/RomError.h"

namespace torvale {

// A patch that could not be made or written: a clean ROM of another game or
// size, an image too large for the chosen format, a destination that is one
// of the ROM files, or a refused write. The message names what failed. It is
// a RomError, so a window's guard ends the step and nothing crosses the event loop.
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

}  // namespace torvale
