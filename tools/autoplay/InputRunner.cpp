#include "autoplay/InputRunner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "autoplay/PngWriter.h"
#include "shell/ShellState.h"

namespace autoplay {

namespace {

namespace fs = std::filesystem;

std::string ShotName(int frame, const std::string& name) {
    if (!name.empty()) return name + ".png";
    char text[32];
    std::snprintf(text, sizeof text, "frame-%06d.png", frame);
    return text;
}

bool Logged(const GameSession& session, const std::string& text) {
    for (const LoggedLine& line : session.log()) {
        if (line.text.find(text) != std::string::npos) return true;
    }
    return false;
}

bool InState(const GameSession& session, const InputEvent& event) {
    return session.mode() == event.mode && (event.step < 0 || session.procStep() == event.step);
}

std::string State(const GameSession& session) {
    return "mode " + std::to_string(session.mode()) + " step " + std::to_string(session.procStep());
}

// Empty when the expectation holds, else what was found instead.
std::string Check(const GameSession& session, const InputEvent& event) {
    switch (event.action) {
        case InputAction::ExpectMode:
            return InState(session, event) ? "" : State(session);
        case InputAction::ExpectLog:
            return Logged(session, event.text) ? "" : "no such line logged";
        case InputAction::ExpectNoLog:
            return Logged(session, event.text) ? "such a line was logged" : "";
        default:
            return {};
    }
}

std::string Failed(int frame, const InputEvent& event, const std::string& found) {
    return "frame " + std::to_string(frame) + ": input line " + std::to_string(event.line) +
           ": expectation failed: " + found;
}

void ApplyInput(GameSession& session, const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events) {
        if (event.action == InputAction::Down) session.input().setKey(event.key, true);
        if (event.action == InputAction::Up) session.input().setKey(event.key, false);
        if (event.action == InputAction::Move) session.setPointer({event.x, event.y});
        if (event.action == InputAction::Menu) session.clickMenu(event.item);
        if (event.action == InputAction::Dialog) session.answerDialog(event.keys);
    }
}

// A dialog line whose frame opened no dialog; null when there is none.
const InputEvent* UnansweredDialog(const GameSession& session,
                                   const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events) {
        if (event.action == InputAction::Dialog && !session.dialogAnswered()) return &event;
    }
    return nullptr;
}

// Mode changes of a frame that ran: what is checked after it, waits included, sees them.
void Enter(GameSession& session, const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events) {
        if (event.action == InputAction::Enter) session.enter(event.mode, event.step);
    }
}

// After frame k: shots, then expectations; the outcome when the run stops here.
std::optional<RunOutcome> AfterFrame(GameSession& session, int frame, bool ended,
                                     const std::vector<InputEvent>& events,
                                     const RunSettings& settings) {
    if (settings.shotEvery > 0 && frame % settings.shotEvery == 0) {
        InputRunner::WriteShot(session, (fs::path(settings.outDir) / ShotName(frame, "")).string());
    }
    const InputEvent* plannedFatal = nullptr;
    bool endHere = false;
    for (const InputEvent& event : events) {
        if (event.action == InputAction::Shot) {
            InputRunner::WriteShot(
                session, (fs::path(settings.outDir) / ShotName(frame, event.text)).string());
        }
        if (const std::string found = Check(session, event); !found.empty()) {
            return RunOutcome{RunOutcome::kExpectationFailed, Failed(frame, event, found)};
        }
        if (event.action == InputAction::ExpectFatal) plannedFatal = &event;
        if (event.action == InputAction::End) endHere = true;
    }
    const std::string at = " in frame " + std::to_string(frame);
    if (ended && plannedFatal != nullptr)
        return RunOutcome{RunOutcome::kDone, "planned fatal end" + at};
    if (ended) return RunOutcome{RunOutcome::kFatal, "fatal game error" + at};
    if (plannedFatal != nullptr) {
        return RunOutcome{RunOutcome::kExpectationFailed,
                          Failed(frame, *plannedFatal, "the game did not end fatally")};
    }
    if (endHere) return RunOutcome{RunOutcome::kDone, "end" + at};
    return std::nullopt;
}

const std::vector<InputEvent>& EventsAt(const InputLeg& leg, int offset) {
    static const std::vector<InputEvent> kNone;
    const auto it = leg.events.find(offset);
    return it == leg.events.end() ? kNone : it->second;
}

int LastOffset(const InputLeg& leg) { return leg.events.empty() ? 0 : leg.events.rbegin()->first; }

// Where the run stands in the script: the leg whose events are due and the frame
// its offsets count from. A leg's wait is watched from the last frame of the leg
// before it on.
class LegCursor {
public:
    LegCursor(GameSession& session, const InputScript& script, const RunSettings& settings)
        : session_(session), script_(script), settings_(settings) {
        scheduleAdvances();
    }

    const std::vector<InputEvent>& eventsOf(int frame) const {
        return EventsAt(leg(), frame - anchor_);
    }

    // After frame: the current leg's events, then those at +0 of each leg whose wait
    // is met here, each leg's mode changes made before the next wait is looked at.
    // timedOut names a wait that ran out of frames.
    std::vector<InputEvent> dueAfter(int frame, std::optional<RunOutcome>& timedOut) {
        std::vector<InputEvent> due = EventsAt(leg(), frame - anchor_);
        Enter(session_, due);
        while (index_ + 1 < script_.legs.size() && frame - anchor_ >= LastOffset(leg())) {
            const InputEvent& wait = script_.legs[index_ + 1].wait;
            if (!InState(session_, wait)) {
                const int waited = frame - anchor_ - LastOffset(leg());
                if (waited >= wait.within) {
                    timedOut = RunOutcome{
                        RunOutcome::kExpectationFailed,
                        Failed(frame, wait,
                               State(session_) + " after " + std::to_string(waited) + " frames")};
                }
                break;
            }
            ++index_;
            anchor_ = frame;
            scheduleAdvances();
            const std::vector<InputEvent>& first = EventsAt(leg(), 0);
            Enter(session_, first);
            due.insert(due.end(), first.begin(), first.end());
        }
        return due;
    }

private:
    const InputLeg& leg() const { return script_.legs[index_]; }

    // Advances of the frames the run reaches. A leg starts once its first frame has
    // run, which is why its input comes later.
    void scheduleAdvances() {
        for (const auto& [offset, events] : leg().events) {
            if (offset > settings_.frames - anchor_) break;
            for (const InputEvent& event : events) {
                if (event.action == InputAction::Advance)
                    session_.scheduleAdvance(anchor_ + offset, event.ms);
            }
        }
    }

    GameSession& session_;
    const InputScript& script_;
    const RunSettings& settings_;
    std::size_t index_ = 0;
    int anchor_ = 0;
};

}  // namespace

// In full screen the shot is what the player sees: the strip over the frame's top
// band while it shows. In a window it is the game area alone.
bool InputRunner::WriteShot(const GameSession& session, const std::string& path) {
    std::vector<std::uint32_t> frame = session.lastFrame();
    frame.resize(static_cast<std::size_t>(GameSession::kWidth * GameSession::kHeight), 0);
    const platform::HeadlessWindowHost& window = session.window();
    if (window.fullScreen() && CurrentShellState().menuBarShown != 0) {
        const std::vector<std::uint32_t> picture = window.picture().surface().toXrgb();
        const auto band =
            static_cast<std::ptrdiff_t>(GameSession::kWidth) * platform::MenuStrip::kHeight;
        std::copy(picture.begin(), picture.begin() + band, frame.begin());
    }
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary);
    out << PngBytes(GameSession::kWidth, GameSession::kHeight, frame);
    return static_cast<bool>(out);
}

RunOutcome InputRunner::Run(GameSession& session, const InputScript& script,
                            const RunSettings& settings) {
    LegCursor cursor(session, script, settings);
    const auto report = [&] {
        if (settings.afterStep) settings.afterStep();
    };
    // A fatal start ends frame 0.
    const bool started = session.start();
    report();
    if (!started) {
        return AfterFrame(session, 0, true, cursor.eventsOf(0), settings).value_or(RunOutcome{});
    }
    for (int frame = 0; frame < settings.frames; ++frame) {
        const std::vector<InputEvent>& input = cursor.eventsOf(frame);
        ApplyInput(session, input);
        const bool ended = !session.runFrame();
        report();
        // A dialog ended by a termination signal quits at the next pass, before its frame.
        if (ended && session.quitPosted() && !session.fatal()) {
            return RunOutcome{RunOutcome::kDone, "quit before frame " + std::to_string(frame)};
        }
        if (const InputEvent* dialog = UnansweredDialog(session, input)) {
            return RunOutcome{RunOutcome::kExpectationFailed,
                              Failed(frame, *dialog, "no dialog opened")};
        }
        std::optional<RunOutcome> timedOut;
        const std::vector<InputEvent> due = cursor.dueAfter(frame, timedOut);
        if (auto outcome = AfterFrame(session, frame, ended, due, settings)) return *outcome;
        if (timedOut) return *timedOut;
        // The player said yes to quitting: the frame that asked was the last.
        if (session.quitPosted())
            return RunOutcome{RunOutcome::kDone, "quit in frame " + std::to_string(frame)};
    }
    return RunOutcome{RunOutcome::kDone, "all " + std::to_string(settings.frames) + " frames ran"};
}

}  // namespace autoplay
