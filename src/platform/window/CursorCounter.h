#pragma once

namespace platform {

// The pointer's display count, one per process: showing adds one, hiding takes
// one away, and the pointer is visible exactly while the count is 0 or more.
// Returns the new count.
int ShowCursor(bool show);
int CursorCount();
// A fresh count of 0, for each run of the program's entry.
void ResetCursorCount();

}  // namespace platform
