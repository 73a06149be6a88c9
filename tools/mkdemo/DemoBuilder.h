#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/CombinedFileWriter.h"
#include "mkdemo/StorySources.h"

namespace mkdemo {

// One archive of dat/ with its members in archive order.
struct DemoArchive {
    std::string name;
    std::vector<zktools::CombinedMember> members;
    std::uint64_t Bytes() const;
};

// Makes the five archives of the demo in memory and writes them into a folder.
class DemoBuilder {
public:
    static constexpr int kMusicTracks = 19;
    static constexpr const char* kMovieName = "Mov.vid";

    // Nothing when a source is refused; problems say where and why.
    static std::optional<std::vector<DemoArchive>> Build(const std::string& sourceDir,
                                                         std::vector<SourceProblem>& problems);
    // Writes OUTDIR/dat/<archive> for every archive, the movie and the demo's system
    // save, all or none: the files replace the old ones only once every one of them is
    // complete.
    static bool Write(const std::string& outDir, const std::vector<DemoArchive>& archives,
                      std::string& error);
    static std::string MusicName(int track);
};

}  // namespace mkdemo
