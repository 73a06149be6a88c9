#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// One line of the story as the message window shows it: speaker, text, voice. The
// text holds a line break as a blank and a line feed; the script text is the line
// as the script gave it. Records are copied whole.
class MSG_DATA {
public:
    static constexpr std::size_t kNameSize = 100;
    static constexpr std::size_t kTextSize = 256;
    static constexpr std::size_t kVoiceSize = 260;
    static constexpr std::uint32_t kFontSize = 24;
    static constexpr std::uint32_t kWhite = 0xFFFFFF;

    MSG_DATA() { Initialize(); }

    void Initialize();
    // Empties the four texts; size and colour stay.
    void Clear();

    // Copies that keep at most the field less its terminator and never end inside a
    // two-byte character.
    void SetName(std::string_view name);
    void SetText(std::string_view text);
    void SetScriptText(std::string_view text);
    void SetVoice(std::string_view voice);

    std::uint32_t nFontSize = kFontSize;
    char szName[kNameSize] = {};
    char szText[kTextSize] = {};
    char szScriptText[kTextSize] = {};
    char szVoice[kVoiceSize] = {};
    std::uint32_t dwColor = kWhite;
};
