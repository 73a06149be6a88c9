#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "mkdemo/StorySources.h"

namespace mkdemo {

// What Init.spt registers, and what the archives hold, as the checks need it.
struct StoryRegistry {
    std::set<std::string> textures;
    std::set<std::string> surfaces;
    std::set<std::string> sounds;
    std::set<std::string> variables;
    std::map<std::string, std::pair<int, int>> characters;  // bodies, faces
    std::set<std::string> music;
    std::set<std::string> scripts;

    // The registrations of Init.spt's CP932 lines.
    void Register(const std::vector<std::string>& initLines);
};

// Refuses story sources that the engine could not run or that would fail later in
// the demo: bytes the script reader cannot carry, over-long words and lines, and
// names that nothing registers or holds.
class ScriptChecker {
public:
    static constexpr std::size_t kMaxLineBytes = 510;

    // Converts every line to CP932 into file.cp932, reporting each line that cannot
    // be carried. A scenario must open with a comment line.
    static void Convert(SourceFile& file, bool scenario, std::vector<SourceProblem>& problems);
    // The hand-written Init.spt tail may only register variables and costumes.
    static void CheckInitStory(const SourceFile& file, const StoryRegistry& registry,
                               std::vector<SourceProblem>& problems);
    static void CheckScenario(const SourceFile& file, const StoryRegistry& registry,
                              std::vector<SourceProblem>& problems);
};

}  // namespace mkdemo
