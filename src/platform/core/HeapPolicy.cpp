#include "platform/core/HeapPolicy.h"

#include <malloc.h>

namespace platform {

void ShareOneHeap() { mallopt(M_ARENA_MAX, 1); }

}  // namespace platform
