#include "script/ScriptLine.h"

#include <cstring>
#include <string_view>

#include "system/ZKCODE.h"

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

bool EndsInLineBreak(const char* raw) {
    return raw[ScriptLine::kRawSize - 2] == kCR && raw[ScriptLine::kRawSize - 1] == kLF;
}

// The plain bytes after the header's line feed decode like any raw line.
bool FirstWordIsCommand(const char* raw) {
    const char* lf = static_cast<const char*>(std::memchr(raw, kLF, ScriptLine::kRawSize));
    if (lf == nullptr) return false;
    const int offset = static_cast<int>(lf - raw) + 1;
    char plain[ScriptLine::kRawSize] = {};
    if (CodeLineDecode(raw + offset, ScriptLine::kRawSize - offset, plain) != 0) return false;
    const SplitWords first = SplitLine(plain, 1, ScriptLine::kRawSize);
    return !first.words.empty() && first.words[0].text.starts_with('#');
}

}  // namespace

bool ScriptLine::IsComment() const {
    return !words.words.empty() && words.words[0].text.starts_with("//");
}

bool ScriptLine::IsSkipped() const {
    return words.words.empty() || IsComment() || words.words[0].text.starts_with('$');
}

void ReadScriptLine(std::FILE* file, std::size_t maxWords, ScriptLine& line) {
    line.headerHidesCommand = false;
    line.unterminatedTail = false;
    line.words = {};
    line.text[0] = '\0';
    line.start = std::ftell(file);
    char raw[ScriptLine::kRawSize];
    if (CodeFileReadOneLine(file, raw, ScriptLine::kRawSize) != 0) {
        const bool eof = std::feof(file) != 0 && std::ferror(file) == 0;
        line.kind = eof ? SCRIPT_LINE_KIND::EndOfFile : SCRIPT_LINE_KIND::ReadError;
        line.unterminatedTail = eof && std::ftell(file) > line.start;
        return;
    }
    // A full buffer that does not end the line would lose its last byte when
    // decoded and run its tail as a line of its own.
    if (std::ftell(file) - line.start >= ScriptLine::kRawSize && !EndsInLineBreak(raw)) {
        line.kind = SCRIPT_LINE_KIND::TooLong;
        return;
    }
    if (CodeLineDecode(raw, ScriptLine::kRawSize, line.text) == 1) {
        line.kind = SCRIPT_LINE_KIND::Header;
        line.headerHidesCommand = FirstWordIsCommand(raw);
        return;
    }
    line.kind = SCRIPT_LINE_KIND::Words;
    line.words = SplitLine(line.text, maxWords, ScriptLine::kRawSize);
}

bool SkipScriptLines(std::FILE* file, std::int64_t nLines) {
    ScriptLine line;
    for (std::int64_t i = 0; i < nLines; ++i) {
        ReadScriptLine(file, 1, line);
        if (line.kind != SCRIPT_LINE_KIND::Words && line.kind != SCRIPT_LINE_KIND::Header) {
            return false;
        }
    }
    return true;
}
