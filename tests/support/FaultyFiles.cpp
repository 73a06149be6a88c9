#include "support/FaultyFiles.h"

#include <cerrno>

#include "support/FaultyFolderWalk.h"

namespace platform {

int FaultyFiles::removeFile(const std::string& path) {
    if (inUse(path)) return EBUSY;
    return PosixFiles::removeFile(path);
}

int FaultyFiles::walkFolder(const std::string& path, std::unique_ptr<FolderWalk>& walk) {
    const int error = PosixFiles::walkFolder(path, walk);
    if (walk) walk = std::make_unique<FaultyFolderWalk>(std::move(walk), *this);
    return error;
}

void FaultyFiles::markInUse(const std::string& path) { inUse_.insert(path); }

void FaultyFiles::release(const std::string& path) { inUse_.erase(path); }

}  // namespace platform
