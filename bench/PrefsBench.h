#pragma once

class BenchTable;

// Loading and saving a preferences file with 1,000 header pairs (in a
// scratch pair of LOCALAPPDATA and ALLUSERSPROFILE folders) against a raw
// read of the same bytes and a raw write of them to both copies.
class PrefsBench {
public:
    explicit PrefsBench(int runs);
    void Run(BenchTable& table);

private:
    int m_runs;
};
