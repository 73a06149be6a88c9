#pragma once

#include <cstdint>

namespace platform {

class DrawList;

// A number never used before, for the versions of what draws read.
std::uint64_t NewDrawVersion();

// Something a waiting draw reads (a surface, a texture). Before it changes or goes
// away, the draws waiting on it are done, so they read it as it was when they were
// asked for. A copy is read by nothing yet.
class DrawSource {
public:
    DrawSource() = default;
    DrawSource(const DrawSource&) noexcept {}
    DrawSource& operator=(const DrawSource&) {
        release();
        return *this;
    }
    ~DrawSource() { release(); }

    // Called before any change: the draws waiting on this are done first.
    void release() const;
    void readBy(DrawList& list) const;
    // The list no longer waits on this.
    void forget(const DrawList& list) const;

private:
    mutable DrawList* reader_ = nullptr;
};

}  // namespace platform
