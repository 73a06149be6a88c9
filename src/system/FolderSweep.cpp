#include "system/FolderSweep.h"

#include <utility>

#include "platform/core/Log.h"

FolderSweep::FolderSweep(platform::FolderWalk& walk, bool recurse, std::function<void()> cannotList)
    : walk_(walk), recurse_(recurse), cannotList_(std::move(cannotList)) {}

void FolderSweep::run(std::vector<platform::FolderEntry> entries) {
    levels_.push_back({std::move(entries)});
    while (!levels_.empty()) {
        Level& level = levels_.back();
        if (level.next == level.entries.size()) {
            levels_.pop_back();
            if (!levels_.empty()) removeTaken(walk_.leave());
            continue;
        }
        const platform::FolderEntry& entry = level.entries[level.next++];
        if (!entry.isFolder) {
            removeFile(entry.name);
        } else if (recurse_) {
            enterTaken();
        }
    }
}

// The entry last taken from the innermost level.
const std::string& FolderSweep::takenName() const {
    const Level& level = levels_.back();
    return level.entries[level.next - 1].name;
}

void FolderSweep::removeFile(const std::string& name) {
    if (walk_.removeFile(name) == 0) return;
    platform::LogError("ZKSYSTEM::RemoveFile", u8"ファイル %s が削除出来ません\n",
                       platform::GameArg(walk_.path() + name));
}

// Into the folder just taken, to sweep it next; one that cannot be entered is
// removed as it stands.
void FolderSweep::enterTaken() {
    if (walk_.enter(takenName()) != 0) {
        cannotList_();
        removeTaken(0);
        return;
    }
    std::vector<platform::FolderEntry> entries;
    if (walk_.list(entries) != 0) {
        cannotList_();
        entries.clear();
    }
    levels_.push_back({std::move(entries)});
}

// Removes the folder just taken once its sweep is over; error is how the walk got
// back from it. A folder that stays ends the sweep of the one holding it.
void FolderSweep::removeTaken(int error) {
    const std::string& name = takenName();
    if (error == 0 && walk_.removeFolder(name) == 0) return;
    platform::LogError("ZKSYSTEM::RemoveFile", u8"ディレクトリ %s が削除出来ません\n",
                       platform::GameArg(walk_.path() + name));
    levels_.back().next = levels_.back().entries.size();
}
