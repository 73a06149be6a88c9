#pragma once

#include "platform/Files.h"

namespace platform {

class PosixFiles : public Files {
public:
    int removeFile(const std::string& path) override;
    int listFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
    int removeFolder(const std::string& path) override;
    int makeFolder(const std::string& path) override;
    int setHidden(const std::string& path) override;
    int rename(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
};

}  // namespace platform
