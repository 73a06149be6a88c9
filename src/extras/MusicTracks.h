#pragma once

#include <cstdint>
#include <string>

// What the music room shows of a track, in CP932: a title of at most 24 bytes, and a
// comment of one to three lines (at most 152 bytes), each line opened by a full-width
// blank.
struct MUSIC_TRACK_TEXT {
    std::string title;
    std::string comment;
};

// Track nTrack, 1 to 18.
const MUSIC_TRACK_TEXT& MusicTrack(std::int32_t nTrack);
