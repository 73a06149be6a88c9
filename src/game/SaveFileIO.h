#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class SaveReadResult { Read, Missing, Unreadable };

// Reads a whole save file of at most maxBytes. Missing only when the open fails for
// want of the file; any other failure (a read error, a FIFO, device or folder in the
// file's place, a file beyond the cap) leaves error set and means the file may hold
// progress we cannot see.
SaveReadResult ReadSaveFile(const char* path, std::uint64_t maxBytes, std::string& bytes,
                            int& error);

// Writes the file through a temporary beside it, renamed over it: a failure leaves the
// old file as it was and no temporary, with the reason in error.
bool WriteSaveFile(const char* path, std::string_view bytes, std::string& error);
