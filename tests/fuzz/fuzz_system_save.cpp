// The system-save reader on arbitrary bytes: it must keep every list entry
// storable (a name under 260 bytes, a position of -1 or more, no free entry before
// a used one), and whatever it read must write back into a file it reads cleanly.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "game/SystemSaveFile.h"

using zkfuzz::Require;

namespace {

constexpr std::size_t kListSize = SystemSaveValues::kListSize;

struct Saved {
    std::uint32_t cg[8] = {};
    std::uint32_t replay[6] = {};
    std::uint32_t gameClear = 0;
    std::int32_t clothes[14] = {};
    std::unique_ptr<AUTO_SKIP_FILE_DATA[]> list =
        std::make_unique<AUTO_SKIP_FILE_DATA[]>(kListSize);

    SystemSaveValues values() {
        return {cg, replay, gameClear, clothes,
                std::span<AUTO_SKIP_FILE_DATA, kListSize>(list.get(), kListSize)};
    }
};

void RequireStorableList(const Saved& saved) {
    bool freeSeen = false;
    for (std::size_t i = 0; i < kListSize; ++i) {
        const AUTO_SKIP_FILE_DATA& entry = saved.list[i];
        Require(std::memchr(entry.szFileName, '\0', sizeof entry.szFileName) != nullptr,
                "a name fills its whole record");
        if (entry.szFileName[0] == '\0') {
            freeSeen = true;
            continue;
        }
        Require(!freeSeen, "a free entry stands before a used one");
        Require(entry.nPosition >= -1, "a position below -1");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Saved read;
    const SystemSaveDamage damage =
        ReadSystemSave({reinterpret_cast<const char*>(data), size}, read.values());
    Require(damage.count >= 0 && (damage.count == 0) == (damage.firstLine == 0),
            "damage report without its first line");
    RequireStorableList(read);

    // Every value is in the written file, so the same file again means the same values.
    Saved again;
    const std::string written = WriteSystemSave(read.values());
    Require(ReadSystemSave(written, again.values()).count == 0, "a written file reads as damaged");
    Require(WriteSystemSave(again.values()) == written, "a written file reads back differently");
    return 0;
}
