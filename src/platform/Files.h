#pragma once

#include <string>
#include <vector>

namespace platform {

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// The file-system calls the engine makes beyond reading and writing streams.
// Each returns 0 on success or the errno value of the failure, since the engine
// decides by error number (ENOENT, EACCES, EEXIST, EINVAL).
class Files {
public:
    virtual ~Files() = default;
    virtual int removeFile(const std::string& path) = 0;
    // Entries without "." and ".."; symbolic links are reported as files, never followed.
    virtual int listFolder(const std::string& path, std::vector<FolderEntry>& entries) = 0;
    virtual int removeFolder(const std::string& path) = 0;
    virtual int makeFolder(const std::string& path) = 0;
    virtual int setHidden(const std::string& path) = 0;
    // Replaces an existing target.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual bool exists(const std::string& path) = 0;
};

}  // namespace platform
