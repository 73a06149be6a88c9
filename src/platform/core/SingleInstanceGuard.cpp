#include "platform/core/SingleInstanceGuard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include "platform/core/Log.h"

namespace platform {

namespace {

// Time enough for a first instance to get from its lock to its socket, or to leave.
constexpr int kAttempts = 10;
constexpr auto kAttemptPause = std::chrono::milliseconds(50);
// A running instance serves requests between its frames; one busy starting up or
// loading may take longer, and is then reported as not having answered.
constexpr int kAnswerWaitMs = 1000;
constexpr char kRaised = 'R';
// Room for a socket's path with its ending zero.
constexpr std::size_t kSocketPathRoom = sizeof(sockaddr_un::sun_path);
// The longest encoded display name kept as it is; the user's temporary folder, the
// game's name and the kind of display leave room for this much.
constexpr std::size_t kLongestDisplay = 24;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// The guard's own files are a convenience: failing to make them must not keep the game
// from starting.
void WarnUnchecked(const std::string& path, const char* what) {
    LogWarn("SingleInstanceGuard", u8"%s の %s に失敗したため二重起動を確かめずに起動します: %s\n",
            Utf8Arg(path), Utf8Arg(what), Utf8Arg(std::strerror(errno)));
}

// A folder only this user can enter, reached without a link, in which the game can make
// its files. An owner-only folder may still be read-only to its owner; access asks with
// the real user, as the owner check does.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0 && access(path.c_str(), W_OK | X_OK) == 0;
}

// The session's runtime folder when it is the user's alone and a socket named
// fileName fits in it, else the user's runtime folder when private; else empty.
std::string RuntimeFolder(std::size_t fileName) {
    const char* session = std::getenv("XDG_RUNTIME_DIR");
    if (session != nullptr && *session != '\0') {
        const std::string folder(session);
        if (folder.front() == '/' && IsPrivateFolder(folder) &&
            folder.size() + 1 + fileName < kSocketPathRoom) {
            return folder;
        }
        LogWarn("SingleInstanceGuard",
                u8"XDG_RUNTIME_DIR (%s) は本人専用でないかパスが長すぎるため使いません\n",
                Utf8Arg(folder));
    }
    const std::string user = "/run/user/" + std::to_string(getuid());
    return IsPrivateFolder(user) ? user : std::string();
}

void AppendHex(std::string& out, std::uint64_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += kHexDigits[value >> shift & 15];
}

// Letters, digits, '-' and '_' as they are; every other byte as %XX.
std::string Encoded(std::string_view name) {
    std::string out;
    for (const unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            AppendHex(out, c, 2);
        }
    }
    return out;
}

// FNV-1a: the same in every build, so that every start finds the same name.
std::string Hashed(std::string_view name) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const unsigned char c : name) hash = (hash ^ c) * 0x100000001b3u;
    std::string out;
    AppendHex(out, hash, 16);
    return out;
}

bool IsFileAt(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool SocketAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

enum class Request { Unanswered, Raised, NotRaised };

// The connection is the request. Never waits on a full queue; waits a while for the
// instance to say that its window came forward.
Request SendRequest(const std::string& path) {
    sockaddr_un address;
    if (!SocketAddress(path, address)) return Request::Unanswered;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return Request::Unanswered;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return Request::Unanswered;
    }
    pollfd answer{.fd = fd, .events = POLLIN, .revents = 0};
    char reply = 0;
    const bool raised =
        poll(&answer, 1, kAnswerWaitMs) == 1 && read(fd, &reply, 1) == 1 && reply == kRaised;
    close(fd);
    return raised ? Request::Raised : Request::NotRaised;
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(std::string name)
    : name_(std::move(name)),
      key_(DisplayKey(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) {}

SingleInstanceGuard::~SingleInstanceGuard() { release(); }

void SingleInstanceGuard::release() {
    if (listenFd_ >= 0) {
        unlink(socketPath().c_str());
        close(listenFd_);
        listenFd_ = -1;
    }
    // Unlinked while still locked: a start that opened it meanwhile sees the name
    // gone once it gets the lock, and tries again.
    if (lockFd_ >= 0) {
        unlink(lockPath().c_str());
        close(lockFd_);
        lockFd_ = -1;
    }
    // Stays while another start still has its files in it.
    if (ownFolder_) rmdir(folder_.c_str());
    folder_.clear();
    ownFolder_ = false;
}

// Holding half the guard would only keep later starts waiting on a socket nobody serves.
SingleInstanceGuard::Result SingleInstanceGuard::startUnchecked() {
    release();
    return Result::First;
}

SingleInstanceGuard::Result SingleInstanceGuard::acquire() {
    const std::string runtime = RuntimeFolder(fileName(".socket").size());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(kAttemptPause);
        if (!chooseFolder(runtime)) {
            // Another user made the folder first; that must not keep the game from starting.
            LogWarn("SingleInstanceGuard",
                    u8"%s を安全に使えないため二重起動を確かめずに起動します\n", Utf8Arg(folder_));
            folder_.clear();
            ownFolder_ = false;
            return Result::First;
        }
        switch (tryLock()) {
            case Attempt::Locked:
                return openSocket() ? Result::First : startUnchecked();
            case Attempt::Raised:
                return Result::Raised;
            case Attempt::NotRaised:
                return Result::NotRaised;
            case Attempt::Failed:
                return startUnchecked();
            case Attempt::Unanswered:
                break;
        }
    }
    // The lock is held but nobody answers: this instance serves the later starts.
    LogWarn("SingleInstanceGuard", u8"先に起動したものが応答しないため、こちらが引き継ぎます\n");
    return openSocket() ? Result::First : startUnchecked();
}

// The private runtime folder when there is one; else the user's own folder in /tmp,
// made owner-only.
bool SingleInstanceGuard::chooseFolder(const std::string& runtime) {
    folder_ = runtime;
    ownFolder_ = runtime.empty();
    if (!ownFolder_) return true;
    folder_ = "/tmp/" + name_ + "-" + std::to_string(getuid());
    mkdir(folder_.c_str(), 0700);
    return IsPrivateFolder(folder_);
}

SingleInstanceGuard::Attempt SingleInstanceGuard::tryLock() {
    const std::string path = lockPath();
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        // The folder went with an instance that just left.
        if (errno == ENOENT) return Attempt::Unanswered;
        WarnUnchecked(path, "open");
        return Attempt::Failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // A lock on a file its leaving holder has unlinked guards nothing.
        if (IsFileAt(fd, path)) {
            lockFd_ = fd;
            return Attempt::Locked;
        }
        close(fd);
        return Attempt::Unanswered;
    }
    const int error = errno;
    close(fd);
    if (error != EWOULDBLOCK) {
        errno = error;
        WarnUnchecked(path, "flock");
        return Attempt::Failed;
    }
    switch (SendRequest(socketPath())) {
        case Request::Raised:
            return Attempt::Raised;
        case Request::NotRaised:
            return Attempt::NotRaised;
        case Request::Unanswered:
            break;
    }
    return Attempt::Unanswered;
}

bool SingleInstanceGuard::openSocket() {
    const std::string path = socketPath();
    sockaddr_un address;
    if (SocketAddress(path, address)) {
        // Whatever a dead or silent holder left there answers nobody.
        unlink(path.c_str());
        listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (listenFd_ >= 0 &&
            bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            listen(listenFd_, 4) == 0) {
            return true;
        }
    }
    WarnUnchecked(path, "listen");
    if (listenFd_ >= 0) close(listenFd_);
    listenFd_ = -1;
    return false;
}

std::string SingleInstanceGuard::DisplayKey(const char* display, const char* waylandDisplay) {
    const auto named = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (!named(display) && !named(waylandDisplay)) return "user";
    const std::string_view name = named(display) ? display : waylandDisplay;
    const std::string kind = named(display) ? "x11" : "wayland";
    const std::string encoded = Encoded(name);
    // '+' never comes out of the encoding, so a hash never passes for a name.
    return encoded.size() <= kLongestDisplay ? kind + "-" + encoded : kind + "+" + Hashed(name);
}

bool SingleInstanceGuard::takeRequests() {
    if (listenFd_ < 0) return false;
    // Asked every pass of the event loop: a look costs far less than an accept that
    // finds nobody, which makes and drops a socket each time.
    pollfd waiting{.fd = listenFd_, .events = POLLIN, .revents = 0};
    if (poll(&waiting, 1, 0) <= 0) return false;
    bool any = false;
    for (;;) {
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return any;
        // A start that stopped waiting is gone; its leaving must not end this process.
        send(fd, &kRaised, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
        close(fd);
        any = true;
    }
}

}  // namespace platform
