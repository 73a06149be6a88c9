#include "mkdemo/VoiceCast.h"

#include <map>

#include "mkdemo/CharacterSheets.h"
#include "platform/text/Cp932.h"
#include "platform/text/SjisText.h"

namespace mkdemo {

namespace {

constexpr int kMessageMinimumMs = 500;
constexpr int kPlayVoiceMs = 1500;
constexpr int kPlayVoiceSyllables = 10;

double SpeakerHertz(const std::string& cp932Speaker) {
    for (const Heroine& heroine : CharacterSheets::Heroines()) {
        if (platform::utf8ToCp932(heroine.speaker) == cp932Speaker) return heroine.voiceHertz;
    }
    return VoiceCast::kDefaultHertz;
}

}  // namespace

int VoiceCast::Syllables(const std::string& text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = platform::SjisCharLength(text, i);
        const std::string_view ch(text.data() + i, length);
        if (ch == "\\" && i + 1 < text.size() && text[i + 1] == 'n') {
            i += 2;
            continue;
        }
        if (ch != " " && ch != "\t" && ch != "\x81\x40") ++count;
        i += length;
    }
    return count;
}

std::vector<VoiceLine> VoiceCast::Collect(const std::vector<SourceFile>& scenarios) {
    std::map<std::string, VoiceLine> voices;
    for (const SourceFile& file : scenarios) {
        for (const std::string& line : file.cp932) {
            const std::vector<std::string> words = StorySources::Words(line);
            if (words.size() >= 4 && words[0] == "#MsgDisp") {
                // A message gives its voice a length even when #PlayVoice named it first.
                const auto it = voices.find(words[3]);
                if (it == voices.end() || it->second.minimumMs == kPlayVoiceMs) {
                    voices.insert_or_assign(
                        words[3], VoiceLine{words[3], Syllables(words[2]), SpeakerHertz(words[1]),
                                            kMessageMinimumMs});
                }
            } else if (words.size() >= 2 && words[0] == "#PlayVoice") {
                voices.try_emplace(words[1], VoiceLine{words[1], kPlayVoiceSyllables, kDefaultHertz,
                                                       kPlayVoiceMs});
            }
        }
    }
    std::vector<VoiceLine> list;
    for (auto& [name, voice] : voices) list.push_back(voice);
    return list;
}

}  // namespace mkdemo
