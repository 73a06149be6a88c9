#include "platform/core/ProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

extern char** environ;

namespace platform {

namespace {

class Pipe {
public:
    Pipe() {
        if (pipe2(fds_.data(), O_CLOEXEC) != 0) fds_ = {-1, -1};
    }
    ~Pipe() {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool ok() const { return fds_[0] >= 0; }
    int readEnd() const { return fds_[0]; }
    int writeEnd() const { return fds_[1]; }
    void closeRead() { closeFd(fds_[0]); }
    void closeWrite() { closeFd(fds_[1]); }

private:
    static void closeFd(int& fd) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
    std::array<int, 2> fds_{-1, -1};
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// Hands the input to the program as fast as its pipe takes it.
class InputFeed {
public:
    InputFeed(Pipe& pipe, const ProcessInput& input) : pipe_(pipe), input_(input) {
        fcntl(pipe_.writeEnd(), F_SETFL, O_NONBLOCK);
    }
    int fd() const { return pipe_.writeEnd(); }
    // Writes what the pipe takes now. At the input's end, or once the program has
    // stopped reading, closes the pipe and gives false.
    bool feed() {
        for (;;) {
            if (at_ == chunk_.size()) {
                chunk_ = input_();
                at_ = 0;
                if (chunk_.empty()) break;
            }
            const ssize_t n = write(pipe_.writeEnd(), chunk_.data() + at_, chunk_.size() - at_);
            if (n > 0) {
                at_ += static_cast<std::size_t>(n);
            } else if (errno == EAGAIN) {
                return true;
            } else if (errno != EINTR) {
                break;
            }
        }
        pipe_.closeWrite();
        return false;
    }

private:
    Pipe& pipe_;
    const ProcessInput& input_;
    std::string chunk_;
    std::size_t at_ = 0;
};

// While a program is fed, a write to it after it stopped reading fails with EPIPE
// rather than ending this program by SIGPIPE; a SIGPIPE raised meanwhile is taken
// back before the signal is unblocked.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipeSignal_);
        sigaddset(&pipeSignal_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal_, &before_);
        pendingBefore_ = Pending();
    }
    ~PipeSignalHeld() {
        if (Pending() && !pendingBefore_) {
            const timespec now{};
            sigtimedwait(&pipeSignal_, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    static bool Pending() {
        sigset_t pending;
        sigpending(&pending);
        return sigismember(&pending, SIGPIPE) == 1;
    }
    sigset_t pipeSignal_{};
    sigset_t before_{};
    bool pendingBefore_ = false;
};

// Reads both pipes until each reaches end of file, so neither can fill up and block
// the child, feeding its input meanwhile when there is one.
void Drain(Pipe& outPipe, Pipe& errPipe, InputFeed* feed, std::string& out, std::string& err) {
    std::array<pollfd, 3> fds{{{outPipe.readEnd(), POLLIN, 0},
                               {errPipe.readEnd(), POLLIN, 0},
                               {feed ? feed->fd() : -1, POLLOUT, 0}}};
    std::array<std::string*, 2> sinks{&out, &err};
    int open = 2;
    while (open > 0) {
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[2].fd >= 0 && fds[2].revents != 0 && !feed->feed()) fds[2].fd = -1;
        for (std::size_t i = 0; i < sinks.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessInput& input) {
    ProcessResult result;
    if (argv.empty()) {
        result.startError = "no program given";
        return result;
    }
    Pipe outPipe, errPipe, inPipe;
    if (!outPipe.ok() || !errPipe.ok() || !inPipe.ok()) {
        result.startError = std::strerror(errno);
        return result;
    }
    SpawnActions actions;
    if (input) {
        posix_spawn_file_actions_adddup2(actions.get(), inPipe.readEnd(), 0);
    } else {
        posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_adddup2(actions.get(), outPipe.writeEnd(), 1);
    posix_spawn_file_actions_adddup2(actions.get(), errPipe.writeEnd(), 2);

    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], actions.get(), nullptr, args.data(), environ);
    outPipe.closeWrite();
    errPipe.closeWrite();
    inPipe.closeRead();
    if (rc != 0) {
        result.startError = std::strerror(rc);
        return result;
    }
    {
        const PipeSignalHeld held;
        std::optional<InputFeed> feed;
        if (input) feed.emplace(inPipe, input);
        Drain(outPipe, errPipe, feed ? &*feed : nullptr, result.out, result.err);
        // A program that closed its output may still wait for the rest of its input.
        inPipe.closeWrite();
    }

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.started = true;
    if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

}  // namespace platform
