#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class AssetManifest;

namespace mkdemo {

enum class PictureKind {
    Plain,              // one colour, no key pixel, no label: the fade overlays
    Picture,            // gradient with border and label
    Plate,              // a picture plate on key background
    Hills,              // a picture whose upper part is key
    CellSheet,          // a sheet with its cell list: labelled cells on key
    CellSheetKeyBlack,  // the same on a black key
    Body,               // character body sheet
    Face,               // character face sheet, three eye frames
};

// A named rectangle of a sheet, right and bottom exclusive. A frame cell is only a
// border, drawn around something else, with the key colour inside it. Names are UTF-8.
struct SheetCell {
    std::string name;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool frame = false;
};

struct PictureEntry {
    std::string name;   // manifest spelling with extension
    std::string stem;   // name without extension
    std::string slots;  // "surface 263, texture 7"
    int width = 0;
    int height = 0;
    PictureKind kind = PictureKind::Picture;
    std::uint32_t plainColor = 0;       // 0x00RRGGBB, for Plain
    std::vector<SheetCell> cells = {};  // for CellSheet
    // For Picture: places outlined over the art, each labelled with its name if it
    // has one.
    std::vector<SheetCell> regions = {};
    // A ruler over the art: a line at every 100 pixels of x, every second one labelled.
    bool ruler = false;
};

// Every picture of the manifest with the size and art its screens need, in archive
// order: surfaces in slot order, then the pictures that are textures only.
class PictureCatalog {
public:
    // Nothing, with the names in error, when a manifest name has no entry here.
    static std::optional<std::vector<PictureEntry>> Build(const AssetManifest& manifest,
                                                          std::string& error);
};

}  // namespace mkdemo
