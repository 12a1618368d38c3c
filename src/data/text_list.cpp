#include "data/text_list.h"

namespace torvale {

std::string ReadTextEntry(const TextCodec& codec, const RomFile& rom, int entry) {
  return codec.ReadText(rom, TextEntryOffset(entry), kTextEntryLength);
}

void WriteTextEntry(const TextCodec& codec, RomFile& rom, int entry, std::string_view text) {
  codec.WriteText(rom, TextEntryOffset(entry), text, kTextEntryLength);
}

}  // namespace torvale
