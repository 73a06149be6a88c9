#include "game/ResourceLoader.h"

#include <cstring>
#include <string>

#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/text/SjisText.h"
#include "sound/ZKSND.h"
#include "system/DataName.h"
#include "system/FileDiv.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr const char* kTmpDir = "tmp/";
constexpr const char* kImageArchive = "dat/Img.dat";
constexpr std::size_t kNameSize = 260;

// The names last given to VoiceLoad and BGMLoad: the files their unloaders delete.
char szVoiceName[kNameSize] = {};
char szBGMFileName[kNameSize] = {};

// One image table of the graphics object, seen the same way for both kinds.
struct ImageTable {
    const char* loadTag;
    bool surface;

    const char* FileName(ZKSPRITE& s, int i) const {
        return surface ? s.GetSurfacePath(i) : s.GetTextureFileName(i);
    }
    const char* DirPath(ZKSPRITE& s, int i) const {
        return surface ? s.GetSurfaceDirPath(i) : s.GetTextureDirPath(i);
    }
    int LoadState(ZKSPRITE& s, int i) const {
        return surface ? s.GetSurfaceLoadState(i) : s.GetTextureLoadState(i);
    }
    std::int32_t Create(ZKSPRITE& s, int i, int key, std::uint32_t color) const {
        return surface ? s.CreateSurface(i, key, color) : s.CreateTexture(i, key, color);
    }
    void Release(ZKSPRITE& s, int i) const {
        if (surface) {
            s.ReleaseSurface(i);
        } else {
            s.ReleaseTexture(i);
        }
    }
};

constexpr ImageTable kSurfaces{"SurfaceLoad", true};
constexpr ImageTable kTextures{"TextureLoad", false};

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

// Extracts name from archive into dir. An old copy still in use is unloaded by
// unload, the member extracted again and the copy taken off the pending list.
// Logs a failure under tag.
template <class Unload>
bool ExtractMember(const char* tag, ZKSYSTEM& system, const char* archive, const char* dir,
                   const char* name, Unload unload) {
    const int result = FileDiv(archive, dir, name);
    if (result == -3) {
        unload();
        FileDiv(archive, dir, name);
        system.DelRemoveFileList((std::string(dir) + name).c_str());
        return true;
    }
    if (result == -1 || result == -2) {
        platform::LogError(tag, u8"ファイルの複合に失敗しました");
        return false;
    }
    if (result == 0) {
        platform::LogError(tag, u8"該当ファイルが見つかりません");
        return false;
    }
    return true;
}

int ImageLoad(const ImageTable& table, ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex,
              int bColorKey, std::uint32_t dwColor) {
    if (pSprite == nullptr || pSystem == nullptr) {
        platform::LogError(table.loadTag, u8"引数が不正です");
        return 0;
    }
    const std::string name = OrEmpty(table.FileName(*pSprite, nIndex));
    const std::string dir = OrEmpty(table.DirPath(*pSprite, nIndex));
    if (table.surface && name.empty()) {
        if (pSprite->CreateEmptySurface(nIndex, pSprite->GetWidth(), pSprite->GetHeight()) < 0) {
            platform::LogError(table.loadTag, u8"サーフェスの作成に失敗しました");
            return 0;
        }
        return 1;
    }
    const auto unload = [&] {
        if (table.surface) {
            SurfaceUnload(pSprite, pSystem, nIndex);
        } else {
            TextureUnload(pSprite, pSystem, nIndex);
        }
    };
    if (!ExtractMember(table.loadTag, *pSystem, kImageArchive, dir.c_str(), name.c_str(), unload)) {
        return 0;
    }
    // A slot already loaded keeps its image; the copy goes either way.
    const bool failed = table.LoadState(*pSprite, nIndex) == 1 &&
                        table.Create(*pSprite, nIndex, bColorKey, dwColor) < 0;
    pSystem->RemoveFile(dir.c_str(), name.c_str(), 0);
    if (failed) platform::LogError(table.loadTag, u8"画像のロードに失敗しました");
    return failed ? 0 : 1;
}

int ImageUnload(const ImageTable& table, ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex) {
    if (pSprite == nullptr) return 1;
    const char* name = table.FileName(*pSprite, nIndex);
    if (pSystem != nullptr && name != nullptr && name[0] != '\0' &&
        table.LoadState(*pSprite, nIndex) == 0) {
        pSystem->RemoveFile(table.DirPath(*pSprite, nIndex), name, 0);
    }
    table.Release(*pSprite, nIndex);
    return 1;
}

// Deletes tmp/ + name when that file exists; an empty name names no file.
void RemoveTmpCopy(ZKSYSTEM& system, const char* name, const char* tag) {
    if (name[0] == '\0') return;
    if (!platform::service<platform::Files>().exists(std::string(kTmpDir) + name)) return;
    if (system.RemoveFile(kTmpDir, name, 0) == 0 && tag != nullptr) {
        platform::LogError(tag, u8"呼び出したZKSYSTEM::RemoveFileが失敗しました");
    }
}

// Buffer 0 (voice) or 1 (music): one name kept here, one archive, one path.
struct StreamBuffer {
    int index;
    const char* archive;
    DA_PATH path;
    char* current;
    const char* loadTag;
    const char* unloadTag;
    const char8_t* unloadFailText;
    int (*unload)(ZKSND*, ZKSYSTEM*, const ShellWords&);
};

const StreamBuffer kVoice{0,
                          "dat/VO.dat",
                          DA_PATH_VOICE,
                          szVoiceName,
                          "VoiceLoad",
                          "VoiceUnload",
                          u8"ボイスのアンロードに失敗しました",
                          VoiceUnload};
const StreamBuffer kMusic{1,
                          "dat/AU.dat",
                          DA_PATH_BGM,
                          szBGMFileName,
                          "BGMLoad",
                          "BGMUnload",
                          u8"BGMのアンロードに失敗しました",
                          BGMUnload};

int StreamLoad(const StreamBuffer& buffer, ZKSND* pSnd, ZKSYSTEM* pSystem, const char* szName,
               const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError(buffer.loadTag, u8"引数が不正です");
        return 0;
    }
    if (szName == nullptr) {
        platform::LogError(buffer.loadTag, u8"不正な引数が渡されました");
        return 0;
    }
    if (!AcceptSoundName(buffer.loadTag, szName)) return 0;
    if (pSnd->DAGetLoadState(buffer.index) == 1) buffer.unload(pSnd, pSystem, shell);
    const auto store = [&] {
        platform::SjisCopyTruncated(buffer.current, kNameSize, szName);
        return pSnd->DASetData(buffer.index, szName) != 0;
    };
    if (!store()) {
        platform::LogError(buffer.loadTag, u8"呼び出したZKSND::DASetDataが失敗しました");
        return 0;
    }
    // The unloader forgets nothing it needs: the names are stored again after it.
    const auto unload = [&] {
        buffer.unload(pSnd, pSystem, shell);
        store();
    };
    if (!ExtractMember(buffer.loadTag, *pSystem, buffer.archive, kTmpDir, szName, unload)) {
        return 0;
    }
    const std::string path = std::string(kTmpDir) + szName;
    if (pSnd->DALoad(buffer.index, path.c_str(), buffer.path) < 0) {
        platform::LogError(buffer.loadTag, u8"呼び出したZKSND::DALoadが失敗しました");
        return 0;
    }
    return 1;
}

// Deletes the copy named by the loaders and, when it differs, the one the buffer names.
void StreamRemoveCopies(const StreamBuffer& buffer, ZKSND& snd, ZKSYSTEM& system) {
    char bufferName[kNameSize] = {};
    snd.DAGetWAVEPath(buffer.index, bufferName, kNameSize);
    RemoveTmpCopy(system, buffer.current, buffer.unloadTag);
    if (!platform::SjisEqualsIgnoreCase(bufferName, buffer.current)) {
        RemoveTmpCopy(system, bufferName, buffer.unloadTag);
    }
}

}  // namespace

bool AcceptSoundName(const char* szTag, const char* szName) {
    if (IsDataName(szName)) return true;
    platform::LogError(szTag, u8"不正なファイル名です: %s", platform::GameArg(szName));
    return false;
}

void ClearSoundNames() {
    std::memset(szVoiceName, 0, sizeof szVoiceName);
    std::memset(szBGMFileName, 0, sizeof szBGMFileName);
}

int SurfaceLoad(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex, int bColorKey,
                std::uint32_t dwColor) {
    return ImageLoad(kSurfaces, pSprite, pSystem, nIndex, bColorKey, dwColor);
}

int TextureLoad(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex, int bColorKey,
                std::uint32_t dwColor) {
    return ImageLoad(kTextures, pSprite, pSystem, nIndex, bColorKey, dwColor);
}

int SurfaceUnload(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex) {
    return ImageUnload(kSurfaces, pSprite, pSystem, nIndex);
}

int TextureUnload(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex) {
    return ImageUnload(kTextures, pSprite, pSystem, nIndex);
}

int SELoad(ZKSND* pSnd, ZKSYSTEM* pSystem, int nIndex, const char* szName,
           const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError("SELoad", u8"引数が不正です");
        return 0;
    }
    if (szName != nullptr) {
        if (!AcceptSoundName("SELoad", szName)) return 0;
        if (pSnd->DASetData(nIndex, szName) == 0) {
            platform::LogError("SELoad", u8"呼び出したZKSND::DASetDataが失敗しました");
            return 0;
        }
    }
    char name[kNameSize] = {};
    if (pSnd->DAGetWAVEPath(nIndex, name, kNameSize) == nullptr ||
        !AcceptSoundName("SELoad", name)) {
        return 0;
    }
    const auto unload = [&] { SEUnload(pSnd, pSystem, nIndex, shell); };
    if (!ExtractMember("SELoad", *pSystem, "dat/SE.dat", kTmpDir, name, unload)) return 0;
    const std::string path = std::string(kTmpDir) + name;
    if (pSnd->DALoad(nIndex, path.c_str(), DA_PATH_SE) < 0) {
        platform::LogError("SELoad", u8"呼び出したZKSND::DALoadが失敗しました");
        return 0;
    }
    return 1;
}

int VoiceLoad(ZKSND* pSnd, ZKSYSTEM* pSystem, const char* szName, const ShellWords& shell) {
    return StreamLoad(kVoice, pSnd, pSystem, szName, shell);
}

int BGMLoad(ZKSND* pSnd, ZKSYSTEM* pSystem, const char* szName, const ShellWords& shell) {
    return StreamLoad(kMusic, pSnd, pSystem, szName, shell);
}

int SEUnload(ZKSND* pSnd, ZKSYSTEM* pSystem, int nIndex, const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr) return 1;
    if (pSnd->DAUnload(nIndex) < 0) return 0;
    if (pSystem == nullptr) return 1;
    char name[kNameSize] = {};
    if (pSnd->DAGetWAVEPath(nIndex, name, kNameSize) != nullptr && IsDataName(name)) {
        RemoveTmpCopy(*pSystem, name, nullptr);
    }
    return 1;
}

int VoiceUnload(ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    if (shell.soundAvailable == 0 || pSnd == nullptr || pSystem == nullptr) return 1;
    VoiceStop(pSnd, shell);
    if (pSnd->DAUnload(kVoice.index) < 0) platform::LogError("VoiceUnload", kVoice.unloadFailText);
    StreamRemoveCopies(kVoice, *pSnd, *pSystem);
    return 1;
}

int BGMUnload(ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    if (shell.soundAvailable == 0 || pSnd == nullptr || pSystem == nullptr) return 1;
    if (pSnd->DAUnload(kMusic.index) < 0) platform::LogError("BGMUnload", kMusic.unloadFailText);
    StreamRemoveCopies(kMusic, *pSnd, *pSystem);
    pSnd->DASetData(kMusic.index, "");
    return 1;
}
