#include "shell/RegisterResourceFiles.h"

#include "graphics/ZKSPRITE.h"
#include "shell/AssetManifest.h"
#include "sound/ZKSND.h"

namespace {

constexpr int kFirstEffect = 2;
constexpr std::uint32_t kVideoMemory = 1;

// Slots with an empty name get no folder either: they hold pictures made at run time.
const char* DirFor(const std::string& name) { return name.empty() ? "" : AssetManifest::kImageDir; }

}  // namespace

int RegisterResourceFiles(ZKSPRITE& sprite, ZKSND& snd) {
    const AssetManifest& manifest = AssetManifest::Instance();
    if (sprite.CreateSurfaceBuffer(AssetManifest::kSurfaceCount) == 0) return 0;
    for (int slot = 0; slot < AssetManifest::kSurfaceCount; ++slot) {
        const std::string& name = manifest.SurfaceNames()[slot];
        if (sprite.SetSurface(slot, DirFor(name), name.c_str(), kVideoMemory) == 0) return 0;
    }
    if (sprite.CreateTextureBuffer(AssetManifest::kTextureCount) == 0) return 0;
    for (int slot = 0; slot < AssetManifest::kTextureCount; ++slot) {
        const std::string& name = manifest.TextureNames()[slot];
        if (sprite.SetTexture(slot, DirFor(name), name.c_str(), kVideoMemory) == 0) return 0;
    }
    if (snd.DADATAReserve(AssetManifest::kSoundCount) == 0) return 0;
    for (int record = kFirstEffect; record < AssetManifest::kSoundCount; ++record) {
        if (snd.DASetData(record, manifest.EffectNames()[record].c_str()) == 0) return 0;
    }
    return 1;
}
