#include "mkdemo/InitScriptWriter.h"

#include "mkdemo/CharacterSheets.h"
#include "mkdemo/FileStem.h"
#include "shell/AssetManifest.h"

namespace mkdemo {

namespace {

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

void AddRows(std::vector<std::u8string>& lines, const std::vector<std::string>& names,
             const std::string& kind) {
    for (const std::string& name : names) {
        if (!name.empty()) {
            lines.push_back(U8("#REG_DATA " + FileStem(name) + " " + kind + " " + name));
        }
    }
}

}  // namespace

std::vector<std::u8string> InitScriptWriter::Lines(const AssetManifest& manifest,
                                                   const std::vector<std::u8string>& storyTail) {
    // The codec's header hides the first line, so it can only be a comment.
    std::vector<std::u8string> lines = {u8"// 初期化スクリプト（生成されたファイル）"};
    AddRows(lines, manifest.TextureNames(), "TEX");
    AddRows(lines, manifest.SurfaceNames(), "SURF");
    AddRows(lines, manifest.EffectNames(), "WAVE");
    for (const std::string& line : CharacterSheets::InitLines()) lines.push_back(U8(line));
    lines.insert(lines.end(), storyTail.begin(), storyTail.end());
    return lines;
}

}  // namespace mkdemo
