#include "game/ResourcePlayer.h"

#include <string_view>

#include "game/ResourceLoader.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "sound/ZKSND.h"

namespace {

constexpr int kVoiceBuffer = 0;
constexpr int kMusicBuffer = 1;
constexpr int kFirstEffect = 2;
constexpr std::int32_t kMutedBelow = -6000;
constexpr std::int32_t kEndless = -1;
constexpr std::size_t kNameSize = 260;

int Level(std::uint32_t word) { return static_cast<int>(word); }

// State 0 plays; 1 and 2 are stopped (part-way or at the end); -2 holds nothing.
bool IsStateError(std::int32_t state) { return state < 0 && state != -2; }

// Stops buffer when it plays or stopped part-way; logs under tag.
int StopBuffer(const char* tag, ZKSND& snd, int index) {
    const std::int32_t state = snd.DAGetState(index);
    if (state == 0 || state == 1) {
        if (snd.DAStop(index) < 0) {
            platform::LogError(tag, u8"停止に失敗しました");
            return 0;
        }
    } else if (IsStateError(state)) {
        platform::LogError(tag, u8"再生状態の取得に失敗しました");
        return 0;
    }
    return 1;
}

int SetPathVolume(const char* tag, DA_PATH path, int nLevel, ZKSND* pSnd, const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr) {
        platform::LogError(tag, u8"引数が不正です");
        return 0;
    }
    if (pSnd->DASetPathVolume(path, VOLUME_LEVEL(nLevel)) < 0) {
        platform::LogError(tag, u8"呼び出したZKSND::DASetPathVolumeが失敗しました");
        return 0;
    }
    return 1;
}

// Loads name unless it is the piece already in the music buffer; 2 when that piece
// is playing and nothing more is to be done.
int PrepareNamedMusic(const char* szName, ZKSND& snd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    char current[kNameSize] = {};
    snd.DAGetWAVEPath(kMusicBuffer, current, kNameSize);
    if (!platform::SjisEqualsIgnoreCase(current, szName)) {
        BGMStop(1, &snd, pSystem, shell);
        if (BGMLoad(&snd, pSystem, szName, shell) == 0) {
            platform::LogError("BGMPlay", u8"BGMのアンロードに失敗しました");
            return 0;
        }
        return 1;
    }
    return snd.DAGetState(kMusicBuffer) == 0 ? 2 : 1;
}

int PrepareLoadedMusic(ZKSND& snd) {
    char current[kNameSize] = {};
    snd.DAGetWAVEPath(kMusicBuffer, current, kNameSize);
    if (current[0] == '\0') {
        platform::LogError("BGMPlay", u8"BGMの再生に失敗しました");
        return 0;
    }
    const std::int32_t state = snd.DAGetState(kMusicBuffer);
    if (state == 0) return 2;
    if (IsStateError(state)) {
        platform::LogError("BGMPlay", u8"再生状態の取得に失敗しました");
        return 0;
    }
    return 1;
}

}  // namespace

std::int32_t VOLUME_LEVEL(int nLevel) {
    static constexpr std::int32_t kLevels[] = {-5000, -3000, -2000, -1500, -1000,
                                               -800,  -600,  -400,  -200,  0};
    if (nLevel < 1 || nLevel > 10) return -9600;
    return kLevels[nLevel - 1];
}

int BGMPlay(const char* szName, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    return BGMPlay(szName, kEndless, pSnd, pSystem, shell);
}

int BGMPlay(const char* szName, int nRepeat, ZKSND* pSnd, ZKSYSTEM* pSystem,
            const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError("BGMPlay", u8"引数が不正です");
        return 0;
    }
    if (szName != nullptr && !AcceptSoundName("BGMPlay", szName)) return 0;
    const int prepared = szName != nullptr ? PrepareNamedMusic(szName, *pSnd, pSystem, shell)
                                           : PrepareLoadedMusic(*pSnd);
    if (prepared != 1) return prepared == 2 ? 1 : 0;
    if (shell.settings.bgmOn == 0) return 1;
    if (pSnd->DAPlay(kMusicBuffer, nRepeat, DA_PATH_BGM) < 0) {
        platform::LogError("BGMPlay", u8"BGM再生に失敗しました");
        return 0;
    }
    SetBGMVolume(Level(shell.settings.bgmVolume), pSnd, shell);
    return 1;
}

int BGMStop(int bUnload, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError("BGMStop", u8"引数が不正です");
        return 0;
    }
    if (StopBuffer("BGMStop", *pSnd, kMusicBuffer) == 0) return 0;
    if (bUnload != 0) BGMUnload(pSnd, pSystem, shell);
    return 1;
}

int SEPlay(int nIndex, int bLoop, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError("SEPlay", u8"引数が不正です");
        return 0;
    }
    // A muted effects path stays muted: level 0 is silence.
    const bool audible = pSnd->DAGetPathVolume(DA_PATH_SE) >= kMutedBelow;
    SetSEVolume(audible ? Level(shell.settings.seVolume) : 0, pSnd, shell);
    if (pSnd->DAPlay(nIndex, bLoop != 0 ? kEndless : 0, DA_PATH_SE) < 0) {
        platform::LogError("SEPlay", u8"効果音再生に失敗しました");
        return 0;
    }
    return 1;
}

int SEStop(int nIndex, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError("SEStop", u8"引数が不正です");
        return 0;
    }
    if (shell.soundAvailable == 0) return 1;
    const int first = nIndex == -1 ? kFirstEffect : nIndex;
    const int end = nIndex == -1 ? static_cast<int>(pSnd->DAGetDataNum()) : nIndex + 1;
    for (int i = first; i < end; ++i) {
        // A buffer holding nothing has nothing to stop.
        if (pSnd->DAGetLoadState(i) == 0) continue;
        if (pSnd->DAStop(i) < 0) {
            platform::LogError("SEStop", u8"効果音停止に失敗しました");
            return 0;
        }
    }
    return 1;
}

int VoicePlay(const char* szName, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (shell.settings.voiceOn == 0 || szName == nullptr || szName[0] == '\0') return 1;
    if (pSnd == nullptr || pSystem == nullptr) {
        platform::LogError("VoicePlay", u8"引数が不正です");
        return 0;
    }
    if (VoiceLoad(pSnd, pSystem, szName, shell) == 0) {
        platform::LogError("VoicePlay", u8"音声のアンロードに失敗しました");
        return 0;
    }
    if (pSnd->DAPlay(kVoiceBuffer, 0, DA_PATH_VOICE) < 0) {
        platform::LogError("VoicePlay", u8"音声再生に失敗しました");
        return 0;
    }
    SetVoiceVolume(Level(shell.settings.voiceVolume), pSnd, shell);
    return 1;
}

int VoiceStop(ZKSND* pSnd, const ShellWords& shell) {
    if (shell.soundAvailable == 0) return 1;
    if (pSnd == nullptr) {
        platform::LogError("VoiceStop", u8"引数が不正です");
        return 0;
    }
    return StopBuffer("VoiceStop", *pSnd, kVoiceBuffer);
}

int SetBGMVolume(int nLevel, ZKSND* pSnd, const ShellWords& shell) {
    return SetPathVolume("SetBGMVolume", DA_PATH_BGM, nLevel, pSnd, shell);
}

int SetVoiceVolume(int nLevel, ZKSND* pSnd, const ShellWords& shell) {
    return SetPathVolume("SetVoiceVolume", DA_PATH_VOICE, nLevel, pSnd, shell);
}

int SetSEVolume(int nLevel, ZKSND* pSnd, const ShellWords& shell) {
    return SetPathVolume("SetSEVolume", DA_PATH_SE, nLevel, pSnd, shell);
}
