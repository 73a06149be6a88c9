#include <cstdlib>
#include <limits>

#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/text/TextRenderer.h"
#include "platform/video/DisplayStatus.h"

using platform::LogError;

namespace {

// GDI takes the absolute value of a negative height; the cell is that many pixels.
int CellHeight(int nHeight) {
    return nHeight == std::numeric_limits<int>::min() ? 0 : std::abs(nHeight);
}

std::string_view TextOf(const char* szText) {
    return szText != nullptr ? std::string_view(szText) : std::string_view();
}

}  // namespace

bool ZKSPRITE::DrawTextCells(platform::Surface& target, std::string_view text,
                             const std::vector<platform::TextCell>& cells,
                             platform::ColorRef dwColor, int nHeight, int nWeight,
                             const platform::Rect& clip) {
    platform::TextStyle style;
    style.height = CellHeight(nHeight);
    style.bold = nWeight >= platform::TextRenderer::kBoldWeight;
    style.color = dwColor & 0xFFFFFF;
    style.smooth = display().fontSmoothing();
    return platform::TextRenderer::Shared().draw(target, text, cells, style, clip);
}

int ZKSPRITE::DDTextOut(int nTarget, int nX, int nY, const char* szText, platform::ColorRef dwColor,
                        int nHeight, int nWeight) {
    platform::Surface* target = nullptr;
    const int opened = OpenContext("DDTextOut", nTarget, target, EmptySlot::NoContext);
    if (opened != 1) return opened;
    const std::string_view text = TextOf(szText);
    DrawTextCells(*target, text, platform::TextLayout::Line(text, nX, nY, CellHeight(nHeight)),
                  dwColor, nHeight, nWeight, target->bounds());
    return platform::DD_OK;
}

int ZKSPRITE::DDTextOutRange(int nTarget, const platform::Rect* prcRange, const char* szText,
                             platform::ColorRef dwColor, int nHeight, int nLength, int nWeight,
                             std::uint32_t dwFormat) {
    platform::Surface* target = nullptr;
    const int opened = OpenContext("DDTextOutRange", nTarget, target, EmptySlot::NoContext);
    if (opened != 1) return opened;
    std::string_view text = TextOf(szText);
    // A count beyond the text, or any negative one, means the whole text.
    if (nLength >= 0 && static_cast<std::size_t>(nLength) < text.size()) {
        text = text.substr(0, static_cast<std::size_t>(nLength));
    }
    if (prcRange != nullptr) {
        const platform::Rect& range = *prcRange;
        const bool clipped = (dwFormat & platform::TextLayout::kNoClip) == 0;
        DrawTextCells(*target, text,
                      platform::TextLayout::Box(text, range, dwFormat, CellHeight(nHeight)),
                      dwColor, nHeight, nWeight, clipped ? range : target->bounds());
    }
    return platform::DD_OK;
}

int ZKSPRITE::DDTextOutLock(int nX, int nY, const char* szText, platform::ColorRef dwColor,
                            int nHeight, int nWeight) {
    if (!CheckState("DDTextOutLock", kMaskInit)) return 0;
    if (hTextDC == nullptr) {
        if (!CheckState("DDTextOutLock", kMaskBack)) return 0;
        if (pBack->contextStatus() != platform::DD_OK) {
            LogError("ZKSPRITE::DDTextOutLock",
                     u8"バックサーフェスからデバイスコンテキストの取得に失敗しました");
            return -1;
        }
        hTextDC = pBack;
        hTextFont = TextFont{nHeight, nWeight};
    }
    const std::string_view text = TextOf(szText);
    const int height = CellHeight(hTextFont->nHeight);
    const bool drawn =
        DrawTextCells(*hTextDC, text, platform::TextLayout::Line(text, nX, nY, height), dwColor,
                      hTextFont->nHeight, hTextFont->nWeight, hTextDC->bounds());
    return drawn ? 1 : -1;
}

int ZKSPRITE::DDTextOutUnlock() {
    if (hTextDC == nullptr) return 1;
    CloseTextRun();
    return platform::DD_OK;
}

void ZKSPRITE::CloseTextRun() {
    hTextFont.reset();
    hTextDC = nullptr;
}
