#include "autoplay/GameSession.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>

#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "game/SaveFileIO.h"
#include "graphics/ZKSPRITE.h"
#include "platform/media/MediaPump.h"
#include "platform/text/Cp932.h"
#include "shell/EnvData.h"
#include "shell/Shell.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

namespace autoplay {

namespace {

namespace fs = std::filesystem;

fs::path FreshScratchFolder() {
    std::random_device random;
    for (;;) {
        const fs::path path = fs::temp_directory_path() / ("autoplay-" + std::to_string(random()));
        if (fs::create_directory(path)) return path;
    }
}

}  // namespace

GameSession::GameSession(SessionOptions options)
    : options_(std::move(options)), clock_(options_.clockStart) {
    // On the manual clock a graph must not run ahead of its decoder.
    platform::MediaPump::instance().deterministic = true;
    std::error_code failure;
    previousDir_ = fs::current_path(failure);
    if (!prepareFolder()) return;
    fs::current_path(folder_, failure);
    if (failure) error_ = "cannot enter " + folder_.string() + ": " + failure.message();
}

GameSession::~GameSession() {
    release();
    platform::MediaPump::instance().deterministic = false;
    std::error_code ignored;
    fs::current_path(previousDir_, ignored);
    // The links go, never what they point to.
    if (scratch_ && !options_.keep) fs::remove_all(folder_, ignored);
}

bool GameSession::prepareFolder() {
    std::error_code failure;
    const fs::path data = fs::absolute(options_.dataDir.empty() ? "." : options_.dataDir, failure);
    if (!fs::is_directory(data / "dat", failure)) {
        error_ = "no dat/ folder in " + data.string();
        return false;
    }
    if (options_.inPlace && !options_.systemSave.empty()) {
        error_ = "a system save is never copied in place: it would replace " +
                 (data / "sav" / "sav00.sav").string();
        return false;
    }
    if (options_.inPlace) {
        folder_ = data;
        return true;
    }
    folder_ = FreshScratchFolder();
    scratch_ = true;
    fs::create_directory(folder_ / "dat", failure);
    for (const auto& entry : fs::directory_iterator(data / "dat", failure)) {
        fs::create_symlink(entry.path(), folder_ / "dat" / entry.path().filename(), failure);
        if (failure) break;
    }
    if (failure) {
        error_ = "cannot link the data into " + folder_.string() + ": " + failure.message();
        return false;
    }
    return options_.systemSave.empty() || readSystemSave();
}

bool GameSession::readSystemSave() {
    // No bigger than the game itself reads; a FIFO, device or folder is refused at once.
    constexpr std::uint64_t kMaxSaveBytes = 1024 * 1024;
    int error = 0;
    if (ReadSaveFile(options_.systemSave.c_str(), kMaxSaveBytes, systemSaveBytes_, error) !=
        SaveReadResult::Read) {
        error_ = "cannot read the system save " + options_.systemSave + ": " + std::strerror(error);
        return false;
    }
    return true;
}

// After the game's start-up has made sav/ (it logs an error for a folder that is
// already there) and before its first frame reads the save.
bool GameSession::placeSystemSave() {
    std::ofstream out(folder_ / "sav" / "sav00.sav", std::ios::binary);
    out << systemSaveBytes_;
    out.close();
    if (!out) error_ = "cannot write the system save into " + (folder_ / "sav").string();
    return static_cast<bool>(out);
}

bool GameSession::start() {
    if (started_ || !prepared()) return false;
    started_ = true;
    system_ = std::make_unique<ZKSYSTEM>();
    sprite_ = std::make_unique<ZKSPRITE>();
    snd_ = std::make_unique<ZKSND>();
    game_ = std::make_unique<GAMEMAIN>();
    engine_ =
        std::make_unique<EngineForwarder>(*system_, *sprite_, *snd_, *game_, CurrentShellState());
    log_.setWhen("start");
    ShellState& s = BeginShellState();
    s.engine = engine_.get();
    s.host = &host_;
    BuildShellMenu(host_.menu());
    s.hMenu = &host_.menu();
    s.windowStyle = kWindowStyle;
    s.hWnd = host_.create(WndProc);
    fatal_ = s.hWnd == nullptr || s.failed != 0;
    if (!fatal_ && !options_.systemSave.empty()) fatal_ = !placeSystemSave();
    // The game seeds its generator from the time at start-up; a run repeats exactly.
    std::srand(1);
    return !fatal_;
}

std::uint32_t GameSession::timeOfFrame(int frame) const {
    std::uint32_t time = options_.clockStart + options_.step * static_cast<std::uint32_t>(frame);
    for (auto it = advances_.begin(); it != advances_.end() && it->first <= frame; ++it) {
        time += it->second;
    }
    return time;
}

void GameSession::scheduleAdvance(int frame, std::uint32_t ms) { advances_[frame] += ms; }

bool GameSession::runFrame() {
    if (!started_ || fatal_ || released_) return false;
    const int frame = framesRun_++;
    log_.setWhen(std::to_string(frame));
    // The shell's frame wait sleeps on the clock; the session still fixes each
    // frame's time, so that frames stay evenly spaced whatever the wait did.
    clock_.set(timeOfFrame(frame));
    if (!BeginLoopPass(host_)) return false;
    const bool ok = AppMain() != 0;
    ClearMenuRequests();
    fatal_ = !ok;
    const std::uint64_t elapsed = timeOfFrame(frame + 1) - options_.clockStart;
    mix_.pullTo(audio_, static_cast<std::size_t>(elapsed * 441 / 10));
    return ok;
}

void GameSession::release() {
    if (!started_ || released_) return;
    released_ = true;
    log_.setWhen("release");
    ShellState& s = CurrentShellState();
    if (s.libraryInitialised == 1) {
        SaveEnvData(*engine_, "env.env");
        LibraryRelease();
        s.libraryInitialised = 0;
    }
}

void GameSession::enter(std::int32_t mode, std::int32_t step) {
    if (!game_) return;
    game_->ChangeMode(mode);
    game_->nProcStep = step;
}

void GameSession::answerDialog(std::vector<int> keys) {
    dialogAnswered_ = false;
    host_.onRefresh = [this, keys = std::move(keys)] {
        if (dialogAnswered_ || host_.openDialog() == nullptr) return;
        dialogAnswered_ = true;
        for (const int key : keys) host_.pushKey(key);
    };
}

void GameSession::clickMenu(MenuItem item) {
    static constexpr int kCommands[] = {IDM_SAVE, IDM_LOAD, IDM_CONFIG};
    const int command = kCommands[static_cast<int>(item)];
    for (const platform::MenuStrip::Item& shown : host_.menu().items()) {
        if (shown.id != command) continue;
        host_.pushClick((shown.bounds.left + shown.bounds.right) / 2,
                        (shown.bounds.top + shown.bounds.bottom) / 2);
    }
}

std::int32_t GameSession::mode() const { return game_ ? game_->GetMode() : -1; }
std::int32_t GameSession::previousMode() const { return game_ ? game_->nOldMode : -1; }
std::int32_t GameSession::procStep() const { return game_ ? game_->GetProcStep() : -1; }

void GameSession::observeLog(std::function<void(const LoggedLine&)> observer) {
    log_.setObserver(std::move(observer));
}

std::vector<std::pair<std::string, std::string>> GameSession::boxes() const {
    std::vector<std::pair<std::string, std::string>> shown;
    for (const auto& box : box_.shown()) {
        shown.emplace_back(platform::cp932ToUtf8(box.caption), platform::cp932ToUtf8(box.text));
    }
    return shown;
}

int GameSession::clientShift() const {
    return host_.fullScreen() ? -platform::MenuStrip::kHeight : 0;
}

void GameSession::setPointer(platform::PointerPosition picture) {
    input_.setPointer({picture.x, picture.y + clientShift()});
}

std::vector<platform::PointerPosition> GameSession::warps() const {
    std::vector<platform::PointerPosition> pictures;
    for (const platform::PointerPosition& client : input_.warps()) {
        pictures.push_back({client.x, client.y - clientShift()});
    }
    return pictures;
}

}  // namespace autoplay
