// The benchmarks' main: as the library's own, but the exit status says whether
// every benchmark ran, so that a benchmark that could not run is never taken for a
// figure.
#include <benchmark/benchmark.h>

#include <vector>

namespace {

class FailureNotingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override {
        for (const Run& run : reports) failed_ = failed_ || run.error_occurred;
        ConsoleReporter::ReportRuns(reports);
    }
    bool failed() const { return failed_; }

private:
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
