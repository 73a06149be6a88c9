#include "platform/video/ExternalLayers.h"
#include "sound/ZKSND.h"

using platform::LogError;

namespace {

const char8_t* const kNotInitialized = u8"ZKSND::Initializeの処理を終えずに呼び出されました\n";

}  // namespace

bool ZKSND::AVIRefuses(std::string_view tag, platform::LogText text, bool needsFile) const {
    if (dwInitialized == 0) {
        LogError(tag, kNotInitialized);
        return true;
    }
    if (!pAVIWindow || (needsFile && !pAVIWindow->isOpen())) {
        LogError(tag, text);
        return true;
    }
    return false;
}

int ZKSND::AVIInit() {
    AVIRelease();
    if (hWnd == nullptr) {
        LogError("ZKSND::AVIInit", u8"AVI用MCIウィンドウの作成に失敗しました\n");
        return 0;
    }
    pAVIWindow =
        std::make_unique<platform::MediaPlayer>(platform::ExternalLayers::kMediaWindowLayer, hWnd);
    return 1;
}

void ZKSND::AVIRelease() {
    pAVIWindow.reset();
    nAVILength = 0;
}

int ZKSND::AVIOpen(const char* path, std::int32_t x, std::int32_t y, std::int32_t width,
                   std::int32_t height) {
    static constexpr std::string_view tag = "ZKSND::AVIOpen";
    if (dwInitialized == 0) {
        LogError(tag, kNotInitialized);
        return 0;
    }
    if (AVIClose() == 0) {
        LogError(tag, u8"AVIファイルのクローズに失敗しました\n");
        return 0;
    }
    if (!FitsPath(path) || pAVIWindow->open(path, pPerformance) < 0) {
        LogError(tag, u8"AVIファイルのオープンに失敗しました\n");
        return 0;
    }
    if (!pAVIWindow->moveWindow(x, y, width, height)) {
        LogError(tag, u8"AVIファイルの位置/サイズ変更に失敗しました\n");
        return 0;
    }
    nAVILength = static_cast<std::int32_t>(pAVIWindow->length().value_or(0));
    return 1;
}

int ZKSND::AVIClose() {
    static constexpr std::string_view tag = "ZKSND::AVIClose";
    if (dwInitialized == 0) {
        LogError(tag, kNotInitialized);
        return 0;
    }
    if (AVIStop() == 0) {
        LogError(tag, u8"AVIの停止に失敗しました\n");
        return 0;
    }
    pAVIWindow->close();
    nAVILength = 0;
    return 1;
}

int ZKSND::AVIPlay() {
    static constexpr std::string_view tag = "ZKSND::AVIPlay";
    const char8_t* const failed = u8"AVIの再生に失敗しました\n";
    if (AVIRefuses(tag, failed, true)) return 0;
    if (!pAVIWindow->play()) {
        LogError(tag, failed);
        return 0;
    }
    return 1;
}

int ZKSND::AVIStop() {
    if (AVIRefuses("ZKSND::AVIStop", u8"AVIファイル停止に失敗しました\n", false)) return 0;
    pAVIWindow->stop();
    return 1;
}

int ZKSND::AVIPause() {
    if (AVIRefuses("ZKSND::AVIPause", u8"AVIの一時停止に失敗しました\n", true)) return 0;
    pAVIWindow->pause();
    return 1;
}

int ZKSND::AVIRePlay() {
    static constexpr std::string_view tag = "ZKSND::AVIRePlay";
    const char8_t* const failed = u8"AVIの一時停止解除に失敗しました\n";
    if (AVIRefuses(tag, failed, true)) return 0;
    if (!pAVIWindow->resume()) {
        LogError(tag, failed);
        return 0;
    }
    return 1;
}

int ZKSND::AVIPlayEndCheck() {
    const std::uint32_t position = pAVIWindow ? pAVIWindow->position() : 0;
    if (nAVILength == 0) {
        platform::LogPlain(platform::LogChannel::Debug, "AVI Size:\t%d\nNow Pos:\t%d\n", nAVILength,
                           position);
        return 0;
    }
    return position >= static_cast<std::uint32_t>(nAVILength) ? 1 : 0;
}
