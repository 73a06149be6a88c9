#include "support/FaultyFolderWalk.h"

#include <cerrno>
#include <utility>

#include "support/FaultyFiles.h"

namespace platform {

FaultyFolderWalk::FaultyFolderWalk(std::unique_ptr<FolderWalk> walk, const FaultyFiles& files)
    : walk_(std::move(walk)), files_(files) {}

int FaultyFolderWalk::removeFile(const std::string& name) {
    if (files_.inUse(walk_->path() + name)) return EBUSY;
    return walk_->removeFile(name);
}

}  // namespace platform
