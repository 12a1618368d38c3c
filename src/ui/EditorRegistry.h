#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "ui/EditorContext.h"

class QDialog;
class QWidget;

namespace torvale {
struct Table;
}

namespace torvale::ui {

using TableOf = const Table& (*)();
using EditorFactory = std::unique_ptr<QDialog> (*)(const EditorContext& context, QWidget* parent);
using FormFactory = std::unique_ptr<QDialog> (*)(QWidget* parent);

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
  // what the benchmarks measure the window's opening against, and where a
  // table's grid finds the length each box takes.
  FormFactory form;
  // A window the tree does not open: the window and the button that open it.
  const char* openedFrom = "";
  const char* opener = "";
  // How the history names the window's changes, when not by its caption.
  const char* changeName = "";
  // The tables whose fields its form's controls edit, each control named after its field.
  std::span<const TableOf> tables = {};
};

// In the tree's order, then the windows opened from other windows.
std::span<const EditorEntry> Editors();
// The editor whose window has this objectName; std::invalid_argument when none has.
const EditorEntry& EditorNamed(std::string_view window);
// The editor whose form edits the table, or none.
const EditorEntry* EditorOfTable(const Table& table);

}  // namespace torvale::ui
