#include "common/CombinedFileWriter.h"

#include <filesystem>
#include <fstream>
#include <unordered_set>
#include <utility>

#include "platform/text/SjisText.h"
#include "system/AtomicFileWriter.h"
#include "system/DataName.h"
#include "system/FileDiv.h"

namespace zktools {

namespace {

constexpr std::string_view kHeaderIn = "FILECMB-DATA-LIST-IN\n";
constexpr std::string_view kHeaderOut = "FILECMB-DATA-LIST-OUT\n";
constexpr std::string_view kListEnd = "LIST-END\n";
constexpr std::uint64_t kMaxOffset = 999999999;  // nine digits, as the reader accepts

bool HoldsBlankOrNul(std::string_view name) {
    for (char c : name) {
        if (c == ' ' || c == '\0' || (c >= '\t' && c <= '\r')) return true;
    }
    return false;
}

// The name as the reader compares it: single-byte A-Z folded, two-byte characters kept.
std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); i += platform::SjisCharLength(folded, i)) {
        if (folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] + 32);
    }
    return folded;
}

std::optional<std::string> CheckNames(const std::vector<CombinedMember>& members) {
    if (members.size() > static_cast<std::size_t>(DIV_FILE_MAX)) {
        return "more than " + std::to_string(DIV_FILE_MAX) + " members";
    }
    std::unordered_set<std::string> seen;
    for (const CombinedMember& member : members) {
        if (!IsDataName(member.name) || HoldsBlankOrNul(member.name)) {
            return "not a member name: " + member.name;
        }
        if (member.name == "LIST-END") return "a member cannot be named LIST-END";
        if (!seen.insert(FoldedName(member.name)).second) {
            return "two members named " + member.name + " (letter case is ignored)";
        }
    }
    return std::nullopt;
}

// The member lines and the list's end, with offsets counted from firstOffset.
std::string ListLines(const std::vector<CombinedMember>& members, std::uint64_t firstOffset) {
    std::string list;
    std::uint64_t offset = firstOffset;
    for (const CombinedMember& member : members) {
        list += member.name + " " + std::to_string(offset) + " " +
                std::to_string(offset + member.size) + "\n";
        offset += member.size;
    }
    list += kListEnd;
    return list;
}

// A list inside the archive moves the members by its own length, whose digits
// depend on the offsets: lay it out again until its length settles.
std::string ListInArchive(const std::vector<CombinedMember>& members) {
    std::string list = ListLines(members, kHeaderIn.size());
    for (std::size_t length = 0; length != list.size();) {
        length = list.size();
        list = ListLines(members, kHeaderIn.size() + length);
    }
    return list;
}

bool CopyMember(const CombinedMember& member, AtomicFileWriter& out, std::string& error) {
    if (member.sourcePath.empty()) return out.write(member.bytes);
    std::ifstream in(member.sourcePath, std::ios::binary);
    std::string chunk(1 << 16, '\0');
    std::uint64_t copied = 0;
    while (in && out.good()) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        out.write(std::string_view(chunk.data(), got));
        copied += got;
    }
    if (!out.good()) return false;
    if (!in.eof() || copied != member.size) {
        error = "cannot read " + member.sourcePath + " (it changed while it was packed)";
        return false;
    }
    return true;
}

bool WriteFile(AtomicFileWriter& out, std::string_view head,
               const std::vector<CombinedMember>& members, std::string& error) {
    out.write(head);
    for (const CombinedMember& member : members) {
        if (!CopyMember(member, out, error)) break;
    }
    if (error.empty() && !out.finish()) {
        error = "cannot write " + out.targetPath() + ": " + out.error();
    }
    return error.empty();
}

bool Commit(AtomicFileWriter& out, std::string& error) {
    if (out.commit()) return true;
    error = "cannot write " + out.targetPath() + ": " + out.error();
    return false;
}

std::string LastComponent(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CombinedMember MemberFromBytes(std::string name, std::string bytes) {
    CombinedMember member;
    member.name = std::move(name);
    member.size = bytes.size();
    member.bytes = std::move(bytes);
    return member;
}

std::optional<CombinedMember> MemberFromFile(const std::string& path, std::string& error) {
    std::error_code failure;
    const bool regular = std::filesystem::is_regular_file(path, failure);
    const std::uint64_t size = regular ? std::filesystem::file_size(path, failure) : 0;
    std::string problem;
    if (failure) {
        problem = failure.message();
    } else if (!regular) {
        problem = "not a regular file";
    } else if (!std::ifstream(path, std::ios::binary)) {
        problem = "it cannot be opened";
    }
    if (!problem.empty()) {
        error = "cannot read " + path + ": " + problem;
        return std::nullopt;
    }
    CombinedMember member;
    member.name = LastComponent(path);
    member.size = size;
    member.sourcePath = path;
    return member;
}

bool WriteCombinedFile(const std::string& archivePath, const std::vector<CombinedMember>& members,
                       ListPlace place, std::string& error) {
    error.clear();
    if (const auto refusal = CheckNames(members)) {
        error = *refusal;
        return false;
    }
    const bool inArchive = place == ListPlace::InArchive;
    const std::optional<std::string> listPath =
        inArchive ? std::optional<std::string>() : CombinedListPath(archivePath);
    if (!inArchive && (!listPath || *listPath == archivePath)) {
        error = "the archive name needs an extension other than .lst: " + archivePath;
        return false;
    }
    const std::string list =
        inArchive ? ListInArchive(members) : ListLines(members, kHeaderOut.size());
    std::uint64_t end = inArchive ? kHeaderIn.size() + list.size() : kHeaderOut.size();
    for (const CombinedMember& member : members) end += member.size;
    if (end > kMaxOffset) {
        error = "the members end at offset " + std::to_string(end) + ", beyond " +
                std::to_string(kMaxOffset);
        return false;
    }

    AtomicFileWriter archive(archivePath);
    if (inArchive) {
        return WriteFile(archive, std::string(kHeaderIn) + list, members, error) &&
               Commit(archive, error);
    }
    AtomicFileWriter listFile(*listPath);
    return WriteFile(archive, kHeaderOut, members, error) &&
           WriteFile(listFile, LastComponent(archivePath) + "\n" + list, {}, error) &&
           Commit(archive, error) && Commit(listFile, error);
}

}  // namespace zktools
