#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zktools {

// One member of a combined file: its name in the list and its bytes, held in memory
// or read from sourcePath while the archive is written.
struct CombinedMember {
    std::string name;
    std::uint64_t size = 0;
    std::string bytes;
    std::string sourcePath;
};

CombinedMember MemberFromBytes(std::string name, std::string bytes);

// The member held by a file, named after the file's last path component. Nothing,
// with the reason in error, when the file cannot be read.
std::optional<CombinedMember> MemberFromFile(const std::string& path, std::string& error);

enum class ListPlace {
    InArchive,   // the list follows the header
    InListFile,  // the list lies in the archive's .lst file
};

// Writes a combined file whose members lie back to back in the given order. Names,
// count and offsets are checked before anything is written, and the files appear
// only once all of them are complete. False, with the reason in error, when the
// archive was not written; an existing archive is then left as it was.
bool WriteCombinedFile(const std::string& archivePath, const std::vector<CombinedMember>& members,
                       ListPlace place, std::string& error);

}  // namespace zktools
