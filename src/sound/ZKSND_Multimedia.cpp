#include <cstring>

#include "sound/ZKSND.h"

using platform::LogError;
using platform::LogWarn;

namespace {

const char8_t* const kNotReserved = u8"マルチメディアデータを確保していません\n";
const char8_t* const kNotInitialized = u8"ZKSND::Initializeの処理を終えずに呼び出されました\n";
const char8_t* const kNotOpen = u8"データを開いていません\n";
const char8_t* const kBadIndex = u8"指定したインデックス番号が不正です\n";
const char8_t* const kTypeInvalid = u8"ファイルタイプが不正です\n";
const char8_t* const kOpenFailed = u8"ファイルオープンに失敗しました\n";

// Types 0 and 1 name the same device.
bool IsFileType(std::uint32_t type) { return type == 0 || type == 1; }

}  // namespace

bool ZKSND::FitsPath(const char* path) {
    return path != nullptr && std::strlen(path) < ZKMMDATA::kPathSize;
}

bool ZKSND::MMReserved(std::string_view tag) const {
    if (dwMMReserved == 0) LogWarn(tag, kNotReserved);
    return dwMMReserved != 0;
}

ZKMMDATA* ZKSND::MMRecord(std::string_view tag, int index, platform::LogText indexText) {
    if (!MMReserved(tag)) return nullptr;
    if (index < 0 || static_cast<std::uint32_t>(index) >= dwMMDataNum) {
        LogError(tag, indexText);
        return nullptr;
    }
    return &pMMData[index];
}

// A play that ended by itself reads stopped.
void ZKSND::MMTakeMode(ZKMMDATA& record) {
    if (!record.pDevice) return;
    switch (record.pDevice->state()) {
        case platform::MediaState::Running:
            record.dwState = ZKMMDATA::kPlaying;
            break;
        case platform::MediaState::Paused:
            record.dwState = ZKMMDATA::kPaused;
            break;
        case platform::MediaState::Stopped:
            record.dwState = ZKMMDATA::kStopped;
            break;
    }
}

ZKMMDATA* ZKSND::MMOpenRecord(std::string_view tag, int index) {
    ZKMMDATA* record = MMRecord(tag, index, kBadIndex);
    if (record == nullptr || record->dwOpen != 0) return record;
    LogError(tag, kNotOpen);
    return nullptr;
}

int ZKSND::MMDATAReserve(std::uint32_t count) {
    if (count == 0) {
        LogError("ZKSND::MMDATAReserve", u8"引数に0が渡されました\n");
        return 0;
    }
    if (dwMMReserved != 0) {
        LogError("ZKSND::MMDATAReserve", u8"既にセットされています\n");
        return 1;
    }
    pMMData = std::make_unique<ZKMMDATA[]>(count);
    dwMMDataNum = count;
    dwMMReserved = 1;
    return 1;
}

void ZKSND::MMDATARelease() {
    pMMData.reset();
    dwMMDataNum = 0;
    dwMMReserved = 0;
}

int ZKSND::MMSetData(int index, const char* path, std::uint32_t type) {
    static constexpr std::string_view tag = "ZKSND::MMSetData";
    ZKMMDATA* record = MMRecord(tag, index, u8"インデックス番号外を指定しています\n");
    if (record == nullptr) return 0;
    if (!FitsPath(path)) {
        LogError(tag, u8"ファイルパスが不正です\n");
        return 0;
    }
    if (!IsFileType(type)) {
        LogError(tag, kTypeInvalid);
        return 0;
    }
    record->SetData(path, type);
    return 1;
}

int ZKSND::MMOpen(int index, std::uint32_t type, const char* path) {
    static constexpr std::string_view tag = "ZKSND::MMOpen";
    if (!MMReserved(tag)) return 0;
    if (dwInitialized == 0) {
        LogError(tag, kNotInitialized);
        return 0;
    }
    ZKMMDATA* record = MMRecord(tag, index, u8"インデックス番号が不正です\n");
    if (record == nullptr) return 0;
    if (!IsFileType(type)) {
        LogError(tag, kTypeInvalid);
        return 0;
    }
    if (!FitsPath(path)) {
        LogError(tag, kOpenFailed);
        return 0;
    }
    if (record->dwOpen != 0 && MMClose(index) == 0) {
        LogError(tag, u8"呼び出したZKSND::MMCloseが失敗しました\n");
        return 0;
    }
    // The close empties the record, so the type is kept after it.
    record->SetData(path, type);
    auto player = std::make_unique<platform::MediaPlayer>(platform::MediaGraph::kNoLayer, nullptr);
    if (player->open(record->szPath, pPerformance) < 0) {
        LogError(tag, kOpenFailed);
        return 0;
    }
    record->pDevice = std::move(player);
    record->dwOpen = 1;
    return 1;
}

int ZKSND::MMClose(int index) {
    static constexpr std::string_view tag = "ZKSND::MMClose";
    ZKMMDATA* record = MMRecord(tag, index, u8"インデックス値が不正です\n");
    if (record == nullptr) return 0;
    if (record->dwOpen != 0) {
        MMTakeMode(*record);
        if (record->dwState != ZKMMDATA::kStopped && MMStop(index) == 0) {
            LogError(tag, u8"呼び出したZKSND::MMStopが失敗しました\n");
            return 0;
        }
    }
    record->Reset();
    return 1;
}

int ZKSND::MMPlay(int index) {
    static constexpr std::string_view tag = "ZKSND::MMPlay";
    ZKMMDATA* record = MMRecord(tag, index, kBadIndex);
    if (record == nullptr) return 0;
    MMTakeMode(*record);
    if (record->dwState == ZKMMDATA::kPlaying) {
        LogWarn(tag, u8"既に再生中です\n");
        return 1;
    }
    if (MMPlayEx(index, 0, 0) != 1) {
        LogError(tag, u8"呼び出したZKSND::MMPlayExが失敗しました\n");
        return 0;
    }
    return 1;
}

// A to of 0 plays to the end; the length is still read, as a check.
int ZKSND::MMPlayEx(int index, std::uint32_t from, std::uint32_t to) {
    static constexpr std::string_view tag = "ZKSND::MMPlayEx";
    ZKMMDATA* record = MMRecord(tag, index, kBadIndex);
    if (record == nullptr) return 0;
    if (record->dwOpen == 0) {
        LogError(tag, kNotOpen);
        return -1;
    }
    std::uint32_t length = 0;
    if (to == 0 && MMGetLength(index, &length) == 0) {
        LogError(tag, u8"ファイルの長さ取得に失敗しました\n");
        return 0;
    }
    if (!record->pDevice->play(from, to != 0 ? std::optional(to) : std::nullopt)) {
        LogError(tag, u8"再生に失敗しました\n");
        return 0;
    }
    record->dwState = ZKMMDATA::kPlaying;
    return 1;
}

int ZKSND::MMStop(int index) {
    static constexpr std::string_view tag = "ZKSND::MMStop";
    ZKMMDATA* record = MMOpenRecord(tag, index);
    if (record == nullptr) return 0;
    MMTakeMode(*record);
    if (record->dwState == ZKMMDATA::kStopped) {
        LogWarn(tag, u8"既に停止されています\n");
        return 1;
    }
    record->pDevice->stop();
    record->dwState = ZKMMDATA::kStopped;
    return 1;
}

// A toggle: a second press plays the file again from its start.
int ZKSND::MMPause(int index) {
    static constexpr std::string_view tag = "ZKSND::MMPause";
    ZKMMDATA* record = MMOpenRecord(tag, index);
    if (record == nullptr) return 0;
    MMTakeMode(*record);
    if (record->dwState != ZKMMDATA::kPlaying) {
        if (MMPlay(index) == 0) {
            LogError(tag, u8"呼び出したZKSND::MMPlayが失敗しました\n");
            return 0;
        }
        return 1;
    }
    record->pDevice->pause();
    record->dwState = ZKMMDATA::kPaused;
    return 1;
}

int ZKSND::MMGetLength(int index, std::uint32_t* length) {
    static constexpr std::string_view tag = "ZKSND::MMGetLength";
    ZKMMDATA* record = MMOpenRecord(tag, index);
    if (record == nullptr) return 0;
    if (length == nullptr) {
        LogError(tag, u8"不正な引数が渡されました\n");
        return 0;
    }
    const std::optional<std::uint32_t> ms = record->pDevice->length();
    if (!ms) {
        LogError(tag, u8"長さ取得に失敗しました\n");
        return 0;
    }
    *length = *ms;
    return 1;
}
