#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Script and save text write a line break as the two characters backslash and "n";
// shown text holds a blank and a line feed in its place, so the length stays the
// same. Text is walked one Shift-JIS character at a time: 0x5C starts an escape
// only as a single-byte character, never as the trail byte of a two-byte one.

// Turns every backslash-n escape of text (terminated) into blank + line feed.
void EscapesToLineBreaks(char* text);

// Writes text to out (size bytes) with every blank + line feed, or lone line feed,
// as backslash-n. Always terminates; never cuts a character or an escape. True when
// all of text fit.
bool LineBreaksToEscapes(std::string_view text, char* out, std::size_t size);

// Text with every backslash-n escape as a single line feed.
std::string EscapesRemoved(std::string_view text);
