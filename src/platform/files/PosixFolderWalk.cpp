#include "platform/files/PosixFolderWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

namespace platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

int ResultOf(int rc) { return rc == 0 ? 0 : errno; }

}  // namespace

int ListFolderAt(int parent, const char* name, std::vector<FolderEntry>& entries) {
    entries.clear();
    const int fd = openat(parent, name, kFolderFlags);
    if (fd < 0) return errno;
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(fd));
    if (!dir) {
        const int error = errno;
        close(fd);
        return error;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string entryName = entry->d_name;
        if (entryName == "." || entryName == "..") continue;
        struct stat info {};
        const bool folder =
            fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(info.st_mode);
        entries.push_back({entryName, folder});
        errno = 0;
    }
    return errno;
}

PosixFolderWalk::PosixFolderWalk(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
    if (!path_.empty() && path_.back() != '/') path_ += '/';
}

PosixFolderWalk::~PosixFolderWalk() {
    if (fd_ >= 0) close(fd_);
}

int PosixFolderWalk::list(std::vector<FolderEntry>& entries) {
    return ListFolderAt(fd_, ".", entries);
}

int PosixFolderWalk::enter(const std::string& name) {
    struct stat here {};
    if (fstat(fd_, &here) != 0) return errno;
    const int next = openat(fd_, name.c_str(), kFolderFlags);
    if (next < 0) return errno;
    parents_.push_back({here.st_dev, here.st_ino, path_.size()});
    close(std::exchange(fd_, next));
    path_ += name + "/";
    return 0;
}

int PosixFolderWalk::leave() {
    // The folder the walk started from is as far back as it goes.
    if (parents_.empty()) return EINVAL;
    const Parent parent = parents_.back();
    parents_.pop_back();
    path_.resize(parent.pathSize);
    const int up = openat(fd_, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int error = up < 0 ? errno : 0;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (up < 0) return error;
    struct stat there {};
    if (fstat(up, &there) != 0 || there.st_dev != parent.device || there.st_ino != parent.inode) {
        close(up);
        return ESTALE;
    }
    fd_ = up;
    return 0;
}

int PosixFolderWalk::removeFile(const std::string& name) {
    return ResultOf(unlinkat(fd_, name.c_str(), 0));
}

int PosixFolderWalk::removeFolder(const std::string& name) {
    return ResultOf(unlinkat(fd_, name.c_str(), AT_REMOVEDIR));
}

}  // namespace platform
