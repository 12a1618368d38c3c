// A change set read back from any bytes as YAML.
//
// Whatever the input holds, it is refused with a PatchError or read as a set
// that writes as text reading back as the same set, a text that the set read
// from it writes again byte for byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzRom.h"
#include "patch/ChangeSetYaml.h"
#include "patch/PatchError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale;
  using namespace torvale::fuzz;
  FuzzRom& file = FuzzRom::Start(romgen::kSampleRomSize);
  static ListEntries lists(file.Text(), file.Rom());
  ChangeSet changes;
  try {
    changes = ReadChangeSetYaml(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const PatchError&) {
    return 0;
  }
  const std::string yaml = WriteChangeSetYaml(changes, lists);
  const ChangeSet again = ReadChangeSetYaml(yaml);
  Require(again == changes, "a set read writes as text that reads back as the same set");
  Require(WriteChangeSetYaml(again, lists) == yaml, "a set written twice gives the same text");
  return 0;
}
