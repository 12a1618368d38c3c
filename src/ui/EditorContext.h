#pragma once

namespace torvale {
class RomFile;
class TextCodec;
}  // namespace torvale

namespace torvale::ui {

class Platform;

// What the main window lends every editor window: the open ROM, the platform
// seam and the text codec. Editors are modal, so each has the file to itself.
struct EditorContext {
  RomFile& rom;
  Platform& platform;
  const TextCodec& text;
};

}  // namespace torvale::ui
