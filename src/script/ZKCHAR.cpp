#include "script/ZKCHAR.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/ScriptNumber.h"

namespace {

constexpr int kColorKey = 1;
constexpr float kCrossFadeStart = 0.99f;
// The largest alpha below 1.
constexpr float kBelowOne = 1.0f - std::numeric_limits<float>::epsilon() / 2;

bool Inside(std::int32_t n, std::int32_t count) { return n >= 0 && n < count; }

// An ID that fits its buffer whole; a longer one is refused, never cut.
bool FitsID(const char* szID) { return szID != nullptr && std::strlen(szID) < ZKCHAR::kIDSize; }

void CopyID(char* out, const char* szID) {
    platform::SjisCopyTruncated(out, ZKCHAR::kIDSize, szID);
}

// The checks a body and a face record share: its number inside the table and an
// image ID that fits. A refusal is logged under tag.
bool ValidPicture(const char* tag, std::int32_t n, std::int32_t count, const char* szImageID) {
    if (!Inside(n, count)) {
        platform::LogError(tag, u8"指定した対象体ナンバーは不正です");
        return false;
    }
    if (!FitsID(szImageID)) {
        platform::LogError(tag, u8"指定した体画像IDは不正です");
        return false;
    }
    return true;
}

void ClearFace(FACE_DATA& face) {
    std::memset(face.szName, 0, sizeof face.szName);
    face.nSurfaceIndex = -1;
    face.nTextureIndex = -1;
    face.nX = 0;
    face.nY = 0;
    face.pEyeData.reset();
    face.nEyeNum = 0;
    face.nEyeParam = 0;
    face.Animation.Set(0, 0);
}

}  // namespace

ZKCHAR::ZKCHAR() : pSprite(nullptr), pSnd(nullptr), pSystem(nullptr), nBodyNum(0), nFaceNum(0) {
    Release();
}

void ZKCHAR::Release() {
    nX = 0;
    nY = 0;
    std::memset(szID, 0, sizeof szID);
    nLoveValue = 0;
    nFace = 0;
    nNextFace = -1;
    fFaceAlpha = 0.0f;
    for (std::int32_t i = 0; pFaceData && i < nFaceNum; ++i) ClearFace(pFaceData[i]);
    pFaceData.reset();
    nFaceNum = 0;
    nBody = 0;
    nNextBody = -1;
    fBodyAlpha = 0.0f;
    pBodyData.reset();
    nBodyNum = 0;
    EndTransition();
    dwEventFlg = 0;
    nDispFlg = 0;
}

int ZKCHAR::CreateCharData(ZKSPRITE* pSpriteIn, ZKSND* pSndIn, ZKSYSTEM* pSystemIn,
                           const char* szIDIn, std::int32_t nBodyIn, std::int32_t nFaceIn) {
    if (pSpriteIn == nullptr || pSndIn == nullptr || pSystemIn == nullptr) {
        platform::LogError("ZKCHAR::CreateCharData", u8"引数が不正です");
        return 0;
    }
    if (!FitsID(szIDIn)) {
        platform::LogError("ZKCHAR::CreateCharData", u8"指定したキャラIDは不正です");
        return 0;
    }
    if (nBodyIn < 1 || nBodyIn > kMaxPictures) {
        platform::LogError("ZKCHAR::CreateCharData", u8"指定した体のスプライト総数は不正です");
        return 0;
    }
    if (nFaceIn < 1 || nFaceIn > kMaxPictures) {
        platform::LogError("ZKCHAR::CreateCharData", u8"指定した顔のスプライト総数は不正です");
        return 0;
    }
    Release();
    pSprite = pSpriteIn;
    pSnd = pSndIn;
    pSystem = pSystemIn;
    CopyID(szID, szIDIn);
    pBodyData = std::make_unique<BODY_DATA[]>(static_cast<std::size_t>(nBodyIn));
    nBodyNum = nBodyIn;
    pFaceData = std::make_unique<FACE_DATA[]>(static_cast<std::size_t>(nFaceIn));
    nFaceNum = nFaceIn;
    return 1;
}

int ZKCHAR::SetBodyData(std::int32_t n, std::int32_t nXIn, std::int32_t nYIn, std::int32_t nFaceX,
                        std::int32_t nFaceY, const char* szImageID, std::int32_t nSurface,
                        std::int32_t nTexture) {
    if (!ValidPicture("ZKCHAR::SetBodyData", n, nBodyNum, szImageID)) return 0;
    BODY_DATA& body = pBodyData[n];
    body = BODY_DATA{};
    CopyID(body.szName, szImageID);
    body.nSurfaceIndex = nSurface;
    body.nTextureIndex = nTexture;
    body.nX = nXIn;
    body.nY = nYIn;
    body.nFaceX = nFaceX;
    body.nFaceY = nFaceY;
    return 1;
}

int ZKCHAR::SetFaceData(std::int32_t n, std::int32_t nXIn, std::int32_t nYIn, const char* szImageID,
                        std::int32_t nSurface, std::int32_t nTexture, std::int32_t nEyes,
                        std::int32_t nEyeParamIn, std::int32_t nPattern) {
    if (!ValidPicture("ZKCHAR::SetFaceData", n, nFaceNum, szImageID)) return 0;
    if (nPattern != 0 && nPattern != 1) {
        platform::LogError("ZKCHAR::SetFaceData", u8"指定したアニメーションパターンは不正です");
        return 0;
    }
    if (nEyes > kMaxPictures) {
        platform::LogError("ZKCHAR::SetFaceData", u8"目のスプライト数%dが上限256を超えています",
                           nEyes);
        return 0;
    }
    FACE_DATA& face = pFaceData[n];
    ClearFace(face);
    face.nSurfaceIndex = nSurface;
    face.nTextureIndex = nTexture;
    face.nX = nXIn;
    face.nY = nYIn;
    CopyID(face.szName, szImageID);
    // A face without eye frames has no table and nothing to animate or draw.
    face.nEyeNum = nEyes > 0 ? nEyes : 0;
    face.nEyeParam = nEyeParamIn;
    if (face.nEyeNum > 0) {
        face.pEyeData = std::make_unique<EYE_DATA[]>(static_cast<std::size_t>(face.nEyeNum));
    }
    face.Animation.Set(static_cast<std::uint32_t>(face.nEyeNum), 0);
    face.Animation.AnimationSet(0, 0, static_cast<std::uint32_t>(nPattern));
    return 1;
}

int ZKCHAR::SetEyeData(std::int32_t n, std::int32_t k, const platform::Rect* prcSrc,
                       std::uint32_t dwTime) {
    FACE_DATA* face = EyeFace(n, k);
    if (face == nullptr) return 0;
    if (prcSrc == nullptr) {
        platform::LogError("ZKCHAR::SetEyeData", u8"指定した描画範囲は不正です");
        return 0;
    }
    if (!face->pEyeData) {
        platform::LogError("ZKCHARA::SetEyeData", u8"目のスプライト数が確保出来ていません");
        return 0;
    }
    face->pEyeData[k].rcRect = *prcSrc;
    face->Animation.AnimationSet(k, dwTime, ANIMATION_DATA::kKeepType);
    face->pEyeData[k].dwTime = dwTime;
    return 1;
}

int ZKCHAR::SetEyeData(std::int32_t n, std::int32_t k, std::uint32_t dwTime) {
    FACE_DATA* face = EyeFace(n, k);
    if (face == nullptr) return 0;
    face->pEyeData[k].dwTime = dwTime;
    face->Animation.AnimationSet(k, dwTime, ANIMATION_DATA::kKeepType);
    return 1;
}

FACE_DATA* ZKCHAR::EyeFace(std::int32_t n, std::int32_t k) {
    if (!Inside(n, nFaceNum)) {
        platform::LogError("ZKCHARA::SetEyeData", u8"指定した顔ナンバーは不正です");
        return nullptr;
    }
    if (!Inside(k, pFaceData[n].nEyeNum)) {
        platform::LogError("ZKCHARA::SetEyeData", u8"指定した目スプライト番号は不正です");
        return nullptr;
    }
    return &pFaceData[n];
}

const BODY_DATA* ZKCHAR::BodyAt(std::int32_t n) const {
    return pBodyData && Inside(n, nBodyNum) ? &pBodyData[n] : nullptr;
}

const FACE_DATA* ZKCHAR::FaceAt(std::int32_t n) const {
    return pFaceData && Inside(n, nFaceNum) ? &pFaceData[n] : nullptr;
}

int ZKCHAR::Animation(std::uint32_t dwNow) {
    const FACE_DATA* shown = FaceAt(nFace);
    if (shown == nullptr || !shown->pEyeData) return 1;
    FACE_DATA& face = pFaceData[nFace];
    const std::uint32_t frame = face.Animation.nAnimNo;
    const std::uint32_t dwTime =
        frame < static_cast<std::uint32_t>(face.nEyeNum) ? face.pEyeData[frame].dwTime : 0;
    if (face.Animation.AnimationProc(dwNow, dwTime) == 0) {
        platform::LogError("ZKCHARA::Animation", u8"アニメーション実行に失敗しました");
        return 0;
    }
    return 1;
}

double ZKCHAR::Progress(std::uint32_t dwNow) const {
    if (dwDuration == 0) return 1.0;
    return static_cast<double>(dwNow - dwStartTime) / dwDuration;
}

float ZKCHAR::OutgoingAlpha(std::uint32_t dwNow) const {
    return std::min(static_cast<float>(1.0 - Progress(dwNow)), kBelowOne);
}

void ZKCHAR::BeginTransition(std::uint32_t dwNow, std::uint32_t dwDurationIn) {
    dwStartTime = dwNow;
    dwDuration = dwDurationIn;
    nState = 1;
}

void ZKCHAR::EndTransition() {
    nState = 0;
    dwStartTime = 0;
    dwDuration = 0;
}

void ZKCHAR::Hide() {
    fBodyAlpha = 0.0f;
    fFaceAlpha = 0.0f;
    nBody = nNextBody = nFace = nNextFace = -1;
    EndTransition();
    nDispFlg = 0;
}

int ZKCHAR::FadeIn(std::int32_t nXIn, std::int32_t nYIn, std::int32_t nFaceIn, std::int32_t nBodyIn,
                   std::uint32_t dwNow, std::uint32_t dwDurationIn) {
    if (nBodyIn < -1 || nBodyIn >= nBodyNum) {
        platform::LogError("ZKCHARA::FadeIn", u8"体のナンバーが不正です");
        return -1;
    }
    if (nFaceIn < -1 || nFaceIn >= nFaceNum) {
        platform::LogError("ZKCHARA::FadeIn", u8"顔のナンバーが不正です");
        return -1;
    }
    if (dwDurationIn == 0 || nState == 0) {
        nX = nXIn;
        nY = nYIn;
        nBody = nBodyIn;
        nFace = nFaceIn;
        nNextBody = nNextFace = -1;
        nDispFlg = 1;
    }
    if (dwDurationIn == 0) {
        fBodyAlpha = fFaceAlpha = 1.0f;
        EndTransition();
        return 0;
    }
    if (nState == 0) {
        fBodyAlpha = fFaceAlpha = 0.0f;
        BeginTransition(dwNow, dwDurationIn);
        return 1;
    }
    if (nState != 1) return 1;
    const float t = static_cast<float>(Progress(dwNow));
    fBodyAlpha = fFaceAlpha = t;
    if (t < 1.0f) return 1;
    fBodyAlpha = fFaceAlpha = 1.0f;
    EndTransition();
    return 0;
}

int ZKCHAR::FadeOut(std::uint32_t dwNow, std::uint32_t dwDurationIn) {
    if (dwDurationIn == 0) {
        Hide();
        return 0;
    }
    if (nState == 0) {
        BeginTransition(dwNow, dwDurationIn);
        fBodyAlpha = fFaceAlpha = kCrossFadeStart;
        return 1;
    }
    if (nState != 1) return 1;
    const float a = OutgoingAlpha(dwNow);
    if (a <= 0.0f) {
        Hide();
        return 0;
    }
    fBodyAlpha = fFaceAlpha = a;
    return 1;
}

int ZKCHAR::FaceChange(std::int32_t n, std::uint32_t dwNow, std::uint32_t dwDurationIn) {
    if (n < -1 || n >= nFaceNum) {
        platform::LogError("ZKCHARA::FaceChange", u8"顔のナンバーが不正です");
        return -1;
    }
    return PictureChange(n, nFace, nNextFace, fFaceAlpha, dwNow, dwDurationIn);
}

int ZKCHAR::BodyChange(std::int32_t n, std::uint32_t dwNow, std::uint32_t dwDurationIn) {
    if (!Inside(n, nBodyNum)) {
        platform::LogError("ZKCHARA::BodyChange", u8"体のナンバーが不正です");
        return -1;
    }
    return PictureChange(n, nBody, nNextBody, fBodyAlpha, dwNow, dwDurationIn);
}

int ZKCHAR::PictureChange(std::int32_t n, std::int32_t& nShown, std::int32_t& nIncoming,
                          float& fAlpha, std::uint32_t dwNow, std::uint32_t dwDurationIn) {
    if (dwDurationIn == 0) {
        nShown = n;
        nIncoming = -1;
        fAlpha = 1.0f;
        EndTransition();
        return 0;
    }
    if (nState == 0) {
        nIncoming = n;
        BeginTransition(dwNow, dwDurationIn);
        fAlpha = kCrossFadeStart;
        return 1;
    }
    if (nState != 1) return 1;
    fAlpha = OutgoingAlpha(dwNow);
    if (fAlpha > 0.0f) return 1;
    fAlpha = 1.0f;
    nShown = nIncoming;
    nIncoming = -1;
    EndTransition();
    return 0;
}

int ZKCHAR::FaceBodyChange(std::int32_t nFaceIn, std::int32_t nBodyIn, std::uint32_t dwNow,
                           std::uint32_t dwDurationIn) {
    if (!Inside(nFaceIn, nFaceNum)) {
        platform::LogError("ZKCHARA::FaceBodyChange", u8"顔のナンバーが不正です");
        return -1;
    }
    if (!Inside(nBodyIn, nBodyNum)) {
        platform::LogError("ZKCHARA::FaceBodyChange", u8"体のナンバーが不正です");
        return -1;
    }
    if (dwDurationIn == 0) {
        nBody = nBodyIn;
        nFace = nFaceIn;
        nNextBody = nNextFace = -1;
        fBodyAlpha = fFaceAlpha = 1.0f;
        EndTransition();
        return 0;
    }
    if (nState == 0) {
        nNextBody = nBodyIn;
        nNextFace = nFaceIn;
        BeginTransition(dwNow, dwDurationIn);
        fBodyAlpha = fFaceAlpha = kCrossFadeStart;
        return 1;
    }
    if (nState != 1) return 1;
    fFaceAlpha = OutgoingAlpha(dwNow);
    fBodyAlpha = fFaceAlpha;
    if (fFaceAlpha > 0.0f) return 1;
    fBodyAlpha = fFaceAlpha = 1.0f;
    nBody = nNextBody;
    nFace = nNextFace;
    nNextBody = nNextFace = -1;
    EndTransition();
    return 0;
}

int ZKCHAR::AddLoveValue(std::int32_t n) {
    nLoveValue = ScriptSum(nLoveValue, n);
    return 0;
}

int ZKCHAR::SetLoveValue(std::int32_t n) {
    nLoveValue = n;
    return 0;
}

int ZKCHAR::FlgControl(std::int32_t nKind, std::int32_t nFlag, std::int32_t nOperation) {
    if (nFlag < 1 || nFlag > 32) {
        platform::LogError("ZKCHARA::FlgControl", u8"ビット値が不正です");
        return -1;
    }
    if (nKind != 0) {
        platform::LogError("ZKCHARA::FlgControl", u8"操作フラグの種類が不正です");
        return -1;
    }
    const std::uint32_t bit = 1u << (nFlag - 1);
    if (nOperation == 0) {
        dwEventFlg |= bit;
    } else if (nOperation == 1) {
        dwEventFlg &= ~bit;
    } else {
        platform::LogError("ZKCHARA::FlgControl", u8"フラグ操作値が不正です");
        return -1;
    }
    return 0;
}

void ZKCHAR::PlaceBody(std::vector<CHAR_PLACEMENT>& out, const BODY_DATA& body, bool bIncoming,
                       PLACE place) const {
    const std::int32_t x = ScriptSum(nX, body.nX);
    const std::int32_t y = ScriptSum(nY, body.nY);
    const CHAR_PLACEMENT opaque{true, body.nSurfaceIndex, x, y, std::nullopt, 1.0f};
    if (place == PLACE::Composition) {
        if (bIncoming ? fBodyAlpha < 1.0f : fBodyAlpha > 0.0f) out.push_back(opaque);
        return;
    }
    const bool blit = bIncoming ? fBodyAlpha <= 0.0f : fBodyAlpha >= 1.0f;
    if (blit) {
        out.push_back(opaque);
    } else if (bIncoming || fBodyAlpha > 0.0f) {
        const float alpha = bIncoming ? 1.0f - fBodyAlpha : fBodyAlpha;
        out.push_back({false, body.nTextureIndex, x, y, std::nullopt, alpha});
    }
}

void ZKCHAR::PlaceFace(std::vector<CHAR_PLACEMENT>& out, const FACE_DATA& face,
                       const BODY_DATA& body, std::uint32_t nEye, bool bIncoming,
                       PLACE place) const {
    const std::int32_t x = ScriptSum(ScriptSum(nX, body.nX), ScriptSum(body.nFaceX, face.nX));
    const std::int32_t y = ScriptSum(ScriptSum(nY, body.nY), ScriptSum(body.nFaceY, face.nY));
    const platform::Rect& eye = face.pEyeData[nEye].rcRect;
    const CHAR_PLACEMENT opaque{true, face.nSurfaceIndex, x, y, eye, 1.0f};
    if (place == PLACE::Composition) {
        if (fFaceAlpha >= 0.0f) out.push_back(opaque);
        return;
    }
    const bool blit = bIncoming ? fFaceAlpha == 0.0f : fFaceAlpha >= 1.0f;
    if (blit) {
        out.push_back(opaque);
    } else if (fFaceAlpha > 0.0f && fFaceAlpha < 1.0f) {
        const float alpha = bIncoming ? 1.0f - fFaceAlpha : fFaceAlpha;
        out.push_back({false, face.nTextureIndex, x, y, eye, alpha});
    }
}

std::vector<CHAR_PLACEMENT> ZKCHAR::Placements(PLACE place) const {
    std::vector<CHAR_PLACEMENT> out;
    if (nDispFlg == 0) return out;
    const BODY_DATA* body = BodyAt(nBody);
    const BODY_DATA* nextBody = BodyAt(nNextBody);
    const FACE_DATA* face = FaceAt(nFace);
    const FACE_DATA* nextFace = FaceAt(nNextFace);
    if (body != nullptr) PlaceBody(out, *body, false, place);
    if (nextBody != nullptr) PlaceBody(out, *nextBody, true, place);
    // Faces are placed only through eye rectangles: a face without eye frames has none.
    if (face != nullptr && !face->pEyeData) face = nullptr;
    if (nextFace != nullptr && !nextFace->pEyeData) nextFace = nullptr;
    const auto placeOld = [&](const BODY_DATA* on) {
        if (face != nullptr && on != nullptr) PlaceFace(out, *face, *on, 0, false, place);
    };
    const auto placeNew = [&](const BODY_DATA* on) {
        if (nextFace != nullptr && on != nullptr) PlaceFace(out, *nextFace, *on, 0, true, place);
    };
    if (nNextBody >= 0 && nNextFace >= 0) {
        placeNew(nextBody);
        placeOld(nextBody);
        placeNew(body);
        placeOld(body);
    } else if (nNextBody < 0 && nNextFace < 0) {
        if (face != nullptr && body != nullptr) {
            // Standing still, the screen shows the eye frame the animation has reached.
            const std::uint32_t frame = face->Animation.nAnimNo;
            const bool animated =
                place == PLACE::Screen && frame < static_cast<std::uint32_t>(face->nEyeNum);
            PlaceFace(out, *face, *body, animated ? frame : 0, false, place);
        }
    } else if (nNextBody < 0) {
        placeNew(body);
        placeOld(body);
    } else {
        placeOld(nextBody);
    }
    return out;
}

int ZKCHAR::Draw() {
    if (pSprite == nullptr) return 1;
    for (const CHAR_PLACEMENT& p : Placements(PLACE::Screen)) {
        if (!p.bSurface) {
            pSprite->D3DXSpriteDrawTL(p.nIndex, static_cast<float>(p.nX), static_cast<float>(p.nY),
                                      kColorKey, p.rcSrc ? &*p.rcSrc : nullptr, p.fAlpha, 1.0f,
                                      0.0f, 0);
        } else if (p.rcSrc) {
            pSprite->DDBltRange(p.nIndex, p.nX, p.nY, p.rcSrc->left, p.rcSrc->top, p.rcSrc->right,
                                p.rcSrc->bottom, kColorKey);
        } else {
            pSprite->DDBlt(p.nIndex, p.nX, p.nY, kColorKey);
        }
    }
    return 1;
}

void ZKCHAR::UnloadPictures(std::int32_t nSurface, std::int32_t nTexture) const {
    if (nSurface >= 0) SurfaceUnload(pSprite, pSystem, nSurface);
    if (nTexture >= 0) TextureUnload(pSprite, pSystem, nTexture);
}

void ZKCHAR::Reset(std::int32_t nClear) {
    nX = 0;
    nY = 0;
    if (nClear != 0) {
        nLoveValue = 0;
        dwEventFlg = 0;
    }
    if (pSprite != nullptr) {
        for (const std::int32_t n : {nBody, nNextBody}) {
            if (const BODY_DATA* body = BodyAt(n)) {
                UnloadPictures(body->nSurfaceIndex, body->nTextureIndex);
            }
        }
        for (const std::int32_t n : {nFace, nNextFace}) {
            if (const FACE_DATA* face = FaceAt(n)) {
                UnloadPictures(face->nSurfaceIndex, face->nTextureIndex);
            }
        }
    }
    nFace = 0;
    nNextFace = -1;
    fFaceAlpha = 0.0f;
    nBody = 0;
    nNextBody = -1;
    fBodyAlpha = 0.0f;
    EndTransition();
    nDispFlg = 0;
}
