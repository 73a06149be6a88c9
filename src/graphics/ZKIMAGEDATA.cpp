#include "graphics/ZKIMAGEDATA.h"

#include "platform/text/SjisText.h"

void ZKIMAGEDATA::Init() {
    dwWidth = 0;
    dwHeight = 0;
    dwVideoMemory = 0;
    dwState = 0;
    dwColorKeyFlg = 0;
    Release();
    szFileName[0] = '\0';
    szDirPath[0] = '\0';
    ddck = DDCOLORKEY{};
}

void ZKIMAGEDATA::SetData(const char* szDir, const char* szFile, std::uint32_t dwVideo) {
    if (szFile != nullptr) platform::SjisCopyTruncated(szFileName, kPathSize, szFile);
    if (szDir != nullptr) platform::SjisCopyTruncated(szDirPath, kPathSize, szDir);
    dwVideoMemory = dwVideo;
    dwState = 0;
}

void ZKIMAGEDATA::Release() {
    pSurface.reset();
    pTexture.reset();
}
