#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "system/ZKCODE.h"

namespace {

// A coded script of about 1 MiB in a private temporary folder, removed afterwards.
class CodedScript {
public:
    explicit CodedScript(std::size_t plainBytes)
        : dir_(std::filesystem::temp_directory_path() /
               ("zk-codec-bench-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(dir_);
        // Script-like lines: ASCII commands and Shift-JIS text, 80 bytes with CR LF.
        const std::string line =
            "MSG \"\x95\x5C\x8E\xA6\x82\xB7\x82\xE9\" 0012 0034 " + std::string(53, 'x') + "\r\n";
        std::string plain;
        while (plain.size() + line.size() <= plainBytes) plain += line;
        std::ofstream((dir_ / "plain.txt").string(), std::ios::binary) << plain;
        plainBytes_ = plain.size();
        const std::string coded = path();
        if (ZKEncode((dir_ / "plain.txt").c_str(), coded.c_str(), kZKEncodeKeepLineBreaks) != 0) {
            throw std::runtime_error("cannot write the coded script");
        }
    }
    ~CodedScript() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string path() const { return (dir_ / "script.spt").string(); }
    std::size_t plainBytes() const { return plainBytes_; }

private:
    std::filesystem::path dir_;
    std::size_t plainBytes_ = 0;
};

// The script reader's loop: 512-byte raw lines, each decoded into 512 bytes.
void CodedScriptReadAndDecodeLines(benchmark::State& state) {
    const CodedScript script(1 << 20);
    char raw[512];
    char out[512];
    for (auto _ : state) {
        std::FILE* file = std::fopen(script.path().c_str(), "rb");
        int lines = 0;
        while (CodeFileReadOneLine(file, raw, sizeof raw) == 0) {
            lines += 1 - CodeLineDecode(raw, sizeof raw, out);
            benchmark::DoNotOptimize(out);
        }
        std::fclose(file);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.plainBytes()));
}
BENCHMARK(CodedScriptReadAndDecodeLines)->Unit(benchmark::kMillisecond);

}  // namespace
