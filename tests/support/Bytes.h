#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zktest {

// Bytes from hex text: "46 49 4C" -> "FIL". Blanks between bytes are optional.
std::string Hex(std::string_view hex);

// UTF-8 test text in the game's code page (CP932); fails the test if it has none.
std::string Sjis(std::u8string_view utf8);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

// Every file below a folder, by path, with its bytes; empty when the folder is missing.
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);

}  // namespace zktest
