#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "data/CellText.h"
#include "patch/ChangeSet.h"

namespace torvale {

// A change set as YAML text, for a person to read, diff and edit under
// version control:
//
//   # Torvale change set
//   version: 1
//   clean:
//     size: 1048576
//     crc32: 0x65D0A825
//     sha1: 0f1e...                # left out when not known
//   program: Torvale 1.2
//   tables:
//     Items:                       # the table's name
//       12:  # Saber               # the record, and the entry that names it
//         Price: 500               # each field by its label
//         Element: 3  # Fire       # a value of a list, and its entry
//         Name: "Saber"            # texts in double quotes
//   bytes:
//     - offset: 0x07FFC0           # in the image without copier header
//       bytes: 46 49 4E 41
//
// Tables come in the order of AllTables(), records in ascending order, fields
// in their table's order and runs in the image's: the order of a ChangeSet.
// `tables` and `bytes` are left out when there is nothing in them. The same
// set always gives the same text, byte for byte. The comments are for the
// reader only; they are not read back. Throws RomError when a list cannot be
// read.
std::string WriteChangeSetYaml(const ChangeSet& changes, ListEntries& lists);

// A larger text is refused before it is parsed.
inline constexpr std::size_t kLargestChangeSetYaml = std::size_t{100} << 20;

// Reads a change set written as above and perhaps edited since. Numbers are
// decimal or hexadecimal after "0x"; a number field takes a plain number, a
// text field a quoted text. Keys may come in any order; the fields and runs
// of the set come out in the order of a ChangeSet, so that a file read and
// written again is canonical. The text is taken whole or refused whole: it
// throws PatchError naming the line and what is wrong for a text that is not
// one YAML document, uses an anchor or an alias, holds a key it does not know
// or a key twice, gives another version than 1 or no clean image facts; for a
// table, record or field that does not exist, a field only shown or that its
// record does not have, a value of the other kind or one the field cannot
// take (NumberRefusal, TextRefusal); and for runs of bytes that overlap, are
// empty, or lie past the clean image's end.
ChangeSet ReadChangeSetYaml(std::string_view yaml);

}  // namespace torvale
