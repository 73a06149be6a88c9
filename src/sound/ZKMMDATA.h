#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/media/MediaPlayer.h"

// One multimedia record of ZKSND: a file, its type (0 or 1; 2 while empty), its
// play state and, while open, the player of its sound.
class ZKMMDATA {
public:
    static constexpr std::size_t kPathSize = 260;
    static constexpr std::uint32_t kTypeEmpty = 2;
    static constexpr std::uint32_t kPlaying = 0;
    static constexpr std::uint32_t kStopped = 1;
    static constexpr std::uint32_t kPaused = 2;

    ZKMMDATA() { Reset(); }
    ZKMMDATA(const ZKMMDATA&) = delete;
    ZKMMDATA& operator=(const ZKMMDATA&) = delete;

    // Empty, stopped and closed, its player dropped.
    void Reset();
    // Keeps the type and copies path, which the caller has checked fits.
    void SetData(const char* path, std::uint32_t type);

    char szPath[kPathSize];
    std::uint32_t dwType;
    std::uint32_t dwState;
    std::uint32_t dwOpen;
    std::unique_ptr<platform::MediaPlayer> pDevice;
};
