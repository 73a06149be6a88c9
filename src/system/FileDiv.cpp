#include "system/FileDiv.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/text/SjisText.h"
#include "system/DataName.h"
#include "system/FileWriteError.h"
#include "system/FolderPath.h"
#include "system/WordSplitter.h"

DIV_FILE_DATA DivFileData[DIV_FILE_MAX];

namespace {

constexpr std::size_t kMaxLineBytes = 511;  // through the line feed
constexpr std::size_t kMaxOffsetDigits = 9;
constexpr std::string_view kListEnd = "LIST-END\n";

// Set by the list read when a line other than the list's end followed a full table.
bool listWentOn = false;

template <class... Args>
void Console(platform::LogText text, const Args&... args) {
    platform::LogPlain(platform::LogChannel::Console, text, args...);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

platform::Files& FileService() { return platform::service<platform::Files>(); }

// Only a regular file is read: a FIFO in the data's place must not hold the game.
File OpenForReading(const char* path) {
    std::FILE* stream = nullptr;
    if (path != nullptr) {
        FileService().openRegularFile(path, std::numeric_limits<std::uint64_t>::max(), stream);
    }
    return File(stream);
}

enum class LineRead { Line, End, Error };

// Reads one line through its line feed. A line over the list's limit is still read
// to its end, so that the next read starts on the next line.
LineRead ReadListLine(std::FILE* file, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    int c;
    while ((c = std::getc(file)) != EOF) {
        if (line.size() < kMaxLineBytes) {
            line += static_cast<char>(c);
        } else {
            tooLong = true;
        }
        if (c == '\n') break;
    }
    if (c == EOF && std::ferror(file) != 0) return LineRead::Error;
    return line.empty() ? LineRead::End : LineRead::Line;
}

bool ParseOffset(std::string_view word, std::uint32_t& value) {
    if (word.empty() || word.size() > kMaxOffsetDigits) return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return true;
}

// A member line is a data name and two decimal offsets; later words are ignored.
// A NUL ends the line's text, as it did for the C string functions of the format.
bool ParseMemberLine(std::string_view line, DIV_FILE_DATA& row) {
    line = line.substr(0, line.find('\0'));
    const SplitWords split = SplitLine(line, 3, sizeof row.szFileName - 1);
    if (split.words.size() < 3) return false;
    const SplitWord& name = split.words[0];
    DIV_FILE_DATA parsed{};
    if (name.tooLong || !IsDataName(name.text)) return false;
    if (!ParseOffset(split.words[1].text, parsed.start)) return false;
    if (!ParseOffset(split.words[2].text, parsed.end)) return false;
    platform::SjisCopyTruncated(parsed.szFileName, sizeof parsed.szFileName, name.text);
    row = parsed;
    return true;
}

int ReadListRows(std::FILE* file) {
    std::string line;
    bool tooLong = false;
    int lineNumber = 1;  // the skipped first line
    int row = 0;
    while (row < DIV_FILE_MAX) {
        const LineRead read = ReadListLine(file, line, tooLong);
        ++lineNumber;
        if (read == LineRead::End) {
            Console(u8"Error: ファイルの終端: 結合ファイルでは無い\n");
            return -1;
        }
        if (read == LineRead::Error) {
            Console(u8"Error: fgetsが失敗\n");
            return -1;
        }
        if (line == kListEnd) return 0;
        if (!tooLong && ParseMemberLine(line, DivFileData[row])) {
            ++row;
        } else {
            Console(u8"Error: リストの%d行目が不正です\n", lineNumber);
        }
    }
    // A full table only overflowed when the list really goes on after it.
    listWentOn = ReadListLine(file, line, tooLong) == LineRead::Line && line != kListEnd;
    return 0;
}

// Finds the list of a combined file and reads it: 0, or FileDiv's result.

int ExtractMember(const char* combinedPath, const std::string& outPath, const DIV_FILE_DATA& row) {
    std::FILE* created = nullptr;
    const int openError = FileService().createFile(outPath, created);
    File out(created);
    if (!out) {
        Console(u8"Error: 復号ファイルを書き込みオープンできない\n");
        LogFileWriteError("FileDiv", outPath, openError);
        return -3;
    }
    const auto bytes = ReadCombinedMember(combinedPath, row.start, row.end);
    if (!bytes) return -1;
    // A full disk may show only when the buffered bytes are flushed, so the close counts.
    errno = 0;
    const bool written =
        bytes->empty() || std::fwrite(bytes->data(), 1, bytes->size(), out.get()) == bytes->size();
    if (!written || std::fclose(out.release()) != 0) {
        const int error = StreamError();
        Console(u8"Error: 書き込みエラー発生\n");
        LogFileWriteError("FileDiv", outPath, error);
        return -1;
    }
    return 1;
}

std::string OutPath(const char* outDir, std::string_view name) {
    std::string path = outDir != nullptr ? outDir : "";
    path += name;
    return path;
}

int ExtractAll(const char* combinedPath, const char* outDir) {
    for (const DIV_FILE_DATA& row : DivFileData) {
        if (row.szFileName[0] == '\0') return 1;
        const int result = ExtractMember(combinedPath, OutPath(outDir, row.szFileName), row);
        if (result != 1) return result;
    }
    if (!listWentOn) return 1;
    Console(u8"Error: リスト最大数をオーバー\n");
    return 0;
}

// The file is written under the caller's spelling, the name the caller opens next.
int ExtractNamed(const char* combinedPath, const char* outDir, const char* name) {
    for (const DIV_FILE_DATA& row : DivFileData) {
        if (row.szFileName[0] == '\0') {
            Console(u8"Error: 該当ファイル無し\n");
            return 0;
        }
        if (platform::SjisEqualsIgnoreCase(row.szFileName, name)) {
            return ExtractMember(combinedPath, OutPath(outDir, name), row);
        }
    }
    Console(u8"Error: リスト最大数をオーバー\n");
    return 0;
}

}  // namespace

int FileDiv(const char* combinedPath, const char* outDir, const char* name) {
    if (name != nullptr && !IsDataName(name)) {
        Console(u8"Error: 不正なファイル名です\n");
        return 0;
    }
    const int list = ReadListOf(combinedPath);
    if (list != 0) return list;
    return name == nullptr ? ExtractAll(combinedPath, outDir)
                           : ExtractNamed(combinedPath, outDir, name);
}

int ReadListOf(const char* combinedPath) {
    const int kind = CheckCombinedHeader(combinedPath);
    if (kind == 1) return ReadCombinedList(combinedPath);
    if (kind != 2) {
        Console(u8"Error: 結合ファイルではない\n");
        return -2;
    }
    const std::optional<std::string> listPath = CombinedListPath(combinedPath);
    if (!listPath) {
        Console(u8"パスから拡張子が検出されなかった\n");
        return -2;
    }
    return ReadCombinedList(listPath->c_str());
}

int CheckCombinedHeader(const char* path) {
    File file = OpenForReading(path);
    if (!file) {
        Console(u8"Error: 結合ファイルが読み込みオープンできない\n");
        return -1;
    }
    // The header is read as bytes, not as a line: a small archive has no line of
    // full length, and its header is valid all the same.
    char header[22];
    const std::size_t got = std::fread(header, 1, sizeof header, file.get());
    if (got < sizeof header && std::ferror(file.get()) != 0) {
        Console(u8"Error: 結合ファイルの読み込みに失敗\n");
        return -1;
    }
    constexpr std::string_view kMagic = "FILECMB-DATA-";
    if (got < kMagic.size()) {
        Console(u8"Error: 結合ファイルではない\n");
        return 0;
    }
    const std::string_view bytes(header, got);
    if (!bytes.starts_with(kMagic)) {
        Console(u8"Error: 結合ファイルではありません\n");
        return 0;
    }
    const std::string_view kind = bytes.substr(kMagic.size());
    if (kind.starts_with("LIST-IN\n")) return 1;
    if (kind.starts_with("LIST-OUT\n")) return 2;
    Console(u8"Error: 結合ファイルではありません\n");
    return 0;
}

int ReadCombinedList(const char* listPath) {
    File file = OpenForReading(listPath);
    if (!file) {
        Console(u8"Error: リストを読み込みオープンできない\n");
        return -1;
    }
    ClearCombinedList();
    std::string line;
    bool tooLong = false;
    const LineRead first = ReadListLine(file.get(), line, tooLong);
    if (first == LineRead::End) {
        Console(u8"Error: 結合ファイルでは無い\n");
        return -1;
    }
    if (first == LineRead::Error) {
        Console(u8"Error: fgetsが失敗\n");
        return -1;
    }
    return ReadListRows(file.get());
}

std::optional<std::vector<unsigned char>> ReadCombinedMember(const char* combinedPath,
                                                             std::uint32_t start,
                                                             std::uint32_t end) {
    if (end < start) {
        Console(u8"Error: 読み込み開始位置と終了位置の指定が不正\n");
        return std::nullopt;
    }
    File file = OpenForReading(combinedPath);
    if (!file) {
        Console(u8"Error: ファイルを読み込みオープンできない\n");
        return std::nullopt;
    }
    const long fileSize = std::fseek(file.get(), 0, SEEK_END) == 0 ? std::ftell(file.get()) : -1;
    if (fileSize <= 0) {
        Console(u8"Error: ファイルサイズが得られない\n");
        return std::nullopt;
    }
    if (static_cast<unsigned long>(fileSize) < end) {
        Console(u8"Error: 読み込み終了位置が不正\n");
        return std::nullopt;
    }
    std::vector<unsigned char> bytes;
    try {
        bytes.resize(end - start);
    } catch (const std::bad_alloc&) {
        Console(u8"Error: メモリを確保出来ない\n");
        return std::nullopt;
    }
    const bool read = std::fseek(file.get(), static_cast<long>(start), SEEK_SET) == 0 &&
                      std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (!read) {
        Console(u8"Error: 読み込みエラー発生\n");
        return std::nullopt;
    }
    return bytes;
}

void ClearCombinedList() {
    std::memset(DivFileData, 0, sizeof DivFileData);
    listWentOn = false;
}

// The folder and the name are joined with a separator: a file named after the
// folder and the entry together would lie outside the folder.
int DeleteFilesInDir(const char* dir, const char* name) {
    if (dir == nullptr) return 0;
    platform::Files& files = FileService();
    const std::string prefix = FolderPrefix(dir);
    if (name != nullptr) return files.removeFile(prefix + name) == 0 ? 1 : 0;
    std::vector<platform::FolderEntry> entries;
    if (files.listFolder(prefix.empty() ? "." : prefix, entries) != 0) return 0;
    int deleted = 0;
    for (const platform::FolderEntry& entry : entries) {
        if (entry.isFolder) continue;
        if (files.removeFile(prefix + entry.name) == 0) ++deleted;
        if (deleted == DIV_FILE_MAX) {
            Console(u8"Warn: Safeカウントが適用された\n");
            break;
        }
    }
    return 1;
}

std::optional<std::string> CombinedListPath(std::string_view combinedPath) {
    const std::size_t nameStart = combinedPath.rfind('/') + 1;  // npos + 1 is 0
    const std::size_t dot = combinedPath.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return std::nullopt;
    std::string listPath(combinedPath.substr(0, dot));
    listPath += ".lst";
    return listPath;
}
