#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/video/Rect.h"
#include "script/BODY_DATA.h"
#include "script/CHAR_PLACEMENT.h"
#include "script/FACE_DATA.h"

class ZKSPRITE;
class ZKSND;
class ZKSYSTEM;

// One character as the screen shows it: bodies and faces, the current and incoming
// ones with their alphas, one transition at a time, eye animation, and the love
// value and event flags the story keeps about it.
class ZKCHAR {
public:
    static constexpr std::size_t kIDSize = 100;
    // No character needs more pictures; larger counts are refused, not allocated.
    static constexpr std::int32_t kMaxPictures = 256;

    ZKCHAR();
    ~ZKCHAR() { Release(); }
    ZKCHAR(const ZKCHAR&) = delete;
    ZKCHAR& operator=(const ZKCHAR&) = delete;

    void Release();
    int CreateCharData(ZKSPRITE* pSpriteIn, ZKSND* pSndIn, ZKSYSTEM* pSystemIn, const char* szID,
                       std::int32_t nBody, std::int32_t nFace);
    int SetBodyData(std::int32_t n, std::int32_t nX, std::int32_t nY, std::int32_t nFaceX,
                    std::int32_t nFaceY, const char* szImageID, std::int32_t nSurface,
                    std::int32_t nTexture);
    int SetFaceData(std::int32_t n, std::int32_t nX, std::int32_t nY, const char* szImageID,
                    std::int32_t nSurface, std::int32_t nTexture, std::int32_t nEyes,
                    std::int32_t nEyeParamIn, std::int32_t nPattern);
    int SetEyeData(std::int32_t n, std::int32_t k, const platform::Rect* prcSrc,
                   std::uint32_t dwTime);
    int SetEyeData(std::int32_t n, std::int32_t k, std::uint32_t dwTime);
    int Animation(std::uint32_t dwNow);
    int FadeIn(std::int32_t nXIn, std::int32_t nYIn, std::int32_t nFaceIn, std::int32_t nBodyIn,
               std::uint32_t dwNow, std::uint32_t dwDuration);
    int FadeOut(std::uint32_t dwNow, std::uint32_t dwDuration);
    int FaceChange(std::int32_t n, std::uint32_t dwNow, std::uint32_t dwDuration);
    int BodyChange(std::int32_t n, std::uint32_t dwNow, std::uint32_t dwDuration);
    int FaceBodyChange(std::int32_t nFaceIn, std::int32_t nBodyIn, std::uint32_t dwNow,
                       std::uint32_t dwDuration);
    int AddLoveValue(std::int32_t n);
    int SetLoveValue(std::int32_t n);
    int FlgControl(std::int32_t nKind, std::int32_t nFlag, std::int32_t nOperation);
    // Where the pictures go: as Draw shows them, or as the mosaic composes the scene,
    // every picture that shows copied opaque from its surface through eye frame 0.
    enum class PLACE { Screen, Composition };
    // The pictures the character places, in drawing order; none while it is hidden.
    std::vector<CHAR_PLACEMENT> Placements(PLACE place) const;
    int Draw();
    void Reset(std::int32_t nClear);

    ZKSPRITE* pSprite;
    ZKSND* pSnd;
    ZKSYSTEM* pSystem;
    std::int32_t nX;
    std::int32_t nY;
    char szID[kIDSize];
    std::unique_ptr<BODY_DATA[]> pBodyData;
    std::int32_t nBodyNum;
    float fBodyAlpha;
    std::int32_t nBody;
    std::int32_t nNextBody;
    std::unique_ptr<FACE_DATA[]> pFaceData;
    std::int32_t nFaceNum;
    float fFaceAlpha;
    std::int32_t nFace;
    std::int32_t nNextFace;
    std::int32_t nState;
    std::uint32_t dwStartTime;
    std::uint32_t dwDuration;
    std::int32_t nLoveValue;
    std::uint32_t dwEventFlg;
    std::int32_t nDispFlg;

private:
    // A stored index outside its table (a restored save can hold anything) is none.
    const BODY_DATA* BodyAt(std::int32_t n) const;
    const FACE_DATA* FaceAt(std::int32_t n) const;
    // Face n when eye k is one of its frames; otherwise logs the refusal.
    FACE_DATA* EyeFace(std::int32_t n, std::int32_t k);
    // Progress of the running transition, 0 to 1 and beyond; a zero duration is done.
    double Progress(std::uint32_t dwNow) const;
    // The share of the pictures going out, 1 - progress, held below 1 while the
    // transition runs: at 1 they would be drawn from surfaces a fade has unloaded.
    float OutgoingAlpha(std::uint32_t dwNow) const;
    void BeginTransition(std::uint32_t dwNow, std::uint32_t dwDurationIn);
    void EndTransition();
    void Hide();
    // Cross-fades one kind of picture (faces or bodies) to picture n: the shown one,
    // the incoming one and their alpha are that kind's own.
    int PictureChange(std::int32_t n, std::int32_t& nShown, std::int32_t& nIncoming, float& fAlpha,
                      std::uint32_t dwNow, std::uint32_t dwDurationIn);
    void PlaceBody(std::vector<CHAR_PLACEMENT>& out, const BODY_DATA& body, bool bIncoming,
                   PLACE place) const;
    void PlaceFace(std::vector<CHAR_PLACEMENT>& out, const FACE_DATA& face, const BODY_DATA& body,
                   std::uint32_t nEye, bool bIncoming, PLACE place) const;
    void UnloadPictures(std::int32_t nSurface, std::int32_t nTexture) const;
};
