#include <optional>
#include <string>

#include "graphics/ZKSPRITE.h"
#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/media/MediaPump.h"

namespace {

std::uint32_t Now() { return platform::service<platform::Clock>().now(); }

// Direct3D's error codes: the facility's base plus the published number, each
// with what it means.
constexpr std::uint32_t kD3dBase = 0x88760000u;

const struct {
    std::uint32_t number;
    const char8_t* text;
} kD3dErrors[] = {
    {700, u8"Direct3Dのメジャーバージョンが正しくない。"},
    {701, u8"Direct3Dのマイナーバージョンが正しくない。"},
    {2050, u8"カラーキーが付加されているテクスチャは使用できない。"},
    {2078, u8"テクスチャフィルタの組み合わせが矛盾している。"},
    {2086, u8"テクスチャパレットの組み合わせが矛盾している。"},
    {2081, u8"レンダリングステートの組み合わせが矛盾している。"},
    {707, u8"デバイスが集約されている。"},
    {717, u8"クリップされた実行バッファの処理に失敗した。"},
    {710, u8"実行バッファの作成に失敗した。"},
    {711, u8"実行バッファの破棄に失敗した。"},
    {716, u8"実行バッファの処理に失敗した。"},
    {712, u8"実行バッファのロックに失敗した。"},
    {714, u8"実行バッファがロックされている。"},
    {715, u8"実行バッファがロックされていない。"},
    {713, u8"実行バッファのロック解除に失敗した。"},
    {770, u8"BeginとEndの間で呼び出された。"},
    {2101, u8"ステートブロックの記録中に呼び出された。"},
    {706, u8"デバイスの初期化に失敗した。"},
    {705, u8"デバイスが無効である。"},
    {735, u8"現在のビューポートが無効である。"},
    {2084, u8"行列が無効である。"},
    {744, u8"サーフェスに関連付けられているパレットが無効である。"},
    {736, u8"プリミティブの種類が無効である。"},
    {739, u8"ランプテクスチャが無効である。"},
    {2100, u8"ステートブロックが無効である。"},
    {2048, u8"頂点フォーマットが無効である。"},
    {737, u8"頂点の種類が無効である。"},
    {750, u8"ライトの設定に失敗した。"},
    {751, u8"ライトは既にビューポートに関連付けられている。"},
    {752, u8"ライトはこのビューポートに関連付けられていない。"},
    {740, u8"マテリアルの作成に失敗した。"},
    {741, u8"マテリアルの破棄に失敗した。"},
    {743, u8"マテリアルのデータ取得に失敗した。"},
    {742, u8"マテリアルのデータ設定に失敗した。"},
    {730, u8"行列の作成に失敗した。"},
    {731, u8"行列の破棄に失敗した。"},
    {733, u8"行列のデータ取得に失敗した。"},
    {732, u8"行列のデータ設定に失敗した。"},
    {783, u8"現在のビューポートが設定されていない。"},
    {771, u8"BeginとEndの間で呼び出されていない。"},
    {2102, u8"ステートブロックの記録中ではない。"},
    {780, u8"ビューポートが一つもない。"},
    {762, u8"シーンの開始に失敗した。"},
    {763, u8"シーンの終了に失敗した。"},
    {760, u8"シーンの中でシーンを開始しようとした。"},
    {761, u8"シーンの外でシーンを終了しようとした。"},
    {734, u8"ビューポートのデータ設定に失敗した。"},
    {2071, u8"ステンシルバッファが存在しない。"},
    {747, u8"サーフェスがビデオメモリ上にない。"},
    {738, u8"テクスチャのサイズが不正である。"},
    {721, u8"テクスチャの作成に失敗した。"},
    {722, u8"テクスチャの破棄に失敗した。"},
    {729, u8"テクスチャのサーフェス取得に失敗した。"},
    {725, u8"テクスチャをロードできなかった。"},
    {723, u8"テクスチャのロックに失敗した。"},
    {727, u8"テクスチャがロックされている。"},
    {720, u8"テクスチャがサポートされていない。"},
    {728, u8"テクスチャがロックされていない。"},
    {726, u8"テクスチャの入れ替えに失敗した。"},
    {724, u8"テクスチャのロック解除に失敗した。"},
    {2077, u8"テクスチャステージの処理が多すぎる。"},
    {2083, u8"プリミティブが多すぎる。"},
    {2076, u8"サポートされていないアルファ引数である。"},
    {2075, u8"サポートされていないアルファ演算である。"},
    {2074, u8"サポートされていないカラー引数である。"},
    {2073, u8"サポートされていないカラー演算である。"},
    {2079, u8"サポートされていない係数値である。"},
    {2082, u8"サポートされていないテクスチャフィルタである。"},
    {2061, u8"頂点バッファの作成に失敗した。"},
    {2062, u8"頂点バッファがロックされている。"},
    {2060, u8"頂点バッファは最適化されている。"},
    {2063, u8"頂点バッファのロック解除に失敗した。"},
    {781, u8"ビューポートのデータが設定されていない。"},
    {782, u8"ビューポートにデバイスが関連付けられていない。"},
    {2072, u8"テクスチャのフォーマットが正しくない。"},
    {745, u8"Zバッファはシステムメモリ上に作成する必要がある。"},
    {746, u8"Zバッファはビデオメモリ上に作成する必要がある。"},
    {2070, u8"Zバッファが存在しない。"},
};

}  // namespace

int ZKSPRITE::FrameWait(std::uint16_t wMilliseconds, int bShow) {
    platform::Clock& clock = platform::service<platform::Clock>();
    std::uint32_t now = clock.now();
    if (!frameWaitStarted_) {
        frameWaitStarted_ = true;
        frameWaitTime_ = now;
    }
    // Sleep out what is missing rather than spin; the clock may wrap meanwhile. A
    // movie's picture due before then is handed to the screen when it is due.
    platform::MediaPump& movies = platform::MediaPump::instance();
    while (now - frameWaitTime_ < wMilliseconds) {
        const std::uint32_t missing = wMilliseconds - (now - frameWaitTime_);
        const std::optional<std::uint32_t> due = movies.msToNextPicture();
        const bool picture = due && *due < missing;
        clock.sleep(picture ? *due : missing);
        if (picture) movies.pump();
        now = clock.now();
    }
    std::uint32_t elapsed = now - frameWaitTime_;
    frameWaitTime_ = clock.now();
    if (elapsed == 0) elapsed = 1;
    if (bShow == 0) return 0;
    const std::string text =
        "ms:" + std::to_string(elapsed) + ",fps:" + std::to_string(1000 / elapsed) + ",end";
    return DDTextOut(-1, 50, 580, text.c_str(), 255, 20, 400);
}

int ZKSPRITE::DrawFrameRate(int nX, int nY, platform::ColorRef dwColor, int nHeight) {
    const std::string text = "FPS:" + std::to_string(dwFPS);
    DDTextOut(-1, nX, nY, text.c_str(), dwColor, nHeight, 400);
    return 1;
}

int ZKSPRITE::CheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) {
    const std::uint32_t now = Now();
    if (bMeasure != 0 && now != lastMeasureTime_) {
        dwFPS = static_cast<std::uint32_t>(1000.0 / (now - lastMeasureTime_));
        lastMeasureTime_ = now;
    }
    const std::uint32_t sinceStart = now - dwFrameStartTime;
    const auto rate = sinceStart == 0 ? 0u : static_cast<std::uint32_t>(1000.0 / sinceStart);
    return dwTargetFps <= rate ? 1 : 0;
}

void ZKSPRITE::SetFrameStartTime() { dwFrameStartTime = Now(); }

void ZKSPRITE::ErrorNumber(std::int32_t hr) {
    const char8_t* text = u8"不明のエラーです";
    if (hr == 0) text = u8"エラーは発生していない";
    for (const auto& error : kD3dErrors) {
        if (static_cast<std::uint32_t>(hr) == kD3dBase + error.number) text = error.text;
    }
    platform::LogError("ZKSPRITE::ErrorNumber", text);
}
