#include "system/AtomicFileWriter.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "system/FileWriteError.h"

namespace {

platform::Files& FileService() { return platform::service<platform::Files>(); }

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath)
    : target_(std::move(targetPath)), temp_(target_ + ".tmp") {
    if (const int error = FileService().createFile(temp_, stream_); error != 0) {
        fail(error);
        return;
    }
    tempCreated_ = true;
}

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

bool AtomicFileWriter::write(std::string_view bytes) {
    if (stream_ == nullptr) return false;
    if (bytes.empty()) return true;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        return fail(StreamError());
    }
    return true;
}

bool AtomicFileWriter::finish() {
    if (stream_ == nullptr) return good() && tempCreated_;
    errno = 0;
    // A write made directly on stream() leaves only the stream's error flag behind.
    if (std::ferror(stream_) != 0) return fail(StreamError());
    // On the disk before the rename, so that a power cut leaves the old file or the new one.
    if (const int error = FileService().syncFile(stream_); error != 0) return fail(error);
    std::FILE* closing = std::exchange(stream_, nullptr);
    if (std::fclose(closing) != 0) return fail(StreamError());
    return true;
}

bool AtomicFileWriter::commit() {
    if (committed_) return true;
    if (!finish()) return false;
    const int renamed = FileService().rename(temp_, target_);
    if (renamed != 0) return fail(renamed);
    committed_ = true;
    tempCreated_ = false;
    FileService().syncFolderOf(target_);
    return true;
}

void AtomicFileWriter::abandon() {
    if (!committed_) closeAndRemove();
}

bool AtomicFileWriter::fail(int errorNumber) {
    if (error_.empty()) error_ = std::strerror(errorNumber);
    closeAndRemove();
    return false;
}

void AtomicFileWriter::closeAndRemove() {
    if (stream_ != nullptr) std::fclose(std::exchange(stream_, nullptr));
    if (std::exchange(tempCreated_, false)) {
        FileService().removeFile(temp_);
    }
}
