#include "PlayedGame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/ProcessRunner.h"
#include "platform/video/Letterbox.h"
#include "support/RunTool.h"

extern char** environ;

namespace {

// The test's environment with the guard's folder and the sound driver set.
std::vector<std::string> GameEnvironment(const std::string& runtime) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (!text.starts_with("XDG_RUNTIME_DIR=") && !text.starts_with("SDL_AUDIODRIVER=")) {
            env.push_back(text);
        }
    }
    env.push_back("XDG_RUNTIME_DIR=" + runtime);
    env.push_back("SDL_AUDIODRIVER=dummy");
    return env;
}

pid_t Spawn(const std::string& program, const std::vector<std::string>& env) {
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return platform::RunProcess(argv).exitStatus == 0;
}

}  // namespace

PlayedGame::PlayedGame(bool fullScreen)
    : fullScreen_(fullScreen), display_(XOpenDisplay(nullptr), XCloseDisplay) {
    const std::string runtime = (std::filesystem::current_path() / "runtime").string();
    mkdir(runtime.c_str(), 0700);
    if (display_ != nullptr) pid_ = Spawn(zktest::ToolPath("zkgame"), GameEnvironment(runtime));
    started_ = pid_ > 0;
}

PlayedGame::~PlayedGame() { end(); }

bool PlayedGame::running() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return pid_ > 0;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = -1;
    return false;
}

int PlayedGame::end() {
    if (running()) kill(pid_, SIGTERM);
    if (!await([&] { return !running(); }, std::chrono::seconds(30))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    return status_;
}

bool PlayedGame::await(const std::function<bool()>& seen, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!seen()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::optional<platform::Rect> PlayedGame::window() const {
    ::Window root = DefaultRootWindow(display_.get()), parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_.get(), root, &root, &parent, &children, &count) == 0) return {};
    std::optional<platform::Rect> shown;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes held;
        if (XGetWindowAttributes(display_.get(), children[i], &held) != 0 &&
            held.map_state == IsViewable) {
            shown = platform::Rect{held.x, held.y, held.x + held.width, held.y + held.height};
        }
    }
    if (children != nullptr) XFree(children);
    return shown;
}

platform::Rect PlayedGame::screen() const {
    XWindowAttributes root;
    XGetWindowAttributes(display_.get(), DefaultRootWindow(display_.get()), &root);
    return {0, 0, root.width, root.height};
}

// Client rows start 20 rows above the game area in full screen, at its top in a window.
std::optional<platform::PointerPosition> PlayedGame::screenPoint(int x, int y) const {
    const std::optional<platform::Rect> shown = window();
    if (!shown) return {};
    constexpr int kStrip = platform::Letterbox::kStripRows;
    const platform::Letterbox box(static_cast<int>(shown->width()),
                                  static_cast<int>(shown->height()), 800,
                                  fullScreen_ ? 600 : 600 + kStrip);
    const platform::PointerPosition at = box.clientToWindow({x, fullScreen_ ? y - kStrip : y});
    return platform::PointerPosition{shown->left + at.x, shown->top + at.y};
}

std::optional<std::uint32_t> PlayedGame::gamePixel(int x, int y) const {
    const std::optional<platform::PointerPosition> at = screenPoint(x, y);
    if (!at) return {};
    XImage* image = XGetImage(display_.get(), DefaultRootWindow(display_.get()), at->x, at->y, 1, 1,
                              AllPlanes, ZPixmap);
    if (image == nullptr) return {};
    const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}

bool PlayedGame::pointAt(int x, int y) const {
    const std::optional<platform::PointerPosition> at = screenPoint(x, y);
    return at && Xdotool({"mousemove", std::to_string(at->x), std::to_string(at->y)});
}

bool PlayedGame::click() const {
    if (!Xdotool({"mousedown", "1"})) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return Xdotool({"mouseup", "1"});
}

bool PlayedGame::key(const char* name, bool down) const {
    return Xdotool({down ? "keydown" : "keyup", name});
}
