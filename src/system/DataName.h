#pragma once

#include <string_view>

// A file name that comes from data (an archive list, a script, a save) may reach the
// file system only when it is 1 to 259 bytes long and holds no '/', no single-byte
// '\' and no "..": it then names a file inside the folder it is joined to.
bool IsDataName(std::string_view name);
