#include "mkdemo/ScriptChecker.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/text/Cp932.h"
#include "platform/text/SjisText.h"
#include "script/ScrCmdWords.h"
#include "script/ScriptKeywords.h"

namespace mkdemo {

namespace {

// A speaker stays on the 260-pixel name plate, a choice on its 274-pixel plate, at
// 12 pixels a byte.
constexpr std::size_t kMaxSpeaker = 20;
constexpr std::size_t kMaxChoice = 22;
constexpr std::size_t kMaxText = 255;
constexpr std::size_t kMaxDescription = 511;

using Words = std::vector<std::string>;

std::string Arg(const Words& words, std::size_t n) {
    return n + 1 < words.size() ? words[n + 1] : std::string();
}

bool IsComment(const std::string& line) { return line.rfind("//", 0) == 0; }

bool SameWord(std::string_view a, std::string_view b) {
    return platform::SjisEqualsIgnoreCase(a, b);
}

// The name with its single-byte capitals made small; a two-byte character keeps its
// bytes, whatever its second byte looks like.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); i += platform::SjisCharLength(name, i)) {
        if (folded[i] >= 'A' && folded[i] <= 'Z')
            folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
    }
    return folded;
}

// The first character of a UTF-8 line that CP932 cannot hold, as column and code.
std::string Unconvertible(const std::u8string& line) {
    std::size_t column = 1;
    for (std::size_t i = 0; i < line.size(); ++column) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        const std::u8string_view ch(line.data() + i, std::min(length, line.size() - i));
        if (!platform::utf8ToCp932(ch)) {
            return "character " + std::to_string(column) + " (" +
                   std::string(ch.begin(), ch.end()) + ") has no CP932 form";
        }
        i += length;
    }
    return "the line has no CP932 form";
}

// Bytes that the line codec or the script reader would take for something else.
std::string UnsafeBytes(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (static_cast<unsigned char>(line[i]) == 0xFF) return "the byte 0xFF cannot be coded";
        if (line.compare(i, 2, "\xF2\xF5") == 0) return "the byte pair F2 F5 cannot be coded";
    }
    if (line.size() > ScriptChecker::kMaxLineBytes) {
        return "the line is " + std::to_string(line.size()) + " bytes long, more than " +
               std::to_string(ScriptChecker::kMaxLineBytes);
    }
    return {};
}

struct Context {
    const SourceFile& file;
    const StoryRegistry& registry;
    std::vector<SourceProblem>& problems;
    int line = 0;

    void report(const std::string& text) { problems.push_back({file.name, line, text}); }
    void require(bool ok, const std::string& text) {
        if (!ok) report(text);
    }
    void registered(const NameSet& table, const std::string& id, const char* what) {
        require(table.count(id) != 0, std::string(what) + " " + id + " is not registered");
    }
    void longest(const std::string& word, std::size_t limit, const char* what) {
        require(word.size() <= limit, std::string(what) + " is " + std::to_string(word.size()) +
                                          " bytes long, more than " + std::to_string(limit));
    }
    void script(const std::string& name) {
        require(registry.scripts.count(name) != 0, "the script " + name + " does not exist");
    }
    // A character, with a body or face number within its counts (0 allowed where
    // the command takes it for none).
    void character(const Words& w, int bodyArg, int faceArg) {
        const auto it = registry.characters.find(Arg(w, 0));
        if (it == registry.characters.end()) {
            report("the character " + Arg(w, 0) + " is not registered");
            return;
        }
        const auto within = [&](int arg, int count, const char* what) {
            if (arg < 0) return;
            const int n = std::atoi(Arg(w, static_cast<std::size_t>(arg)).c_str());
            require(n >= 1 && n <= count, std::string(what) + " " + std::to_string(n) + " of " +
                                              it->first + " does not exist");
        };
        within(bodyArg, it->second.first, "body");
        within(faceArg, it->second.second, "face");
    }
    void variableOrCharacter(const std::string& id) {
        require(registry.variables.count(id) != 0 || registry.characters.count(id) != 0,
                "no variable or character " + id + " is registered");
    }
    void table(const std::string& kind, const std::string& id) {
        if (SameWord(kind, "TEX")) return registered(registry.textures, id, "the texture");
        if (SameWord(kind, "SURF")) return registered(registry.surfaces, id, "the surface");
        if (SameWord(kind, "WAVE")) return registered(registry.sounds, id, "the sound");
        report("unknown table " + kind);
    }
    // #GoTo reads on from its line to the first line whose first word is the label.
    void label(const std::string& name) {
        for (std::size_t i = static_cast<std::size_t>(line); i < file.cp932.size(); ++i) {
            const Words w = StorySources::Words(file.cp932[i]);
            if (!w.empty() && SameWord(w[0], name)) return;
        }
        report("no line below starts with the label " + platform::cp932ToUtf8(name));
    }
    // #Jump n passes over the next n lines, which must all be there.
    void jump(const std::string& count) {
        const long long below = static_cast<long long>(file.cp932.size()) - line;
        require(
            std::strtoll(count.c_str(), nullptr, 10) <= below,
            "#Jump " + count + " passes the last line, " + std::to_string(below) + " lines below");
    }
};

void CheckVoice(Context& c, const std::string& voice) {
    const bool shaped = voice.size() == 9 && voice[0] == 'V' && voice.substr(5) == ".sou" &&
                        voice.find_first_not_of("0123456789", 1) == 5;
    c.require(shaped, "the voice " + voice + " is not named V and four digits .sou");
}

void CheckCostume(Context& c, const std::string& description, const std::string& scenario) {
    if (!SameWord(description, "NULL")) c.longest(description, kMaxDescription, "the description");
    if (!SameWord(scenario, "NULL")) c.script(scenario);
}

using Rule = std::function<void(Context&, const Words&)>;

const std::map<std::string, Rule, SjisNoCaseLess>& Rules() {
    const auto surface = [](std::size_t arg, bool nullAllowed) {
        return [=](Context& c, const Words& w) {
            const std::string id = Arg(w, arg);
            if (!(nullAllowed && SameWord(id, "NULL")))
                c.registered(c.registry.surfaces, id, "the surface");
        };
    };
    const auto varOrChar = [](Context& c, const Words& w) { c.variableOrCharacter(Arg(w, 0)); };
    static const std::map<std::string, Rule, SjisNoCaseLess> rules = {
        {"#LoadData", [](Context& c, const Words& w) { c.table(Arg(w, 1), Arg(w, 0)); }},
        {"#UnLoadData", [](Context& c, const Words& w) { c.table(Arg(w, 1), Arg(w, 0)); }},
        {"#BGDisp", surface(0, true)},
        {"#WipeOut", surface(0, false)},
        {"#WipeIn", surface(0, false)},
        {"#Wipe", surface(0, false)},
        {"#PrimGraphicDisp", surface(1, false)},
        {"#PrimAniInit",
         [](Context& c, const Words& w) {
             if (!SameWord(Arg(w, 1), "NULL")) c.table(Arg(w, 2), Arg(w, 1));
         }},
        {"#PlayWave",
         [](Context& c, const Words& w) {
             c.registered(c.registry.sounds, Arg(w, 0), "the sound");
         }},
        {"#StopWave",
         [](Context& c, const Words& w) {
             if (Arg(w, 0).empty()) {
                 c.report("#StopWave needs an ID: without one it unloads every effect");
             } else {
                 c.registered(c.registry.sounds, Arg(w, 0), "the sound");
             }
         }},
        {"#CharIn", [](Context& c, const Words& w) { c.character(w, 3, 4); }},
        {"#CharOut", [](Context& c, const Words& w) { c.character(w, -1, -1); }},
        {"#CharMove", [](Context& c, const Words& w) { c.character(w, -1, -1); }},
        {"#CharaFaceChange",
         [](Context& c, const Words& w) { c.character(w, -1, Arg(w, 1) == "0" ? -1 : 1); }},
        {"#CharaBodyChange", [](Context& c, const Words& w) { c.character(w, 1, -1); }},
        {"#CharaFaceBodyChange", [](Context& c, const Words& w) { c.character(w, 2, 1); }},
        {"#CtrlEyeAnimation", [](Context& c, const Words& w) { c.character(w, -1, 1); }},
        {"#ChangeVar", varOrChar},
        {"#AddVar", varOrChar},
        {"#FlgOFFVar", varOrChar},
        {"#FlgONVar",
         [](Context& c, const Words& w) {
             c.variableOrCharacter(Arg(w, 0));
             if (SameWord(Arg(w, 2), "REPLAY")) {
                 c.script(ScriptChecker::SceneScript(Arg(w, 0), std::atoi(Arg(w, 1).c_str())));
             }
         }},
        {"#Love_Jadge_Start", [](Context& c, const Words& w) { c.character(w, -1, -1); }},
        {"#PlayBGM",
         [](Context& c, const Words& w) {
             c.require(c.registry.music.count(Arg(w, 0)) != 0,
                       "the music " + Arg(w, 0) + " is not in AU.dat");
         }},
        {"#Jump", [](Context& c, const Words& w) { c.jump(Arg(w, 0)); }},
        {"#GoTo", [](Context& c, const Words& w) { c.label(Arg(w, 0)); }},
        {"#FileChange", [](Context& c, const Words& w) { c.script(Arg(w, 0)); }},
        {"#FileChangeSpecial", [](Context& c, const Words& w) { c.script(Arg(w, 0)); }},
        {"#ClothesDataChange",
         [](Context& c, const Words& w) { CheckCostume(c, Arg(w, 3), Arg(w, 4)); }},
        {"#ClothesDataSort",
         [](Context& c, const Words& w) {
             c.require(ScriptKeywords::FindCostume(Arg(w, 1)) != nullptr,
                       "unknown costume keyword " + Arg(w, 1));
         }},
        {"#GameClearFlgON",
         [](Context& c, const Words& w) {
             const std::string word = Arg(w, 0);
             c.require(ScriptKeywords::EndingBit(word) != 0, "unknown ending " + word);
         }},
        {"#MsgDisp",
         [](Context& c, const Words& w) {
             c.longest(Arg(w, 0), kMaxSpeaker, "the speaker");
             c.longest(Arg(w, 1), kMaxText, "the message");
             if (!Arg(w, 2).empty()) CheckVoice(c, Arg(w, 2));
         }},
        {"#SelectStart",
         [](Context& c, const Words& w) {
             for (std::size_t arg = 2; arg < 5; ++arg)
                 c.longest(Arg(w, arg), kMaxChoice, "a choice");
         }},
        {"#PlayVoice", [](Context& c, const Words& w) { CheckVoice(c, Arg(w, 0)); }},
    };
    return rules;
}

bool Skipped(const std::string& line) { return IsComment(line) || line[0] == '$'; }

}  // namespace

bool SjisNoCaseLess::operator()(std::string_view a, std::string_view b) const {
    return Folded(a) < Folded(b);
}

void StoryRegistry::Register(const std::vector<std::string>& initLines) {
    for (const std::string& line : initLines) {
        const Words w = StorySources::Words(line);
        if (w.size() < 3 || !SameWord(w[0], "#REG_DATA")) continue;
        if (SameWord(w[2], "TEX")) textures.insert(w[1]);
        if (SameWord(w[2], "SURF")) surfaces.insert(w[1]);
        if (SameWord(w[2], "WAVE")) sounds.insert(w[1]);
        if (SameWord(w[2], "VAR")) variables.insert(w[1]);
        if (SameWord(w[2], "CHAR")) {
            characters[w[1]] = {std::atoi(Arg(w, 2).c_str()), std::atoi(Arg(w, 3).c_str())};
        }
    }
}

std::string ScriptChecker::SceneScript(std::string_view heroine, int scene) {
    char name[16];
    std::snprintf(name, sizeof name, "%c%02d.spt", heroine.empty() ? '?' : heroine[0], scene);
    return name;
}

void ScriptChecker::Convert(SourceFile& file, bool scenario, std::vector<SourceProblem>& problems) {
    file.cp932.clear();
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const std::optional<std::string> cp932 = platform::utf8ToCp932(file.lines[i]);
        if (!cp932) {
            problems.push_back({file.name, line, Unconvertible(file.lines[i])});
            file.cp932.emplace_back();
            continue;
        }
        if (const std::string unsafe = UnsafeBytes(*cp932); !unsafe.empty()) {
            problems.push_back({file.name, line, unsafe});
        }
        file.cp932.push_back(*cp932);
    }
    if (scenario && (file.cp932.empty() || !IsComment(file.cp932.front()))) {
        problems.push_back(
            {file.name, 1, "the first line must be a // comment: the script reader never runs it"});
    }
}

void ScriptChecker::CheckInitStory(const SourceFile& file, const StoryRegistry& registry,
                                   std::vector<SourceProblem>& problems) {
    Context c{file, registry, problems};
    for (const std::string& line : file.cp932) {
        ++c.line;
        const Words w = StorySources::Words(line);
        if (w.empty() || IsComment(line)) continue;
        const bool clothes = SameWord(Arg(w, 1), "CLOTHES");
        if (!SameWord(w[0], "#REG_DATA") || (!clothes && !SameWord(Arg(w, 1), "VAR"))) {
            c.report(
                "only comments, #REG_DATA ... VAR and #REG_DATA ... CLOTHES lines belong here");
        } else if (clothes) {
            CheckCostume(c, Arg(w, 4), Arg(w, 5));
        }
    }
}

void ScriptChecker::CheckScenario(const SourceFile& file, const StoryRegistry& registry,
                                  std::vector<SourceProblem>& problems) {
    Context c{file, registry, problems};
    for (const std::string& line : file.cp932) {
        ++c.line;
        const Words w = StorySources::Words(line);
        if (w.empty() || Skipped(line)) continue;
        if (SameWord(w[0], "#SelectWait")) {
            c.report("#SelectWait is the interpreter's own state, not a command");
            continue;
        }
        if (!IsScrCommandWord(w[0])) {
            c.report(platform::cp932ToUtf8(w[0]) + " is not a command word of the interpreter");
            continue;
        }
        if (const auto rule = Rules().find(w[0]); rule != Rules().end()) rule->second(c, w);
    }
}

}  // namespace mkdemo
