#pragma once

namespace autoplay {

// The strip items an input script may click: those whose commands the game reads
// as requests.
enum class MenuItem {
    Save,
    Load,
    Settings,
};

}  // namespace autoplay
