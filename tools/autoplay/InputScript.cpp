#include "autoplay/InputScript.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace autoplay {

namespace {

std::vector<std::string> Split(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.emplace_back(line.substr(start, i - start));
    }
    return words;
}

// A whole decimal word within [low, high].
std::optional<long long> Number(const std::string& word, long long low, long long high) {
    long long value = 0;
    const auto [end, problem] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (problem != std::errc() || end != word.data() + word.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

constexpr long long kMaxInt = std::numeric_limits<int>::max();
constexpr long long kMaxMs = std::numeric_limits<std::uint32_t>::max();

struct LineParser {
    const std::vector<std::string>& w;
    int line;
    std::string problem;

    // Word i as a number, past its first skip characters.
    long long number(std::size_t i, long long low, long long high, const char* what,
                     std::size_t skip = 0) {
        if (i >= w.size()) {
            fail(std::string("missing ") + what);
            return low;
        }
        const auto value = Number(w[i].substr(std::min(skip, w[i].size())), low, high);
        if (!value) fail(std::string("not a valid ") + what + ": " + w[i]);
        return value.value_or(low);
    }
    int key(std::size_t i) {
        const int code = i < w.size() ? InputScript::KeyCode(w[i]) : 0;
        if (code == 0) fail(i < w.size() ? "unknown key " + w[i] : "missing key");
        return code;
    }
    void words(std::size_t low, std::size_t high) {
        if (w.size() < low || w.size() > high) fail("wrong number of words");
    }
    void fail(const std::string& text) {
        if (problem.empty()) problem = text;
    }
};

// The rest of a line after its first n words, as written.
std::string Rest(std::string_view line, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t word = 0; word < n; ++word) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string rest(line.substr(i));
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' ')) rest.pop_back();
    return rest;
}

// "<m> [step <s>]" from word i to the end of the line; the step stays as it was
// when the line names none.
void ParseModeStep(LineParser& p, std::size_t i, InputEvent& event, const char* expected) {
    event.mode = static_cast<int>(p.number(i, 0, 255, "mode"));
    if (p.w.size() > i + 1) {
        if (p.w[i + 1] != "step" || p.w.size() != i + 3) p.fail(expected);
        event.step = static_cast<int>(p.number(i + 2, 0, kMaxInt, "step"));
    }
}

void ParseExpect(LineParser& p, std::string_view raw, InputEvent& event) {
    const std::string kind = p.w.size() > 3 ? p.w[3] : "";
    if (kind == "mode") {
        event.action = InputAction::ExpectMode;
        ParseModeStep(p, 4, event, "expected: expect mode <m> [step <s>]");
    } else if (kind == "log" || kind == "nolog") {
        event.action = kind == "log" ? InputAction::ExpectLog : InputAction::ExpectNoLog;
        event.text = Rest(raw, 4);
        if (event.text.empty()) p.fail("missing log text");
    } else if (kind == "fatal") {
        event.action = InputAction::ExpectFatal;
        p.words(4, 4);
    } else {
        p.fail("unknown expectation " + kind);
    }
}

void ParseMenu(LineParser& p, InputEvent& event) {
    static const std::map<std::string, MenuItem> items = {
        {"save", MenuItem::Save}, {"load", MenuItem::Load}, {"settings", MenuItem::Settings}};
    // A wrong word count is reported first, so the last word is the item whenever
    // the line stands.
    p.words(4, 4);
    event.action = InputAction::Menu;
    const auto it = items.find(p.w.back());
    if (it == items.end()) return p.fail("unknown menu item " + p.w.back());
    event.item = it->second;
}

// "dialog <key> [<key> ...]": at least one key.
void ParseDialog(LineParser& p, InputEvent& event) {
    event.action = InputAction::Dialog;
    if (p.w.size() < 4) return p.fail("expected: dialog <key> [<key> ...]");
    for (std::size_t i = 3; i < p.w.size(); ++i) event.keys.push_back(p.key(i));
}

bool IsInput(InputAction action) {
    return action == InputAction::Down || action == InputAction::Up ||
           action == InputAction::Move || action == InputAction::Advance ||
           action == InputAction::Menu || action == InputAction::Dialog;
}

// One "at <frame> ..." or "at +<frame> ..." line; events go into the last leg.
void ParseAt(LineParser& p, std::string_view raw, InputScript& script) {
    const bool relative = p.w.size() > 1 && p.w[1].starts_with('+');
    const int frame = static_cast<int>(p.number(1, 0, kMaxInt - 1, "frame", relative ? 1 : 0));
    if (relative != (script.legs.size() > 1)) {
        return p.fail(relative ? "at +<k> counts from a wait, and none comes before it"
                               : "after a wait, frames count from it: at +<k>");
    }
    if (p.w.size() < 3) return p.fail("missing action");
    const std::string& action = p.w[2];
    InputEvent event;
    event.line = p.line;
    std::vector<std::pair<int, InputEvent>> out;
    if (action == "down" || action == "up" || action == "press") {
        p.words(4, 4);
        event.key = p.key(3);
        event.action = action == "up" ? InputAction::Up : InputAction::Down;
        out.emplace_back(frame, event);
        if (action == "press") {
            event.action = InputAction::Up;
            out.emplace_back(frame + 1, event);
        }
    } else if (action == "click") {
        if (p.w.size() != 3 && p.w.size() != 5) p.fail("expected: click [<x> <y>]");
        if (p.w.size() == 5) {
            event.action = InputAction::Move;
            event.x = static_cast<int>(p.number(3, -kMaxInt, kMaxInt, "x"));
            event.y = static_cast<int>(p.number(4, -kMaxInt, kMaxInt, "y"));
            out.emplace_back(frame, event);
        }
        event.key = InputScript::KeyCode("LBUTTON");
        event.action = InputAction::Down;
        out.emplace_back(frame, event);
        event.action = InputAction::Up;
        out.emplace_back(frame + 1, event);
    } else if (action == "move") {
        p.words(5, 5);
        event.action = InputAction::Move;
        event.x = static_cast<int>(p.number(3, -kMaxInt, kMaxInt, "x"));
        event.y = static_cast<int>(p.number(4, -kMaxInt, kMaxInt, "y"));
        out.emplace_back(frame, event);
    } else if (action == "advance") {
        p.words(4, 4);
        event.action = InputAction::Advance;
        event.ms = static_cast<std::uint32_t>(p.number(3, 0, kMaxMs, "advance"));
        out.emplace_back(frame, event);
    } else if (action == "shot") {
        p.words(3, 4);
        event.action = InputAction::Shot;
        event.text = p.w.size() == 4 ? p.w[3] : "";
        if (event.text.find('/') != std::string::npos) p.fail("a shot name is a file name");
        out.emplace_back(frame, event);
    } else if (action == "expect") {
        ParseExpect(p, raw, event);
        out.emplace_back(frame, event);
    } else if (action == "enter") {
        event.action = InputAction::Enter;
        event.step = 0;
        ParseModeStep(p, 3, event, "expected: enter <m> [step <s>]");
        out.emplace_back(frame, event);
    } else if (action == "menu") {
        ParseMenu(p, event);
        out.emplace_back(frame, event);
    } else if (action == "dialog") {
        ParseDialog(p, event);
        out.emplace_back(frame, event);
    } else if (action == "end") {
        p.words(3, 3);
        event.action = InputAction::End;
        out.emplace_back(frame, event);
    } else {
        return p.fail("unknown action " + action);
    }
    for (const auto& [at, e] : out) {
        if (relative && at == 0 && IsInput(e.action)) {
            p.fail("input at +0 comes too late: a wait is met after its frame has run");
        }
    }
    if (!p.problem.empty()) return;
    for (auto& [at, e] : out) script.legs.back().events[at].push_back(std::move(e));
}

// One "wait mode <m> step <s> within <n>" line: it starts a new leg.
void ParseWait(LineParser& p, InputScript& script) {
    if (p.w.size() != 7 || p.w[1] != "mode" || p.w[3] != "step" || p.w[5] != "within") {
        return p.fail("expected: wait mode <m> step <s> within <n>");
    }
    InputEvent wait;
    wait.action = InputAction::WaitMode;
    wait.line = p.line;
    wait.mode = static_cast<int>(p.number(2, 0, 255, "mode"));
    wait.step = static_cast<int>(p.number(4, 0, kMaxInt, "step"));
    wait.within = static_cast<int>(p.number(6, 0, kMaxInt, "frame count"));
    if (p.problem.empty()) script.legs.push_back({wait, {}});
}

}  // namespace

int InputScript::KeyCode(const std::string& word) {
    static const std::map<std::string, int> names = {
        {"LBUTTON", 1},  {"RBUTTON", 2}, {"RETURN", 13}, {"SHIFT", 16},
        {"CONTROL", 17}, {"ESCAPE", 27}, {"SPACE", 32},  {"LEFT", 37},
        {"UP", 38},      {"RIGHT", 39},  {"DOWN", 40}};
    if (const auto it = names.find(word); it != names.end()) return it->second;
    // A single letter or digit names its own key; longer numbers are codes.
    if (word.size() == 1 &&
        ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= '0' && word[0] <= '9'))) {
        return word[0];
    }
    return static_cast<int>(Number(word, 1, 255).value_or(0));
}

std::optional<InputScript> InputScript::Parse(std::string_view text, std::string& error) {
    InputScript script;
    int line = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++line;
        const std::vector<std::string> words = Split(raw);
        if (words.empty() || words[0][0] == '#') continue;
        LineParser p{words, line, {}};
        if (words[0] == "clock" || words[0] == "step" || words[0] == "frames") {
            p.words(2, 2);
            if (words[0] == "clock")
                script.clockStart = static_cast<std::uint32_t>(p.number(1, 0, kMaxMs, "clock"));
            if (words[0] == "step")
                script.step = static_cast<std::uint32_t>(p.number(1, 1, 1000, "step"));
            if (words[0] == "frames")
                script.frames = static_cast<int>(p.number(1, 1, kMaxInt, "frame count"));
        } else if (words[0] == "at") {
            ParseAt(p, raw, script);
        } else if (words[0] == "wait") {
            ParseWait(p, script);
        } else {
            p.fail("unknown command " + words[0]);
        }
        if (!p.problem.empty()) {
            error = "input:" + std::to_string(line) + ": " + p.problem;
            return std::nullopt;
        }
    }
    return script;
}

}  // namespace autoplay
