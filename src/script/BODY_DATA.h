#pragma once

#include <cstddef>
#include <cstdint>

// One body picture of a character: its image ID, its surface and texture slots,
// its offset from the character's origin and where a face lies on it.
struct BODY_DATA {
    static constexpr std::size_t kNameSize = 100;

    char szName[kNameSize] = {};
    std::int32_t nSurfaceIndex = -1;
    std::int32_t nTextureIndex = -1;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    std::int32_t nFaceX = 0;
    std::int32_t nFaceY = 0;
};
