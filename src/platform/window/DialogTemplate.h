#pragma once

#include <string>
#include <vector>

namespace platform {

// A dialog as its resource describes it; positions and sizes in dialog units.
struct DialogControl {
    enum class Kind { Button, DefaultButton, Static, CentredStatic, CheckBox };
    int id = 0;
    Kind kind = Kind::Static;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text;  // CP932; "&" marks the next letter as the control's key
};

struct DialogTemplate {
    int id = 0;
    std::string caption;  // CP932
    int width = 0, height = 0;
    bool closeBox = false;
    std::vector<DialogControl> controls;  // in tab order
};

// A dialog unit is 7/4 pixels both ways.
constexpr int DialogUnitsToPixels(int units) { return (units * 7 + 2) / 4; }

}  // namespace platform
