#pragma once

#include "data/Table.h"

namespace torvale {

// The fields of the copier header and of the game's internal header that the
// main window shows. Save writes them in its own way (a header template, the
// edit tag), so every field here is only shown.
const Table& RomHeaderTable();

}  // namespace torvale
