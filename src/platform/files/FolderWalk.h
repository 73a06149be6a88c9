#pragma once

#include <string>
#include <vector>

#include "platform/files/Files.h"

namespace platform {

// A folder tree taken one level at a time, for sweeping a tree whatever its depth.
// Each step goes from the folder the walk stands in to a folder in it, or back to
// the one it came from, never through a link, so that a step costs the same at any
// depth. Calls return 0 or the errno value of the failure, as Files does.
class FolderWalk {
public:
    virtual ~FolderWalk() = default;
    // The folder the walk stands in: the path it started from, then each entered
    // name, each ending in "/".
    virtual const std::string& path() const = 0;
    // Entries of the current folder, as Files::listFolder gives them.
    virtual int list(std::vector<FolderEntry>& entries) = 0;
    virtual int enter(const std::string& name) = 0;
    // Back to the folder the last enter came from; path() goes back with it either
    // way. Should that folder no longer be where the walk left it (the tree was
    // moved meanwhile), every later call fails rather than act somewhere else.
    virtual int leave() = 0;
    virtual int removeFile(const std::string& name) = 0;
    virtual int removeFolder(const std::string& name) = 0;
};

}  // namespace platform
