// The slot-file parser on arbitrary bytes over a fixed game (two variables, two small
// characters, one short scenario): it refuses with a line and a field, or its image
// writes back into a file that reads as the same image. The save screen's header reader
// takes the first line, and its row keeps two characters to every field.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "common/CodedScriptWriter.h"
#include "game/SlotFileFormat.h"
#include "game/SlotFileParser.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SaveRowText.h"

using zkfuzz::Require;

namespace {

class OneScript : public SlotScriptSource {
public:
    OneScript() {
        std::string error;
        bytes_ = zktools::EncodeScript(
            "#MsgWndOpen 20\r\n#MsgDisp AYA Hello\r\n#SelectStart 3\r\n#SelectWait\r\n", error);
        Require(bytes_.has_value(), "the scenario could not be coded");
    }
    std::optional<std::string> MemberBytes(std::string_view szName) const override {
        if (szName != "prologue.spt") return std::nullopt;
        return bytes_;
    }

private:
    std::optional<std::string> bytes_;
};

const SlotSchema& Schema() {
    static const OneScript scripts;
    static const SlotSchema schema = [] {
        SlotSchema made;
        made.nVarNum = 2;
        made.Characters = {{"AYA", 2, {3, 3}}, {"MEI", 1, {2}}};
        made.pScripts = &scripts;
        return made;
    }();
    return schema;
}

void CheckHeader(std::string_view bytes) {
    SAVE_INFO_DATA info;
    info.nExist = 1;
    SAVE_LOAD_WINDOW_DATA::ParseSaveHeader(bytes.substr(0, bytes.find('\n')), info);
    static const std::size_t rowSize = SaveRowText(1, SAVE_INFO_DATA{.nExist = 1}).size();
    Require(SaveRowText(1, info).size() == rowSize, "a header gives a row of another width");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckHeader(bytes);
    const SlotParseResult parsed = ParseSlotFile(bytes, Schema());
    if (!parsed.image) {
        Require(parsed.nLine > 0 && !parsed.szField.empty(), "a refusal without line or field");
        return 0;
    }
    const SlotParseResult again = ParseSlotFile(FormatSlotFile(*parsed.image), Schema());
    Require(again.image.has_value(), "a written image reads as damaged");
    Require(*again.image == *parsed.image, "a written image reads back differently");
    return 0;
}
