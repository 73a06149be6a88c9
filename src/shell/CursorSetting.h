#pragma once

#include <cstdio>

// The pointer kind of the fourth line of stream: 0 the system arrow, 1 the
// monochrome arrow, 2 the colour arrow; -1 when the line names none of them.
int ReadCursorKind(std::FILE* stream);

// The pointer kind kept in path. A missing or invalid file gives the system arrow
// and is written again with its default lines; one that is there but cannot be
// read gives the arrow and is left as it is.
int LoadCursorSetting(const char* path);
