#include "bench/PrefsBench.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchTable.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"
#include "support/PrefsSandbox.h"

namespace {

constexpr int HEADER_PAIRS = 1000;

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

// Flushed or not: the preferences file flushes each copy before it
// replaces the old one, so that a crash leaves the old or the new text.
double TimeRawWrite(const std::string& bytes, const std::wstring& local, const std::wstring& common,
                    bool flush) {
    const double start = BenchTable::Now();
    for (const std::wstring* path : {&local, &common}) {
        HANDLE file = ::CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        if (flush) ::FlushFileBuffers(file);
        ::CloseHandle(file);
    }
    return BenchTable::Now() - start;
}

}  // namespace

PrefsBench::PrefsBench(int runs) : m_runs(runs) {}

void PrefsBench::Run(BenchTable& table) {
    const PrefsSandbox sandbox;
    PreferenceSet saved;
    AddDefaultPreferences(saved);
    for (int i = 0; i < HEADER_PAIRS; ++i) {
        saved.Add(L"h_name" + std::to_wstring(i), L"X-Header-" + std::to_wstring(i));
        saved.Add(L"h_val" + std::to_wstring(i), L"value number " + std::to_wstring(i));
    }
    const PrefsFile file = PrefsFile::FromEnvironment();
    if (!file.Save(saved)) {
        std::fprintf(stderr, "the preferences cannot be saved\n");
        return;
    }
    const std::string bytes = *ScratchFolder::ReadBytes(file.LocalPath());
    if (sandbox.LoadLocal().Count() != saved.Count())
        std::fprintf(stderr, "the preferences do not read back\n");

    const double load = BenchTable::MedianOf(m_runs, [] {
        PreferenceSet set;
        AddDefaultPreferences(set);
        const double start = BenchTable::Now();
        PrefsFile::FromEnvironment().Load(set);
        return BenchTable::Now() - start;
    });
    const double read = BenchTable::MedianOf(m_runs, [&] { return TimeRawRead(file.LocalPath()); });
    const double save = BenchTable::MedianOf(m_runs, [&] {
        const double start = BenchTable::Now();
        PrefsFile::FromEnvironment().Save(saved);
        return BenchTable::Now() - start;
    });
    auto rawWrite = [&](bool flush) {
        return BenchTable::MedianOf(m_runs, [&] {
            return TimeRawWrite(bytes, file.LocalPath(), file.CommonPath(), flush);
        });
    };
    const double write = rawWrite(false), flushedWrite = rawWrite(true);
    const std::string pairs = std::to_string(HEADER_PAIRS) + " header pairs";
    table.Add("load prefs file, " + pairs, load, "raw read of its bytes", read, 3, m_runs);
    table.Add("save prefs file, " + pairs, save, "raw write of its bytes, both copies", write, 3,
              m_runs);
    table.Add("save prefs file, " + pairs, save, "the same, each copy flushed", flushedWrite, 0,
              m_runs);
}
