#pragma once

namespace torvale::ui {

// Waits the given number of seconds while the windows go on handling events,
// so a click during the wait (Quit, say) runs at once. Sleeps between events
// rather than spinning, and measures on a monotonic clock.
void Pause(double seconds);

}  // namespace torvale::ui
