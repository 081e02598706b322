#include "ProcessCensus.h"

#include <sstream>
#include <vector>

namespace {

// The system-wide handle list of NtQuerySystemInformation, class 16.
struct SystemHandleEntry {
    ULONG OwnerPid;
    BYTE ObjectType;
    BYTE Flags;
    USHORT Handle;
    PVOID Object;
    ACCESS_MASK Access;
};
struct SystemHandleList {
    ULONG Count;
    SystemHandleEntry Entries[1];
};
const ULONG kSystemHandleInformation = 16;
const LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
using QuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// The heap moves by a few hundred bytes that do not grow with the runs
// (this program's own figures among them); a leak of a dozen bytes a run
// goes beyond this.
const long long kHeapToleranceBytes = 2048;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

ProcessCensus ProcessCensus::Take() {
    ProcessCensus census;
    census.CountWindows();
    census.m_gdiObjects = CountGdiObjects();
    census.m_userObjects = CountUserObjects(census.m_windows);
    census.m_handles = CountHandles();
    census.m_heapBytes = CountHeapBytes();
    return census;
}

void ProcessCensus::CountWindows() {
    ::EnumWindows(OnTopLevel, reinterpret_cast<LPARAM>(this));
    // Message-only windows are not top-level windows; EnumWindows skips them.
    for (HWND hWnd = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hWnd != nullptr;
         hWnd = ::FindWindowExW(HWND_MESSAGE, hWnd, nullptr, nullptr))
        OnTopLevel(hWnd, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK ProcessCensus::OnTopLevel(HWND hWnd, LPARAM lParam) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != ::GetCurrentProcessId()) return TRUE;
    auto* pCensus = reinterpret_cast<ProcessCensus*>(lParam);
    pCensus->AddWindow(hWnd);
    ::EnumChildWindows(hWnd, OnChild, lParam);  // every descendant, not only children
    return TRUE;
}

BOOL CALLBACK ProcessCensus::OnChild(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<ProcessCensus*>(lParam)->AddWindow(hWnd);
    return TRUE;
}

void ProcessCensus::AddWindow(HWND hWnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hWnd, name, ARRAYSIZE(name));
    ++m_windows;
    ++m_windowClasses[name];
}

long ProcessCensus::CountGdiObjects() {
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) return static_cast<long>(counted);
    // Wine does not count them, but its GDI handles are an index into the
    // process's handle table in the low word, and an index alone names the
    // live object at that place. Stock objects are counted too; they do not
    // change.
    long live = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
    }
    return live;
}

long ProcessCensus::CountUserObjects(int windows) {
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (counted != 0) return static_cast<long>(counted);
    // Under Wine, as for GDI objects: a USER handle's low word alone names
    // the live object, menus and icons (cursors too) found that way are
    // this process's own. Windows are counted already.
    long live = windows;
    for (UINT_PTR low = 0x20; low <= 0xFFEF; low += 2) {
        if (::IsMenu(reinterpret_cast<HMENU>(low))) {
            ++live;
            continue;
        }
        ICONINFO info{};
        if (!::GetIconInfo(reinterpret_cast<HICON>(low), &info)) continue;
        ++live;
        if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    }
    return live;
}

long ProcessCensus::CountHandles() {
    DWORD counted = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &counted) && counted != 0)
        return static_cast<long>(counted);
    // Wine answers 0 there; its system-wide handle list is complete.
    auto query = reinterpret_cast<QuerySystemInformationFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return -1;
    std::vector<BYTE> buffer(64 * 1024);
    LONG status = kStatusInfoLengthMismatch;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), nullptr)) ==
               kStatusInfoLengthMismatch &&
           buffer.size() < 64u * 1024 * 1024)
        buffer.resize(buffer.size() * 2);
    if (status < 0) return -1;
    const auto* pList = reinterpret_cast<const SystemHandleList*>(buffer.data());
    long own = 0;
    for (ULONG i = 0; i < pList->Count; ++i)
        if (pList->Entries[i].OwnerPid == ::GetCurrentProcessId()) ++own;
    return own;
}

long long ProcessCensus::CountHeapBytes() {
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    long long busy = 0;
    for (HANDLE hHeap : heaps) {
        if (!::HeapLock(hHeap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(hHeap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        ::HeapUnlock(hHeap);
    }
    return busy;
}

std::string ProcessCensus::Figures() const {
    std::ostringstream out;
    out << "windows=" << m_windows << " gdi=" << m_gdiObjects << " user=" << m_userObjects
        << " handles=" << m_handles << " heap=" << m_heapBytes;
    return out.str();
}

std::string ProcessCensus::ChangesSince(const ProcessCensus& earlier) const {
    std::ostringstream out;
    if (m_windows != earlier.m_windows) {
        out << "windows: " << earlier.m_windows << " -> " << m_windows << " (";
        std::map<std::wstring, int> delta = m_windowClasses;
        for (const auto& entry : earlier.m_windowClasses) delta[entry.first] -= entry.second;
        const char* separator = "";
        for (const auto& entry : delta) {
            if (entry.second == 0) continue;
            out << separator << (entry.second > 0 ? "+" : "") << entry.second << " "
                << Narrow(entry.first);
            separator = ", ";
        }
        out << ")\n";
    }
    auto compare = [&out](const char* kind, long before, long after) {
        if (before >= 0 && after >= 0 && before != after)
            out << kind << ": " << before << " -> " << after << "\n";
    };
    compare("GDI objects", earlier.m_gdiObjects, m_gdiObjects);
    compare("USER objects", earlier.m_userObjects, m_userObjects);
    compare("handles", earlier.m_handles, m_handles);
    if (m_heapBytes > earlier.m_heapBytes + kHeapToleranceBytes)
        out << "heap bytes in use: " << earlier.m_heapBytes << " -> " << m_heapBytes << "\n";
    return out.str();
}
