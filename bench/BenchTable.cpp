#include "bench/BenchTable.h"

#include <windows.h>

#include <algorithm>

double BenchTable::Now() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

double BenchTable::Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double BenchTable::MedianOf(int runs, const std::function<double()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(run());
    return Median(times);
}

void BenchTable::Add(const std::string& what, double ours, const std::string& against,
                     double theirs, double maxRatio, int runs, int theirRuns) {
    std::string counts = std::to_string(runs);
    if (theirRuns != 0 && theirRuns != runs) counts += "/" + std::to_string(theirRuns);
    AddRow({what, ours, against, theirs, maxRatio, counts, "ms"});
}

void BenchTable::AddIn(const std::string& unit, const std::string& what, double ours,
                       const std::string& against, double theirs, double maxRatio, int runs) {
    AddRow({what, ours, against, theirs, maxRatio, std::to_string(runs), unit});
}

void BenchTable::AddRow(const Row& row) {
    m_rows.push_back(row);
    std::fprintf(stderr, "  %s: %.3f %s; %s: %.3f %s\n", row.What.c_str(), row.Ours,
                 row.Unit.c_str(), row.Against.c_str(), row.Theirs, row.Unit.c_str());
}

void BenchTable::Print(std::FILE* out, const std::string& title) const {
    std::fprintf(out, "%s\n", title.c_str());
    std::fprintf(out, "%-36s %10s %-3s  %-38s %10s %-3s %6s %7s %7s\n", "measure", "ours", "",
                 "against", "theirs", "", "runs", "ratio", "target");
    for (const Row& row : m_rows) {
        char target[16] = "-";
        if (row.MaxRatio > 0) std::snprintf(target, sizeof(target), "<= %.2g", row.MaxRatio);
        std::fprintf(out, "%-36s %10.3f %-3s  %-38s %10.3f %-3s %6s %7.3f %7s  %s\n",
                     row.What.c_str(), row.Ours, row.Unit.c_str(), row.Against.c_str(), row.Theirs,
                     row.Unit.c_str(), row.Runs.c_str(), row.Ratio(), target,
                     row.MaxRatio <= 0 ? "" : row.Met() ? "met" : "MISSED");
    }
}

bool BenchTable::AllTargetsMet() const {
    return std::all_of(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.Met(); });
}
