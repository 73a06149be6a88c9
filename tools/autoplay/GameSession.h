#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "autoplay/MenuItem.h"
#include "autoplay/MixCapture.h"
#include "autoplay/SessionLogSink.h"
#include "platform/audio/ManualAudioDevice.h"
#include "platform/core/ManualClock.h"
#include "platform/core/Services.h"
#include "platform/input/ScriptedInput.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/window/HeadlessMessageBox.h"
#include "platform/window/HeadlessWindowHost.h"

class EngineForwarder;
class GAMEMAIN;
class ZKSND;
class ZKSPRITE;
class ZKSYSTEM;

namespace autoplay {

struct SessionOptions {
    // The folder whose dat/ the game reads.
    std::string dataDir;
    // Run in dataDir itself, where saves and settings persist; otherwise in a fresh
    // scratch folder whose dat/ links to dataDir's files.
    bool inPlace = false;
    // Keep the scratch folder afterwards.
    bool keep = false;
    std::uint32_t clockStart = 100000;
    std::uint32_t step = 16;
    // A system save copied to the scratch folder's sav/sav00.sav before the first
    // frame; empty for none. A copy, since the game rewrites it; never in place, where
    // it would replace the folder's own.
    std::string systemSave = {};
};

// The real game on the headless backends in one working folder: the shell's own
// start-up, frames and exit over the session's own engine objects, on a manual
// clock with scripted input. One session at a time per process: it changes the
// working folder and the platform services for its lifetime.
class GameSession {
public:
    explicit GameSession(SessionOptions options);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // False when the folder could not be prepared or the system save not placed there
    // (error says why).
    bool prepared() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Start-up as the window's creation runs it; false on a fatal start.
    bool start();
    // One pass of the shell's loop: the posted messages, the media pump, the frame,
    // then the mix pulled up to the next frame's time. False when the game ended
    // fatally or a quit was posted, where the shell's loop would end.
    bool runFrame();
    // Saves the settings and releases everything, as the program's exit does.
    void release();

    // Changes the mode between frames, as the game's own change does, and puts its
    // procedure at the step; the next frame runs it.
    void enter(std::int32_t mode, std::int32_t step = 0);
    // A press and release on the strip's item, which the next frame's menu loop
    // turns into its request.
    void clickMenu(MenuItem item);
    // An extra clock advance before the given frame.
    void scheduleAdvance(int frame, std::uint32_t ms);
    std::uint32_t timeOfFrame(int frame) const;
    // Types the keys, each pressed and released, into the next modal dialog the shell
    // opens, once it is open: events pushed before it would go to the loop pass.
    void answerDialog(std::vector<int> keys);
    // Whether a dialog opened since the last answerDialog and got its keys.
    bool dialogAnswered() const { return dialogAnswered_; }
    // The shell's loop ends at its next pass, as after a yes to the quit question.
    bool quitPosted() const { return host_.quitPosted(); }

    platform::ScriptedInput& input() { return input_; }
    // The pointer in picture pixels, whatever the window's form: in full screen the
    // client area starts at the picture's top less the strip's rows, as on SDL.
    void setPointer(platform::PointerPosition picture);
    // The warps the game made, in picture pixels, read back by the same rule.
    std::vector<platform::PointerPosition> warps() const;
    const platform::HeadlessWindowHost& window() const { return host_; }
    platform::ManualClock& clock() { return clock_; }
    int framesRun() const { return framesRun_; }
    bool fatal() const { return fatal_; }
    std::int32_t mode() const;
    std::int32_t previousMode() const;
    std::int32_t procStep() const;
    GAMEMAIN& game() { return *game_; }
    ZKSND& sound() { return *snd_; }
    ZKSPRITE& sprite() { return *sprite_; }
    const std::vector<std::uint32_t>& lastFrame() const { return display_.frame(); }
    platform::HeadlessDisplay& display() { return display_; }
    platform::ManualAudioDevice& audio() { return audio_; }
    int presents() const { return display_.presents(); }
    std::vector<LoggedLine> log() const { return log_.lines(); }
    void observeLog(std::function<void(const LoggedLine&)> observer);
    // Message boxes as (caption, text) in UTF-8.
    std::vector<std::pair<std::string, std::string>> boxes() const;
    const std::filesystem::path& folder() const { return folder_; }
    // Keeps the scratch folder after the session, for a run worth looking into.
    void keepFolder() { options_.keep = true; }
    const MixCapture& mix() const { return mix_; }

    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

private:
    bool prepareFolder();
    bool readSystemSave();
    bool placeSystemSave();
    // Client y less picture y: -20 in full screen, 0 in a window.
    int clientShift() const;

    SessionOptions options_;
    std::string error_;
    std::string systemSaveBytes_;
    std::filesystem::path previousDir_;
    std::filesystem::path folder_;
    bool scratch_ = false;

    platform::ManualClock clock_;
    platform::ScriptedInput input_;
    platform::HeadlessDisplay display_;
    platform::HeadlessMessageBox box_;
    platform::ManualAudioDevice audio_;
    SessionLogSink log_;
    platform::HeadlessWindowHost host_;
    platform::ScopedService<platform::Clock> clockScope_{clock_};
    platform::ScopedService<platform::InputSource> inputScope_{input_};
    platform::ScopedService<platform::Display> displayScope_{display_};
    platform::ScopedService<platform::MessageBox> boxScope_{box_};
    platform::ScopedService<platform::AudioDevice> audioScope_{audio_};
    platform::ScopedService<platform::LogSink> logScope_{log_};

    std::unique_ptr<ZKSYSTEM> system_;
    std::unique_ptr<ZKSPRITE> sprite_;
    std::unique_ptr<ZKSND> snd_;
    std::unique_ptr<GAMEMAIN> game_;
    std::unique_ptr<EngineForwarder> engine_;

    std::map<int, std::uint32_t> advances_;
    MixCapture mix_;
    int framesRun_ = 0;
    bool started_ = false;
    bool released_ = false;
    bool fatal_ = false;
    bool dialogAnswered_ = false;
};

}  // namespace autoplay
