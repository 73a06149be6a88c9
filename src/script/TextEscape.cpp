#include "script/TextEscape.h"

#include <cstring>

#include "platform/text/SjisText.h"

namespace {

// The unit that starts at byte i: a line break (blank + LF, or LF alone), an
// escape, or one character.
enum class UnitKind { Character, LineBreak, Escape };

struct TextUnit {
    UnitKind kind;
    std::size_t length;
};

TextUnit NextUnit(std::string_view text, std::size_t i) {
    const std::size_t length = platform::SjisCharLength(text, i);
    if (length == 2) return {UnitKind::Character, 2};
    const bool followedBy = i + 1 < text.size();
    if (text[i] == '\\' && followedBy && text[i + 1] == 'n') return {UnitKind::Escape, 2};
    if (text[i] == ' ' && followedBy && text[i + 1] == '\n') return {UnitKind::LineBreak, 2};
    if (text[i] == '\n') return {UnitKind::LineBreak, 1};
    return {UnitKind::Character, 1};
}

}  // namespace

void EscapesToLineBreaks(char* text) {
    const std::string_view view(text);
    for (std::size_t i = 0; i < view.size();) {
        const TextUnit unit = NextUnit(view, i);
        if (unit.kind == UnitKind::Escape) {
            text[i] = ' ';
            text[i + 1] = '\n';
        }
        i += unit.length;
    }
}

bool LineBreaksToEscapes(std::string_view text, char* out, std::size_t size) {
    if (size == 0) return text.empty();
    std::memset(out, 0, size);
    std::size_t written = 0;
    for (std::size_t i = 0; i < text.size();) {
        const TextUnit unit = NextUnit(text, i);
        const bool isBreak = unit.kind == UnitKind::LineBreak;
        const std::size_t need = isBreak ? 2 : unit.length;
        if (written + need >= size) return false;
        if (isBreak) {
            std::memcpy(out + written, "\\n", 2);
        } else {
            std::memcpy(out + written, text.data() + i, unit.length);
        }
        written += need;
        i += unit.length;
    }
    return true;
}

std::string EscapesRemoved(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const TextUnit unit = NextUnit(text, i);
        if (unit.kind == UnitKind::Escape) {
            out += '\n';
        } else {
            out.append(text, i, unit.length);
        }
        i += unit.length;
    }
    return out;
}
