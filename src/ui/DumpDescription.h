#pragma once

#include <QString>
#include <cstdint>

namespace torvale::ui {

// "0x65D0A825, an unedited dump of Final Fantasy II (US) 1.0", or "0x1234ABCD,
// not a known unedited dump of this game": a game image's CRC32 and what it tells.
QString DumpDescription(std::uint32_t imageCrc32);

}  // namespace torvale::ui
