#pragma once

#include <memory>
#include <span>

#include "ui/EditorContext.h"

class QDialog;
class QWidget;

namespace torvale::ui {

using EditorFactory = std::unique_ptr<QDialog> (*)(const EditorContext& context, QWidget* parent);

struct EditorNode {
  const char* nodeText;  // the editor tree's node that opens the window
  EditorFactory create;
};

// The windows the editor tree opens, in the order node texts are compared.
std::span<const EditorNode> EditorNodes();

}  // namespace torvale::ui
