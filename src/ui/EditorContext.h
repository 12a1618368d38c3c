#pragma once

namespace torvale {
class RomFile;
class TextCodec;
}  // namespace torvale

namespace torvale::ui {

class History;
class Platform;
class RomSession;

// What the main window lends every editor window: the open ROM's session
// (its file, text codec and history, where every change an editor writes is
// kept) and the platform seam.
struct EditorContext {
  EditorContext(RomSession& session, Platform& platform);

  RomSession& session;
  Platform& platform;
  RomFile& rom;
  const TextCodec& text;
  History& history;
};

}  // namespace torvale::ui
