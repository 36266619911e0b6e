// SPDX-License-Identifier: GPL-3.0-or-later
// FormatNumber against the plain 18-digit conversion it builds on (to_chars) and
// against printf-style formatting, on the program's own values and on random doubles.
// Prints the time ratios of one run at the end.
#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/band_tables.h"
#include "engine/number_text.h"

namespace {

// Every number the result panel can show: values scaled to their unit, and tolerances.
std::vector<double> ProgramValues() {
    std::vector<double> values;
    for (int p1 = 0; p1 < 9; ++p1)
        for (int p2 = 0; p2 < 10; ++p2)
            for (int p3 = 0; p3 < 12; ++p3) {
                const double ohms = (velto::LookUpPick(1, p1)->code * 10 + velto::LookUpPick(2, p2)->code) *
                                    std::pow(10.0, velto::LookUpPick(3, p3)->code);
                values.push_back(ohms >= 1e6 ? ohms / 1e6 : ohms >= 1000 ? ohms / 1000 : ohms);
            }
    for (double tolerance : {10.0, 5.0, 1.0, 2.0, 0.5, 0.25, 0.1, 0.05}) values.push_back(tolerance);
    return values;
}

std::vector<double> RandomValues() {
    std::mt19937_64 random(7);
    std::vector<double> values;
    while (values.size() < 4096) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value)) values.push_back(value);
    }
    return values;
}

const std::vector<double>& Values(int set) {
    static const std::vector<double> program = ProgramValues(), random = RandomValues();
    return set == 0 ? program : random;
}

void FormatNumber(benchmark::State& state) {
    const auto& values = Values(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = velto::FormatNumber(values[i++ % values.size()]);
        benchmark::DoNotOptimize(text);
    }
}

void ToChars18Digits(benchmark::State& state) {
    const auto& values = Values(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    char text[32];
    for (auto _ : state) {
        auto result = std::to_chars(text, text + sizeof text, values[i++ % values.size()],
                                    std::chars_format::scientific, 17);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(text);
    }
}

void Snprintf15G(benchmark::State& state) {
    const auto& values = Values(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    char text[32];
    for (auto _ : state) {
        int length = std::snprintf(text, sizeof text, "%.15G", values[i++ % values.size()]);
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(text);
    }
}

BENCHMARK(FormatNumber)->Arg(0)->Arg(1);
BENCHMARK(ToChars18Digits)->Arg(0)->Arg(1);
BENCHMARK(Snprintf15G)->Arg(0)->Arg(1);

// Keeps each run's time per iteration, to set them side by side after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto time = [&](const char* name, int set) {
        const auto found = reporter.nanoseconds.find(std::string(name) + (set == 0 ? "/0" : "/1"));
        return found == reporter.nanoseconds.end() ? std::nan("") : found->second;
    };
    std::printf("\nFormatNumber's time over the other's (targets: at most 1.3 and below 1):\n");
    for (int set = 0; set < 2; ++set) {
        const double format = time("FormatNumber", set);
        std::printf("  %-15s  vs to_chars: %.2f   vs snprintf %%.15G: %.2f\n",
                    set == 0 ? "program values" : "random doubles", format / time("ToChars18Digits", set),
                    format / time("Snprintf15G", set));
    }
    benchmark::Shutdown();
}
