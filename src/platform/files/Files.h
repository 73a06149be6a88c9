#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class FolderWalk;

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// The file-system calls the engine makes. Each returns 0 on success or the errno
// value of the failure, since the engine decides by error number (ENOENT, EACCES,
// EEXIST, EINVAL).
//
// A relative path lies in the player's folder, which is not trusted: whatever a call
// deletes, creates, renames or lists there is reached without following a link, so
// nothing outside the folder is touched through one. An absolute path is the
// caller's own choice and is followed as it stands, up to its last name.
class Files {
public:
    virtual ~Files() = default;
    virtual int removeFile(const std::string& path) = 0;
    // Entries without "." and ".."; symbolic links are reported as files, never followed.
    virtual int listFolder(const std::string& path, std::vector<FolderEntry>& entries) = 0;
    // A walk of the tree below the folder at path, standing in that folder.
    virtual int walkFolder(const std::string& path, std::unique_ptr<FolderWalk>& walk) = 0;
    virtual int removeFolder(const std::string& path) = 0;
    virtual int makeFolder(const std::string& path) = 0;
    virtual int setHidden(const std::string& path) = 0;
    // Replaces an existing target.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual bool exists(const std::string& path) = 0;
    // True when path names a regular file, following links: a folder, a device or a
    // link to a folder is not one.
    virtual bool isRegularFile(const std::string& path) = 0;

    // A file to write ("wb"). In the player's folder it is a new file: a link,
    // special file or other file standing at path is replaced, never written
    // through. An absolute path is opened as it stands (a caller may name a device).
    virtual int createFile(const std::string& path, std::FILE*& stream) = 0;
    // A file to read ("rb"), opened only when it is a regular file of at most
    // maxBytes (links to one are fine). Anything else is refused at once, before a
    // byte is read: EISDIR, ENOTSUP for a FIFO or device, EFBIG when too large.
    virtual int openRegularFile(const std::string& path, std::uint64_t maxBytes,
                                std::FILE*& stream) = 0;
    // Puts the bytes written to stream on the disk; the stream stays open.
    virtual int syncFile(std::FILE* stream) = 0;
    // Puts the folder holding path on the disk, so that a rename there outlives a
    // power cut. Best effort: some file systems cannot flush a folder.
    virtual void syncFolderOf(const std::string& path) = 0;
};

}  // namespace platform
