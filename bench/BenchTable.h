#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The one table the benchmark prints: for each measure our median, what it
// is held against and that median, their ratio and the target ratio.
// Times are in milliseconds; other measures name their unit.
class BenchTable {
public:
    // Milliseconds on the performance counter.
    static double Now();
    static double Median(std::vector<double> values);
    // The median of `runs` calls of `run`, each returning the milliseconds
    // of its own timed part.
    static double MedianOf(int runs, const std::function<double()>& run);

    // Each median with the number of runs it came from; maxRatio 0: no
    // target, the ratio is shown for information.
    void Add(const std::string& what, double ours, const std::string& against, double theirs,
             double maxRatio, int runs, int theirRuns = 0);
    // The same for a measure in another unit ("us", "KiB"), both sides in it.
    void AddIn(const std::string& unit, const std::string& what, double ours, const std::string& against,
               double theirs, double maxRatio, int runs);
    void Print(std::FILE* out, const std::string& title) const;
    bool AllTargetsMet() const;

private:
    struct Row {
        std::string What;
        double Ours;
        std::string Against;
        double Theirs;
        double MaxRatio;
        std::string Runs;
        std::string Unit;
        double Ratio() const { return Theirs > 0 ? Ours / Theirs : 0; }
        bool Met() const { return MaxRatio <= 0 || Ratio() <= MaxRatio; }
    };
    void AddRow(const Row& row);

    std::vector<Row> m_rows;
};
