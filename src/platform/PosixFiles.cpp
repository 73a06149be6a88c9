#include "platform/PosixFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace platform {

namespace {

int resultOf(int rc) { return rc == 0 ? 0 : errno; }

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

int PosixFiles::removeFile(const std::string& path) { return resultOf(unlink(path.c_str())); }

int PosixFiles::listFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
    if (!dir) return errno;
    errno = 0;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info {};
        const std::string full =
            path.empty() || path.back() == '/' ? path + name : path + "/" + name;
        const bool folder = lstat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({name, folder});
        errno = 0;
    }
    return errno;
}

int PosixFiles::removeFolder(const std::string& path) { return resultOf(rmdir(path.c_str())); }

int PosixFiles::makeFolder(const std::string& path) { return resultOf(mkdir(path.c_str(), 0755)); }

// Linux has no hidden attribute; the call succeeds exactly when the folder exists.
int PosixFiles::setHidden(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

int PosixFiles::rename(const std::string& from, const std::string& to) {
    return resultOf(std::rename(from.c_str(), to.c_str()));
}

bool PosixFiles::exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace platform
