#pragma once

#include <cstdint>

namespace platform {

// Result codes of the display and its surfaces. The engine logs and compares these
// numbers, so they keep the values the engine was written against.
constexpr std::int32_t Status(std::uint32_t code) { return static_cast<std::int32_t>(code); }

constexpr std::int32_t DD_OK = 0;
constexpr std::int32_t DDERR_SURFACELOST = Status(0x887601C2u);
constexpr std::int32_t DDERR_SURFACEBUSY = Status(0x887601AEu);
constexpr std::int32_t DDERR_NOEXCLUSIVEMODE = Status(0x887600E1u);
constexpr std::int32_t DDERR_INVALIDOBJECT = Status(0x88760082u);
constexpr std::int32_t DDERR_INVALIDPARAMS = Status(0x80070057u);
constexpr std::int32_t DDERR_NOTFOUND = Status(0x887600FFu);
constexpr std::int32_t DDERR_INVALIDRECT = Status(0x88760096u);
constexpr std::int32_t DDERR_OUTOFVIDEOMEMORY = Status(0x8876017Cu);
constexpr std::int32_t DDERR_OUTOFMEMORY = Status(0x8007000Eu);
// Our own: a picture file in a format this platform does not read.
constexpr std::int32_t ZKERR_UNSUPPORTEDFORMAT = Status(0x8876F001u);

}  // namespace platform
