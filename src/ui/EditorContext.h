#pragma once

namespace torvale {
class RomFile;
class TextCodec;
}  // namespace torvale

namespace torvale::ui {

class History;
class Platform;

// What the main window lends every editor window: the open ROM, the platform
// seam, the text codec and the ROM's history, where every change an editor
// writes is kept. Editors are modal, so each has the file to itself.
struct EditorContext {
  RomFile& rom;
  Platform& platform;
  const TextCodec& text;
  History& history;
};

}  // namespace torvale::ui
