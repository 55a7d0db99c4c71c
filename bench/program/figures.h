// Order statistics of a run and the rows the benchmark prints: one figure
// per line, tab-separated (name, value, unit), for scripts/bench to gather
// into one table.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace peiseqi::bench {

// The nearest-rank percentile, 0 < p <= 100.
inline double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size()) + 0.999999);
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

inline double median(const std::vector<double>& values) {
    return percentile(values, 50);
}

inline void print_row(const std::string& name, double value, const std::string& unit) {
    std::printf("%s\t%.3f\t%s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

inline void print_note(const std::string& name, const std::string& text) {
    std::printf("%s\t%s\t\n", name.c_str(), text.c_str());
    std::fflush(stdout);
}

}  // namespace peiseqi::bench
