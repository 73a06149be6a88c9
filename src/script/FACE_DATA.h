#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "game/ANIMATION_DATA.h"
#include "script/EYE_DATA.h"

// One face picture: its image ID and slots, its offset from the body's face anchor,
// and the eye frames that the face's animation runs through.
struct FACE_DATA {
    static constexpr std::size_t kNameSize = 100;

    char szName[kNameSize] = {};
    std::int32_t nSurfaceIndex = -1;
    std::int32_t nTextureIndex = -1;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    std::unique_ptr<EYE_DATA[]> pEyeData;
    std::int32_t nEyeNum = 0;
    std::int32_t nEyeParam = 0;
    ANIMATION_DATA Animation;
};
