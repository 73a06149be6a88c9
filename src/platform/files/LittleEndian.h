#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

// The value of `size` little-endian bytes at `at`; the caller has checked the bounds.
std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int size);

}  // namespace platform
