#pragma once

#include <string_view>

// The engine's own lines for a file it could not write say neither which file nor
// why; this line, logged beside them, says both.
void LogFileWriteError(std::string_view tag, std::string_view path, int error);

// errno after a failed stream call, which does not always set it: EIO then.
int StreamError();
