#pragma once

#include <QString>
#include <memory>
#include <span>

class QDialog;
class QWidget;

namespace torvale {
class RomFile;
}

namespace torvale::ui {

class Platform;

using EditorFactory = std::unique_ptr<QDialog> (*)(RomFile& rom, Platform& platform,
                                                   QWidget* parent);

struct EditorWindow {
  const char* nodeText;  // the editor tree's node that opens the window
  EditorFactory create;  // null while the window is not part of the program
};

// The windows the editor tree opens, in the order node texts are compared.
std::span<const EditorWindow> EditorWindows();

}  // namespace torvale::ui
