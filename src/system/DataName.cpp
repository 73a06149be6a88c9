#include "system/DataName.h"

#include "platform/text/SjisText.h"

bool IsDataName(std::string_view name) {
    if (name.empty() || name.size() > 259) return false;
    if (name.find('/') != std::string_view::npos) return false;
    if (name.find("..") != std::string_view::npos) return false;
    return !platform::SjisContainsByte(name, '\\');
}
