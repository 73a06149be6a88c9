#pragma once

namespace platform {

// Every thread of the program allocates from one heap. A movie's pictures are made
// on its decoder's thread and freed on the game's; in a heap of the decoder's own
// they left megabytes resident that the game's heap could not reuse. Called before
// any thread starts.
void ShareOneHeap();

}  // namespace platform
