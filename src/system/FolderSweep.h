#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/files/FolderWalk.h"

// Empties a folder tree depth first. A file that cannot be deleted is logged and
// stays; when recursing, each folder is swept and then removed, and one that cannot
// be removed is logged and ends the sweep of the folder holding it, which then
// cannot go either. The tree is taken one level at a time, keeping one list of
// entries per level, so that time and memory grow with the entries, not the depth.
class FolderSweep {
public:
    // cannotList logs a folder that could not be entered or listed.
    FolderSweep(platform::FolderWalk& walk, bool recurse, std::function<void()> cannotList);

    // Sweeps the folder the walk stands in, whose entries are given.
    void run(std::vector<platform::FolderEntry> entries);

private:
    struct Level {
        std::vector<platform::FolderEntry> entries;
        std::size_t next = 0;
    };

    const std::string& takenName() const;
    void removeFile(const std::string& name);
    void enterTaken();
    void removeTaken(int error);

    platform::FolderWalk& walk_;
    bool recurse_;
    std::function<void()> cannotList_;
    std::vector<Level> levels_;
};
