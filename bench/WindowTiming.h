#pragma once

#include <functional>

class QWidget;

namespace torvale::bench {

// Shows `window`, then handles events until `ready()` holds and the window
// has been painted since: what a user waits for before the window is usable.
void ShowUntilReady(
    QWidget& window, const std::function<bool()>& ready = [] { return true; });

}  // namespace torvale::bench
