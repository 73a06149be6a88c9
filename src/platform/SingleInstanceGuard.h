#pragma once

#include <string>

namespace platform {

// One running instance per name. The first holds a lock the kernel drops when
// the process ends (so a crash leaves nothing stale) and listens for later starts,
// which ask it to come forward and then leave.
class SingleInstanceGuard {
public:
    enum class Result { First, Second, Error };

    explicit SingleInstanceGuard(std::string name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the guard, or passes the request to the instance that holds it.
    Result acquire();
    // Serves waiting requests without blocking: true when at least one came.
    bool takeRequests();

private:
    std::string name_;
    int lockFd_ = -1;
    int listenFd_ = -1;
};

}  // namespace platform
