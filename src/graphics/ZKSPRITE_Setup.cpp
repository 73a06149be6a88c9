#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/text/Cp932.h"
#include "platform/window/MessageBox.h"

using platform::LogError;
using platform::LogWarn;

namespace {

// The device levels in the order they are tried, with the text announcing each.
const struct {
    std::int32_t level;
    const char8_t* attempt;
} kLevels[] = {
    {platform::kLevelTransformAndLight, u8"HW T&LでD3DXContextを作成します……"},
    {platform::kLevelRasterizer, u8"RasterizerでD3DXContextを作成します……"},
    {platform::kLevelDefault, u8"デフォルトモードでD3DXContextを作成します……"},
    {platform::kLevel2D, u8"2DモードでD3DXContextを作成します……"},
    {platform::kLevelReference, u8"リファレンスモードでD3DXContextを作成します……"},
};

const struct {
    platform::RenderSetting setting;
    const char8_t* failure;  // null: the call's failure goes unreported
} kRenderSettings[] = {
    {platform::RenderSetting::PrepareForSprite, nullptr},
    {platform::RenderSetting::ColorModulate, u8"TextureStageStateに失敗しました"},
    {platform::RenderSetting::DitherOff, u8"SetRenderStateのディザ無効に失敗しました"},
    {platform::RenderSetting::CullNone, u8"SetRenderStateのカリング無効に失敗しました"},
    {platform::RenderSetting::LightingOff, u8"SetRenderStateのライティング無効に失敗しました"},
    {platform::RenderSetting::DepthOff, u8"SetRenderStateのZバッファ無効に失敗しました"},
    {platform::RenderSetting::ClearColorBlack, u8"SetClearColorの設定に失敗しました"},
};

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

void ShowSetupFailureBox() {
    platform::service<platform::MessageBox>().show(
        platform::utf8ToCp932(u8"Error").value_or(""),
        platform::utf8ToCp932(u8"DirectXの初期化に失敗しました").value_or(""));
}

// Counts the zero bits below a mask's lowest one bit and the one bits above them;
// a channel wider or further up than 16 bits is unusable.
bool MaskShape(std::uint32_t mask, std::uint32_t& shift, std::uint32_t& bits) {
    shift = 0;
    bits = 0;
    while (shift <= 16 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    while (bits <= 16 && (mask & 1) != 0) {
        mask >>= 1;
        ++bits;
    }
    return shift <= 16 && bits <= 16;
}

}  // namespace

void ZKSPRITE::InitD3DX() {
    if (display().initLibrary() < 0) LogError("ZKSPRITE::ZKSPRITE", u8"DirectXの初期化に失敗");
}

void ZKSPRITE::ReleaseDeviceObjects() {
    // A text run must not outlive the back buffer it draws on.
    CloseTextRun();
    nInitFlg = 0;
    pPrimary = nullptr;
    pBack = nullptr;
    pD3DDevice = nullptr;
    pDD = nullptr;
    pClipper.reset();
    pD3DXContext.reset();
    pDeviceTable.clear();
    nDeviceCount = 0;
    pModeTable.clear();
    nModeCount = 0;
}

int ZKSPRITE::Initialize(void* hWndIn, void* hInstanceIn, std::uint32_t dwW, std::uint32_t dwH,
                         std::uint32_t dwBits, std::uint32_t nFull) {
    if (!ownDisplay_) display_ = &platform::service<platform::Display>();
    ReleaseDeviceObjects();
    hWnd = hWndIn;
    hInstance = hInstanceIn;
    dwWidth = dwW;
    dwHeight = dwH;
    dwBitCount = dwBits;
    nFullScreen = nFull;
    nClipFlg = 0;
    dwFrameStartTime = 0;
    dwFPS = 0;
    dwDeviceIndex = platform::kLevelTransformAndLight;

    dwDisplayBits = 0;
    for (const std::uint32_t depth : {32u, 24u, 16u}) {
        if (SearchVideoMode(dwWidth, dwHeight, depth) != 0) {
            dwDisplayBits = depth;
            break;
        }
    }
    if (dwDisplayBits == 0) return -1;

    bool made = false;
    for (const auto& level : kLevels) {
        const int answer = CreateD3DXContext(level.level);
        const bool last = level.level == platform::kLevelReference;
        const char8_t* outcome = answer == 1              ? u8"成功しました"
                                 : (answer == 0 && !last) ? u8"ビデオモードが未対応です"
                                                          : u8"失敗しました";
        platform::LogMessage("ZKSPRITE::Initialize", "%s%s", platform::Utf8Arg(Utf8(level.attempt)),
                             platform::Utf8Arg(Utf8(outcome)));
        if (answer == 1) {
            made = true;
            break;
        }
        if (answer == 0 && !last) return 0;
    }
    if (!made) {
        LogError("ZKSPRITE::Initialize", u8"D3DXContextの初期化に失敗しました");
        return -1;
    }

    pD3DDevice = pD3DXContext->device.get();
    if (pD3DDevice == nullptr) {
        LogError("ZKSPRITE::Initialize", u8"D3DXデバイス取得に失敗しました");
        return 0;
    }
    pDD = pD3DXContext->directDraw;
    if (pDD == nullptr) {
        LogError("ZKSPRITE::Initialize", u8"DDrawオブジェクト取得に失敗しました");
        return 0;
    }
    if (pDD->createClipper(pClipper) < 0 || pClipper == nullptr) {
        LogError("ZKSPRITE::Initialize", u8"クリッパーオブジェクト作成に失敗しました");
        return 0;
    }
    for (const auto& step : kRenderSettings) {
        const bool failed = display().applyRenderSetting(*pD3DXContext, step.setting) < 0;
        if (failed && step.failure != nullptr) LogWarn("ZKSPRITE::Initialize", step.failure);
    }
    pPrimary = pD3DXContext->primary.get();
    if (pPrimary == nullptr) {
        ShowSetupFailureBox();
        LogError("ZKSPRITE::Initialize", u8"プライマリサーフェス取得に失敗");
        return 0;
    }
    pBack = pD3DXContext->backBuffer.get();
    if (pBack == nullptr) {
        ShowSetupFailureBox();
        LogError("ZKSPRITE::Initialize", u8"バックサーフェス取得に失敗");
        return 0;
    }
    nMMXFlg = static_cast<std::uint32_t>(CheckMMX());
    SetFontSmoothing();
    nInitFlg = 1;
    if (CheckPixelFormat() == 0) {
        LogError("ZKSPRITE::Initalize", u8"ピクセルフォーマットのチェックに失敗しました");
        return 0;
    }
    return 1;
}

void ZKSPRITE::SetFontSmoothing() {
    bool on = false;
    if (!display().readFontSmoothing(on)) {
        LogWarn("ZKSPRITE::Initialize", u8"スクリーンフォントの状態取得に失敗しました");
        return;
    }
    nFontSmoothing = on ? 1 : 0;
    if (!on && !display().switchFontSmoothing(true)) {
        LogWarn("ZKSPRITE::Initialize", u8"スクリーンフォントの滑らか設定に失敗しました");
    }
}

int ZKSPRITE::CreateD3DXContext(std::int32_t nLevel) {
    dwDeviceIndex = nLevel;
    const int found = SearchVideoMode(dwWidth, dwHeight, dwBitCount);
    if (found == -1) return -1;
    if (found == 0) {
        LogError("ZKSPRITE::CreateD3DXContext", u8"ビデオモードが未対応です");
        return 0;
    }
    platform::ContextRequest request;
    request.level = nLevel;
    request.width = static_cast<int>(dwWidth);
    request.height = static_cast<int>(dwHeight);
    request.bits = dwBitCount;
    request.fullScreen = nFullScreen != 0;
    return display().createContext(request, pD3DXContext) < 0 ? -1 : 1;
}

int ZKSPRITE::SearchVideoMode(std::uint32_t dwW, std::uint32_t dwH, std::uint32_t dwBits) {
    const std::vector<platform::VideoMode> modes = display().videoModes(dwDeviceIndex);
    nModeCount = static_cast<std::uint32_t>(modes.size());
    if (nModeCount == 0) return -1;
    // Entry 0 is never a real mode.
    pModeTable.assign(1, platform::VideoMode{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0});
    pModeTable.insert(pModeTable.end(), modes.begin(), modes.end());
    for (std::size_t i = 1; i < pModeTable.size(); ++i) {
        const platform::VideoMode& mode = pModeTable[i];
        if (mode.width == dwW && mode.height == dwH && mode.bits == dwBits) return 1;
    }
    return 0;
}

int ZKSPRITE::CheckPixelFormat() {
    if (!CheckState("CheckPixelFormat", kMaskInit)) return 0;
    if (pPrimary == nullptr) return 0;
    ddsdPrimary = pPrimary->format();
    dwRMask = ddsdPrimary.rMask;
    dwGMask = ddsdPrimary.gMask;
    dwBMask = ddsdPrimary.bMask;
    return MaskShape(dwRMask, dwRShift, dwRBits) && MaskShape(dwGMask, dwGShift, dwGBits) &&
                   MaskShape(dwBMask, dwBShift, dwBBits)
               ? 1
               : 0;
}

int ZKSPRITE::CheckMMX() const {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("mmx") ? 1 : 0;
#else
    return 0;
#endif
}

int ZKSPRITE::GetDeviceList() {
    pDeviceTable = display().devices();
    nDeviceCount = static_cast<std::uint32_t>(pDeviceTable.size());
    return 1;
}
