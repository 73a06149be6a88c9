#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mkdemo {

// One story source: its name, its UTF-8 lines and, where every line converts, the
// same lines in CP932.
struct SourceFile {
    std::string name;
    std::vector<std::u8string> lines;
    std::vector<std::string> cp932;
};

// A problem found in a source, reported as "<file>:<line>: <text>".
struct SourceProblem {
    std::string file;
    int line = 0;
    std::string text;
    std::string Format() const { return file + ":" + std::to_string(line) + ": " + text; }
};

// The story sources of a demo folder: the scenario scripts by name and the
// hand-written tail of Init.spt.
struct StorySources {
    static constexpr const char* kInitStory = "init-story.txt";

    std::vector<SourceFile> scenarios;
    SourceFile initStory;

    // Nothing when a file cannot be read; problems then say which.
    static std::optional<StorySources> Load(const std::string& sourceDir,
                                            std::vector<SourceProblem>& problems);
    // Lines of UTF-8 text split at LF; a last LF ends the last line.
    static std::vector<std::u8string> SplitLines(const std::u8string& text);
    // Words of a CP932 line, split at blanks and tabs.
    static std::vector<std::string> Words(const std::string& line);
};

}  // namespace mkdemo
