#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "mkdemo/StorySources.h"

namespace mkdemo {

// Orders names as the engine compares them: single-byte A-Z equal to a-z, two-byte
// Shift-JIS characters byte for byte.
struct SjisNoCaseLess {
    bool operator()(std::string_view a, std::string_view b) const;
};
using NameSet = std::set<std::string, SjisNoCaseLess>;

// What Init.spt registers, and what the archives hold, as the checks need it.
struct StoryRegistry {
    NameSet textures;
    NameSet surfaces;
    NameSet sounds;
    NameSet variables;
    std::map<std::string, std::pair<int, int>, SjisNoCaseLess> characters;  // bodies, faces
    NameSet music;
    NameSet scripts;

    // The registrations of Init.spt's CP932 lines.
    void Register(const std::vector<std::string>& initLines);
};

// Refuses story sources that the engine could not run or that would fail later in
// the demo: bytes the script reader cannot carry, over-long words and lines, names
// that nothing registers or holds, and #GoTo and #Jump targets that are not there.
class ScriptChecker {
public:
    static constexpr std::size_t kMaxLineBytes = 510;

    // The recollection scene that #FlgONVar <heroine> <scene> REPLAY unlocks.
    static std::string SceneScript(std::string_view heroine, int scene);

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
