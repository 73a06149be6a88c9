#include <cstring>
#include <optional>
#include <string>

#include "platform/core/HResult.h"
#include "platform/text/SjisText.h"
#include "sound/ZKSND.h"

using platform::AudioBus;
using platform::LogError;
using platform::LogWarn;

namespace {

const char8_t* const kNotInitialized = u8"ZKSND::Initializeの処理を終えずに呼び出されました\n";
const char8_t* const kIndexOutside = u8"インデックス番号外を指定しています\n";
const char8_t* const kIndexInvalid = u8"インデックス番号が不正です\n";
const char8_t* const kBadArgument = u8"不正な引数が渡されました\n";
const char8_t* const kLoadFailed = u8"ファイルのロードに失敗しました\n";
const char8_t* const kBelowRange = u8"マスター音量が範囲最小値を超えています。最小値に再設定します";
const char8_t* const kAboveRange = u8"マスター音量が範囲最大値を超えています。最大値に再設定します";

constexpr std::int32_t kHighestVolume = 1000;
constexpr std::int32_t kSilence = -9600;
constexpr std::int32_t kLowestMasterVolume = -10000;

// Volumes outside the range are reset with a warning; where to depends on the caller.
std::int32_t ClampVolume(std::string_view tag, std::int32_t volume, std::int32_t lowest,
                         std::int32_t belowResult, std::int32_t aboveResult) {
    if (volume < lowest) {
        LogWarn(tag, kBelowRange);
        return belowResult;
    }
    if (volume > kHighestVolume) {
        LogWarn(tag, kAboveRange);
        return aboveResult;
    }
    return volume;
}

bool IsPathType(DA_PATH type) { return type >= DA_PATH_VOICE && type <= DA_PATH_SE; }

}  // namespace

bool ZKSND::IsValidIndex(int index) const {
    return pDAData != nullptr && index >= 0 && static_cast<std::uint32_t>(index) < dwDADataNum;
}

std::optional<platform::LogText> ZKSND::DARefusal(int index, platform::LogText indexText) const {
    if (dwInitialized == 0) return kNotInitialized;
    if (!IsValidIndex(index)) return indexText;
    return std::nullopt;
}

bool ZKSND::DARefuses(std::string_view tag, int index, platform::LogText indexText) const {
    const std::optional<platform::LogText> refusal = DARefusal(index, indexText);
    if (refusal) LogError(tag, *refusal);
    return refusal.has_value();
}

bool ZKSND::StateRefuses(std::string_view tag, int index, platform::LogText indexText,
                         CallSite site) {
    const std::optional<platform::LogText> refusal = DARefusal(index, indexText);
    if (DACallLatch.NewFailure(refusal.has_value(), 0, site)) LogError(tag, *refusal);
    return refusal.has_value();
}

bool ZKSND::NameRefuses(std::string_view tag, int index) const {
    if (IsValidIndex(index)) return false;
    LogError(tag, kIndexOutside);
    return true;
}

bool ZKSND::DATableRefuses(std::string_view tag, int index) const {
    if (dwInitialized != 0 && dwDAReserved == 0) {
        LogError(tag, u8"ZKDADATAバッファが作成されていません\n");
        return true;
    }
    return DARefuses(tag, index, kIndexOutside);
}

AudioBus ZKSND::PathBus(DA_PATH type) const {
    switch (type) {
        case DA_PATH_VOICE:
            return *pVoicePath;
        case DA_PATH_BGM:
            return *pBGMPath;
        case DA_PATH_SE:
            return *pSEPath;
    }
    return *pDefaultPath;
}

int ZKSND::DAudioInit() {
    pPerformance = std::make_shared<platform::AudioEngine>();
    if (!pPerformance->open()) {
        LogError("ZKSND::DAudioInit", u8"DMusicパフォーマンスの初期化に失敗しました\n");
        pPerformance.reset();
        return 0;
    }
    pDefaultPath = AudioBus::Default;
    pVoicePath = AudioBus::Voice;
    pBGMPath = AudioBus::Music;
    pSEPath = AudioBus::Effects;
    for (AudioBus bus : {*pVoicePath, *pBGMPath, *pSEPath}) pPerformance->setBusVolume(bus, 0);
    return 1;
}

int ZKSND::DADATAReserve(std::uint32_t count) {
    if (count == 0) {
        LogError("ZKSND::DADATAReserve", u8"引数に0が渡されました\n");
        return 0;
    }
    if (dwDAReserved != 0) {
        LogError("ZKSND::DADATAReserve", u8"既にセットされています\n");
        return 1;
    }
    dwDADataNum = count;
    pDAData = std::make_unique<ZKDADATA[]>(count);
    dwDAReserved = 1;
    return 1;
}

int ZKSND::DASetData(int index, const char* name) {
    if (NameRefuses("ZKSND::DASetData", index)) return 0;
    // Names come from scripts; one that does not fit is refused, never cut.
    if (name != nullptr && std::strlen(name) >= ZKDADATA::kPathSize) {
        LogError("ZKSND::DASetData", kBadArgument);
        return 0;
    }
    pDAData[index].SetData(name);
    return 1;
}

std::int32_t ZKSND::DALoad(int index, const char* path, DA_PATH) {
    if (DARefuses("ZKSND::DALoad", index, kIndexOutside)) return -1;
    ZKDADATA& data = pDAData[index];
    const std::string name = path != nullptr ? path : data.szFileName;
    if (name.size() >= ZKDADATA::kPathSize) {
        LogError("ZKSND::DALoad", kLoadFailed);
        return platform::E_INVALIDARG;
    }
    platform::SoundHandle sound;
    const std::int32_t result = pPerformance->load(name, sound);
    if (result < 0) {
        LogError("ZKSND::DALoad", kLoadFailed);
        return result;
    }
    // The table may be older than the engine: it needs none to be reserved.
    data.pPerformance = pPerformance.get();
    // A reload replaces the sound; instances of the old one play on to their end.
    data.mtLength = static_cast<std::int32_t>(sound->frames());
    data.pSegment = std::move(sound);
    return result;
}

std::int32_t ZKSND::DAUnload(int index) {
    if (NameRefuses("ZKSND::DAUnload", index)) return -1;
    pDAData[index].Release();
    return 0;
}

std::int32_t ZKSND::DAPlay(int index, int repeats, DA_PATH type) {
    if (DATableRefuses("ZKSND::DAPlay", index)) return -1;
    ZKDADATA& data = pDAData[index];
    if (!data.pSegment) {
        LogError("ZKSND::DAPlay", u8"指定インデックスのセグメントが消失しています\n");
        return -1;
    }
    data.Play(PathBus(type), repeats);
    return platform::S_OK;
}

std::int32_t ZKSND::DAStop(int index) {
    if (DATableRefuses("ZKSND::DAStop", index)) return -1;
    ZKDADATA& data = pDAData[index];
    if (!data.pSegment) return -1;
    data.Stop();
    return platform::S_OK;
}

std::int32_t ZKSND::DAAllStop(CallSite site) {
    const bool refused = dwInitialized == 0;
    if (DACallLatch.NewFailure(refused, 0, site)) LogError("ZKSND::DAAllStop", kNotInitialized);
    if (refused) return -1;
    pPerformance->stopAll();
    return platform::S_OK;
}

std::int32_t ZKSND::DAGetState(int index, CallSite site) {
    if (StateRefuses("ZKSND::DAGetState", index, kIndexInvalid, site)) return -1;
    const ZKDADATA& data = pDAData[index];
    if (!data.pSegment && !data.pSegmentState) return -2;
    if (data.IsPlaying()) return 0;
    if (!data.pSegmentState) return 2;
    const std::size_t position = pPerformance->position(data.pSegmentState);
    const bool partWay = position > 0 && position < static_cast<std::size_t>(data.mtLength);
    return partWay ? 1 : 2;
}

std::int32_t ZKSND::DAGetNowPos(int index, std::int32_t* position) {
    if (DARefuses("ZKSND::DAGetNowPos", index, kIndexInvalid)) return -1;
    if (position == nullptr) {
        LogError("ZKSND::DAGetNowPos", kBadArgument);
        return -1;
    }
    const ZKDADATA& data = pDAData[index];
    if (!data.pSegmentState) {
        LogError("ZKSND::DAGetNowPos", u8"セグメント状態が不正です\n");
        return -1;
    }
    *position = static_cast<std::int32_t>(pPerformance->position(data.pSegmentState));
    return platform::S_OK;
}

std::int32_t ZKSND::DASetAllVolume(std::int32_t volume) {
    if (dwInitialized == 0) {
        LogError("ZKSND::DASetAllVolume", kNotInitialized);
        return -1;
    }
    // Kept as the engine always had it: below the range is silence, above it full
    // volume rather than the highest gain.
    nMasterVolume = ClampVolume("ZKSND::DASetAllVolume", volume, kLowestMasterVolume, kSilence, 0);
    pPerformance->setBusVolume(*pDefaultPath, nMasterVolume);
    return platform::S_OK;
}

std::int32_t ZKSND::DAGetMasterVolume() const { return dwInitialized != 0 ? nMasterVolume : -1; }

std::int32_t ZKSND::DASetPathVolume(DA_PATH type, std::int32_t volume) {
    if (dwInitialized == 0) {
        LogError("ZKSND::DASetPathVolume", kNotInitialized);
        return -1;
    }
    const std::int32_t clamped =
        ClampVolume("ZKSND::DASetPathVolume", volume, kSilence, kSilence, kHighestVolume);
    if (!IsPathType(type)) return 0;
    nPathVolume[type] = clamped;
    pPerformance->setBusVolume(PathBus(type), clamped);
    return platform::S_OK;
}

std::int32_t ZKSND::DAGetPathVolume(DA_PATH type) const {
    if (dwInitialized == 0) return -1;
    return IsPathType(type) ? nPathVolume[type] : 0;
}

char* ZKSND::DAGetWAVEPath(int index, char* buffer, std::uint32_t size) {
    if (NameRefuses("ZKSND::DAGetWAVEPath", index)) return nullptr;
    if (buffer == nullptr) {
        LogError("ZKSND::DAGetWAVEPath", kBadArgument);
        return nullptr;
    }
    if (size == 0) return buffer;
    std::memset(buffer, 0, size);
    platform::SjisCopyTruncated(buffer, size, pDAData[index].szFileName);
    return buffer;
}

int ZKSND::DAGetLoadState(int index, CallSite site) {
    if (StateRefuses("ZKSND::DAGetLoadState", index, kIndexOutside, site)) return 0;
    return pDAData[index].pSegment ? 1 : 0;
}

std::int32_t ZKSND::DARelease() {
    if (pPerformance) pPerformance->stopAll();
    if (pDAData) {
        for (std::uint32_t i = 0; i < dwDADataNum; ++i) pDAData[i].Release();
        pDAData.reset();
    }
    if (pDefaultPath) pPerformance->setBusVolume(*pDefaultPath, 0);
    pSEPath.reset();
    pBGMPath.reset();
    pVoicePath.reset();
    pDefaultPath.reset();
    if (pPerformance) pPerformance->close();
    pPerformance.reset();
    return platform::S_OK;
}
