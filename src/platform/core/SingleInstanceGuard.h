#pragma once

#include <string>

namespace platform {

// One running instance per user and name. The lock file and the socket that later
// starts knock on both lie in one private folder chosen from the user alone (the
// user's runtime folder, else a folder of the user's own in /tmp), so that every
// start meets them whatever its environment says. The first holds a lock the kernel
// drops when the process ends, so a crash leaves nothing that blocks; a later start
// asks it to come forward and leaves, or takes over when nobody answers.
class SingleInstanceGuard {
public:
    // Raised: another instance runs and said it brought its window forward.
    // NotRaised: another instance runs but did not say so in time (it has no window
    // yet, or is ending).
    enum class Result { First, Raised, NotRaised, Error };

    explicit SingleInstanceGuard(std::string name);
    // Removes what the guard made, so that nothing of it stays behind.
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the guard, or passes the request to the instance that holds it.
    Result acquire();
    // Serves waiting requests without blocking, telling each that the window comes
    // forward: true when at least one came. Only the holder of the window calls it.
    bool takeRequests();

private:
    enum class Attempt { Locked, Raised, NotRaised, Unanswered, Failed };

    bool chooseFolder();
    std::string lockPath() const { return folder_ + "/" + name_ + ".lock"; }
    std::string socketPath() const { return folder_ + "/" + name_ + ".socket"; }
    Attempt tryLock();
    bool openSocket();

    std::string name_;
    std::string folder_;
    bool ownFolder_ = false;
    int lockFd_ = -1;
    int listenFd_ = -1;
};

}  // namespace platform
