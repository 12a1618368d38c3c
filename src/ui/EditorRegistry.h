#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "ui/EditorContext.h"

class QDialog;
class QWidget;

namespace torvale::ui {

using EditorFactory = std::unique_ptr<QDialog> (*)(const EditorContext& context, QWidget* parent);

// A node of the main window's editor tree, an editor window, or both. The
// registry is the one list of editors: the tree, the tools, the tests and the
// benchmarks all read it.
struct EditorEntry {
  const char* nodeText;      // the tree node's text; empty for a window the tree does not open
  const char* key;           // the tree node's key
  const char* parentKey;     // the key of the node above it; empty for a top node
  const char* window;        // the window's objectName; empty for a node that opens none
  const char* caption;       // the window's caption until it shows a record
  const char* firstControl;  // where the keyboard starts once the window is ready
  EditorFactory create;
  // The window's controls alone, as its form lays them out, nothing read:
  // what the benchmarks measure the window's opening against.
  EditorFactory form;
  // A window the tree does not open: the window and the button that open it.
  const char* openedFrom = "";
  const char* opener = "";
  // How the history names the window's changes, when not by its caption.
  const char* changeName = "";
};

// In the tree's order, then the windows opened from other windows.
std::span<const EditorEntry> Editors();
// The editor whose window has this objectName; std::invalid_argument when none has.
const EditorEntry& EditorNamed(std::string_view window);

}  // namespace torvale::ui
