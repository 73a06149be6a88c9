#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/video/Rect.h"

namespace platform {

class DrawSource;

// What makes a draw give the pixels it gives: its operation, its parameters, and the
// identity and version of everything it reads. Two draws with equal keys on the same
// picture give the same pixels.
class DrawKey {
public:
    explicit DrawKey(char operation) { bytes_.push_back(operation); }

    template <class Value>
    requires std::is_arithmetic_v<Value> DrawKey& add(Value value) {
        char raw[sizeof value];
        std::memcpy(raw, &value, sizeof value);
        bytes_.append(raw, sizeof value);
        return *this;
    }
    DrawKey& add(const Rect& rect);
    DrawKey& add(std::string_view text);
    // A source read by the draw: the identity is its address, taken together with its
    // version, which is never reused.
    DrawKey& reads(const DrawSource& source, const void* identity, std::uint64_t version);
    // The draw paints every pixel of the target opaquely, whatever was there.
    DrawKey& coversAll();

    const std::string& bytes() const { return bytes_; }
    // Gives the bytes away, leaving the key empty.
    std::string takeBytes() { return std::move(bytes_); }
    const std::vector<const DrawSource*>& sources() const { return sources_; }
    bool covers() const { return covers_; }

private:
    std::string bytes_;
    std::vector<const DrawSource*> sources_;
    bool covers_ = false;
};

}  // namespace platform
