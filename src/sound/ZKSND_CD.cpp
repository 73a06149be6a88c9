#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "platform/cd/CdDrives.h"
#include "platform/core/Services.h"
#include "sound/ZKSND.h"

using platform::CdMode;
using platform::CdTime;
using platform::LogError;
using platform::LogMessage;
using platform::LogWarn;

namespace {

const char8_t* const kNotOpen = u8"デバイスを開いてません\n";
const char8_t* const kFormatCallFailed = u8"呼び出したZKSND::CDChangeTimeFormatが失敗しました\n";
const char8_t* const kCloseCallFailed = u8"呼び出したZKSND::MCICloseが失敗しました\n";
// A track number that asks for the whole disc.
constexpr std::int32_t kWholeDisc = 9999;

// Byte index of a packed time into out, unless out is null.
void PutByte(std::uint8_t* out, std::uint32_t packed, int index) {
    if (out != nullptr) *out = static_cast<std::uint8_t>(packed >> (8 * index));
}

}  // namespace

bool ZKSND::CDRefusesClosed(std::string_view tag) const {
    if (dwCDOpen != 0) return false;
    LogError(tag, kNotOpen);
    return true;
}

int ZKSND::MCIInit(const char* drive) {
    static constexpr std::string_view tag = "ZKSND::MCIInit";
    if (MCIClose() == 0) {
        LogError(tag, kCloseCallFailed);
        return 0;
    }
    std::unique_ptr<platform::CdDrive> device =
        platform::service<platform::CdDrives>().open(drive != nullptr ? drive : "");
    if (!device) {
        LogError(tag, u8"MCIの取得に失敗しました\n");
        return 0;
    }
    pCDDevice = std::make_unique<platform::CdPlayer>(std::move(device), pPerformance);
    dwCDOpen = 1;
    if (CDChangeTimeFormat(CdTime::kFormatTmsf) == 0) {
        // Left open, the device would play in a format this object does not know.
        MCIClose();
        LogError(tag, kFormatCallFailed);
        return 0;
    }
    return 1;
}

int ZKSND::MCIClose() {
    CDTrackDataRelease();
    if (dwCDOpen == 0) return 1;
    const int state = CDPlayStatusCheck();
    if ((state == 0 || state == 1) && CDStop() == 0) {
        LogWarn("ZKSND::MCIClose", u8"呼び出したZKSND::CDStopが失敗しました\n");
    }
    pCDDevice->stop();
    pCDDevice.reset();
    dwCDOpen = 0;
    dwCDPause = 0;
    // The next device starts in its own format, whatever this one was set to.
    dwCDTimeFormat = 0;
    return 1;
}

int ZKSND::MCIChangeDrive(const char* drive) {
    static constexpr std::string_view tag = "ZKSND::MCIChangeDrive";
    if (MCIClose() == 0) {
        LogError(tag, kCloseCallFailed);
        return 0;
    }
    if (MCIInit(drive) == 0) {
        LogError(tag, u8"呼び出したZKSND::MCIInitが失敗しました\n");
        return 0;
    }
    return 1;
}

int ZKSND::CDChangeTimeFormat(std::uint32_t format) {
    static constexpr std::string_view tag = "ZKSND::CDChangeTimeFormat";
    if (CDRefusesClosed(tag)) return 0;
    if (format == dwCDTimeFormat) return 1;
    if (!pCDDevice->setTimeFormat(format)) {
        LogError(tag, u8"時間フォーマットの再設定に失敗しました\n");
        return 0;
    }
    dwCDTimeFormat = format;
    return 1;
}

int ZKSND::CDTrackDataReserve(std::uint32_t count) {
    CDTrackDataRelease();
    pCDTrackData.reset(new (std::nothrow) CD_TRACK_DATA[count]());
    if (!pCDTrackData) {
        LogError("ZKSND::CDTrackDataReserve", u8"トラックデータ確保に失敗しました\n");
        return 0;
    }
    dwCDTrackNum = count;
    return 1;
}

void ZKSND::CDTrackDataRelease() {
    pCDTrackData.reset();
    dwCDTrackNum = 0;
}

int ZKSND::CDReadTrackNumber(std::string_view tag, std::optional<int> (platform::CdPlayer::*read)(),
                             std::uint32_t* out, platform::LogText failed) {
    if (CDRefusesClosed(tag)) return 0;
    if (out == nullptr) {
        LogError(tag, u8"不正な引数が渡されました\n");
        return 0;
    }
    const std::optional<int> number = (*pCDDevice.*read)();
    if (!number) {
        LogError(tag, failed);
        return 0;
    }
    *out = static_cast<std::uint32_t>(*number);
    return 1;
}

int ZKSND::CDGetAllTrackNum(std::uint32_t* count) {
    return CDReadTrackNumber("ZKSND::CDGetAllTrackNum", &platform::CdPlayer::trackCount, count,
                             u8"総トラック数の検出に失敗しました\n");
}

int ZKSND::CDGetFirstTrack(std::uint32_t* track) {
    return CDReadTrackNumber("ZKSND::CDGetFirstTrack", &platform::CdPlayer::firstTrack, track,
                             u8"先頭トラック番号の検出に失敗しました\n");
}

int ZKSND::CDGetTrackInfo(std::uint8_t track) {
    static constexpr std::string_view tag = "ZKSND::CDGetTrackInfo";
    if (CDRefusesClosed(tag)) return -1;
    const std::optional<int> type = pCDDevice->trackType(track);
    if (!type) {
        LogError(tag, u8"トラック情報取得に失敗しました\n");
        return -1;
    }
    return *type;
}

int ZKSND::CDGetTrackLength(std::uint8_t* minute, std::uint8_t* second, std::uint8_t* frame,
                            std::int32_t track) {
    static constexpr std::string_view tag = "ZKSND::CDGetTrackLength";
    if (CDRefusesClosed(tag)) return 0;
    if (CDChangeTimeFormat(CdTime::kFormatMsf) == 0) LogError(tag, kFormatCallFailed);
    const std::optional<std::uint32_t> length =
        pCDDevice->length(track == kWholeDisc ? std::nullopt : std::optional<int>(track));
    if (!length) {
        LogError(tag, u8"トラックの長さ取得に失敗しました\n");
        return 0;
    }
    PutByte(minute, *length, 0);
    PutByte(second, *length, 1);
    PutByte(frame, *length, 2);
    return 1;
}

int ZKSND::CDSetTrackData() {
    static constexpr std::string_view tag = "ZKSND::CDSetTrackData";
    if (CDRefusesClosed(tag)) return 0;
    const int media = CDDriveStatus();
    if (media == 1) {
        LogWarn(tag, u8"メディアが挿入されていません\n");
        return 0;
    }
    if (media < 0) {
        LogError(tag, u8"呼び出したZKSND::CDDriveStatusが失敗しました\n");
        return 0;
    }
    std::uint32_t count = 0;
    if (CDGetAllTrackNum(&count) == 0) {
        LogWarn(tag, u8"呼び出したZKSND::CDGetAllTrackNumが失敗しました\n");
        return 0;
    }
    std::uint32_t first = 0;
    if (CDGetFirstTrack(&first) == 0) {
        LogWarn(tag, u8"呼び出したZKSND::CDGetFirstTrackが失敗しました\n");
        return 0;
    }
    CDTrackDataRelease();
    if (CDTrackDataReserve(count) == 0) {
        LogWarn(tag, u8"呼び出したZKSND::CDTrackDataReserveが失敗しました\n");
        return 0;
    }
    // Entry i is the disc's track first + i, as the disc numbers it.
    bool anyRead = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        anyRead =
            CDSetTrackRecord(static_cast<std::uint8_t>(first + i), pCDTrackData[i]) || anyRead;
    }
    return anyRead ? 1 : 0;
}

bool ZKSND::CDSetTrackRecord(std::uint8_t track, CD_TRACK_DATA& record) {
    static constexpr std::string_view tag = "ZKSND::CDSetTrackData";
    const int type = CDGetTrackInfo(track);
    if (type < 0) {
        LogError(tag, u8"呼び出したZKSND::CDGetTrackInfoが失敗しました\n");
    } else {
        record.dwType = static_cast<std::uint32_t>(type);
    }
    if (CDGetTrackLength(&record.bMinute, &record.bSecond, &record.bFrame, track) == 0) {
        LogError(tag, u8"呼び出したZKSND::CDGetTrackLengthが失敗しました\n");
        return false;
    }
    return type >= 0;
}

int ZKSND::CDGetTrackData(std::uint32_t index, CD_TRACK_DATA* out) const {
    static constexpr std::string_view tag = "ZKSND::CDGetTrackData";
    if (!pCDTrackData) {
        LogError(tag, u8"出力元ポインタの値がありません\n");
        return 0;
    }
    if (out == nullptr) {
        LogError(tag, u8"出力先ポインタの値がありません\n");
        return 0;
    }
    if (index >= dwCDTrackNum) {
        LogError(tag, u8"インデックス番号の指定が不正です\n");
        return 0;
    }
    *out = pCDTrackData[index];
    return 1;
}

int ZKSND::CDPlayStatusCheck() {
    static constexpr std::string_view tag = "ZKSND::CDPlayStatusCheck";
    if (CDRefusesClosed(tag)) return 2;
    const std::optional<CdMode> mode = pCDDevice->mode();
    if (!mode) {
        LogError(tag, u8"再生状態取得に失敗しました\n");
        return -1;
    }
    if (*mode == CdMode::Playing) return 0;
    if (*mode == CdMode::Stopped) return dwCDPause != 0 ? 1 : 2;
    return -1;
}

int ZKSND::CDDriveStatus() {
    if (dwCDOpen == 0) return 1;
    const std::optional<bool> present = pCDDevice->mediaPresent();
    if (!present) {
        LogError("ZKSND::CDDriveStatus", u8"メディア有無のチェックに失敗しました\n");
        return -1;
    }
    return *present ? 0 : 1;
}

int ZKSND::CDGetNowPos(std::uint8_t* a, std::uint8_t* b, std::uint8_t* c, std::uint8_t* track) {
    static constexpr std::string_view tag = "ZKSND::CDGetNowPos";
    if (CDRefusesClosed(tag)) return 0;
    const bool tmsf = track != nullptr;
    if (CDChangeTimeFormat(tmsf ? CdTime::kFormatTmsf : CdTime::kFormatMsf) == 0) {
        LogError(tag, kFormatCallFailed);
        return 0;
    }
    const std::optional<std::uint32_t> position = pCDDevice->position();
    if (!position) {
        LogError(tag, u8"現在位置を取得出来ませんでした\n");
        return 0;
    }
    const int first = tmsf ? 1 : 0;
    PutByte(track, *position, 0);
    PutByte(a, *position, first);
    PutByte(b, *position, first + 1);
    PutByte(c, *position, first + 2);
    return 1;
}

int ZKSND::CDPlay(std::uint32_t flag, std::uint8_t track, std::uint8_t minute,
                  std::uint8_t second) {
    static constexpr std::string_view tag = "ZKSND::CDPlay";
    if (CDRefusesClosed(tag)) return 0;
    if (CDChangeTimeFormat(CdTime::kFormatTmsf) == 0) {
        LogError(tag, kFormatCallFailed);
        return 0;
    }
    CDPlayParams = {hWnd, CdTime::PackTmsf(track, minute, second, 1), 0};
    if (!pCDDevice->play(CDPlayParams.dwFrom)) {
        LogError(tag, u8"再生出来ません\n");
        return 0;
    }
    dwCDPause = 0;
    dwCDPlayFlag = flag;
    byCDStartTrack = track;
    byCDStartMinute = minute;
    byCDStartSecond = second;
    return 1;
}

int ZKSND::CDStop() {
    static constexpr std::string_view tag = "ZKSND::CDStop";
    if (CDRefusesClosed(tag)) return 1;
    const int state = CDPlayStatusCheck();
    if (state == 2) return 1;
    if (state < 0) {
        LogError(tag, u8"呼び出したZKSND::PlayStatusCheckが失敗しました\n");
        return 0;
    }
    pCDDevice->stop();
    dwCDPause = 0;
    return 1;
}

int ZKSND::CDPause() {
    if (CDRefusesClosed("ZKSND::CDPause")) return 1;
    pCDDevice->stop();
    dwCDPause = 1;
    return 1;
}

// The end of the play is posted nowhere: no window procedure handles it.
int ZKSND::CDRePlay() {
    static constexpr std::string_view tag = "ZKSND::CDRePlay";
    if (CDRefusesClosed(tag)) return 0;
    if (!pCDDevice->play(std::nullopt)) {
        LogError(tag, u8"一時停止解除に失敗しました\n");
        return 0;
    }
    dwCDPause = 0;
    return 1;
}

int ZKSND::TrayControl() {
    static constexpr std::string_view tag = "ZKSND::TrayControl";
    if (dwCDOpen == 0) {
        LogError(tag, u8"デバイスを開いてません");
        return 0;
    }
    const int state = CDPlayStatusCheck();
    if ((state == 0 || state == 1) && CDStop() == 0) {
        LogError(tag, u8"呼び出したZKSND::Stopメソッドが失敗しました\n");
        return 0;
    }
    const int media = CDDriveStatus();
    if (media < 0) {
        LogError(tag, u8"呼び出したZKSND::CDDriveStatusメソッドが失敗しました\n");
        return 0;
    }
    if (!pCDDevice->setDoor(media == 0)) {
        LogError(tag, u8"トレイ操作が出来ません\n");
        return 0;
    }
    return 1;
}

int ZKSND::CDGetDiscID(char* buffer, std::uint32_t size) {
    static constexpr std::string_view tag = "ZKSND::CDGetDiscID";
    if (CDRefusesClosed(tag)) return 0;
    if (buffer == nullptr) return 1;
    const std::optional<std::string> id = pCDDevice->identity();
    if (!id || id->size() >= size) {
        LogError(tag, u8"ID取得に失敗\n");
        return 0;
    }
    std::memcpy(buffer, id->c_str(), id->size() + 1);
    return 1;
}

// The search's Message pieces are logged as one line once it is done, or before the
// error that ends it.
std::uint32_t ZKSND::SearchCDDrive(char* buffer, std::uint32_t size, std::uint32_t count) {
    static constexpr std::string_view tag = "ZKSND::SearchCDDrive";
    const std::optional<std::vector<std::string>> drives =
        platform::service<platform::CdDrives>().list();
    if (!drives) {
        LogError(tag, u8"ドライブ検索が失敗しました\n");
        return 0;
    }
    if (buffer == nullptr || std::any_of(drives->begin(), drives->end(),
                                         [&](const std::string& d) { return d.size() >= size; })) {
        LogError(tag, u8"バッファサイズが足りません\n");
        return 0;
    }
    std::string message = "CDドライブを検索します ……";
    std::uint32_t found = 0;
    for (const std::string& drive : *drives) {
        if (found == count) {
            LogMessage(tag, "%s", platform::Utf8Arg(message));
            LogError(tag, u8"バッファ数が足りません\n");
            return 0;
        }
        std::memcpy(buffer + std::size_t{found} * size, drive.c_str(), drive.size() + 1);
        message += " " + drive + " ";
        ++found;
    }
    message += found > 0 ? "がCD-ROMドライブとして検出されました" : "検出されませんでした";
    LogMessage(tag, "%s", platform::Utf8Arg(message));
    return found;
}
