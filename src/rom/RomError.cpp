#include "rom/RomError.h"

#include <cstdio>

namespace torvale {

RomTornError::RomTornError(const std::string& file, std::uint64_t offset, std::uint64_t length,
                           const std::string& reason)
    : RomChangedError([&] {
        char where[96];
        std::snprintf(where, sizeof where, "the %llu byte%s at file offset 0x%06llX",
                      static_cast<unsigned long long>(length), length == 1 ? "" : "s",
                      static_cast<unsigned long long>(offset));
        return "\"" + file + "\": " + reason + ", and " + where +
               " may hold neither their old nor their new value";
      }()) {}

}  // namespace torvale
