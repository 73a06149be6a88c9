#pragma once

#include <string>
#include <string_view>

// dir with exactly one separator after it, a trailing single-byte '\' written as '/'.
// Without a folder the prefix is empty: a name joined to it stays relative, never "/name".
std::string FolderPrefix(std::string_view dir);
