#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/TITLE_DATA.h"
#include "graphics/ZKSPRITE.h"
#include "windows/CONFIG_DATA.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"

// Pictures are textures while they fade and surfaces once they stand.
std::uint32_t TITLE_DATA::DrawProc(ModeHost& host) {
    ZKSPRITE* pSprite = host.Context().pSprite;
    const TITLE_DATA& title = *this;
    for (const int picture : {kPictureMenuBack, kPictureSecond, kPictureFirst}) {
        const GRAPHIC_DATA& intro = title.IntroGraphic[picture];
        if (intro.nDispFlg == 0) continue;
        if (intro.nGKind == kKindSurface) {
            pSprite->DDBlt(intro.nIndex, intro.nX, intro.nY, static_cast<int>(intro.dwFlag));
        } else {
            pSprite->D3DXSpriteDrawEffectTL(intro.nIndex, static_cast<float>(intro.nX),
                                            static_cast<float>(intro.nY),
                                            static_cast<int>(intro.dwFlag), nullptr, intro.fAlpha,
                                            intro.fScaleX, intro.fScaleY, 0.0f, 0);
        }
    }
    for (std::int32_t item = 1; item <= TITLE_DATA::kItemCount; ++item) {
        const GRAPHIC_DATA& picture = title.ItemGraphic[item - 1];
        if (picture.nDispFlg == 0) continue;
        const platform::Rect cell = TITLE_DATA::ItemCell(item, title.nItemState[item - 1]);
        const int key = static_cast<int>(picture.dwFlag);
        if (picture.nGKind == kKindSurface) {
            pSprite->DDBltRange(picture.nIndex, picture.nX, picture.nY, cell.left, cell.top,
                                cell.right, cell.bottom, key);
        } else if (picture.fAlpha > 0.0f) {
            pSprite->D3DXSpriteDrawTL(picture.nIndex, static_cast<float>(picture.nX),
                                      static_cast<float>(picture.nY), key, &cell, picture.fAlpha,
                                      picture.fScaleX, 0.0f, 0);
        }
    }
    const GRAPHIC_DATA_EX& moon = title.AttractGraphic;
    if (moon.nDispFlg != 0 && moon.AnimData.nAnimNo < moon.nAnimNum) {
        const platform::Rect& cell = moon.prcAnim[moon.AnimData.nAnimNo];
        pSprite->DDBltRange(moon.nIndex, moon.nX, moon.nY, cell.left, cell.top, cell.right,
                            cell.bottom, static_cast<int>(moon.dwFlag));
    }
    host.ConfigData().Draw(0);
    host.SaveLoadWindowData().Draw();
    host.DrawOverlay();
    return 1;
}
