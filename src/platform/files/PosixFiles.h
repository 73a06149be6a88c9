#pragma once

#include "platform/files/Files.h"

namespace platform {

class PosixFiles : public Files {
public:
    int removeFile(const std::string& path) override;
    int listFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
    int walkFolder(const std::string& path, std::unique_ptr<FolderWalk>& walk) override;
    int removeFolder(const std::string& path) override;
    int makeFolder(const std::string& path) override;
    int setHidden(const std::string& path) override;
    int rename(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
    bool isRegularFile(const std::string& path) override;
    int createFile(const std::string& path, std::FILE*& stream) override;
    int openRegularFile(const std::string& path, std::uint64_t maxBytes,
                        std::FILE*& stream) override;
    int syncFile(std::FILE* stream) override;
    void syncFolderOf(const std::string& path) override;
};

}  // namespace platform
