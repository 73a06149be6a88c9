#include "system/FolderPath.h"

#include "platform/text/SjisText.h"

std::string FolderPrefix(std::string_view dir) {
    if (dir.empty()) return {};
    std::string prefix(dir);
    // A 0x5C that ends a two-byte character is part of it, not a separator.
    const bool lastIsOwnChar = platform::SjisTruncatedLength(dir, dir.size() - 1) == dir.size() - 1;
    if (prefix.back() == '\\' && lastIsOwnChar) {
        prefix.back() = '/';
    } else if (prefix.back() != '/') {
        prefix += '/';
    }
    return prefix;
}
