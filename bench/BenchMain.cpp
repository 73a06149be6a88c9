// The benchmarks' main: as the library's own, with its display and its flags, but the
// exit status says whether every benchmark ran, so that a benchmark that could not
// run is never taken for a figure.
#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Hands everything to the display the library's flags choose, noting failed runs.
class FailureNotingReporter : public benchmark::BenchmarkReporter {
public:
    // The library keeps the display it makes for the whole run.
    FailureNotingReporter() : display_(*benchmark::CreateDefaultDisplayReporter()) {}

    bool ReportContext(const Context& context) override { return display_.ReportContext(context); }
    void ReportRuns(const std::vector<Run>& reports) override {
        for (const Run& run : reports) failed_ = failed_ || run.error_occurred;
        display_.ReportRuns(reports);
    }
    void Finalize() override { display_.Finalize(); }
    bool failed() const { return failed_; }

private:
    benchmark::BenchmarkReporter& display_;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    FailureNotingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.failed() ? 1 : 0;
}
