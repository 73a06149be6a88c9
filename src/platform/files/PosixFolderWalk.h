#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/files/FolderWalk.h"

namespace platform {

// The walk over one open folder descriptor. Only the current folder is held open,
// so that no depth runs out of descriptors; the way back is "..", checked against
// the folder the walk came from.
class PosixFolderWalk : public FolderWalk {
public:
    // Takes fd, a folder opened for reading, whose path is path.
    PosixFolderWalk(int fd, std::string path);
    ~PosixFolderWalk() override;
    PosixFolderWalk(const PosixFolderWalk&) = delete;
    PosixFolderWalk& operator=(const PosixFolderWalk&) = delete;

    const std::string& path() const override { return path_; }
    int list(std::vector<FolderEntry>& entries) override;
    int enter(const std::string& name) override;
    int leave() override;
    int removeFile(const std::string& name) override;
    int removeFolder(const std::string& name) override;

private:
    struct Parent {
        dev_t device;
        ino_t inode;
        std::size_t pathSize;
    };

    int fd_;
    std::string path_;
    std::vector<Parent> parents_;
};

// The entries of folder name in parent (not followed when a link), without "." and
// "..": 0 or the errno value.
int ListFolderAt(int parent, const char* name, std::vector<FolderEntry>& entries);

}  // namespace platform
