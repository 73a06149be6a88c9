#include "platform/files/LittleEndian.h"

namespace platform {

std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
}

}  // namespace platform
