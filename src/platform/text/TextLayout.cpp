#include "platform/text/TextLayout.h"

#include "platform/text/SjisText.h"

namespace platform {

namespace {

using Cells = std::vector<TextCell>;

constexpr char kBlank = ' ';

int CellWidth(std::size_t length, int height) { return length == 2 ? height : height / 2; }

bool IsBlank(std::string_view text, const TextCell& cell) {
    return cell.length == 1 && text[cell.offset] == kBlank;
}

int Width(const Cells& line) {
    int width = 0;
    for (const TextCell& cell : line) width += cell.width;
    return width;
}

// Splits text into lines of unplaced cells, wrapping at the rectangle's width
// when asked.
class LineBuilder {
public:
    LineBuilder(std::string_view text, int maxWidth, bool wrap)
        : text_(text), maxWidth_(maxWidth), wrap_(wrap) {}

    void add(const TextCell& cell) {
        if (dropBlanks_ && IsBlank(text_, cell)) return;
        dropBlanks_ = false;
        while (wrap_ && !line_.empty() && Width(line_) + cell.width > maxWidth_) {
            if (IsBlank(text_, cell)) {
                endLine();
                dropBlanks_ = true;
                return;
            }
            breakBefore(cell);
        }
        line_.push_back(cell);
    }

    void endLine() {
        lines_.push_back(std::move(line_));
        line_.clear();
        dropBlanks_ = false;
    }

    std::vector<Cells> finish() {
        endLine();
        return std::move(lines_);
    }

private:
    // The last place the line may break before next: after a run of blanks or
    // beside a double-byte character; with none, right before next.
    std::size_t breakPoint(const TextCell& next) const {
        for (std::size_t k = line_.size(); k >= 1; --k) {
            const TextCell& after = k == line_.size() ? next : line_[k];
            const TextCell& before = line_[k - 1];
            if (IsBlank(text_, before) && !IsBlank(text_, after)) return k;
            if (before.length == 2 || after.length == 2) return k;
        }
        return line_.size();
    }

    void breakBefore(const TextCell& next) {
        const std::size_t k = breakPoint(next);
        Cells rest(line_.begin() + static_cast<std::ptrdiff_t>(k), line_.end());
        line_.resize(k);
        while (!line_.empty() && IsBlank(text_, line_.back())) line_.pop_back();
        endLine();
        line_ = std::move(rest);
    }

    std::string_view text_;
    int maxWidth_;
    bool wrap_;
    bool dropBlanks_ = false;
    Cells line_;
    std::vector<Cells> lines_;
};

// Gives every cell of the line its position from the line's left edge.
void Place(Cells& line, int left, int top, Cells& out) {
    int x = left;
    for (TextCell& cell : line) {
        cell.x = x;
        cell.y = top;
        x += cell.width;
        out.push_back(cell);
    }
}

}  // namespace

std::vector<TextCell> TextLayout::Line(std::string_view text, int x, int y, int height) {
    Cells line;
    for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text, i)) {
        const std::size_t length = SjisCharLength(text, i);
        line.push_back({i, length, 0, 0, CellWidth(length, height)});
    }
    Cells out;
    Place(line, x, y, out);
    return out;
}

std::vector<TextCell> TextLayout::Box(std::string_view text, const Rect& rect, std::uint32_t format,
                                      int height) {
    const bool single = (format & kSingleLine) != 0;
    LineBuilder builder(text, rect.right - rect.left, !single && (format & kWordBreak) != 0);
    for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text, i)) {
        const std::size_t length = SjisCharLength(text, i);
        const bool cr = length == 1 && text[i] == '\r';
        const bool lf = length == 1 && text[i] == '\n';
        if (cr || lf) {
            if (single) continue;
            if (cr && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            builder.endLine();
            continue;
        }
        builder.add({i, length, 0, 0, CellWidth(length, height)});
    }
    std::vector<Cells> lines = builder.finish();

    int top = rect.top;
    if (single && (format & kVCenter) != 0) {
        top = rect.top + (rect.bottom - rect.top - height) / 2;
    } else if (single && (format & kBottom) != 0) {
        top = rect.bottom - height;
    }
    Cells out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int width = Width(lines[k]);
        int left = rect.left;
        if ((format & kCenter) != 0) {
            left = rect.left + (rect.right - rect.left - width) / 2;
        } else if ((format & kRight) != 0) {
            left = rect.right - width;
        }
        Place(lines[k], left, top + static_cast<int>(k) * height, out);
    }
    return out;
}

bool TextLayout::Inked(std::string_view text, const TextCell& cell) {
    const auto first = static_cast<unsigned char>(text[cell.offset]);
    if (cell.length == 2) return true;
    return first >= 0x20 && !IsSjisLeadByte(first);
}

}  // namespace platform
