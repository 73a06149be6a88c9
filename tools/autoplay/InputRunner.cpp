#include "autoplay/InputRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "autoplay/PngWriter.h"

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

// Empty when the expectation holds, else what was found instead.
std::string Check(const GameSession& session, const InputEvent& event) {
    switch (event.action) {
        case InputAction::ExpectMode:
            if (session.mode() == event.mode &&
                (event.step < 0 || session.procStep() == event.step)) {
                return {};
            }
            return "mode " + std::to_string(session.mode()) + " step " +
                   std::to_string(session.procStep());
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
        if (event.action == InputAction::Move) session.input().setPointer({event.x, event.y});
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

}  // namespace

bool InputRunner::WriteShot(const GameSession& session, const std::string& path) {
    std::vector<std::uint32_t> frame = session.lastFrame();
    frame.resize(static_cast<std::size_t>(GameSession::kWidth * GameSession::kHeight), 0);
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary);
    out << PngBytes(GameSession::kWidth, GameSession::kHeight, frame);
    return static_cast<bool>(out);
}

RunOutcome InputRunner::Run(GameSession& session, const InputScript& script,
                            const RunSettings& settings) {
    static const std::vector<InputEvent> kNone;
    for (const auto& [frame, events] : script.events) {
        for (const InputEvent& event : events) {
            if (event.action == InputAction::Advance) session.scheduleAdvance(frame, event.ms);
        }
    }
    const auto eventsOf = [&](int frame) -> const std::vector<InputEvent>& {
        const auto it = script.events.find(frame);
        return it == script.events.end() ? kNone : it->second;
    };
    const auto report = [&] {
        if (settings.afterStep) settings.afterStep();
    };
    // A fatal start ends frame 0.
    const bool started = session.start();
    report();
    if (!started) {
        return AfterFrame(session, 0, true, eventsOf(0), settings).value_or(RunOutcome{});
    }
    for (int frame = 0; frame < settings.frames; ++frame) {
        ApplyInput(session, eventsOf(frame));
        const bool ended = !session.runFrame();
        report();
        if (auto outcome = AfterFrame(session, frame, ended, eventsOf(frame), settings)) {
            return *outcome;
        }
    }
    return RunOutcome{RunOutcome::kDone, "all " + std::to_string(settings.frames) + " frames ran"};
}

}  // namespace autoplay
