#include "support/SlotDamage.h"

#include <cctype>

namespace zktest {

void SlotDamage::Truncations(const std::string& file, const Visit& visit) {
    for (std::size_t size = 0; size < file.size(); ++size) {
        if (!visit(file.substr(0, size), "cut at " + std::to_string(size))) return;
    }
}

void SlotDamage::EachByteMade(const std::string& file, char replacement, const Visit& visit) {
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == replacement) continue;
        std::string bytes = file;
        bytes[i] = replacement;
        if (!visit(bytes, "byte " + std::to_string(i) + " made " +
                              std::to_string(static_cast<unsigned char>(replacement)))) {
            return;
        }
    }
}

void SlotDamage::EachSeparatorMadeALetter(const std::string& file, const Visit& visit) {
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != ' ' && file[i] != '\n') continue;
        std::string bytes = file;
        bytes[i] = 'x';
        if (!visit(bytes, "separator " + std::to_string(i) + " made x")) return;
    }
}

void SlotDamage::EachCharacterOf(const std::string& file, const Ranges& ranges,
                                 const Visit& visit) {
    for (const auto& [offset, length] : ranges) {
        for (std::size_t i = offset; i < offset + length; ++i) {
            std::string bytes = file;
            bytes[i] = std::tolower(static_cast<unsigned char>(bytes[i])) == 'x' ? 'y' : 'x';
            if (!visit(bytes, "character " + std::to_string(i) + " damaged")) return;
        }
    }
}

void SlotDamage::AllClasses(const std::string& file, const Ranges& ranges, const Visit& visit) {
    Truncations(file, visit);
    for (const char replacement : {'\0', '\x01', '\n', ' '}) EachByteMade(file, replacement, visit);
    EachSeparatorMadeALetter(file, visit);
    EachCharacterOf(file, ranges, visit);
}

}  // namespace zktest
