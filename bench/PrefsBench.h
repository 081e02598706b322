#pragma once
#include <string>

class BenchTable;
class PreferenceSet;

// The preferences file (in a scratch pair of LOCALAPPDATA and
// ALLUSERSPROFILE folders): loading files of 1,000 and 10,000 header pairs
// against a raw read of the same bytes, the time a pair takes in each, and
// the peak heap of a load against the file's size; saving 1,000 header
// pairs against its floor, the same bytes staged beside each copy, flushed
// and moved over it.
class PrefsBench {
public:
    explicit PrefsBench(int runs);
    void Run(BenchTable& table);

private:
    struct LoadFigures {
        double Load;       // ms, median
        double RawRead;    // ms, median
        int Pairs;         // in the file
        size_t FileBytes;
        size_t PeakHeap;   // bytes
    };
    // Saves the set as the local copy, then times loading it over the
    // defaults and reading its bytes, in alternation.
    LoadFigures MeasureLoad(const PreferenceSet& saved) const;
    void MeasureSave(BenchTable& table, const PreferenceSet& saved) const;
    static PreferenceSet WithHeaderPairs(int count);
    static std::string Label(const std::string& measure, int headerPairs);

    int m_runs;
};
