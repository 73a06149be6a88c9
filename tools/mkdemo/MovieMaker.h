#pragma once

#include <functional>
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

    // Three seconds at the size and rate of the demo's opening: 640 x 480, 25 pictures
    // a second, for the tests that count the pictures the game shows.
    static MovieRecipe GameSize();
};

// A movie painted picture by picture, in Matroska with MPEG-4 Part 2 pictures and
// 16-bit PCM sound at 44 100 Hz on two channels, as long as its pictures.
struct PaintedMovie {
    int width = 0;
    int height = 0;
    int rate = 0;
    int frames = 0;
    // Picture number n as opaque BGRA rows (cairo's ARGB32 as it lies in memory).
    std::function<std::string(int n)> picture;
    // Mono samples at soundRate, cut or lengthened with silence to the pictures'.
    std::vector<float> sound;
    int soundRate = 0;
};

// Makes movies by running the ffmpeg program, with bit-exact settings so that a recipe always gives
// the same bytes.
class MovieMaker {
public:
    // Writes the movie to path; false with the reason (ffmpeg's first error line,
    // or why it could not run) in error.
    static bool Make(const MovieRecipe& recipe, const std::string& path, std::string& error);
    // The same for a painted movie, whose pictures go to the program as it asks for
    // them; its sound waits in a WAV file beside path meanwhile.
    static bool Make(const PaintedMovie& movie, const std::string& path, std::string& error);
    // The program's argument vector for a recipe.
    static std::vector<std::string> Arguments(const MovieRecipe& recipe, const std::string& path);
};

}  // namespace mkdemo
