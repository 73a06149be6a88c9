#pragma once

#include <string>
#include <vector>

class AssetManifest;

namespace mkdemo {

// The lines of Init.spt: a comment, the registration of every texture, surface and
// effect of the manifest under its file stem, the characters, then the
// hand-written story tail as it stands.
class InitScriptWriter {
public:
    static constexpr const char* kName = "Init.spt";

    static std::vector<std::u8string> Lines(const AssetManifest& manifest,
                                            const std::vector<std::u8string>& storyTail);
};

}  // namespace mkdemo
