#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace torvale {

// Every failure of the open ROM file is one of these. A window that ends a step
// quietly catches RomError; the main window's Save reports it and closes the ROM.
class RomError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file could not be opened for editing: missing, not a regular file,
// not readable and writable, or held by another program.
class RomOpenError : public RomError {
 public:
  using RomError::RomError;
};

// A read or write that would reach past the end of the file.
class RomRangeError : public RomError {
 public:
  using RomError::RomError;
};

// Another program truncated, replaced or deleted the file while it was open.
class RomChangedError : public RomError {
 public:
  using RomError::RomError;
};

// A write failed, and the bytes it reached could not be put back and read
// back as they were: they may hold neither their old value nor the new one.
// Like a changed file, the ROM is not to be trusted further.
class RomTornError : public RomChangedError {
 public:
  RomTornError(const std::string& file, std::uint64_t offset, std::uint64_t length,
               const std::string& reason);
};

// The operating system refused a read, a write or a sync.
class RomIoError : public RomError {
 public:
  using RomError::RomError;
};

}  // namespace torvale
