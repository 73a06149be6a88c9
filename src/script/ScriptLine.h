#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "system/WordSplitter.h"

// What one read of a coded script met.
enum class SCRIPT_LINE_KIND {
    Words,      // a plain line, split into words (none for an empty line)
    Header,     // the codec header; the plain line sharing its raw line is never run
    EndOfFile,  // nothing more to read
    ReadError,  // the stream failed
    TooLong,    // the raw line filled the buffer without ending in CR LF
};

// One line of a script as the interpreter and the Init.spt passes read it: a raw
// line of at most kRawSize bytes up to its CR LF, decoded and split into words.
struct ScriptLine {
    static constexpr int kRawSize = 512;

    SCRIPT_LINE_KIND kind = SCRIPT_LINE_KIND::EndOfFile;
    long start = 0;  // file position where the raw line began
    // The header's raw line carries a plain first line whose first word is a command.
    bool headerHidesCommand = false;
    // End of file came after bytes without CR LF: a last line that is never run.
    bool unterminatedTail = false;
    char text[kRawSize] = {};
    SplitWords words;  // views into text

    bool IsComment() const;
    // A comment, an empty line or a "$" line: passed over in silence.
    bool IsSkipped() const;
};

// Reads the next line of file into line, splitting at most maxWords words.
void ReadScriptLine(std::FILE* file, std::size_t maxWords, ScriptLine& line);

// Reads and drops nLines lines as the interpreter counts them: false when the file
// ends, fails or holds an overlong line before that many were read.
bool SkipScriptLines(std::FILE* file, std::int64_t nLines);
