#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct tPair {
    std::string Target;
    std::string Baseline;
    double Limit;
};

std::vector<tPair>& Pairs() {
    static std::vector<tPair> pairs;
    return pairs;
}

// The console table as usual; the CPU seconds per iteration of every run are
// kept by name (several with --benchmark_repetitions, of which the median
// counts).
class tRatioReporter : public benchmark::ConsoleReporter {
public:
    tRatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                Seconds[run.run_name.str()].push_back(run.cpu_accumulated_time /
                                                      static_cast<double>(run.iterations));
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        bool header = false;
        for (const tPair& pair : Pairs()) {
            const double target = Median(pair.Target);
            const double baseline = Median(pair.Baseline);
            if (target <= 0 || baseline <= 0) {
                continue; // filtered out of this run
            }
            if (!header) {
                std::printf("\n%-52s %-46s %8s %7s\n", "Benchmark", "Baseline", "Ratio", "Limit");
                header = true;
            }
            const double ratio = target / baseline;
            if (pair.Limit > 0) {
                std::printf("%-52s %-46s %7.2fx %6.1fx %s\n", pair.Target.c_str(), pair.Baseline.c_str(),
                            ratio, pair.Limit, ratio <= pair.Limit ? "holds" : "MISSED");
            } else {
                std::printf("%-52s %-46s %7.2fx %7s\n", pair.Target.c_str(), pair.Baseline.c_str(), ratio,
                            "-");
            }
        }
        std::fflush(stdout);
    }

private:
    double Median(const std::string& name) {
        auto found = Seconds.find(name);
        if (found == Seconds.end() || found->second.empty()) {
            return 0;
        }
        std::vector<double>& times = found->second;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    std::map<std::string, std::vector<double>> Seconds;
};

} // namespace

void CompareWithBaseline(const std::string& target, const std::string& baseline, double limit) {
    Pairs().push_back({target, baseline, limit});
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    tRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
