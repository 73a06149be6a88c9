#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A combined file is a header line, a member list (in the file itself or in a list
// file beside it) and the members' bytes. Its reader reports on the console.

inline constexpr int DIV_FILE_MAX = 4096;

// One member: the byte range [start, end) of the combined file.
struct DIV_FILE_DATA {
    char szFileName[260];  // empty: no row
    std::uint32_t start;
    std::uint32_t end;
};

// The rows of the last list read, ended by the first row with an empty name.
extern DIV_FILE_DATA DivFileData[DIV_FILE_MAX];

// Extracts member name (any letter case) into outDir + name, or every member under
// its listed name when name is null. 1 extracted, 0 not found or the list overflowed,
// -1 read or write error, -2 not a combined file, -3 output not writable.
int FileDiv(const char* combinedPath, const char* outDir, const char* name);

// 1 the list follows the header, 2 the list is in a list file, 0 not a combined
// file, -1 open or read error.
int CheckCombinedHeader(const char* path);

// Fills the member table from a list; 0 read, -1 failure.
int ReadCombinedList(const char* listPath);

// Fills the member table from the list of a combined file, in the file or beside it:
// 0 read, -1 failure, -2 not a combined file.
int ReadListOf(const char* combinedPath);

// The bytes [start, end) of the combined file, or nothing after a console line.
std::optional<std::vector<unsigned char>> ReadCombinedMember(const char* combinedPath,
                                                             std::uint32_t start,
                                                             std::uint32_t end);

void ClearCombinedList();

// Deletes dir + name, or every file (not folder) in dir when name is null.
// Non-zero on success.
int DeleteFilesInDir(const char* dir, const char* name);

// The list file of a combined file whose list lies outside it: the path cut before
// the last "." of its last component, plus ".lst". Nothing when that has no ".".
std::optional<std::string> CombinedListPath(std::string_view combinedPath);
