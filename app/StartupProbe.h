// For the start-up benchmark: with QUORVELIN_STARTUP_PROBE=1 in the environment, the program
// prints the monotonic clock (in nanoseconds) when its first window is first exposed, then
// quits. Without it nothing happens.
#pragma once

class QWidget;

namespace app {

void ProbeStartup(QWidget* firstWindow);

} // namespace app
