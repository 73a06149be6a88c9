#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zktest {

// The classes of hidden damage a slot file is swept with. Each walks every mutation of
// its class over the file in order, handing the damaged bytes and what was done to
// a visitor; the visitor's false stops the walk, so a caller can take a class's
// first mutation alone.
class SlotDamage {
public:
    using Visit = std::function<bool(const std::string& bytes, const std::string& what)>;
    // Byte ranges whose every character is damaged in turn: numbers and marker lines.
    using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

    // The file cut at every length shorter than it.
    static void Truncations(const std::string& file, const Visit& visit);
    // Each byte that is not already the replacement, replaced.
    static void EachByteMade(const std::string& file, char replacement, const Visit& visit);
    // Each blank and line feed made "x".
    static void EachSeparatorMadeALetter(const std::string& file, const Visit& visit);
    // Each character of the ranges (offset, length) made a letter that differs from it
    // in any case.
    static void EachCharacterOf(const std::string& file, const Ranges& ranges, const Visit& visit);
    // Every class: the four byte replacements (NUL, 0x01, LF, blank) among them.
    static void AllClasses(const std::string& file, const Ranges& ranges, const Visit& visit);
};

}  // namespace zktest
