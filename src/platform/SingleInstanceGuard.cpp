#include "platform/SingleInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/Log.h"

namespace platform {

namespace {

std::string LockPath(const std::string& name) {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    const std::string base = folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
    return base + "/" + name + "." + std::to_string(getuid()) + ".lock";
}

// An abstract-namespace address: no file to leave behind.
socklen_t SocketAddress(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::string path = name + "." + std::to_string(getuid());
    const std::size_t length = std::min(path.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, path.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

void Fail(const char* what) {
    LogError("SingleInstanceGuard", u8"%s に失敗しました: %s\n", Utf8Arg(what),
             Utf8Arg(std::strerror(errno)));
}

void SendRequest(const std::string& name) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    sockaddr_un address;
    const socklen_t length = SocketAddress(name, address);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
        const char request = 'R';
        (void)!write(fd, &request, 1);
    }
    close(fd);
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(std::string name) : name_(std::move(name)) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (listenFd_ >= 0) close(listenFd_);
    if (lockFd_ >= 0) close(lockFd_);
}

SingleInstanceGuard::Result SingleInstanceGuard::acquire() {
    lockFd_ = open(LockPath(name_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        Fail("open");
        return Result::Error;
    }
    if (flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            Fail("flock");
            return Result::Error;
        }
        SendRequest(name_);
        return Result::Second;
    }
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un address;
    const socklen_t length = SocketAddress(name_, address);
    if (listenFd_ < 0 || bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listenFd_, 4) != 0) {
        Fail("listen");
        return Result::Error;
    }
    return Result::First;
}

bool SingleInstanceGuard::takeRequests() {
    bool any = false;
    for (;;) {
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return any;
        close(fd);
        any = true;
    }
}

}  // namespace platform
