#include "support/ScriptKit.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/BitmapWriter.h"
#include "common/CodedScriptWriter.h"
#include "common/CombinedFileWriter.h"
#include "common/WavWriter.h"
#include "shell/AssetManifest.h"
#include "shell/RegisterResourceFiles.h"
#include "support/Bytes.h"

namespace zktest {

ScriptKit::ScriptKit() {
    std::filesystem::create_directory("dat");
    EXPECT_EQ(sprites.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
    EXPECT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    EXPECT_EQ(RegisterResourceFiles(sprites.sprite, snd), 1);
    sys.Initialize(nullptr, 1);
    game->SetShell(shell, host);
    EXPECT_EQ(game->Initialize(&sys, &sprites.sprite, &snd), 1u);
    clearLog();
}

ScriptKit::~ScriptKit() {
    game.reset();
    snd.Release();
    BeginShellState();
}

std::string ScriptKit::Coded(const std::vector<std::u8string>& lines) {
    std::string error;
    const auto bytes = zktools::CodedScriptBytes(lines, error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or("");
}

std::string ScriptKit::CodedPlain(const std::string& plain) {
    std::string error;
    const auto bytes = zktools::EncodeScript(plain, error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or("");
}

void ScriptKit::WriteArchive(const std::string& path,
                             const std::vector<std::pair<std::string, std::string>>& members) {
    std::vector<zktools::CombinedMember> list;
    for (const auto& [name, bytes] : members) list.push_back(zktools::MemberFromBytes(name, bytes));
    std::string error;
    EXPECT_TRUE(zktools::WriteCombinedFile(path, list, zktools::ListPlace::InArchive, error))
        << error;
}

std::string ScriptKit::Flat(int width, int height, std::uint32_t xrgb) {
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), xrgb);
    return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, width, height, pixels);
}

std::string ScriptKit::Tone() {
    static const std::string tone = [] {
        const zktools::WavFormat format;
        return zktools::WavBytes(format, zktools::Sine(format, 4410, 440.0, 0.5f));
    }();
    return tone;
}

bool ScriptKit::OpenScript(const std::vector<std::u8string>& lines, const std::string& name) {
    return OpenCodedScript(Coded(lines), name);
}

bool ScriptKit::OpenCodedScript(const std::string& coded, const std::string& name) {
    WriteArchive("dat/Scenario.dat", {{name, coded}});
    const bool opened = game->ScrFileOpen(name.c_str()).bOpened;
    clearLog();
    return opened;
}

std::string ScriptKit::SurfaceName(int slot) {
    return AssetManifest::Instance().SurfaceNames().at(static_cast<std::size_t>(slot));
}

std::string ScriptKit::EffectName(int record) {
    return AssetManifest::Instance().EffectNames().at(static_cast<std::size_t>(record));
}

}  // namespace zktest
