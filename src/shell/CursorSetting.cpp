#include "shell/CursorSetting.h"

#include <string>
#include <string_view>

#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "shell/SettingsText.h"
#include "system/AtomicFileWriter.h"
#include "system/WordSplitter.h"

namespace {

constexpr std::size_t kLineBytes = 511;
constexpr std::size_t kWordBytes = 49;
constexpr std::size_t kLabelBytes = 7;
constexpr std::size_t kJoinedValueBytes = 43;
const char8_t* const kWriteFailed = u8"カーソル設定ファイルの書き込みに失敗しました\n";

std::string_view CutWord(const SplitWords& split, std::size_t index) {
    if (index >= split.words.size()) return {};
    const std::string_view text = split.words[index].text;
    return text.substr(0, platform::SjisTruncatedLength(text, kWordBytes));
}

// "Cursor:2" carries the value in the label's word; "Cursor:\t2" in the next one.
std::string_view CursorValue(std::string_view line) {
    const SplitWords split = SplitLine(line, 2, kWordBytes);
    const std::string_view first = CutWord(split, 0);
    if (first.size() > kLabelBytes) {
        const std::string_view joined = first.substr(kLabelBytes);
        return joined.substr(0, platform::SjisTruncatedLength(joined, kJoinedValueBytes));
    }
    return CutWord(split, 1);
}

void WriteDefaultFile(const char* path) {
    std::string text = SettingsCp932(u8"****** マウスカーソルの変更が可能です。 ******\n");
    text += SettingsCp932(u8"****** 半角で入力して下さい。           ******\n");
    text += SettingsCp932(u8"****** (0=通常、1=モノクロ、2=カラー)   ******\n");
    text += "Cursor:\t0\n";
    AtomicFileWriter writer(path);
    if (!writer.write(text) || !writer.commit()) {
        platform::LogWarn("LoadCursorSetting", kWriteFailed);
    }
}

}  // namespace

int ReadCursorKind(std::FILE* stream) {
    std::string line;
    for (int number = 1; number <= 4; ++number) {
        if (ReadSettingsLine(stream, line, kLineBytes) == SettingsLine::End) line.clear();
    }
    const std::string_view value = CursorValue(line);
    if (value == "0" || value == "1" || value == "2") return value[0] - '0';
    return -1;
}

int LoadCursorSetting(const char* path) {
    // No file to read and none to write the defaults to: the arrow.
    if (path == nullptr) {
        platform::LogWarn("LoadCursorSetting", kWriteFailed);
        return 0;
    }
    int kind = -1;
    bool unreadable = false;
    if (std::FILE* stream = OpenSettingsFile(path, "LoadCursorSetting", unreadable)) {
        kind = ReadCursorKind(stream);
        std::fclose(stream);
        if (kind < 0) {
            platform::LogWarn("LoadCursorSetting",
                              u8"カーソル設定ファイルが不正です。既定の内容で書き直します\n");
        }
    }
    if (kind >= 0) return kind;
    if (unreadable) {
        platform::LogWarn("LoadCursorSetting", u8"読み込めなかった %s は上書きしません\n",
                          platform::GameArg(path));
    } else {
        WriteDefaultFile(path);
    }
    return 0;
}
