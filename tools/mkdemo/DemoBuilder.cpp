#include "mkdemo/DemoBuilder.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <future>
#include <thread>

#include "common/CodedScriptWriter.h"
#include "mkdemo/DemoSystemSave.h"
#include "mkdemo/InitScriptWriter.h"
#include "mkdemo/MovieMaker.h"
#include "mkdemo/OpeningMovie.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "mkdemo/ScriptChecker.h"
#include "mkdemo/SoundSynth.h"
#include "mkdemo/VoiceCast.h"
#include "shell/AssetManifest.h"
#include "system/AtomicFileWriter.h"

namespace mkdemo {

namespace {

namespace fs = std::filesystem;

constexpr const char* kStagedSuffix = ".new";
constexpr const char* kScriptArchive = "Scenario.dat";

struct Story {
    std::vector<SourceFile> scripts;  // Init.spt first, then the scenarios by name
    StoryRegistry registry;
};

std::optional<Story> ReadStory(const std::string& sourceDir, std::vector<SourceProblem>& problems) {
    std::optional<StorySources> sources = StorySources::Load(sourceDir, problems);
    if (!sources) return std::nullopt;
    const AssetManifest& manifest = AssetManifest::Instance();
    Story story;
    SourceFile init{
        InitScriptWriter::kName, InitScriptWriter::Lines(manifest, sources->initStory.lines), {}};
    ScriptChecker::Convert(init, true, problems);
    ScriptChecker::Convert(sources->initStory, false, problems);
    for (SourceFile& file : sources->scenarios) ScriptChecker::Convert(file, true, problems);
    story.registry.Register(init.cp932);
    for (int track = 1; track <= DemoBuilder::kMusicTracks; ++track) {
        story.registry.music.insert(DemoBuilder::MusicName(track));
    }
    for (const SourceFile& file : sources->scenarios) story.registry.scripts.insert(file.name);
    ScriptChecker::CheckInitStory(sources->initStory, story.registry, problems);
    for (const SourceFile& file : sources->scenarios) {
        ScriptChecker::CheckScenario(file, story.registry, problems);
    }
    if (!problems.empty()) return std::nullopt;
    story.scripts.push_back(std::move(init));
    for (SourceFile& file : sources->scenarios) story.scripts.push_back(std::move(file));
    return story;
}

std::optional<DemoArchive> Pictures(std::vector<SourceProblem>& problems) {
    std::string error;
    const auto entries = PictureCatalog::Build(AssetManifest::Instance(), error);
    if (!entries) {
        problems.push_back({"AssetManifest", 0, error});
        return std::nullopt;
    }
    // Painted on every core; each picture has its own place, so the archive does not
    // depend on the order they finish in.
    std::vector<std::string> bitmaps(entries->size());
    std::atomic<std::size_t> next = 0;
    const auto paint = [&] {
        for (std::size_t i; (i = next++) < entries->size();) {
            bitmaps[i] = PicturePainter::BitmapOf((*entries)[i]);
        }
    };
    {
        std::vector<std::jthread> painters(std::max(1u, std::thread::hardware_concurrency()));
        for (std::jthread& painter : painters) painter = std::jthread(paint);
    }
    DemoArchive archive{"Img.dat", {}};
    for (std::size_t i = 0; i < entries->size(); ++i) {
        archive.members.push_back(zktools::MemberFromBytes((*entries)[i].name, bitmaps[i]));
    }
    return archive;
}

DemoArchive Effects() {
    DemoArchive archive{"SE.dat", {}};
    const auto& names = AssetManifest::Instance().EffectNames();
    for (const std::string& name : names) {
        if (name.empty()) continue;
        archive.members.push_back(zktools::MemberFromBytes(name, SoundSynth::Effect(name)));
    }
    return archive;
}

DemoArchive Music() {
    DemoArchive archive{"AU.dat", {}};
    for (int track = 1; track <= DemoBuilder::kMusicTracks; ++track) {
        archive.members.push_back(
            zktools::MemberFromBytes(DemoBuilder::MusicName(track), SoundSynth::Music(track)));
    }
    return archive;
}

DemoArchive Voices(const Story& story) {
    DemoArchive archive{"VO.dat", {}};
    for (const VoiceLine& voice : VoiceCast::Collect(story.scripts)) {
        archive.members.push_back(zktools::MemberFromBytes(
            voice.name, SoundSynth::Voice(voice.syllables, voice.hertz, voice.minimumMs)));
    }
    return archive;
}

std::optional<DemoArchive> Scripts(const Story& story, std::vector<SourceProblem>& problems) {
    DemoArchive archive{kScriptArchive, {}};
    for (const SourceFile& file : story.scripts) {
        std::string plain;
        for (const std::string& line : file.cp932) plain += line + "\r\n";
        std::string error;
        std::optional<std::string> coded = zktools::EncodeScript(plain, error);
        if (!coded) {
            problems.push_back({file.name, 0, error});
            return std::nullopt;
        }
        archive.members.push_back(zktools::MemberFromBytes(file.name, std::move(*coded)));
    }
    return archive;
}

// The scripts that the system save's scene unlocks may name.
NameSet ScriptNames(const std::vector<DemoArchive>& archives) {
    NameSet names;
    for (const DemoArchive& archive : archives) {
        if (archive.name != kScriptArchive) continue;
        for (const zktools::CombinedMember& member : archive.members) names.insert(member.name);
    }
    return names;
}

void RemoveStaged(const fs::path& dat, const std::vector<DemoArchive>& archives,
                  std::size_t count) {
    std::error_code ignored;
    for (std::size_t i = 0; i < count; ++i)
        fs::remove(dat / (archives[i].name + kStagedSuffix), ignored);
}

}  // namespace

std::uint64_t DemoArchive::Bytes() const {
    std::uint64_t total = 0;
    for (const zktools::CombinedMember& member : members) total += member.size;
    return total;
}

std::string DemoBuilder::MusicName(int track) {
    char name[16];
    std::snprintf(name, sizeof name, "bgm%02d.mus", track);
    return name;
}

std::optional<std::vector<DemoArchive>> DemoBuilder::Build(const std::string& sourceDir,
                                                           std::vector<SourceProblem>& problems) {
    const std::optional<Story> story = ReadStory(sourceDir, problems);
    if (!story) return std::nullopt;
    std::optional<DemoArchive> scripts = Scripts(*story, problems);
    if (!scripts) return std::nullopt;
    // The sounds are made on their own thread while the pictures take the others.
    std::future<std::vector<DemoArchive>> sounds = std::async(std::launch::async, [&] {
        std::vector<DemoArchive> made;
        made.push_back(Effects());
        made.push_back(Voices(*story));
        made.push_back(Music());
        return made;
    });
    std::optional<DemoArchive> pictures = Pictures(problems);
    std::vector<DemoArchive> made = sounds.get();
    if (!pictures) return std::nullopt;
    std::vector<DemoArchive> archives;
    archives.push_back(std::move(*pictures));
    for (DemoArchive& archive : made) archives.push_back(std::move(archive));
    archives.push_back(std::move(*scripts));
    return archives;
}

bool DemoBuilder::Write(const std::string& outDir, const std::vector<DemoArchive>& archives,
                        std::string& error) {
    const fs::path dat = fs::path(outDir) / "dat";
    std::error_code failure;
    const bool made = fs::create_directories(dat, failure);
    if (failure) {
        error = "cannot make " + dat.string() + ": " + failure.message();
        return false;
    }
    const fs::path movie = dat / kMovieName;
    const fs::path stagedMovie = dat / (std::string(kMovieName) + kStagedSuffix);
    std::size_t staged = 0;
    const auto discard = [&] {
        RemoveStaged(dat, archives, staged);
        fs::remove(stagedMovie, failure);
        if (made) fs::remove(dat, failure);
        return false;
    };
    for (const DemoArchive& archive : archives) {
        const fs::path path = dat / (archive.name + kStagedSuffix);
        if (!zktools::WriteCombinedFile(path.string(), archive.members,
                                        zktools::ListPlace::InArchive, error)) {
            return discard();
        }
        ++staged;
    }
    std::string why;
    const OpeningMovie opening;
    if (!MovieMaker::Make(opening.movie(), stagedMovie.string(), why)) {
        error = std::string(kMovieName) + ": " + why;
        return discard();
    }
    // Finished with the rest, so that a failure here still leaves the old files.
    const std::optional<std::string> saveBytes = DemoSystemSave::Bytes(ScriptNames(archives), why);
    if (!saveBytes) {
        error = std::string(DemoSystemSave::kName) + ": " + why;
        return discard();
    }
    AtomicFileWriter save((dat / DemoSystemSave::kName).string());
    save.write(*saveBytes);
    if (!save.finish()) {
        error = std::string(DemoSystemSave::kName) + ": " + save.error();
        return discard();
    }
    fs::rename(stagedMovie, movie, failure);
    if (failure) {
        error = "cannot replace " + movie.string() + ": " + failure.message();
        return false;
    }
    for (const DemoArchive& archive : archives) {
        fs::rename(dat / (archive.name + kStagedSuffix), dat / archive.name, failure);
        if (failure) {
            error = "cannot replace " + (dat / archive.name).string() + ": " + failure.message();
            return false;
        }
    }
    if (!save.commit()) {
        error = "cannot replace " + save.targetPath() + ": " + save.error();
        return false;
    }
    return true;
}

}  // namespace mkdemo
