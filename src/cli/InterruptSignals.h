#pragma once

/// Ctrl-C (SIGINT) and SIGTERM on a command-line run. The first one asks the run to stop,
/// as the desktop program's Abort button does: the host sees it at the run's next point,
/// so the partial report is still written and the files asked for are still saved. A
/// second one ends the process at once, after removing the temporary file of a save
/// under way, so that no half-written file is left behind.
namespace InterruptSignals {

void Install();
/// The first signal received, or 0.
int Received();

}
