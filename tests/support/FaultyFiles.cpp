#include "support/FaultyFiles.h"

#include <cerrno>

namespace platform {

int FaultyFiles::removeFile(const std::string& path) {
    if (inUse_.count(path) != 0) return EBUSY;
    return PosixFiles::removeFile(path);
}

void FaultyFiles::markInUse(const std::string& path) { inUse_.insert(path); }

void FaultyFiles::release(const std::string& path) { inUse_.erase(path); }

}  // namespace platform
