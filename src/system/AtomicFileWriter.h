#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// Writes a file that must never be seen half-written. The bytes go to
// "<target>.tmp" beside the target (whatever stood there is replaced, never written
// through), which replaces the target only on commit. The file reaches the disk
// before the rename and the folder after it, so that even a power cut leaves the old
// file or the new one. Abandoning, any failure or destruction without a commit
// removes the temporary file and leaves the target as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    const std::string& targetPath() const { return target_; }
    // Where the bytes go until the commit, for a child program that writes the file.
    const std::string& tempPath() const { return temp_; }
    // The stream on the temporary file; null after a failure or once finished.
    std::FILE* stream() const { return stream_; }

    // False once anything has failed; error() then holds the errno text.
    bool good() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    bool write(std::string_view bytes);

    // Checks every write, then puts the bytes on the disk and closes the stream. A caller that
    // publishes several files finishes them all before committing any.
    bool finish();
    // Finishes when still open, then renames the temporary file over the target.
    bool commit();
    void abandon();

private:
    bool fail(int errorNumber);
    void closeAndRemove();

    std::string target_;
    std::string temp_;
    std::FILE* stream_ = nullptr;
    bool tempCreated_ = false;
    bool committed_ = false;
    std::string error_;
};
