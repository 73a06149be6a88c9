#pragma once

#include <cstdio>

// The line codec of the game's script files. A coded file is the header line
// "ZKCODE <mode>\n" followed by every byte of the plain file complemented (0xFF - b).
// In mode NLINE-NO-ENCODE each CR LF pair stays plain, so that a coded script can
// still be read a line at a time; in mode NLINE-ENCODE nothing stays plain.

// flags bit 0: mode NLINE-NO-ENCODE. 0 on success, -1 on failure.
constexpr unsigned int kZKEncodeKeepLineBreaks = 1;
int ZKEncode(const char* srcPath, const char* dstPath, unsigned int flags);

// 0 on success, -1 on failure.
int ZKDecode(const char* srcPath, const char* dstPath);

// Reads one raw line, CR LF included, into buffer (zero-filled first). 0 when a line
// or a full buffer was read; a full buffer has no terminator and the rest of the line
// stays in the file. -1 at end of file (even after a partial last line) or without a
// file; feof and ferror tell the two apart.
int CodeFileReadOneLine(std::FILE* file, char* buffer, int size);

// Decodes one raw line into out (at most size - 1 bytes, then a terminator), stopping
// at a 0 byte or a CR LF pair. 1 when the raw line is the header line (nothing
// decoded), 0 otherwise. Never reads rawLine[size] or beyond.
int CodeLineDecode(const char* rawLine, int size, char* out);
