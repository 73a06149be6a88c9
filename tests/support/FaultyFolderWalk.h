#pragma once

#include <memory>
#include <string>

#include "platform/files/FolderWalk.h"

namespace platform {

class FaultyFiles;

// A walk whose file deletions fail for the files its FaultyFiles holds in use.
class FaultyFolderWalk : public FolderWalk {
public:
    FaultyFolderWalk(std::unique_ptr<FolderWalk> walk, const FaultyFiles& files);

    const std::string& path() const override { return walk_->path(); }
    int list(std::vector<FolderEntry>& entries) override { return walk_->list(entries); }
    int enter(const std::string& name) override { return walk_->enter(name); }
    int leave() override { return walk_->leave(); }
    int removeFile(const std::string& name) override;
    int removeFolder(const std::string& name) override { return walk_->removeFolder(name); }

private:
    std::unique_ptr<FolderWalk> walk_;
    const FaultyFiles& files_;
};

}  // namespace platform
