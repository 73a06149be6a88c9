#include "mkdemo/StorySources.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace mkdemo {

namespace {

namespace fs = std::filesystem;

std::optional<SourceFile> ReadSource(const fs::path& path, std::vector<SourceProblem>& problems) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problems.push_back({path.string(), 0, "cannot be read"});
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SourceFile file;
    file.name = path.filename().string();
    file.lines = StorySources::SplitLines(std::u8string(bytes.begin(), bytes.end()));
    return file;
}

}  // namespace

std::vector<std::u8string> StorySources::SplitLines(const std::u8string& text) {
    std::vector<std::u8string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(u8'\n', start);
        if (end == std::u8string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> StorySources::Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::optional<StorySources> StorySources::Load(const std::string& sourceDir,
                                               std::vector<SourceProblem>& problems) {
    const fs::path scenarioDir = fs::path(sourceDir) / "scenario";
    std::error_code failure;
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(scenarioDir, failure)) {
        if (entry.path().extension() == ".spt") paths.push_back(entry.path());
    }
    if (failure) {
        problems.push_back({scenarioDir.string(), 0, "cannot be read: " + failure.message()});
        return std::nullopt;
    }
    std::sort(paths.begin(), paths.end());
    StorySources sources;
    bool complete = true;
    for (const fs::path& path : paths) {
        auto file = ReadSource(path, problems);
        complete = complete && file.has_value();
        if (file) sources.scenarios.push_back(std::move(*file));
    }
    auto initStory = ReadSource(fs::path(sourceDir) / kInitStory, problems);
    if (!complete || !initStory) return std::nullopt;
    sources.initStory = std::move(*initStory);
    return sources;
}

}  // namespace mkdemo
