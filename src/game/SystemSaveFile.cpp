#include "game/SystemSaveFile.h"

#include <cstdio>
#include <optional>

#include "platform/text/SjisText.h"
#include "system/WordSplitter.h"

namespace {

constexpr std::string_view kListStart = "---AUTO_SKIP_FILE_LIST_START---";
constexpr std::string_view kListEnd = "---AUTO_SKIP_FILE_LIST_END---";
constexpr std::size_t kMaxLineBytes = 511;
constexpr std::int64_t kLowestWord = -2147483648LL;
constexpr std::int64_t kHighestWord = 4294967295LL;
constexpr std::int64_t kHighestPosition = 2147483647LL;

// The file cut at line feeds; a last line without one still counts.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {}

    // False at the end of the file.
    bool next(std::string_view& line) {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

struct Decimal {
    bool isNumber = false;
    bool inRange = false;
    std::int64_t value = 0;
};

// A decimal integer with an optional sign and nothing else, checked against
// [low, high]. Digits beyond any 32-bit value only mark it out of range, so the
// arithmetic never overflows.
Decimal ParseDecimal(std::string_view text, std::int64_t low, std::int64_t high) {
    constexpr std::int64_t kBeyond = 10'000'000'000LL;
    Decimal result;
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return result;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return result;
        if (value < kBeyond) value = value * 10 + (c - '0');
    }
    result.isNumber = true;
    result.value = negative ? -value : value;
    result.inRange = result.value >= low && result.value <= high;
    return result;
}

class SaveReader {
public:
    SaveReader(std::string_view bytes, const SystemSaveValues& values)
        : lines_(bytes), values_(values) {}

    SystemSaveDamage read() {
        if (readWords() && findListStart()) readList();
        return damage_;
    }

private:
    // A line too long to trust is damage, and its content is not used.
    bool nextLine(std::string_view& line, bool& usable) {
        if (!lines_.next(line)) return false;
        usable = line.size() <= kMaxLineBytes;
        if (!usable) damage_.note(lines_.number(), u8"行が511バイトを超えています");
        return true;
    }

    // The next flag word, stored as its low 32 bits; nullopt when it cannot be
    // trusted. Sets atEnd at the end of the file.
    std::optional<std::uint32_t> readWord(bool& atEnd) {
        std::string_view line;
        bool usable = false;
        atEnd = !nextLine(line, usable);
        if (atEnd || !usable) return std::nullopt;
        const Decimal word = ParseDecimal(Trimmed(line), kLowestWord, kHighestWord);
        if (word.inRange) return static_cast<std::uint32_t>(word.value);
        damage_.note(lines_.number(),
                     word.isNumber ? u8"数値が範囲外です" : u8"数値ではありません");
        return std::nullopt;
    }

    template <class Word>
    bool readWordInto(Word& target) {
        bool atEnd = false;
        if (const auto word = readWord(atEnd)) target = static_cast<Word>(*word);
        return !atEnd;
    }

    // The flag words in file order; false, with the missing list noted, at the end
    // of the file.
    bool readWords() {
        for (std::uint32_t& word : values_.cg) {
            if (!readWordInto(word)) return missing(u8"開始行がありません");
        }
        for (std::uint32_t& word : values_.replay) {
            if (!readWordInto(word)) return missing(u8"開始行がありません");
        }
        if (!readWordInto(values_.gameClear)) return missing(u8"開始行がありません");
        for (std::int32_t& flag : values_.clothes) {
            if (!readWordInto(flag)) return missing(u8"開始行がありません");
        }
        return true;
    }

    bool findListStart() {
        std::string_view line;
        bool usable = false;
        while (nextLine(line, usable)) {
            if (usable && FirstWordIs(line, kListStart)) return true;
        }
        return missing(u8"開始行がありません");
    }

    void readList() {
        std::size_t stored = 0;
        std::string_view line;
        bool usable = false;
        while (nextLine(line, usable)) {
            if (!usable) continue;
            const SplitWords split = SplitLine(line, 2, kMaxLineBytes);
            if (split.words.empty()) {
                damage_.note(lines_.number(), u8"空行です");
                continue;
            }
            if (SjisEqualsWord(split.words[0].text, kListEnd)) return;
            if (stored == values_.list.size()) {
                damage_.note(lines_.number(), u8"513件目以降の行です");
                return;
            }
            if (storeEntry(split, values_.list[stored])) ++stored;
        }
        if (stored < values_.list.size()) missing(u8"終了行がありません");
    }

    bool storeEntry(const SplitWords& split, AUTO_SKIP_FILE_DATA& entry) {
        const std::string_view name = split.words[0].text;
        if (name.size() >= AUTO_SKIP_FILE_DATA::kNameSize) {
            damage_.note(lines_.number(), u8"ファイル名が長すぎます");
            return false;
        }
        // A NUL would end the stored name early, or leave an entry that looks free.
        if (name.find('\0') != std::string_view::npos) {
            damage_.note(lines_.number(), u8"ファイル名が不正です");
            return false;
        }
        if (split.words.size() < 2) {
            damage_.note(lines_.number(), u8"位置がありません");
            return false;
        }
        const Decimal position = ParseDecimal(split.words[1].text, -1, kHighestPosition);
        if (!position.inRange) {
            damage_.note(lines_.number(), u8"位置が不正です");
            return false;
        }
        entry.Clear();
        platform::SjisCopyTruncated(entry.szFileName, sizeof entry.szFileName, name);
        entry.nPosition = static_cast<std::int32_t>(position.value);
        return true;
    }

    // The end of the file came where more was due; noted at the line after the last.
    bool missing(std::u8string_view what) {
        damage_.note(lines_.number() + 1, what);
        return false;
    }

    static bool SjisEqualsWord(std::string_view word, std::string_view marker) {
        return platform::SjisEqualsIgnoreCase(word, marker);
    }

    static bool FirstWordIs(std::string_view line, std::string_view marker) {
        const SplitWords split = SplitLine(line, 1, kMaxLineBytes);
        return !split.words.empty() && SjisEqualsWord(split.words[0].text, marker);
    }

    LineReader lines_;
    const SystemSaveValues& values_;
    SystemSaveDamage damage_;
};

void AppendNumber(std::string& out, std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d\n", value);
    out += text;
}

}  // namespace

void SystemSaveDamage::note(int line, std::u8string_view what) {
    if (count++ == 0) {
        firstLine = line;
        firstWhat = what;
    }
}

SystemSaveDamage ReadSystemSave(std::string_view bytes, const SystemSaveValues& values) {
    return SaveReader(bytes, values).read();
}

std::string WriteSystemSave(const SystemSaveValues& values) {
    std::string out;
    for (const std::uint32_t word : values.cg) AppendNumber(out, static_cast<std::int32_t>(word));
    for (const std::uint32_t word : values.replay) {
        AppendNumber(out, static_cast<std::int32_t>(word));
    }
    AppendNumber(out, static_cast<std::int32_t>(values.gameClear));
    for (const std::int32_t flag : values.clothes) AppendNumber(out, flag);
    out += "\n";
    out += kListStart;
    out += "\n";
    for (const AUTO_SKIP_FILE_DATA& entry : values.list) {
        if (entry.szFileName[0] == '\0') break;
        out += entry.szFileName;
        out += "\t";
        AppendNumber(out, entry.nPosition);
    }
    out += kListEnd;
    out += "\n";
    return out;
}
