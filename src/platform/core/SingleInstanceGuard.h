#pragma once

#include <string>

namespace platform {

// One running instance per user, display and name. The lock file and the socket that
// later starts knock on both lie in one private folder (the session's runtime folder
// when it is the user's alone, else the user's runtime folder, else a folder of the
// user's own in /tmp) and are named after the display, so that a game shown on
// another X server or seat does not keep one from starting on this desktop. The first
// holds a lock the kernel drops when the process ends, so a crash leaves nothing that
// blocks; a later start asks it to come forward and leaves, or takes over when nobody
// answers.
class SingleInstanceGuard {
public:
    // First: this start goes on, holding the guard or, when its files cannot be made,
    // without it.
    // Raised: another instance runs and said it brought its window forward.
    // NotRaised: another instance runs but did not say so in time (it has no window
    // yet, or is ending).
    enum class Result { First, Raised, NotRaised };

    explicit SingleInstanceGuard(std::string name);
    // Removes what the guard made, so that nothing of it stays behind.
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the guard, or passes the request to the instance that holds it. When the
    // guard's files cannot be made, says so and answers First, holding nothing.
    Result acquire();
    // Serves waiting requests without blocking, telling each that the window comes
    // forward: true when at least one came. Only the holder of the window calls it.
    bool takeRequests();
    // Where the lock lies, once acquire has chosen the folder.
    std::string lockPath() const { return folder_ + "/" + fileName(".lock"); }

    // The display part of the files' names: DISPLAY, else WAYLAND_DISPLAY, else one
    // for the user. Every byte but letters, digits, '-' and '_' is written as %XX, so
    // that no display name makes a path of it; a long name goes by its hash instead,
    // keeping the socket's path within its limit.
    static std::string DisplayKey(const char* display, const char* waylandDisplay);

private:
    enum class Attempt { Locked, Raised, NotRaised, Unanswered, Failed };

    void release();
    Result startUnchecked();
    bool chooseFolder(const std::string& runtime);
    std::string fileName(const char* ending) const { return name_ + "-" + key_ + ending; }
    std::string socketPath() const { return folder_ + "/" + fileName(".socket"); }
    Attempt tryLock();
    bool openSocket();

    std::string name_;
    std::string key_;
    std::string folder_;
    bool ownFolder_ = false;
    int lockFd_ = -1;
    int listenFd_ = -1;
};

}  // namespace platform
