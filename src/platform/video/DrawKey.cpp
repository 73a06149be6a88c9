#include "platform/video/DrawKey.h"

namespace platform {

DrawKey& DrawKey::add(const Rect& rect) {
    return add(rect.left).add(rect.top).add(rect.right).add(rect.bottom);
}

DrawKey& DrawKey::add(std::string_view text) {
    add(text.size());
    bytes_.append(text);
    return *this;
}

DrawKey& DrawKey::reads(const DrawSource& source, const void* identity, std::uint64_t version) {
    sources_.push_back(&source);
    return add(reinterpret_cast<std::uintptr_t>(identity)).add(version);
}

DrawKey& DrawKey::coversAll() {
    covers_ = true;
    return *this;
}

}  // namespace platform
