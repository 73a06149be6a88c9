#include "shell/EnvData.h"

#include <array>
#include <string_view>

#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "platform/window/WindowHost.h"
#include "shell/SettingsText.h"
#include "shell/ShellEngine.h"
#include "shell/ShellState.h"
#include "system/AtomicFileWriter.h"
#include "system/WordSplitter.h"

namespace {

constexpr std::size_t kLineBytes = 511;
constexpr std::size_t kWordBytes = 99;
constexpr std::size_t kLineWords = 6;
constexpr std::uint32_t kDefaultMsgSpeed = 1000;

// Words of one line, each cut to its first 99 bytes on a character boundary;
// a word the line does not have reads as empty.
class LineWords {
public:
    explicit LineWords(std::string_view line) : split_(SplitLine(line, kLineWords, kWordBytes)) {}

    std::string_view word(std::size_t number) const {
        if (number > split_.words.size()) return {};
        const std::string_view text = split_.words[number - 1].text;
        return text.substr(0, platform::SjisTruncatedLength(text, kWordBytes));
    }

    bool is(std::size_t number, std::string_view expected) const {
        return platform::SjisEqualsIgnoreCase(word(number), expected);
    }

private:
    SplitWords split_;
};

std::uint32_t VolumeLevel(std::string_view word) {
    const auto value = static_cast<std::uint32_t>(ParseSettingsNumber(word));
    if (value == 0) return 1;
    return value <= 10 ? value : 10;
}

void ApplySoundLine(const LineWords& words, std::uint32_t& on, std::uint32_t& volume) {
    on = words.is(2, "OFF") ? 0 : 1;
    volume = VolumeLevel(words.word(4));
}

// A speed of 0 would stall the text reveal, which divides by it.
std::uint32_t MessageSpeed(std::string_view word) {
    const auto value = static_cast<std::uint32_t>(ParseSettingsNumber(word));
    return value != 0 ? value : kDefaultMsgSpeed;
}

void ApplyLine(EnvSettings& env, int number, const LineWords& words) {
    SettingsWords& s = env.settings;
    switch (number) {
        case 1:
            s.soundWarning = words.is(2, "OFF") ? 0 : 1;
            break;
        case 2:
            s.fullScreen = words.is(2, "Full") ? 1 : 0;
            s.colourDepth = words.is(4, "16bit") ? 16 : words.is(4, "24bit") ? 24 : 32;
            break;
        case 3:
            ApplySoundLine(words, s.bgmOn, s.bgmVolume);
            break;
        case 4:
            ApplySoundLine(words, s.voiceOn, s.voiceVolume);
            break;
        case 5:
            ApplySoundLine(words, s.seOn, s.seVolume);
            break;
        default:
            env.msgSpeed = MessageSpeed(words.word(2));
            env.handsFree = words.is(4, "ON") ? 1 : 0;
            env.autoSkip = words.is(6, "ON") ? 1 : 0;
            break;
    }
}

void ApplyToShell(ShellEngine& engine, const EnvSettings& env) {
    ShellState& state = CurrentShellState();
    state.settings = env.settings;
    if (env.settings.fullScreen != 0) {
        state.windowStyle = kFullScreenStyle;
        if (state.host != nullptr) state.host->setFullScreen(true);
    }
    engine.GameSetMsgConfig(env.msgSpeed, env.handsFree, env.autoSkip);
}

EnvSettings CurrentSettings(ShellEngine& engine) {
    return {CurrentShellState().settings, engine.GameGetMsgSpeed(), engine.GameGetHandsFree(),
            engine.GameGetAutoSkip()};
}

std::string OnOff(std::uint32_t on, std::string_view tabs) {
    return std::string(on != 0 ? "ON" : "OFF") + std::string(tabs);
}

std::string SoundLine(std::string_view label, std::uint32_t on, std::string_view tabs,
                      std::uint32_t volume) {
    return std::string(label) + OnOff(on, tabs) + "Volume: " + std::to_string(volume) + "\n";
}

int SaveOpenFailed() {
    platform::LogMessage("SaveEnvData", u8"環境設定ファイルの書き込みオープンに失敗しました\n");
    return -1;
}

}  // namespace

EnvSettings ReadEnvSettings(std::FILE* stream) {
    EnvSettings settings;
    std::string line;
    for (int number = 1; number <= 6; ++number) {
        const SettingsLine read = ReadSettingsLine(stream, line, kLineBytes);
        if (read == SettingsLine::End) break;
        if (read == SettingsLine::Damaged) {
            platform::LogWarn("LoadEnvData", u8"環境設定ファイルの%d行目が壊れています\n", number);
        }
        ApplyLine(settings, number, LineWords(line));
    }
    return settings;
}

std::string FormatEnvSettings(const EnvSettings& env) {
    const SettingsWords& s = env.settings;
    std::string text = SettingsCp932(u8"サウンド警告: ") + OnOff(s.soundWarning, "\n");
    text += SettingsCp932(u8"スクリーンモード: ") + (s.fullScreen != 0 ? "Full\t" : "Window\t");
    text += SettingsCp932(u8"画面カラー: ") + std::to_string(s.colourDepth) + "bit\n";
    text += SoundLine("BGM: ", s.bgmOn, "\t\t", s.bgmVolume);
    text += SoundLine("VOICE: ", s.voiceOn, "\t", s.voiceVolume);
    text += SoundLine("SE: ", s.seOn, "\t\t", s.seVolume);
    // Written signed, as the reader takes it, so a speed read from "-1" saves as it was read.
    text += SettingsCp932(u8"メッセージ速度: ") +
            std::to_string(static_cast<std::int32_t>(env.msgSpeed)) + "\t";
    text += SettingsCp932(u8"ハンズフリー: ") + OnOff(env.handsFree, "\t");
    text += SettingsCp932(u8"オートスキップ: ") + OnOff(env.autoSkip, "\t");
    return text;
}

int LoadEnvData(ShellEngine& engine, const char* path) {
    if (path == nullptr) {
        platform::LogError("LoadEnvData", u8"引数が不正です\n");
        ApplyToShell(engine, EnvSettings{});
        return -1;
    }
    bool unreadable = false;
    std::FILE* stream = OpenSettingsFile(path, "LoadEnvData", unreadable);
    CurrentShellState().envWithheld = unreadable;
    if (stream == nullptr) {
        ApplyToShell(engine, EnvSettings{});
        return 0;
    }
    const EnvSettings settings = ReadEnvSettings(stream);
    std::fclose(stream);
    ApplyToShell(engine, settings);
    return 1;
}

int SaveEnvData(ShellEngine& engine, const char* path) {
    if (path == nullptr) return SaveOpenFailed();
    if (CurrentShellState().envWithheld) {
        platform::LogWarn("SaveEnvData", u8"読み込めなかった %s は上書きしません\n",
                          platform::GameArg(path));
        return 0;
    }
    AtomicFileWriter writer(path);
    if (writer.stream() == nullptr) return SaveOpenFailed();
    if (!writer.write(FormatEnvSettings(CurrentSettings(engine))) || !writer.commit()) {
        platform::LogError("SaveEnvData", u8"環境設定ファイルの書き込みに失敗しました\n");
        return -1;
    }
    return 1;
}
