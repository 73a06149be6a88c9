// The system-save reader on arbitrary bytes: it must keep every list entry
// storable (a name under 260 bytes, a position of -1 or more, no free entry before
// a used one), and whatever it read must write back into a file it reads cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "game/SystemSaveFile.h"

namespace {

struct Saved {
    std::uint32_t cg[8] = {};
    std::uint32_t replay[6] = {};
    std::uint32_t gameClear = 0;
    std::int32_t clothes[14] = {};
    std::unique_ptr<AUTO_SKIP_FILE_DATA[]> list =
        std::make_unique<AUTO_SKIP_FILE_DATA[]>(SystemSaveValues::kListSize);

    SystemSaveValues values() {
        return {cg, replay, gameClear, clothes,
                std::span<AUTO_SKIP_FILE_DATA, SystemSaveValues::kListSize>(
                    list.get(), SystemSaveValues::kListSize)};
    }
};

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_system_save: %s\n", what);
    std::abort();
}

void CheckList(const Saved& saved) {
    bool freeSeen = false;
    for (std::size_t i = 0; i < SystemSaveValues::kListSize; ++i) {
        const AUTO_SKIP_FILE_DATA& entry = saved.list[i];
        Check(std::memchr(entry.szFileName, '\0', sizeof entry.szFileName) != nullptr,
              "a name fills its whole record");
        if (entry.szFileName[0] == '\0') {
            freeSeen = true;
            continue;
        }
        Check(!freeSeen, "a free entry stands before a used one");
        Check(entry.nPosition >= -1, "a position below -1");
    }
}

bool SameValues(const Saved& a, const Saved& b) {
    if (std::memcmp(a.cg, b.cg, sizeof a.cg) != 0 ||
        std::memcmp(a.replay, b.replay, sizeof a.replay) != 0 || a.gameClear != b.gameClear ||
        std::memcmp(a.clothes, b.clothes, sizeof a.clothes) != 0) {
        return false;
    }
    for (std::size_t i = 0; i < SystemSaveValues::kListSize; ++i) {
        if (std::strcmp(a.list[i].szFileName, b.list[i].szFileName) != 0 ||
            a.list[i].nPosition != b.list[i].nPosition) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Saved read;
    const SystemSaveDamage damage = ReadSystemSave(bytes, read.values());
    Check(damage.count >= 0 && (damage.count == 0) == (damage.firstLine == 0),
          "damage report without its first line");
    CheckList(read);

    Saved again;
    const std::string written = WriteSystemSave(read.values());
    Check(ReadSystemSave(written, again.values()).count == 0, "a written file reads as damaged");
    Check(SameValues(read, again), "a written file reads back differently");
    return 0;
}
