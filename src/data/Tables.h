#pragma once

#include <span>

#include "data/Table.h"

namespace torvale {

// Every table the editors show, in the order of the editor tree, then the
// header fields of the main window. A byte may
// belong to more than one of them: the map music byte is also a map's song.
std::span<const Table* const> AllTables();

}  // namespace torvale
