#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

// The console report, also keeping each benchmark's wall time per iteration, in seconds, so that
// a benchmark's figures can be printed as ratios against its baseline.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name]
                    = run.real_accumulated_time / double(run.iterations);
        }
    }

    std::map<std::string, double> seconds;
};
