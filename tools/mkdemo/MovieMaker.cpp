#include "mkdemo/MovieMaker.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "common/WavWriter.h"
#include "platform/core/ProcessRunner.h"
#include "platform/text/TextRenderer.h"

namespace mkdemo {

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// The band: rows above W/10 take the bit of the frame number N that their block
// carries. The same test holds in the subsampled chroma planes, whose W and Y
// shrink together, so the band stays neutral grey or white there.
std::string BandFilter() {
    const std::string inBand = "lt(Y,W/10)";
    const std::string bit = "mod(floor(N/pow(2,9-floor(X*10/W))),2)";
    return "geq=lum='if(" + inBand + ",if(" + bit + ",235,126),lum(X,Y))'" + ":cb='if(" + inBand +
           ",128,cb(X,Y))'" + ":cr='if(" + inBand + ",128,cr(X,Y))'";
}

std::string TextFilter(const MovieRecipe& r) {
    const int size = r.height / 12;
    return "drawtext=fontfile=" + std::string(platform::TextRenderer::kDefaultFont) +
           ":text='Mov.vid frame %{frame_num}':fontsize=" + std::to_string(size) +
           ":fontcolor=white:box=1:boxcolor=black:x=(w-text_w)/2:y=h-text_h-" +
           std::to_string(size / 2);
}

// The tone source gives whole blocks only, so the sound is cut to its length here.
long long SoundFrames(const MovieRecipe& r) {
    if (r.soundSeconds > 0) return std::llround(r.soundSeconds * r.soundRate);
    return static_cast<long long>(r.frames) * r.soundRate / r.rate;
}

// Mono sound cut to frames, at its own level on every channel: a plain upmix would
// lower it by 3 dB.
std::string SoundFilter(long long frames, int channels) {
    const std::string layout = channels == 1   ? "mono"
                               : channels == 2 ? "stereo"
                                               : std::to_string(channels) + "c";
    std::string filter = "atrim=end_sample=" + std::to_string(frames) + ",pan=" + layout;
    for (int c = 0; c < channels; ++c) filter += "|c" + std::to_string(c) + "=c0";
    return filter;
}

struct ContainerCodecs {
    const char* format;
    const char* video;
    const char* audio;
};

ContainerCodecs CodecsOf(MovieContainer container) {
    switch (container) {
        case MovieContainer::Avi:
            return {"avi", "mpeg4", "pcm_s16le"};
        case MovieContainer::MpegProgram:
            return {"mpeg", "mpeg1video", "mp2"};
        case MovieContainer::Matroska:
            break;
    }
    return {"matroska", "mpeg4", "pcm_s16le"};
}

// One thread everywhere and bit-exact conversions, so that the same movie always
// gives the same bytes.
std::vector<std::string> Start() {
    return {"ffmpeg", "-nostdin",   "-loglevel",
            "error",  "-y",         "-filter_threads",
            "1",      "-sws_flags", "bicubic+accurate_rnd+bitexact"};
}

void AddPictureOutput(std::vector<std::string>& args, const std::string& input,
                      const ContainerCodecs& codecs, int rate) {
    args.insert(args.end(), {"-map", input, "-c:v", codecs.video, "-q:v", "3", "-g",
                             std::to_string(rate), "-flags:v", "+bitexact"});
}

void AddSoundOutput(std::vector<std::string>& args, const std::string& input,
                    const std::string& filter, const ContainerCodecs& codecs) {
    args.insert(args.end(),
                {"-map", input, "-af", filter, "-c:a", codecs.audio, "-flags:a", "+bitexact"});
}

void AddEnd(std::vector<std::string>& args, const ContainerCodecs& codecs,
            const std::string& path) {
    args.insert(args.end(), {"-threads", "1", "-map_metadata", "-1", "-fflags", "+bitexact", "-f",
                             codecs.format, path});
}

bool Run(const std::vector<std::string>& args, const platform::ProcessInput& input,
         std::string& error) {
    const platform::ProcessResult result = platform::RunProcess(args, input);
    if (!result.started) {
        error = "cannot run ffmpeg: " + result.startError;
        return false;
    }
    if (result.exitStatus == 0) return true;
    const std::string first = result.err.substr(0, result.err.find('\n'));
    error =
        "ffmpeg failed: " + (first.empty() ? "exit " + std::to_string(result.exitStatus) : first);
    return false;
}

constexpr int kPaintedSoundRate = 44100;

std::vector<std::string> PaintedArguments(const PaintedMovie& m, const std::string& soundPath,
                                          const std::string& path) {
    const ContainerCodecs codecs = CodecsOf(MovieContainer::Matroska);
    const long long soundFrames = static_cast<long long>(m.frames) * kPaintedSoundRate / m.rate;
    std::vector<std::string> args = Start();
    args.insert(args.end(), {"-f", "rawvideo", "-pix_fmt", "bgra", "-video_size",
                             std::to_string(m.width) + "x" + std::to_string(m.height), "-framerate",
                             std::to_string(m.rate), "-i", "pipe:0", "-i", soundPath});
    AddPictureOutput(args, "0:v", codecs, m.rate);
    AddSoundOutput(args, "1:a",
                   "aresample=" + std::to_string(kPaintedSoundRate) + ",apad=whole_len=" +
                       std::to_string(soundFrames) + "," + SoundFilter(soundFrames, 2),
                   codecs);
    AddEnd(args, codecs, path);
    return args;
}

}  // namespace

MovieRecipe MovieRecipe::GameSize() {
    MovieRecipe recipe;
    recipe.width = 640;
    recipe.height = 480;
    recipe.rate = 25;
    recipe.frames = 75;
    return recipe;
}

std::vector<std::string> MovieMaker::Arguments(const MovieRecipe& r, const std::string& path) {
    const std::string seconds = Number(static_cast<double>(r.frames) / r.rate);
    const ContainerCodecs codecs = CodecsOf(r.container);
    std::vector<std::string> args = Start();
    if (r.picture) {
        args.insert(args.end(),
                    {"-f", "lavfi", "-i",
                     "smptebars=size=" + std::to_string(r.width) + "x" + std::to_string(r.height) +
                         ":rate=" + std::to_string(r.rate) + ":duration=" + seconds});
    }
    if (r.sound) {
        args.insert(args.end(), {"-f", "lavfi", "-i",
                                 "sine=frequency=440:beep_factor=2:sample_rate=" +
                                     std::to_string(r.soundRate)});
    }
    if (r.picture) {
        args.insert(args.end(), {"-vf", BandFilter() + "," + TextFilter(r)});
        AddPictureOutput(args, "0:v", codecs, r.rate);
    }
    if (r.sound) {
        AddSoundOutput(args, r.picture ? "1:a" : "0:a", SoundFilter(SoundFrames(r), r.channels),
                       codecs);
    }
    AddEnd(args, codecs, path);
    return args;
}

bool MovieMaker::Make(const MovieRecipe& recipe, const std::string& path, std::string& error) {
    return Run(Arguments(recipe, path), {}, error);
}

bool MovieMaker::Make(const PaintedMovie& movie, const std::string& path, std::string& error) {
    const std::string soundPath = path + ".wav";
    if (!zktools::WriteWavFile(soundPath, {16, 1, movie.soundRate}, movie.sound)) {
        error = "cannot write " + soundPath;
        return false;
    }
    int next = 0;
    const bool made = Run(
        PaintedArguments(movie, soundPath, path),
        [&] { return next < movie.frames ? movie.picture(next++) : std::string(); }, error);
    std::error_code ignored;
    std::filesystem::remove(soundPath, ignored);
    return made;
}

}  // namespace mkdemo
