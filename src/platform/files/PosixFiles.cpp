#include "platform/files/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/files/PosixFolderWalk.h"

namespace platform {

namespace {

int resultOf(int rc) { return rc == 0 ? 0 : errno; }

// The names of a path without empty and "." names ("tmp//x/" is tmp, x).
std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string name = path.substr(start, end - start);
        if (!name.empty() && name != ".") names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

// The folder holding a path's last name, for the *at calls. A relative path is
// walked one folder at a time, refusing a folder that is a link.
class ParentFolder {
public:
    explicit ParentFolder(const std::string& path);
    ~ParentFolder() {
        if (fd_ >= 0) close(fd_);
    }
    ParentFolder(const ParentFolder&) = delete;
    ParentFolder& operator=(const ParentFolder&) = delete;

    int error() const { return error_; }
    int fd() const { return fd_ >= 0 ? fd_ : AT_FDCWD; }
    const char* name() const { return name_.c_str(); }

private:
    void enter(const std::string& folder, int flags);

    int fd_ = -1;
    int error_ = 0;
    std::string name_ = ".";
};

ParentFolder::ParentFolder(const std::string& path) {
    if (path.empty()) {
        error_ = ENOENT;
        return;
    }
    std::vector<std::string> names = Names(path);
    if (!names.empty()) {
        name_ = std::move(names.back());
        names.pop_back();
    }
    if (path.front() == '/') {
        std::string folder = "/";
        for (const std::string& name : names) folder += name + "/";
        enter(folder, 0);
        return;
    }
    for (const std::string& name : names) {
        enter(name, O_NOFOLLOW);
        if (error_ != 0) return;
    }
}

void ParentFolder::enter(const std::string& folder, int flags) {
    const int next = openat(fd(), folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC | flags);
    if (next < 0) {
        error_ = errno;
        return;
    }
    if (fd_ >= 0) close(fd_);
    fd_ = next;
}

// Runs call (parent folder, last name) once the parent has been reached.
template <class Call>
int AtParent(const std::string& path, Call call) {
    const ParentFolder parent(path);
    return parent.error() != 0 ? parent.error() : call(parent.fd(), parent.name());
}

int CreateNew(int folder, const char* name) {
    return openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

int OpenTruncated(int folder, const char* name) {
    return openat(folder, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

// A write stream on fd, which is closed when none can be made: 0 or the errno value.
int ToStream(int fd, std::FILE*& stream) {
    if (fd < 0) return errno;
    stream = fdopen(fd, "wb");
    if (stream != nullptr) return 0;
    const int error = errno;
    close(fd);
    return error;
}

int ReadRefusal(const struct stat& info, std::uint64_t maxBytes) {
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return ENOTSUP;
    return static_cast<std::uint64_t>(info.st_size) > maxBytes ? EFBIG : 0;
}

}  // namespace

int PosixFiles::removeFile(const std::string& path) {
    return AtParent(
        path, [](int parent, const char* name) { return resultOf(unlinkat(parent, name, 0)); });
}

int PosixFiles::listFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    return AtParent(
        path, [&](int parent, const char* name) { return ListFolderAt(parent, name, entries); });
}

int PosixFiles::walkFolder(const std::string& path, std::unique_ptr<FolderWalk>& walk) {
    walk.reset();
    return AtParent(path, [&](int parent, const char* name) {
        const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return errno;
        walk = std::make_unique<PosixFolderWalk>(fd, path);
        return 0;
    });
}

int PosixFiles::removeFolder(const std::string& path) {
    return AtParent(path, [](int parent, const char* name) {
        return resultOf(unlinkat(parent, name, AT_REMOVEDIR));
    });
}

int PosixFiles::makeFolder(const std::string& path) {
    return AtParent(
        path, [](int parent, const char* name) { return resultOf(mkdirat(parent, name, 0755)); });
}

// Linux has no hidden attribute; the call succeeds exactly when the folder exists
// (a link to a folder is not one).
int PosixFiles::setHidden(const std::string& path) {
    return AtParent(path, [](int parent, const char* name) {
        struct stat info {};
        if (fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return errno;
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    });
}

int PosixFiles::rename(const std::string& from, const std::string& to) {
    const ParentFolder source(from);
    const ParentFolder target(to);
    if (source.error() != 0) return source.error();
    if (target.error() != 0) return target.error();
    return resultOf(renameat(source.fd(), source.name(), target.fd(), target.name()));
}

bool PosixFiles::exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool PosixFiles::isRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int PosixFiles::createFile(const std::string& path, std::FILE*& stream) {
    stream = nullptr;
    return AtParent(path, [&](int parent, const char* name) {
        if (path.front() == '/') return ToStream(OpenTruncated(parent, name), stream);
        int fd = CreateNew(parent, name);
        if (fd < 0 && errno == EEXIST && unlinkat(parent, name, 0) == 0) {
            fd = CreateNew(parent, name);
        }
        return ToStream(fd, stream);
    });
}

int PosixFiles::openRegularFile(const std::string& path, std::uint64_t maxBytes,
                                std::FILE*& stream) {
    stream = nullptr;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return errno;
    if (const int refused = ReadRefusal(info, maxBytes); refused != 0) return refused;
    // Should a FIFO have taken the file's place since, the open still returns at once.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = fstat(fd, &info) == 0 ? ReadRefusal(info, maxBytes) : errno;
    if (error == 0) {
        stream = fdopen(fd, "rb");
        if (stream == nullptr) error = errno;
    }
    if (error != 0) close(fd);
    return error;
}

int PosixFiles::syncFile(std::FILE* stream) {
    errno = 0;
    if (std::fflush(stream) != 0) return errno != 0 ? errno : EIO;
    return resultOf(fsync(fileno(stream)));
}

void PosixFiles::syncFolderOf(const std::string& path) {
    AtParent(path, [](int parent, const char*) {
        const int fd = openat(parent, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            fsync(fd);
            close(fd);
        }
        return 0;
    });
}

}  // namespace platform
