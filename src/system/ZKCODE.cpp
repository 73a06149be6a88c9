#include "system/ZKCODE.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "system/FileWriteError.h"
#include "system/WordSplitter.h"

using platform::LogError;

namespace {

constexpr char kCR = 0x0D;
constexpr char kLF = 0x0A;
constexpr std::string_view kMagic = "ZKCODE";
constexpr const char* kModeKeepLineBreaks = "NLINE-NO-ENCODE";
constexpr const char* kModeAll = "NLINE-ENCODE";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenFile(const char* path, const char* mode) {
    return File(path != nullptr ? std::fopen(path, mode) : nullptr);
}

// The output is created afresh: a link standing at its path is replaced, never
// written through. error receives the reason when no file could be made.
File CreateFile(const char* path, int& error) {
    std::FILE* stream = nullptr;
    error =
        path != nullptr ? platform::service<platform::Files>().createFile(path, stream) : EINVAL;
    return File(stream);
}

// False on a read error: a failing disk must not pass for a short file.
bool ReadRest(std::FILE* file, std::string& bytes) {
    char chunk[4096];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, count);
    return std::ferror(file) == 0;
}

// Writing is only known to have worked once the buffered bytes reached the file:
// 0, or the reason it did not.
int WriteAndClose(File file, std::string_view bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    int error = written ? 0 : StreamError();
    if (std::fclose(file.release()) != 0 && error == 0) error = StreamError();
    return error;
}

// The complement is its own inverse, so this both encodes and decodes a body.
std::string Complemented(std::string_view bytes, bool keepLineBreaks) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (keepLineBreaks && bytes[i] == kCR && i + 1 < bytes.size() && bytes[i + 1] == kLF) {
            out += bytes.substr(i, 2);
            ++i;
        } else {
            out += static_cast<char>(~bytes[i]);
        }
    }
    return out;
}

// One blank-delimited word of at most 99 bytes; empty when the stream ends first.
std::string ReadWord(std::FILE* file) {
    char word[100];
    return std::fscanf(file, "%99s", word) == 1 ? std::string(word) : std::string();
}

// Plain F2 F5 would be stored as 0D 0A and come back as CR LF.
bool HoldsStoredLineBreak(std::string_view plain) { return plain.find("\xF2\xF5") != plain.npos; }

}  // namespace

int ZKEncode(const char* srcPath, const char* dstPath, unsigned int flags) {
    const bool keepLineBreaks = (flags & kZKEncodeKeepLineBreaks) != 0;
    File src = OpenFile(srcPath, "rb");
    if (!src) {
        LogError("ZKEncode", u8"読込先ファイルオープンに失敗\n");
        return -1;
    }
    std::string plain;
    if (!ReadRest(src.get(), plain)) {
        LogError("ZKEncode", u8"読込先ファイルの読み込みに失敗\n");
        return -1;
    }
    if (keepLineBreaks && HoldsStoredLineBreak(plain)) {
        LogError("ZKEncode", u8"改行と区別できないバイト列 F2 F5 が含まれています\n");
        return -1;
    }
    int error = 0;
    File dst = CreateFile(dstPath, error);
    if (!dst) {
        LogError("ZKEncode", u8"書込先ファイルオープンに失敗\n");
        return -1;
    }
    const std::string header =
        std::string(kMagic) + " " + (keepLineBreaks ? kModeKeepLineBreaks : kModeAll) + "\n";
    if (WriteAndClose(std::move(dst), header + Complemented(plain, keepLineBreaks)) != 0) {
        LogError("ZKEncode", u8"書込先ファイルの書き込みに失敗\n");
        return -1;
    }
    return 0;
}

int ZKDecode(const char* srcPath, const char* dstPath) {
    File src = OpenFile(srcPath, "rb");
    if (!src) {
        LogError("ZKDecode", u8"読込ファイルが開けません\n");
        return -1;
    }
    int error = 0;
    File dst = CreateFile(dstPath, error);
    if (!dst) {
        LogError("ZKDecode", u8"書込ファイルが開けません\n");
        if (dstPath != nullptr) LogFileWriteError("ZKDecode", dstPath, error);
        return -1;
    }
    if (ReadWord(src.get()) != kMagic) {
        LogError("ZKDecode", u8"ZKCodeで暗号化されたファイルではありません\n");
        return -1;
    }
    const std::string mode = ReadWord(src.get());
    const bool keepLineBreaks = mode == kModeKeepLineBreaks;
    if (!keepLineBreaks && mode != kModeAll) {
        LogError("ZKDecode", u8"ヘッダーが不正です\n");
        return -1;
    }
    std::fgetc(src.get());  // the line feed that ends the header
    std::string coded;
    if (!ReadRest(src.get(), coded)) {
        LogError("ZKDecode", u8"読込ファイルの読み込みに失敗\n");
        return -1;
    }
    error = WriteAndClose(std::move(dst), Complemented(coded, keepLineBreaks));
    if (error != 0) {
        LogError("ZKDecode", u8"書込ファイルの書き込みに失敗\n");
        LogFileWriteError("ZKDecode", dstPath, error);
        return -1;
    }
    return 0;
}

int CodeFileReadOneLine(std::FILE* file, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        LogError("CodeFileReadOneLine", u8"読込バッファが不正です\n");
        return -1;
    }
    std::memset(buffer, 0, static_cast<std::size_t>(size));
    if (file == nullptr) {
        LogError("CodeFileReadOneLine", u8"ファイルポインタが設定されていません\n");
        return -1;
    }
    for (int stored = 0; stored < size;) {
        const int c = std::getc(file);
        if (c == EOF) return -1;
        buffer[stored++] = static_cast<char>(c);
        if (c == kLF && stored >= 2 && buffer[stored - 2] == kCR) return 0;
    }
    return 0;
}

int CodeLineDecode(const char* rawLine, int size, char* out) {
    // A full buffer from CodeFileReadOneLine has no terminator: size bounds every read.
    const int length =
        size > 0 ? static_cast<int>(std::find(rawLine, rawLine + size, '\0') - rawLine) : 0;
    const SplitWords first = SplitLine(std::string_view(rawLine, length), 1, kMagic.size());
    if (!first.words.empty() && first.words[0].text == kMagic) return 1;
    int decoded = 0;
    for (; decoded + 1 < size && decoded < length; ++decoded) {
        if (rawLine[decoded] == kCR && rawLine[decoded + 1] == kLF) break;
        out[decoded] = static_cast<char>(~rawLine[decoded]);
    }
    if (size > 0) out[decoded] = '\0';
    return 0;
}
