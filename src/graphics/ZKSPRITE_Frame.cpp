#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/video/DisplayStatus.h"

using platform::LogError;

int ZKSPRITE::D3DXDrawStart() {
    if (nSceneFlg == 1) return 1;
    if (!CheckState("D3DXDrawStart", kMaskInit)) return 0;
    if (display().clear(*pD3DXContext) < 0) {
        platform::LogWarn("ZKSPRITE::D3DXDrawStart", u8"画面のクリアに失敗しました");
    }
    if (display().beginScene(*pD3DXContext) < 0) {
        LogError("ZKSPRITE::D3DXDrawStart", u8"描画開始に失敗しました");
        return 0;
    }
    nSceneFlg = 1;
    return 1;
}

int ZKSPRITE::D3DXDrawEnd() {
    if (!CheckState("D3DXDrawEnd", kMaskInit)) return 0;
    if (hTextDC != nullptr) {
        platform::LogWarn("ZKSPRITE::D3DXDrawEnd", u8"テキスト出力のロックが解除されていません");
        CloseTextRun();
    }
    if (nSceneFlg == 1 && display().endScene(*pD3DXContext) < 0) {
        platform::LogWarn("ZKSPRITE::D3DXDrawEnd", u8"描画終了に失敗しました");
    }
    const std::int32_t status = display().present(*pD3DXContext);
    if (status == platform::DDERR_SURFACELOST || status == platform::DDERR_SURFACEBUSY) {
        platform::LogMessage("ZKSPRITE::D3DXDrawEnd",
                             u8"テクスチャを失っています。リストア処理を開始します");
        if (ZKSpriteRestore() == 0) return 0;
    } else if (status < 0) {
        LogError("ZKSPRITE::D3DXDrawEnd", u8"フレームの更新に失敗しました");
    }
    nSceneFlg = 0;
    return 1;
}

std::int32_t ZKSPRITE::DDFlipToGDI() {
    // Before set-up or after release there is nothing to flip.
    const std::int32_t status = pDD != nullptr ? pDD->flipToGdi() : platform::DDERR_INVALIDOBJECT;
    if (status == platform::DD_OK) return status;
    LogError("ZKSPRITE::DDFlipToGDI", u8"GDI描画設定に失敗しました");
    switch (status) {
        case platform::DDERR_INVALIDOBJECT:
            LogError("ZKSPRITE::DDFlipToGDI", u8"DDERR_INVALIDOBJECTが検出");
            break;
        case platform::DDERR_INVALIDPARAMS:
            LogError("ZKSPRITE::DDFlipToGDI", u8"DDERR_INVALIDPARAMSが検出");
            break;
        case platform::DDERR_NOTFOUND:
            LogError("ZKSPRITE::DDFlipToGDI", u8"DDERR_NOTFOUNDが検出");
            break;
        default:
            LogError("ZKSPRITE::DDFlipToGDI", u8"不明なエラーが検出");
            break;
    }
    return status;
}

int ZKSPRITE::SetClipper(const platform::ClipRegion* pRegion) {
    if (!CheckState("SetClipper", kMaskInit)) return 0;
    const bool set = pRegion != nullptr;
    nClipFlg = set ? 1 : 0;
    if (display().setClipList(*pClipper, pRegion) < 0) {
        LogError("ZKSPRITE::SetClipper", set ? u8"クリップリストの登録に失敗しました"
                                             : u8"クリップリストの削除に失敗しました");
        return 0;
    }
    if (display().attachClipper(*pD3DXContext, set ? pClipper : nullptr) < 0) {
        LogError("ZKSPRITE::SetClipper",
                 set ? u8"クリッパーの登録に失敗しました" : u8"クリッパー解除に失敗しました");
        return 0;
    }
    return 1;
}
