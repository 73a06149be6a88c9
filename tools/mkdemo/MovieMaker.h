#pragma once

#include <string>
#include <vector>

namespace mkdemo {

// Matroska and AVI carry MPEG-4 Part 2 pictures and 16-bit PCM sound; an MPEG
// program stream MPEG-1 pictures, at the standard rates only (25, 30...), and MP2
// sound.
enum class MovieContainer { Matroska, Avi, MpegProgram };

// What a generated movie holds. Every picture carries its own number in a band of
// ten square blocks across its top (block b is bit 9 - b, white for 1, grey for 0)
// and as text near its bottom; the sound is a 440 Hz tone at 1/8 with a short
// higher beep at the start of each second.
struct MovieRecipe {
    int width = 160;
    int height = 120;
    int rate = 10;
    int frames = 10;
    // The tone's length when it differs from the pictures'.
    double soundSeconds = 0;
    bool picture = true;
    bool sound = true;
    int soundRate = 44100;
    int channels = 2;
    MovieContainer container = MovieContainer::Matroska;

    // The demo's dat/Mov.vid: 640 x 480, 25 pictures a second, three seconds.
    static MovieRecipe Demo();
};

// Makes movies by running the ffmpeg program, with bit-exact settings so that a recipe always gives
// the same bytes.
class MovieMaker {
public:
    // Writes the movie to path; false with the reason (ffmpeg's first error line,
    // or why it could not run) in error.
    static bool Make(const MovieRecipe& recipe, const std::string& path, std::string& error);
    // The program's argument vector for a recipe.
    static std::vector<std::string> Arguments(const MovieRecipe& recipe, const std::string& path);
};

}  // namespace mkdemo
