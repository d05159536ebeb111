// Timing and table output shared by the benchmark programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Seconds on the high-resolution counter.
inline double NowSeconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

// Microseconds per call of `step`: the median of several batches, each long
// enough to outlast the counter's and the scheduler's granularity. The median
// keeps a batch disturbed by another process on a shared core out of the figure.
template <typename Step> double MicrosecondsPerCall(Step step, double batchSeconds = 0.05) {
    step(); // warm-up: first-touch costs are not what a running program pays
    int calls = 1;
    for (;;) {
        double start = NowSeconds();
        for (int i = 0; i < calls; ++i)
            step();
        if (NowSeconds() - start >= batchSeconds / 4 || calls >= (1 << 24))
            break;
        calls *= 2;
    }
    std::vector<double> batches;
    for (int batch = 0; batch < 9; ++batch) {
        double start = NowSeconds();
        for (int i = 0; i < calls; ++i)
            step();
        batches.push_back((NowSeconds() - start) * 1e6 / calls);
    }
    std::nth_element(batches.begin(), batches.begin() + 4, batches.end());
    return batches[4];
}

// One row of the table that bench/run.sh prints: | benchmark | case | time | ratio |.
inline void PrintRow(const char *benchmark, const char *caseName, double microseconds,
                     const char *ratio = "") {
    if (microseconds >= 1000)
        printf("| %s | %s | %.2f ms | %s |\n", benchmark, caseName, microseconds / 1000, ratio);
    else if (microseconds >= 1)
        printf("| %s | %s | %.1f us | %s |\n", benchmark, caseName, microseconds, ratio);
    else
        printf("| %s | %s | %.0f ns | %s |\n", benchmark, caseName, microseconds * 1000, ratio);
    fflush(stdout);
}

// "x1.23 of <what>"
inline const char *Ratio(double value, double baseline, const char *what) {
    static char text[128];
    snprintf(text, sizeof text, "x%.2f of %s", value / baseline, what);
    return text;
}
