#pragma once

#include <cstdint>
#include <string>

// The heroine's comment on each costume in the dress room, and the face she makes.
struct DRESS_ROOM_COMMENT {
    std::uint32_t nExpression;
    // CP932; a line break is the escape backslash-n.
    std::string text;
};

// The comment on costume nClothes (1 to 14); nullptr for any other number.
const DRESS_ROOM_COMMENT* DressRoomComment(std::int32_t nClothes);
