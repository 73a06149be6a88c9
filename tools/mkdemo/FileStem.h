#pragma once

#include <string>

namespace mkdemo {

// A file name without its extension: the ID a picture or sound is registered under.
inline std::string FileStem(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace mkdemo
