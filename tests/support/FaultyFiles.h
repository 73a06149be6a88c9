#pragma once

#include <set>
#include <string>

#include "platform/files/PosixFiles.h"

namespace platform {

// POSIX files whose deletion a test can make fail. Linux deletes files that are
// still open, so "in use" has to be simulated to exercise the retry list.
class FaultyFiles : public PosixFiles {
public:
    int removeFile(const std::string& path) override;
    int walkFolder(const std::string& path, std::unique_ptr<FolderWalk>& walk) override;

    void markInUse(const std::string& path);
    void release(const std::string& path);
    bool inUse(const std::string& path) const { return inUse_.count(path) != 0; }

private:
    std::set<std::string> inUse_;
};

}  // namespace platform
