#include "game/SaveFileIO.h"

#include <cerrno>
#include <cstdio>

#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "system/AtomicFileWriter.h"

SaveReadResult ReadSaveFile(const char* path, std::uint64_t maxBytes, std::string& bytes,
                            int& error) {
    std::FILE* file = nullptr;
    error = platform::service<platform::Files>().openRegularFile(path, maxBytes, file);
    if (error != 0) return error == ENOENT ? SaveReadResult::Missing : SaveReadResult::Unreadable;
    char buffer[4096];
    std::size_t got = 0;
    errno = 0;
    while (bytes.size() <= maxBytes && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    if (std::ferror(file) != 0) error = errno != 0 ? errno : EIO;
    std::fclose(file);
    // A file that grew past the cap while it was read is refused as one that started so.
    if (error == 0 && bytes.size() > maxBytes) error = EFBIG;
    return error != 0 ? SaveReadResult::Unreadable : SaveReadResult::Read;
}

bool WriteSaveFile(const char* path, std::string_view bytes, std::string& error) {
    AtomicFileWriter writer(path);
    writer.write(bytes);
    if (writer.commit()) return true;
    error = writer.error();
    return false;
}
