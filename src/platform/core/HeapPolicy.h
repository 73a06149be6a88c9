#pragma once

namespace platform {

// How the program's heap is kept, set once before any thread starts:
// - Every thread allocates from one heap. A movie's pictures are made on its
//   decoder's thread and freed on the game's; in a heap of the decoder's own they
//   left megabytes resident that the game's heap could not reuse.
// - Blocks of a quarter megabyte and more (pictures, decoded sounds) each get a
//   mapping of their own, given back to the system when freed. Left to itself the
//   allocator moves them into the heap after the first is freed, where a freed
//   picture behind a live one stays resident for the rest of the run.
void ApplyHeapPolicy();

}  // namespace platform
