#pragma once

#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/MovieMaker.h"

namespace mkdemo {

// The demo's opening movie, painted picture by picture from the demo's art: the town
// at dusk darkening into night as the moon rises, the four heroines one after another
// with their names, then the game's name with its crescent and moth, held and faded
// to black; under it a piece of music of its own.
class OpeningMovie {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    static constexpr int kRate = 25;
    static constexpr int kFrames = 500;
    // The first picture of the first heroine's scene, each heroine's length, the first
    // picture of the game's name and of the fade to black.
    static constexpr int kHeroinesStart = 140;
    static constexpr int kHeroineFrames = 65;
    static constexpr int kNameStart = kHeroinesStart + 4 * kHeroineFrames;
    static constexpr int kFadeStart = 475;

    // Paints what the pictures share, once.
    OpeningMovie();

    // Picture n as opaque BGRA rows.
    std::string picture(int n) const;
    // The music, as long as the pictures and fading out with them: mono at the demo's
    // sound rate.
    static std::vector<float> Sound();
    // The whole movie for the maker; it paints through this object.
    PaintedMovie movie() const;

private:
    void paintScene(cairo_t* cr, int scene, int n) const;
    void paintTown(cairo_t* cr, int n) const;
    void paintHeroine(cairo_t* cr, std::size_t heroine, int into) const;
    void paintName(cairo_t* cr, int into) const;

    ArtCanvas duskSky_;
    ArtCanvas nightSky_;
    ArtCanvas duskTown_;
    ArtCanvas nightTown_;
    std::vector<ArtCanvas> heroineBacks_;  // her colours and her name
    std::vector<ArtCanvas> heroineFigures_;
    ArtCanvas logo_;
};

}  // namespace mkdemo
