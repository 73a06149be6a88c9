#pragma once

#include <string_view>

// The engine's own lines for a file it could not write, or a folder it could not
// make, say neither which one nor why; these lines, logged beside them, say both.
void LogFileWriteError(std::string_view tag, std::string_view path, int error);
void LogFolderMakeError(std::string_view tag, std::string_view path, int error);

// errno after a failed stream call, which does not always set it: EIO then.
int StreamError();
