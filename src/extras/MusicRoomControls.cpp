#include "extras/MusicRoomControls.h"

namespace {

using platform::Rect;

// A button's three looks in one column of the material, one below the other; Play's
// column goes on with its inactive look.
constexpr std::array<Rect, 4> ButtonCells(std::int32_t nLeft, std::int32_t nRight,
                                          bool bInactiveLook = false) {
    return {Rect{nLeft, 26, nRight, 58}, Rect{nLeft, 58, nRight, 90}, Rect{nLeft, 90, nRight, 122},
            bInactiveLook ? Rect{nLeft, 122, nRight, 154} : Rect{}};
}

// The rows stand in two columns of nine, 40 pixels apart.
constexpr Rect RowRect(std::int32_t nTrack) {
    const std::int32_t column = (nTrack - 1) / 9;
    const std::int32_t top = 88 + 40 * ((nTrack - 1) % 9);
    const std::int32_t left = column == 0 ? 8 : 424;
    return {left, top, left + 368, top + 26};
}

constexpr std::int32_t T(std::int32_t nTrack) { return MusicRowId(nTrack); }
constexpr std::int32_t kPlay = MUSIC_PLAY;
constexpr std::int32_t kStop = MUSIC_STOP;
constexpr std::int32_t kPrev = MUSIC_PREV;
constexpr std::int32_t kNext = MUSIC_NEXT;
constexpr std::int32_t kExit = MUSIC_EXIT;

constexpr MUSIC_ROOM_CONTROL Row(std::int32_t nTrack, std::array<std::int32_t, 4> targets) {
    return {T(nTrack), RowRect(nTrack), {}, targets};
}

constexpr std::array<MUSIC_ROOM_CONTROL, kMusicControls> kControls = {{
    {kPlay, {664, 479, 784, 511}, ButtonCells(0, 120, true), {kPrev, kNext, T(18), kStop}},
    {kStop, {705, 511, 743, 543}, ButtonCells(281, 319), {kPrev, kNext, kPlay, kExit}},
    {kPrev, {664, 511, 705, 543}, ButtonCells(240, 281), {kNext, kStop, kPlay, kExit}},
    {kNext, {743, 511, 784, 543}, ButtonCells(319, 360), {kStop, kPrev, kPlay, kExit}},
    {kExit, {664, 543, 784, 575}, ButtonCells(360, 480), {kPrev, kNext, kStop, T(10)}},
    Row(1, {T(10), T(10), T(9), T(2)}),
    Row(2, {T(11), T(11), T(1), T(3)}),
    Row(3, {T(12), T(12), T(2), T(4)}),
    Row(4, {T(13), T(13), T(3), T(5)}),
    Row(5, {T(14), T(14), T(4), T(6)}),
    Row(6, {T(15), T(15), T(5), T(7)}),
    Row(7, {T(16), T(16), T(6), T(8)}),
    Row(8, {T(17), T(17), T(7), T(9)}),
    Row(9, {T(18), T(18), T(8), T(1)}),
    Row(10, {T(1), T(1), kExit, T(11)}),
    Row(11, {T(2), T(2), T(10), T(12)}),
    Row(12, {T(3), T(3), T(11), T(13)}),
    Row(13, {T(4), T(4), T(12), T(14)}),
    Row(14, {T(5), T(5), T(13), T(15)}),
    Row(15, {T(6), T(6), T(14), T(16)}),
    Row(16, {T(7), T(7), T(15), T(17)}),
    Row(17, {T(8), T(8), T(16), T(18)}),
    Row(18, {T(9), T(9), T(17), kPlay}),
}};

}  // namespace

const std::array<MUSIC_ROOM_CONTROL, kMusicControls>& MusicRoomControls() { return kControls; }

const MUSIC_ROOM_CONTROL& MusicRoomControl(std::int32_t nId) {
    return kControls[static_cast<std::size_t>(nId - 1)];
}
