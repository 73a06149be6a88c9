#include "sound/ZKSND.h"

using platform::LogError;

int ZKSND::Initialize(platform::WindowHandle window, const void* instance, std::uint32_t style) {
    hWnd = window;
    hInstance = instance;
    dwWindowStyle = style;
    if (dwInitialized != 0) {
        LogError("ZKSND::Initialize", u8"ZKSNDクラスは既に初期化済みです\n");
        return -1;
    }
    if (DAudioInit() == 0) {
        LogError("ZKSND::Initialize", u8"呼び出したZKSND::DAInitがエラーで終了しました\n");
        DARelease();
        return -1;
    }
    dwInitialized = 1;
    return 0;
}

std::int32_t ZKSND::Release() {
    for (ZKDSHOWDATA& graph : DShowData) {
        if (graph.DShowClose() < 0) {
            LogError("ZKSND::Release", u8"呼び出したZKSND::DShowCloseが失敗しました\n");
        }
    }
    const std::int32_t result = DARelease();
    if (result < 0) LogError("ZKSND::Release", u8"呼び出したZKSND::DSReleaseが失敗しました\n");
    if (MCIClose() == 0) LogError("ZKSND::Release", u8"呼び出したZKSND::MCICloseが失敗しました\n");
    for (std::uint32_t i = 0; i < dwMMDataNum; ++i) {
        if (MMClose(static_cast<int>(i)) == 0) {
            LogError("ZKSND::Release", u8"呼び出したZKSND::MMCloseが失敗しました\n");
        }
    }
    MMDATARelease();
    AVIRelease();
    // The view's own handle closes; the volumes stay as they are.
    pMixerHandle.reset();
    dwInitialized = 0;
    return result;
}
