#pragma once

#include <QString>
#include <cstdint>

#include "rom/Checksum.h"

namespace torvale::frontend {

// "0x65D0A825, an unedited dump of Final Fantasy II (US) 1.0", or "0x1234ABCD,
// not a known unedited dump of this game": a game image's CRC32 and what it tells.
QString DumpDescription(std::uint32_t imageCrc32);

// "Correct", "Wrong (stored 0x1234, computed 0x5678)", or "Unknown": how the
// internal checksum stands.
QString ChecksumText(const ChecksumStatus& status);

}  // namespace torvale::frontend
