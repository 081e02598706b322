#include "bench/PrefsBench.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/HeapCounter.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"
#include "support/PrefsSandbox.h"

namespace {

constexpr int SMALL_FILE = 1000;
constexpr int LARGE_FILE = 10000;
// A load takes a millisecond or so, where a busy machine shows most:
// many runs for the load rows.
constexpr int LOAD_RUNS_PER_RUN = 5;
// A save takes a few milliseconds, most of them the disk's.
constexpr int SAVE_RUNS_PER_RUN = 3;

double TimeRawRead(const std::wstring& path) {
    const double start = BenchTable::Now();
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes(static_cast<size_t>(::GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    return BenchTable::Now() - start;
}

double TimeLoad() {
    PreferenceSet set;
    AddDefaultPreferences(set);
    const double start = BenchTable::Now();
    PrefsFile::FromEnvironment().Load(set);
    return BenchTable::Now() - start;
}

double TimeSave(const PreferenceSet& set) {
    const double start = BenchTable::Now();
    PrefsFile::FromEnvironment().Save(set);
    return BenchTable::Now() - start;
}

// The floor of a save that a crash cannot leave half done: for each copy,
// the bytes written to a new file beside it, flushed, and moved over it in
// one step.
double TimeStagedWrite(const std::string& bytes, const std::wstring& local, const std::wstring& common) {
    const double start = BenchTable::Now();
    for (const std::wstring* path : {&local, &common}) {
        const std::wstring temp = *path + L".floor.tmp";
        HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::FlushFileBuffers(file);
        ::CloseHandle(file);
        ::MoveFileExW(temp.c_str(), path->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    return BenchTable::Now() - start;
}

// Shown for information: what the bytes cost with no safety at all.
double TimeRawWrite(const std::string& bytes, const std::wstring& local, const std::wstring& common) {
    const double start = BenchTable::Now();
    for (const std::wstring* path : {&local, &common}) {
        HANDLE file = ::CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return BenchTable::Now() - start;
}

double KiB(size_t bytes) {
    return static_cast<double>(bytes) / 1024.0;
}

}  // namespace

PrefsBench::PrefsBench(int runs) : m_runs(runs) {}

void PrefsBench::Run(BenchTable& table) {
    const PrefsSandbox sandbox;
    const LoadFigures large = MeasureLoad(WithHeaderPairs(LARGE_FILE));
    const PreferenceSet saved = WithHeaderPairs(SMALL_FILE);
    const LoadFigures small = MeasureLoad(saved);
    const int loadRuns = LOAD_RUNS_PER_RUN * m_runs;

    table.Add(Label("load prefs file", SMALL_FILE), small.Load, "raw read of its bytes", small.RawRead, 3,
              loadRuns);
    // For information: what the large file is held to is the time a pair
    // takes, below.
    table.Add(Label("load prefs file", LARGE_FILE), large.Load, "raw read of its bytes", large.RawRead, 0,
              loadRuns);
    const auto microsPerPair = [](const LoadFigures& figures) { return 1000.0 * figures.Load / figures.Pairs; };
    table.AddIn("us", Label("load per pair", LARGE_FILE), microsPerPair(large), Label("load per pair", SMALL_FILE),
                microsPerPair(small), 1.5, loadRuns);
    for (const LoadFigures* figures : {&small, &large}) {
        const int headerPairs = figures == &small ? SMALL_FILE : LARGE_FILE;
        table.AddIn("KiB", Label("load peak heap", headerPairs), KiB(figures->PeakHeap), "size of the file",
                    KiB(figures->FileBytes), 4, 1);
    }
    MeasureSave(table, saved);
}

PrefsBench::LoadFigures PrefsBench::MeasureLoad(const PreferenceSet& saved) const {
    LoadFigures figures{};
    const PrefsFile file = PrefsFile::FromEnvironment();
    if (!file.Save(saved)) {
        std::fprintf(stderr, "the preferences cannot be saved\n");
        return figures;
    }
    figures.FileBytes = ScratchFolder::ReadBytes(file.LocalPath())->size();
    {
        PreferenceSet loaded;
        AddDefaultPreferences(loaded);
        HeapCounter::Start();
        file.Load(loaded);
        figures.PeakHeap = HeapCounter::PeakSinceStart();
        figures.Pairs = loaded.Count();
        if (loaded.Count() != saved.Count())
            std::fprintf(stderr, "the preferences do not read back\n");
    }
    // In alternation, so that both see the same load of a busy machine.
    std::vector<double> loads;
    std::vector<double> reads;
    for (int i = 0; i < LOAD_RUNS_PER_RUN * m_runs; ++i) {
        loads.push_back(TimeLoad());
        reads.push_back(TimeRawRead(file.LocalPath()));
    }
    figures.Load = BenchTable::Median(loads);
    figures.RawRead = BenchTable::Median(reads);
    return figures;
}

void PrefsBench::MeasureSave(BenchTable& table, const PreferenceSet& saved) const {
    const PrefsFile file = PrefsFile::FromEnvironment();
    const std::string bytes = *ScratchFolder::ReadBytes(file.LocalPath());
    // The save and its floor in alternation, as the loads are, each after
    // the other's flushes. The raw writes come after them all: the dirty
    // pages they leave would slow whatever flushes next.
    const int runs = SAVE_RUNS_PER_RUN * m_runs;
    std::vector<double> saves;
    std::vector<double> floors;
    for (int i = 0; i < runs; ++i) {
        saves.push_back(TimeSave(saved));
        floors.push_back(TimeStagedWrite(bytes, file.LocalPath(), file.CommonPath()));
    }
    const double write = BenchTable::MedianOf(runs, [&] {
        return TimeRawWrite(bytes, file.LocalPath(), file.CommonPath());
    });
    const double save = BenchTable::Median(saves);
    table.Add(Label("save prefs file", SMALL_FILE), save, "each copy staged, flushed, moved (floor)",
              BenchTable::Median(floors), 1.5, runs);
    table.Add(Label("save prefs file", SMALL_FILE), save, "raw write of its bytes, both copies", write, 0,
              runs);
}

PreferenceSet PrefsBench::WithHeaderPairs(int count) {
    PreferenceSet set;
    AddDefaultPreferences(set);
    for (int i = 0; i < count; ++i) {
        set.Add(L"h_name" + std::to_wstring(i), L"X-Header-" + std::to_wstring(i));
        set.Add(L"h_val" + std::to_wstring(i), L"value number " + std::to_wstring(i));
    }
    return set;
}

std::string PrefsBench::Label(const std::string& measure, int headerPairs) {
    return measure + ", " + std::to_string(headerPairs) + " header pairs";
}
