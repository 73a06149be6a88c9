// autoplay [options] [FOLDER]: runs the game headless over FOLDER's dat/ frame by
// frame with scripted input; see Usage for the options.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "autoplay/GameSession.h"
#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBadCommandLine = 2;

constexpr const char* kUsage =
    "usage: autoplay [--frames N] [--input FILE] [--out DIR] [--shot-every K]\n"
    "                [--audio FILE.wav] [--clock MS] [--system-save FILE]\n"
    "                [--in-place] [--keep] [--quiet] [FOLDER]\n"
    "       autoplay --help\n"
    "The input script's lines are described in demo/README.md.\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "autoplay: %s\n%s", problem.c_str(), kUsage);
    return kBadCommandLine;
}

struct Options {
    std::optional<int> frames;
    std::string input;
    std::string outDir = "autoplay-out";
    int shotEvery = 0;
    std::string audio;
    std::string systemSave;
    std::optional<std::uint32_t> clock;
    bool inPlace = false;
    bool keep = false;
    bool quiet = false;
    bool help = false;
    std::string folder = ".";
};

std::optional<long long> Whole(const std::string& text, long long low, long long high) {
    try {
        std::size_t used = 0;
        const long long value = std::stoll(text, &used);
        if (used == text.size() && value >= low && value <= high) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// Fills options from argv; an error text when the command line is wrong.
std::string ParseArgs(const std::vector<std::string>& args, Options& o) {
    bool folderSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : "";
        const auto number = [&](long long low, long long high) {
            return hasValue ? Whole(value, low, high) : std::nullopt;
        };
        if (arg == "--in-place")
            o.inPlace = true;
        else if (arg == "--keep")
            o.keep = true;
        else if (arg == "--quiet")
            o.quiet = true;
        else if (arg == "--help")
            o.help = true;
        else if (arg == "--input" || arg == "--out" || arg == "--audio" || arg == "--system-save") {
            if (!hasValue) return arg + " needs a value";
            (arg == "--input"   ? o.input
             : arg == "--out"   ? o.outDir
             : arg == "--audio" ? o.audio
                                : o.systemSave) = value;
            ++i;
        } else if (arg == "--frames" || arg == "--shot-every" || arg == "--clock") {
            const auto n =
                number(arg == "--clock" ? 0 : 1, arg == "--clock" ? 4294967295LL : 1000000000LL);
            if (!n) return arg + " needs a number";
            if (arg == "--frames") o.frames = static_cast<int>(*n);
            if (arg == "--shot-every") o.shotEvery = static_cast<int>(*n);
            if (arg == "--clock") o.clock = static_cast<std::uint32_t>(*n);
            ++i;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (folderSeen) {
            return "more than one FOLDER";
        } else {
            o.folder = arg;
            folderSeen = true;
        }
    }
    return {};
}

std::string Absolute(const std::string& path) {
    return path.empty() ? path : fs::absolute(path).string();
}

std::string Tag(const std::string& when) {
    if (when == "start" || when == "release") return "[" + when + "] ";
    char text[32];
    std::snprintf(text, sizeof text, "[f%06d] ", std::stoi(when));
    return text;
}

bool Starts(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const std::string problem = ParseArgs({argv + 1, argv + argc}, o); !problem.empty()) {
        return Usage(problem);
    }
    if (o.help) {
        std::printf("%s", kUsage);
        return 0;
    }
    autoplay::InputScript script;
    if (!o.input.empty()) {
        std::ifstream in(o.input, std::ios::binary);
        if (!in) return Usage("cannot read " + o.input);
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        std::string error;
        auto parsed = autoplay::InputScript::Parse(text, error);
        if (!parsed) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return kBadCommandLine;
        }
        script = std::move(*parsed);
    }
    if (o.clock) script.clockStart = *o.clock;
    autoplay::RunSettings settings{
        o.frames.value_or(script.frames.value_or(600)), Absolute(o.outDir), o.shotEvery, {}};
    const std::string audioPath = Absolute(o.audio);

    autoplay::GameSession session({Absolute(o.folder), o.inPlace, o.keep, script.clockStart,
                                   script.step, Absolute(o.systemSave)});
    if (!session.prepared()) return Usage(session.error());
    const bool quiet = o.quiet;
    session.observeLog([quiet](const autoplay::LoggedLine& line) {
        if (line.channel == platform::LogChannel::Console) {
            std::printf("%s\n", line.text.c_str());
        } else if (!quiet || Starts(line.text, "Error:")) {
            std::fprintf(stderr, "%s%s\n", Tag(line.when).c_str(), line.text.c_str());
        }
    });
    std::size_t boxesShown = 0;
    const auto showBoxes = [&] {
        const auto boxes = session.boxes();
        for (; boxesShown < boxes.size(); ++boxesShown) {
            const auto& [caption, text] = boxes[boxesShown];
            std::fprintf(stderr, "[box] %s: %s\n", caption.c_str(), text.c_str());
        }
    };
    settings.afterStep = showBoxes;
    const autoplay::RunOutcome outcome = autoplay::InputRunner::Run(session, script, settings);
    // The release leaves the game in another state than the last frame played.
    const int lastMode = session.mode();
    const int lastStep = session.procStep();
    session.release();
    showBoxes();
    if (!session.prepared()) std::fprintf(stderr, "autoplay: %s\n", session.error().c_str());
    if (!audioPath.empty() && !session.mix().writeWav(audioPath)) {
        std::fprintf(stderr, "autoplay: cannot write %s\n", audioPath.c_str());
    }
    int errors = 0;
    int warnings = 0;
    for (const autoplay::LoggedLine& line : session.log()) {
        errors += Starts(line.text, "Error:") ? 1 : 0;
        warnings += Starts(line.text, "Warn:") ? 1 : 0;
    }
    if (o.keep && !o.inPlace) std::printf("autoplay: kept %s\n", session.folder().c_str());
    std::printf("autoplay: %d frames, mode %d step %d, %d Error, %d Warn: %s\n",
                session.framesRun(), lastMode, lastStep, errors, warnings, outcome.reason.c_str());
    return outcome.exitCode;
}
