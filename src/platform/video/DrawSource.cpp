#include "platform/video/DrawSource.h"

#include <atomic>

#include "platform/video/DrawList.h"

namespace platform {

std::uint64_t NewDrawVersion() {
    static std::atomic<std::uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

void DrawSource::release() const {
    DrawList* reader = reader_;
    reader_ = nullptr;
    if (reader != nullptr) reader->settle();
}

void DrawSource::readBy(DrawList& list) const {
    if (reader_ != &list) release();
    reader_ = &list;
}

void DrawSource::forget(const DrawList& list) const {
    if (reader_ == &list) reader_ = nullptr;
}

}  // namespace platform
