#pragma once

#include <string>
#include <vector>

// The fixed file name of every image slot and sound-effect buffer. Plain data with
// no engine dependency, so that the tools read the same names the game registers.
class AssetManifest {
public:
    static constexpr int kSurfaceCount = 464;
    static constexpr int kTextureCount = 60;
    static constexpr int kSoundCount = 44;
    static constexpr const char* kImageDir = "tmp/";

    static const AssetManifest& Instance();

    // File names with their extension, indexed by slot or record; an empty name
    // marks a slot that holds a picture made at run time, or a buffer named when
    // something is played.
    const std::vector<std::string>& SurfaceNames() const { return surfaces_; }
    const std::vector<std::string>& TextureNames() const { return textures_; }
    const std::vector<std::string>& EffectNames() const { return effects_; }

private:
    AssetManifest();

    std::vector<std::string> surfaces_;
    std::vector<std::string> textures_;
    std::vector<std::string> effects_;
};
