#pragma once

#include <cstdint>

namespace platform {

// The result codes the sound object returns and logs, with their Windows values:
// negative is a failure.
inline constexpr std::int32_t S_OK = 0;
inline constexpr std::int32_t S_FALSE = 1;
inline constexpr std::int32_t E_FAIL = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t E_INVALIDARG = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t E_FILE_NOT_FOUND = static_cast<std::int32_t>(0x80070002u);
// An empty event queue.
inline constexpr std::int32_t E_ABORT = static_cast<std::int32_t>(0x80004004u);
// The event a media graph queues when its play reaches the end.
inline constexpr std::int32_t EC_COMPLETE = 1;

}  // namespace platform
