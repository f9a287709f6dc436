#pragma once

namespace ludra::ui {

// The start procedure: sets every process-wide default, builds the main window and
// the Log window, creates the empty project, and returns to the event loop.
void Main();

} // namespace ludra::ui
