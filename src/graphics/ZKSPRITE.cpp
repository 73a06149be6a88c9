#include "graphics/ZKSPRITE.h"

#include <new>

#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/text/SjisText.h"

using platform::LogError;
using platform::LogWarn;

namespace {

const char8_t* const kSurfaceNumberText = u8"サーフェスナンバー外を指定しています";
const char8_t* const kTextureNumberText = u8"テクスチャナンバー外を指定しています";

// One accessor of a slot table: the table's default while it is missing or empty,
// the failure value, logged, for an index outside it.
template <class T, class Field>
T SlotValue(const ZKIMAGEDATA* table, int count, int i, T missing, T outOfRange,
            std::string_view tag, const char8_t* text, Field field) {
    if (table == nullptr || count <= 0) return missing;
    if (static_cast<unsigned>(i) >= static_cast<unsigned>(count)) {
        LogError(tag, text);
        return outOfRange;
    }
    return field(table[i]);
}

}  // namespace

ZKSPRITE::ZKSPRITE() = default;

ZKSPRITE::ZKSPRITE(platform::Display& display) : display_(&display), ownDisplay_(true) {}

ZKSPRITE::~ZKSPRITE() = default;

std::string ZKSPRITE::Tag(std::string_view szName) {
    return std::string("ZKSPRITE::").append(szName);
}

platform::Display& ZKSPRITE::display() {
    if (display_ == nullptr) display_ = &platform::service<platform::Display>();
    return *display_;
}

int ZKSPRITE::CheckState(std::string_view szName, std::uint32_t dwMask) {
    const struct {
        std::uint32_t bit;
        bool holds;
        const char8_t* text;
    } conditions[] = {
        {kMaskInit, nInitFlg != 0, u8"初期化されていません"},
        {kMaskSurfaceTable, nSurfaceBufferFlg != 0, u8"サーフェスバッファがセットされていません"},
        {kMaskTextureTable, nTextureBufferFlg != 0, u8"テクスチャバッファがセットされていません"},
        {kMaskPrimary, pPrimary != nullptr, u8"プライマリサーフェスが消失しています"},
        {kMaskBack, pBack != nullptr, u8"バックサーフェスが消失しています"},
    };
    for (const auto& condition : conditions) {
        if ((dwMask & condition.bit) != 0 && !condition.holds) {
            LogError(Tag(szName), condition.text);
            return 0;
        }
    }
    return 1;
}

// Makes a slot table once; a table that cannot be allocated is not claimed to exist.
int ZKSPRITE::CreateTable(std::string_view szName, int nCount, SlotTable table,
                          const char8_t* szAlready, const char8_t* szFailed) {
    if (!CheckState(szName, kMaskInit)) return 0;
    if (table.flag != 0) {
        LogWarn(Tag(szName), szAlready);
        return 1;
    }
    if (nCount >= 0) table.slots.reset(new (std::nothrow) ZKIMAGEDATA[std::size_t(nCount)]);
    if (nCount < 0 || table.slots == nullptr) {
        LogError(Tag(szName), szFailed);
        return 0;
    }
    table.count = nCount;
    table.flag = 1;
    return 1;
}

int ZKSPRITE::CreateSurfaceBuffer(int nCount) {
    return CreateTable(
        "CreateSurfaceBuffer", nCount, {pSurfaceTable, nSurfaceCount, nSurfaceBufferFlg},
        u8"既にサーフェスバッファは確保されています", u8"サーフェスバッファの確保に失敗しました");
}

int ZKSPRITE::CreateTextureBuffer(int nCount) {
    return CreateTable(
        "CreateTextureBuffer", nCount, {pTextureTable, nTextureCount, nTextureBufferFlg},
        u8"既にテクスチャバッファは確保されています", u8"テクスチャバッファの確保に失敗しました");
}

namespace {

// Registers a slot's file; names that cannot fit the slot's buffers are refused whole.
int RegisterSlot(ZKIMAGEDATA* table, int count, int i, const char* szDir, const char* szFile,
                 std::uint32_t dwVideo, std::string_view tag) {
    if (static_cast<unsigned>(i) >= static_cast<unsigned>(count)) {
        LogError(tag, u8"インデックス番号外を指定しています");
        return 0;
    }
    const auto tooLong = [](const char* name) {
        return name != nullptr && std::string_view(name).size() >= ZKIMAGEDATA::kPathSize;
    };
    if (tooLong(szDir) || tooLong(szFile)) {
        LogError(tag, u8"ファイル名が長すぎます");
        return 0;
    }
    table[i].SetData(szDir, szFile, dwVideo);
    return 1;
}

}  // namespace

int ZKSPRITE::SetSurface(int i, const char* szDir, const char* szFile, std::uint32_t dwVideo) {
    if (!CheckState("SetSurface", kMaskInit | kMaskSurfaceTable)) return 0;
    return RegisterSlot(pSurfaceTable.get(), nSurfaceCount, i, szDir, szFile, dwVideo,
                        "ZKSPRITE::SetSurface");
}

int ZKSPRITE::SetTexture(int i, const char* szDir, const char* szFile, std::uint32_t dwVideo) {
    if (!CheckState("SetTexture", kMaskInit | kMaskTextureTable)) return 0;
    return RegisterSlot(pTextureTable.get(), nTextureCount, i, szDir, szFile, dwVideo,
                        "ZKSPRITE::SetTexture");
}

int ZKSPRITE::SetBlending(int i) {
    ZKIMAGEDATA* slot = SurfaceSlot(i);
    if (slot == nullptr) {
        LogError("ZKSPRITE::SetBlending", u8"インデックス番号外を指定しています");
        return 0;
    }
    slot->ClearState();
    return 1;
}

namespace {

int SearchTable(const ZKIMAGEDATA* table, int count, const char* szName) {
    if (table == nullptr || szName == nullptr) return -1;
    for (int i = 0; i < count; ++i) {
        if (platform::SjisEqualsIgnoreCase(table[i].szFileName, szName)) return i;
    }
    return -1;
}

}  // namespace

int ZKSPRITE::SearchSurface(const char* szName) const {
    return SearchTable(pSurfaceTable.get(), nSurfaceCount, szName);
}

int ZKSPRITE::SearchTexture(const char* szName) const {
    return SearchTable(pTextureTable.get(), nTextureCount, szName);
}

ZKIMAGEDATA* ZKSPRITE::SurfaceSlot(int i) const {
    if (pSurfaceTable == nullptr ||
        static_cast<unsigned>(i) >= static_cast<unsigned>(nSurfaceCount))
        return nullptr;
    return &pSurfaceTable[i];
}

ZKIMAGEDATA* ZKSPRITE::TextureSlot(int i) const {
    if (pTextureTable == nullptr ||
        static_cast<unsigned>(i) >= static_cast<unsigned>(nTextureCount))
        return nullptr;
    return &pTextureTable[i];
}

platform::Surface* ZKSPRITE::GetSurface(int i) const {
    const ZKIMAGEDATA* slot = SurfaceSlot(i);
    return slot != nullptr ? slot->GetSurface() : nullptr;
}

platform::Texture* ZKSPRITE::GetTexture(int i) const {
    const ZKIMAGEDATA* slot = TextureSlot(i);
    return slot != nullptr ? slot->GetTexture() : nullptr;
}

const char* ZKSPRITE::GetSurfacePath(int i) const {
    return SlotValue<const char*>(pSurfaceTable.get(), nSurfaceCount, i, nullptr, nullptr,
                                  "ZKSPRITE::GetSurfacePath", kSurfaceNumberText,
                                  [](const ZKIMAGEDATA& s) { return s.GetFileName(); });
}

const char* ZKSPRITE::GetSurfaceDirPath(int i) const {
    return SlotValue<const char*>(pSurfaceTable.get(), nSurfaceCount, i, nullptr, nullptr,
                                  "ZKSPRITE::GetSurfaceDirPath", kSurfaceNumberText,
                                  [](const ZKIMAGEDATA& s) { return s.GetDirPath(); });
}

const char* ZKSPRITE::GetTextureFileName(int i) const {
    return SlotValue<const char*>(pTextureTable.get(), nTextureCount, i, nullptr, nullptr,
                                  "ZKSPRITE::GetTextureFileName", kTextureNumberText,
                                  [](const ZKIMAGEDATA& s) { return s.GetFileName(); });
}

const char* ZKSPRITE::GetTextureDirPath(int i) const {
    return SlotValue<const char*>(pTextureTable.get(), nTextureCount, i, nullptr, nullptr,
                                  "ZKSPRITE::GetTextureDirPath", kTextureNumberText,
                                  [](const ZKIMAGEDATA& s) { return s.GetDirPath(); });
}

std::uint32_t ZKSPRITE::GetSurfaceWidth(int i) const {
    return SlotValue<std::uint32_t>(pSurfaceTable.get(), nSurfaceCount, i, 0, 0,
                                    "ZKSPRITE::GetSurfaceWidth", kSurfaceNumberText,
                                    [](const ZKIMAGEDATA& s) { return s.GetWidth(); });
}

std::uint32_t ZKSPRITE::GetSurfaceHeight(int i) const {
    return SlotValue<std::uint32_t>(pSurfaceTable.get(), nSurfaceCount, i, 0, 0,
                                    "ZKSPRITE::GetSurfaceHeight", kSurfaceNumberText,
                                    [](const ZKIMAGEDATA& s) { return s.GetHeight(); });
}

std::uint32_t ZKSPRITE::GetTextureWidth(int i) const {
    return SlotValue<std::uint32_t>(pTextureTable.get(), nTextureCount, i, 0, 0,
                                    "ZKSPRITE::GetTextureWidth", kTextureNumberText,
                                    [](const ZKIMAGEDATA& s) { return s.GetWidth(); });
}

std::uint32_t ZKSPRITE::GetTextureHeight(int i) const {
    return SlotValue<std::uint32_t>(pTextureTable.get(), nTextureCount, i, 0, 0,
                                    "ZKSPRITE::GetTextureHeight", kTextureNumberText,
                                    [](const ZKIMAGEDATA& s) { return s.GetHeight(); });
}

int ZKSPRITE::GetSurfaceLoadState(int i) const {
    return SlotValue<int>(pSurfaceTable.get(), nSurfaceCount, i, 1, -1,
                          "ZKSPRITE::GetSurfaceLoadState", kSurfaceNumberText,
                          [](const ZKIMAGEDATA& s) { return s.IsLoaded() ? 0 : 1; });
}

int ZKSPRITE::GetTextureLoadState(int i) const {
    return SlotValue<int>(pTextureTable.get(), nTextureCount, i, 1, -1,
                          "ZKSPRITE::GetTextureLoadState", kTextureNumberText,
                          [](const ZKIMAGEDATA& s) { return s.IsLoaded() ? 0 : 1; });
}

int ZKSPRITE::GetSurfaceColorKey(int i) const {
    return SlotValue<int>(pSurfaceTable.get(), nSurfaceCount, i, 1, -1,
                          "ZKSPRITE::GetSurfaceColorKey", kSurfaceNumberText,
                          [](const ZKIMAGEDATA& s) { return static_cast<int>(s.dwColorKeyFlg); });
}

int ZKSPRITE::GetTextureColorKey(int i) const {
    return SlotValue<int>(pTextureTable.get(), nTextureCount, i, 1, -1,
                          "ZKSPRITE::GetTextureColorKey", kTextureNumberText,
                          [](const ZKIMAGEDATA& s) { return static_cast<int>(s.dwColorKeyFlg); });
}
