#include "platform/window/CursorCounter.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<int> count{0};
}

int ShowCursor(bool show) { return show ? ++count : --count; }

int CursorCount() { return count.load(); }

void ResetCursorCount() { count = 0; }

}  // namespace platform
