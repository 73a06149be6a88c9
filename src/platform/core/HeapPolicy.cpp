#include "platform/core/HeapPolicy.h"

#include <malloc.h>

namespace platform {

namespace {

constexpr int kOwnMappingBytes = 256 * 1024;

}  // namespace

void ApplyHeapPolicy() {
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
}

}  // namespace platform
