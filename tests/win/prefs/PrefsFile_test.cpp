#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"
#include "prefs/PrefsWriter.h"
#include "prefs/StagedFile.h"
#include "prefs/StagedFileName.h"
#include "prefs/ThreadAnsiCodePage.h"
#include "support/ChildProcess.h"
#include "support/ComponentFiles.h"
#include "support/DialogAnswerer.h"
#include "support/PrefsSandbox.h"

#include "tests/common/PreferencePairs.h"

namespace {

PreferenceSet Defaults() {
    PreferenceSet set;
    AddDefaultPreferences(set);
    return set;
}

// The defaults with a few values of every kind changed and header pairs added.
PreferenceSet Edited() {
    PreferenceSet set = Defaults();
    set.SetAt(L"viewertype", L"custom");
    set.SetAt(L"viewerendpoint", L"http://viewer.example/?q=\"a\\b\"&x=caf\xE9 \x416\x43E");
    set.Add(L"h_name0", L"X-Smile");
    set.Add(L"h_val0", L"\xD83D\xDE00 \t tab");
    return set;
}

std::string TextOf(const PreferenceSet& set) {
    const ThreadAnsiCodePage codePage;
    return PrefsWriter(codePage).Write(set);
}

// A file that another program has open for reading and writing, sharing
// neither deletion nor renaming (nor, if so asked, anything), as long as
// this object lives.
class HeldOpen {
public:
    explicit HeldOpen(const std::wstring& path, DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE)
        : m_file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr)) {
        EXPECT_NE(m_file, INVALID_HANDLE_VALUE);
    }
    ~HeldOpen() {
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

private:
    HANDLE m_file;
};

const std::string kOldText = "vtl_prefs = {\r\n  viewertype: \"disco\"};\r\n";

// Saves (or loads) while an answerer presses OK on any "Oops" box, and
// returns what boxes were shown.
std::vector<DialogAnswerer::Seen> SaveWatched(const PrefsFile& file, const PreferenceSet& set, bool& saved) {
    DialogAnswerer answerer(GetCurrentProcessId(), L"Oops", IDOK);
    saved = file.Save(set);
    return answerer.Stop();
}

void ExpectSaveFailureBox(const std::vector<DialogAnswerer::Seen>& boxes) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].texts, std::vector<std::wstring>{L"Can't save options data"});
    EXPECT_FALSE(boxes[0].hasOwner);
    EXPECT_EQ(boxes[0].buttons, 1);
    EXPECT_TRUE(boxes[0].hasButton);
}

class PrefsFileTest : public ::testing::Test {
protected:
    PrefsSandbox folder;

    std::wstring LocalFolder() const {
        return folder.LocalAppData() + L"\\" + PrefsFile::VirtualizedSubpath(folder.AllUsersProfile());
    }
    std::wstring CommonFolder() const { return folder.AllUsersProfile() + L"\\Brackwyn Software\\VTL\\"; }
    // Puts old text in both copies, as an earlier save would have.
    void WriteOldCopies() {
        PrefsFile::EnsureDirectories(folder.LocalAppData(), PrefsFile::VirtualizedSubpath(folder.AllUsersProfile()));
        PrefsFile::EnsureDirectories(folder.AllUsersProfile(), L"Brackwyn Software\\VTL\\");
        ASSERT_TRUE(ScratchFolder::WriteBytes(LocalFolder() + L"vtl_prefs.js", kOldText));
        ASSERT_TRUE(ScratchFolder::WriteBytes(CommonFolder() + L"vtl_prefs.js", kOldText));
    }
    // A save that the local copy refuses: the message, and the common copy
    // as it was; `files` files in all.
    void ExpectRefusedSave(size_t files) {
        bool saved = true;
        ExpectSaveFailureBox(SaveWatched(PrefsFile::FromEnvironment(), Edited(), saved));
        EXPECT_FALSE(saved);
        EXPECT_EQ(CommonCopy(), kOldText);
        EXPECT_EQ(folder.Files().size(), files);
    }
    std::optional<std::string> LocalCopy() const { return ScratchFolder::ReadBytes(LocalFolder() + L"vtl_prefs.js"); }
    std::optional<std::string> CommonCopy() const { return ScratchFolder::ReadBytes(CommonFolder() + L"vtl_prefs.js"); }
};

}  // namespace

TEST(PrefsFilePaths, ComeFromTheTwoEnvironmentVariables) {
    PrefsSandbox folder;  // restores the variables afterwards
    SetEnvironmentVariableW(L"LOCALAPPDATA", L"C:\\Users\\user\\AppData\\Local");
    SetEnvironmentVariableW(L"ALLUSERSPROFILE", L"C:\\ProgramData");
    const PrefsFile file = PrefsFile::FromEnvironment();
    EXPECT_EQ(file.LocalPath(),
              L"C:\\Users\\user\\AppData\\Local\\Temporary Internet Files\\Virtualized\\C\\ProgramData\\"
              L"Brackwyn Software\\VTL\\vtl_prefs.js");
    EXPECT_EQ(file.CommonPath(), L"C:\\ProgramData\\Brackwyn Software\\VTL\\vtl_prefs.js");
    EXPECT_EQ(PrefsFile::VirtualizedSubpath(L"\\\\srv:1\\a:b:"),
              L"Temporary Internet Files\\Virtualized\\\\\\srv1\\ab\\Brackwyn Software\\VTL\\");

    // No fixed-size buffer: a path well past 2048 characters is built whole.
    const std::wstring deep = L"D:\\" + std::wstring(3000, L'x');
    EXPECT_EQ(PrefsFile(deep, L"C:\\ProgramData").LocalPath(),
              deep + L"\\Temporary Internet Files\\Virtualized\\C\\ProgramData\\Brackwyn Software\\VTL\\vtl_prefs.js");
}

TEST(PrefsFilePaths, AreAbsentWhenAVariableIsUnsetEmptyOrRelative) {
    PrefsSandbox folder;
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    EXPECT_EQ(PrefsFile::FromEnvironment().LocalPath(), L"");
    EXPECT_EQ(PrefsFile::FromEnvironment().CommonPath(), folder.AllUsersProfile() + L"\\Brackwyn Software\\VTL\\vtl_prefs.js");
    SetEnvironmentVariableW(L"LOCALAPPDATA", folder.LocalAppData().c_str());
    SetEnvironmentVariableW(L"ALLUSERSPROFILE", L"");
    EXPECT_EQ(PrefsFile::FromEnvironment().LocalPath(), L"");
    EXPECT_EQ(PrefsFile::FromEnvironment().CommonPath(), L"");
    for (const wchar_t* relative : {L"ProgramData", L"\\ProgramData", L"C:ProgramData", L"."}) {
        const PrefsFile file(folder.LocalAppData(), relative);
        EXPECT_EQ(file.LocalPath(), L"") << relative;
        EXPECT_EQ(file.CommonPath(), L"") << relative;
        EXPECT_EQ(PrefsFile(relative, folder.AllUsersProfile()).LocalPath(), L"") << relative;
    }
}

TEST_F(PrefsFileTest, FirstSaveCreatesBothFolderChainsAndIdenticalCrLfCopies) {
    const PreferenceSet set = Edited();
    bool saved = false;
    EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), set, saved).empty());
    EXPECT_TRUE(saved);

    // Every folder of the virtualized chain, one by one.
    std::wstring path = folder.LocalAppData();
    std::wstring chain = PrefsFile::VirtualizedSubpath(folder.AllUsersProfile());
    int folders = 0;
    for (size_t start = 0, end; (end = chain.find(L'\\', start)) != std::wstring::npos; start = end + 1) {
        path += L"\\" + chain.substr(start, end - start);
        EXPECT_TRUE(ScratchFolder::IsFolder(path)) << std::string(path.begin(), path.end());
        ++folders;
    }
    EXPECT_GE(folders, 6);
    EXPECT_TRUE(ScratchFolder::IsFolder(CommonFolder()));

    const auto local = LocalCopy();
    const auto common = CommonCopy();
    ASSERT_TRUE(local && common);
    EXPECT_EQ(*local, *common);
    EXPECT_EQ(*local, TextOf(set));
    EXPECT_EQ(local->rfind("};\r\n"), local->size() - 4);
    size_t bareLineFeeds = 0;
    for (size_t i = 0; i < local->size(); ++i) {
        if ((*local)[i] == '\n' && (i == 0 || (*local)[i - 1] != '\r'))
            ++bareLineFeeds;
    }
    EXPECT_EQ(bareLineFeeds, 0u);
    // Only the two copies: no temporary file is left behind.
    EXPECT_EQ(folder.Files().size(), 2u);
}

TEST_F(PrefsFileTest, LoadOverlaysTheLocalCopyOnlyAndReadsBackWhatWasSaved) {
    WriteOldCopies();
    ASSERT_TRUE(ScratchFolder::WriteBytes(CommonFolder() + L"vtl_prefs.js",
                                            "vtl_prefs = {\r\n  openingmode: \"tab\"};\r\n"));
    PreferenceSet set = Defaults();
    EXPECT_EQ(PrefsFile::FromEnvironment().Load(set), PrefsFile::LoadResult::Read);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"viewertype")), L"disco");
    EXPECT_EQ(set.FindKey(L"viewertype"), 13);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"openingmode")), L"win");

    const PreferenceSet edited = Edited();
    bool saved = false;
    EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), edited, saved).empty());
    ASSERT_TRUE(saved);
    PreferenceSet loaded = Defaults();
    EXPECT_EQ(PrefsFile::FromEnvironment().Load(loaded), PrefsFile::LoadResult::Read);
    EXPECT_EQ(PairsOf(loaded), PairsOf(edited));
}

TEST_F(PrefsFileTest, LoadReadsLargeFilesWholeAndRefusesThoseOverSixteenMebibytes) {
    WriteOldCopies();
    const std::string tail = "\r\n  viewertype: \"tabulator\"};\r\n";
    std::string big = "vtl_prefs = {\r\n  padding: \"";
    const size_t padding = PrefsFile::MaxFileBytes - big.size() - tail.size() - 2;
    big += std::string(padding, 'p');
    big += "\",";
    big += tail;
    ASSERT_EQ(big.size(), PrefsFile::MaxFileBytes);
    ASSERT_TRUE(ScratchFolder::WriteBytes(LocalFolder() + L"vtl_prefs.js", big));
    PreferenceSet set = Defaults();
    EXPECT_EQ(PrefsFile::FromEnvironment().Load(set), PrefsFile::LoadResult::Read);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"viewertype")), L"tabulator");
    EXPECT_EQ(set.ValueAt(set.FindKey(L"padding")).size(), padding);

    big.insert(big.begin() + 30, 'p');
    ASSERT_TRUE(ScratchFolder::WriteBytes(LocalFolder() + L"vtl_prefs.js", big));
    PreferenceSet refused = Defaults();
    EXPECT_EQ(PrefsFile::FromEnvironment().Load(refused), PrefsFile::LoadResult::Unreadable);
    EXPECT_EQ(PairsOf(refused), PairsOf(Defaults()));
    EXPECT_EQ(LocalCopy()->size(), PrefsFile::MaxFileBytes + 1);
}

// A copy that is there but cannot be read now is the user's all the same:
// Load tells it apart from no copy at all, and the set keeps its defaults.
TEST_F(PrefsFileTest, ALocalCopyHeldWithoutSharingIsUnreadableAndKeepsTheDefaults) {
    WriteOldCopies();
    {
        const HeldOpen scanner(LocalFolder() + L"vtl_prefs.js", 0);
        PreferenceSet set = Defaults();
        EXPECT_EQ(PrefsFile::FromEnvironment().Load(set), PrefsFile::LoadResult::Unreadable);
        EXPECT_EQ(PairsOf(set), PairsOf(Defaults()));
    }
    PreferenceSet set = Defaults();
    EXPECT_EQ(PrefsFile::FromEnvironment().Load(set), PrefsFile::LoadResult::Read);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"viewertype")), L"disco");
    EXPECT_EQ(LocalCopy(), kOldText);
}

TEST_F(PrefsFileTest, MissingOrUnsetLocationsKeepTheDefaultsAndSaveWritesNothing) {
    PreferenceSet set = Defaults();
    EXPECT_EQ(PrefsFile::FromEnvironment().Load(set), PrefsFile::LoadResult::NoLocalCopy);  // no file yet
    EXPECT_EQ(PairsOf(set), PairsOf(Defaults()));

    // The tests' own folder stands as the current folder, where a relative
    // path would land.
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    const std::wstring cwd = folder.Path() + L"\\cwd";
    CreateDirectoryW(cwd.c_str(), nullptr);
    SetCurrentDirectoryW(cwd.c_str());

    struct Case {
        const wchar_t* local;
        const wchar_t* common;
    };
    const std::wstring local = folder.LocalAppData();
    const std::wstring common = folder.AllUsersProfile();
    const Case cases[] = {{nullptr, common.c_str()}, {local.c_str(), nullptr}, {L"", common.c_str()},
                          {local.c_str(), L""},       {nullptr, nullptr},       {L"Local", common.c_str()},
                          {local.c_str(), L"ProgramData"}};
    for (const Case& c : cases) {
        SetEnvironmentVariableW(L"LOCALAPPDATA", c.local);
        SetEnvironmentVariableW(L"ALLUSERSPROFILE", c.common);
        const std::wstring label = std::wstring(c.local ? c.local : L"(unset)") + L" | " + (c.common ? c.common : L"(unset)");
        const std::string what(label.begin(), label.end());

        PreferenceSet loaded = Defaults();
        EXPECT_EQ(PrefsFile::FromEnvironment().Load(loaded), PrefsFile::LoadResult::NoLocalCopy) << what;
        EXPECT_EQ(PairsOf(loaded), PairsOf(Defaults())) << what;

        bool savedOk = true;
        ExpectSaveFailureBox(SaveWatched(PrefsFile::FromEnvironment(), Edited(), savedOk));
        EXPECT_FALSE(savedOk) << what;
        EXPECT_TRUE(folder.Files().empty()) << what;
        EXPECT_FALSE(ScratchFolder::IsFolder(cwd + L"\\Brackwyn Software")) << what;
        EXPECT_FALSE(ScratchFolder::IsFolder(cwd + L"\\Temporary Internet Files")) << what;
    }
    SetCurrentDirectoryW(saved);
}

TEST_F(PrefsFileTest, ALocalFolderThatCannotBeWrittenShowsTheMessageAndChangesNeitherCopy) {
    WriteOldCopies();
    // A plain file where the local copy's folder must be.
    const std::wstring vtlFolder = LocalFolder().substr(0, LocalFolder().size() - 1);
    ASSERT_TRUE(DeleteFileW((vtlFolder + L"\\vtl_prefs.js").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(vtlFolder.c_str()));
    ASSERT_TRUE(ScratchFolder::WriteBytes(vtlFolder, "not a folder"));

    ExpectRefusedSave(2);
    EXPECT_EQ(ScratchFolder::ReadBytes(vtlFolder), std::string("not a folder"));
}

TEST_F(PrefsFileTest, ALocalCopyThatCannotBeReplacedShowsTheMessageAndChangesNeitherCopy) {
    WriteOldCopies();
    const std::wstring localPath = LocalFolder() + L"vtl_prefs.js";
    // A local copy that another program holds open without letting it be
    // replaced, then a read-only one, then a folder standing in its place.
    {
        HeldOpen held(localPath);
        ExpectRefusedSave(2);
    }
    EXPECT_EQ(LocalCopy(), kOldText);

    ASSERT_TRUE(SetFileAttributesW(localPath.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectRefusedSave(2);
    EXPECT_EQ(LocalCopy(), kOldText);
    ASSERT_TRUE(SetFileAttributesW(localPath.c_str(), FILE_ATTRIBUTE_NORMAL));

    ASSERT_TRUE(DeleteFileW(localPath.c_str()));
    ASSERT_TRUE(CreateDirectoryW(localPath.c_str(), nullptr));
    ExpectRefusedSave(1);
    EXPECT_TRUE(ScratchFolder::IsFolder(localPath));
}

TEST_F(PrefsFileTest, ACommonCopyThatCannotBeWrittenIsSkippedSilentlyAndTheNextSaveLevelsBoth) {
    const std::wstring brackwyn = folder.AllUsersProfile() + L"\\Brackwyn Software";
    const std::wstring commonPath = CommonFolder() + L"vtl_prefs.js";
    // (A copy that another program holds open: the test after this one.)
    struct Case {
        const char* fault;
        std::function<void()> make;
        std::function<void()> mend;
        std::optional<std::string> commonAfter;
        size_t files;  // the local copy, and the common one or what stands in its way
    };
    const Case cases[] = {
        {"its folder cannot be made",
         [&] {
             ScratchFolder::DeleteTree(brackwyn);
             ASSERT_TRUE(ScratchFolder::WriteBytes(brackwyn, "not a folder"));
         },
         [&] { ASSERT_TRUE(DeleteFileW(brackwyn.c_str())); }, std::nullopt, 2},
        {"it is read-only",
         [&] { ASSERT_TRUE(SetFileAttributesW(commonPath.c_str(), FILE_ATTRIBUTE_READONLY)); },
         [&] { ASSERT_TRUE(SetFileAttributesW(commonPath.c_str(), FILE_ATTRIBUTE_NORMAL)); }, kOldText, 2},
        {"a folder stands in its place",
         [&] {
             ASSERT_TRUE(DeleteFileW(commonPath.c_str()));
             ASSERT_TRUE(CreateDirectoryW(commonPath.c_str(), nullptr));
         },
         [&] { ASSERT_TRUE(RemoveDirectoryW(commonPath.c_str())); }, std::nullopt, 1},
    };
    for (const Case& c : cases) {
        WriteOldCopies();
        c.make();
        bool saved = true;
        EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), Edited(), saved).empty()) << c.fault;
        EXPECT_FALSE(saved) << c.fault;
        EXPECT_EQ(LocalCopy(), TextOf(Edited())) << c.fault;
        EXPECT_EQ(CommonCopy(), c.commonAfter) << c.fault;
        EXPECT_EQ(folder.Files().size(), c.files) << c.fault;

        c.mend();
        EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), Edited(), saved).empty()) << c.fault;
        EXPECT_TRUE(saved) << c.fault;
        EXPECT_EQ(LocalCopy(), TextOf(Edited())) << c.fault;
        EXPECT_EQ(CommonCopy(), TextOf(Edited())) << c.fault;
        EXPECT_EQ(folder.Files().size(), 2u) << c.fault;
    }
}

TEST_F(PrefsFileTest, ACommonCopyThatCannotBeReplacedLeavesItOldAndTheLocalCopyNew) {
    WriteOldCopies();
    bool saved = true;
    {
        HeldOpen held(CommonFolder() + L"vtl_prefs.js");
        EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), Edited(), saved).empty());
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(LocalCopy(), TextOf(Edited()));
    EXPECT_EQ(CommonCopy(), kOldText);
    EXPECT_EQ(folder.Files().size(), 2u);
}

TEST_F(PrefsFileTest, ACrashBetweenTheTwoMovesLeavesEachCopyCompleteOldOrNew) {
    WriteOldCopies();
    const PrefsFile file = PrefsFile::FromEnvironment();
    const std::string newText = TextOf(Edited());
    {
        StagedFile local;
        StagedFile common;
        ASSERT_EQ(file.Stage(Edited(), local, common), PrefsFile::StageResult::Staged);
        // Staged, nothing replaced yet: both targets still old, both
        // temporary files complete.
        EXPECT_EQ(LocalCopy(), kOldText);
        EXPECT_EQ(CommonCopy(), kOldText);
        EXPECT_EQ(ScratchFolder::ReadBytes(local.TempPath()), newText);
        EXPECT_EQ(ScratchFolder::ReadBytes(common.TempPath()), newText);

        ASSERT_TRUE(local.Commit());
        // The process stops here.
        EXPECT_EQ(LocalCopy(), newText);
        EXPECT_EQ(CommonCopy(), kOldText);
    }
    // The next save puts both copies right.
    bool saved = false;
    EXPECT_TRUE(SaveWatched(file, Edited(), saved).empty());
    EXPECT_TRUE(saved);
    EXPECT_EQ(LocalCopy(), newText);
    EXPECT_EQ(CommonCopy(), newText);
    EXPECT_EQ(folder.Files().size(), 2u);
}

TEST_F(PrefsFileTest, RawHighBytesOfOlderFilesAndKeysGoThroughTheThreadsAnsiCodePage) {
    WriteOldCopies();
    const LCID savedLocale = GetThreadLocale();
    // Byte 0xC0 is U+0410 in the Cyrillic code page 1251, U+00C0 in 1252.
    const std::string older = "vtl_prefs = {\r\n  h_name0: \"X-\xC0\",\r\n  k\xC0: \"1\"};\r\n";
    ASSERT_TRUE(ScratchFolder::WriteBytes(LocalFolder() + L"vtl_prefs.js", older));
    for (const auto& [language, letter] : {std::pair<LANGID, wchar_t>{0x0419, L'\x410'}, {0x0409, L'\xC0'}}) {
        ASSERT_TRUE(SetThreadLocale(MAKELCID(language, SORT_DEFAULT)));
        PreferenceSet set;
        EXPECT_EQ(PrefsFile::FromEnvironment().Load(set), PrefsFile::LoadResult::Read);
        EXPECT_EQ(PairsOf(set), (Pairs{{L"h_name0", std::wstring(L"X-") + letter}, {std::wstring(L"k") + letter, L"1"}}))
            << language;

        // The key goes back to disk as the byte it came from; the value as an escape.
        bool saved = false;
        EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), set, saved).empty());
        EXPECT_TRUE(saved);
        const std::string expected = std::string("vtl_prefs = {\r\n  h_name0: \"X-\\u0") +
                                     (letter == L'\x410' ? "410" : "0C0") + "\",\r\n  k\xC0: \"1\"};\r\n";
        EXPECT_EQ(LocalCopy(), expected) << language;
        ASSERT_TRUE(ScratchFolder::WriteBytes(LocalFolder() + L"vtl_prefs.js", older));
    }
    SetThreadLocale(savedLocale);
}

TEST_F(PrefsFileTest, ASaveRemovesOnlyLeftoversWhoseWriterIsCertainlyGone) {
    WriteOldCopies();
    // Ids of processes that have ended: one still held by a handle, one gone.
    ChildProcess held;
    ASSERT_TRUE(held.Start(ComponentFiles::Quoted(ComponentFiles::ProgramPath(L"vtlload.exe"))));
    ASSERT_TRUE(held.Wait(60000));
    DWORD gone = 0;
    {
        ChildProcess child;
        ASSERT_TRUE(child.Start(ComponentFiles::Quoted(ComponentFiles::ProgramPath(L"vtlload.exe"))));
        ASSERT_TRUE(child.Wait(60000));
        gone = child.Id();
    }
    const unsigned long live = GetCurrentProcessId();
    const std::optional<unsigned long long> here = StagedFile::ThisMachine();
    ASSERT_TRUE(here.has_value());
    const unsigned long long elsewhere = StagedFileName::MachineTag(L"ANOTHER-PC.example");
    ASSERT_NE(*here, elsewhere);
    // Names as the save makes them: of this machine, of another one, and of
    // older versions, which name no machine.
    const auto name = [](std::optional<unsigned long long> machine, unsigned long process, unsigned long tick) {
        return StagedFileName::Make(L"vtl_prefs.js", machine, process, tick, 1);
    };
    struct Leftover {
        std::wstring name;
        bool old;
        bool stays;
    };
    const Leftover leftovers[] = {
        {name(here, held.Id(), 1), false, false},
        {name(here, gone, 2), false, false},
        {name(here, live, 3), true, false},
        {name(here, live, 4), false, true},  // another save, still writing
        // Another machine's process ids mean nothing here: only the hour counts.
        {name(elsewhere, gone, 5), false, true},
        {name(elsewhere, live, 6), false, true},
        {name(elsewhere, gone, 7), true, false},
        // Older names may come from another machine too.
        {name(std::nullopt, held.Id(), 8), false, true},
        {name(std::nullopt, gone, 9), false, true},
        {name(std::nullopt, live, 10), true, false},
        // Names this component does not make stay, however old.
        {L"vtl_prefs.js." + std::to_wstring(gone) + L"-5-x.tmp", true, true},
        {L"other.js." + std::to_wstring(gone) + L"-6-1.tmp", true, true},
        {L"vtl_prefs.js." + std::to_wstring(gone) + L"-7-1.tmp.keep", true, true},
        {L"vtl_prefs.js.ABCDEF0123456789." + std::to_wstring(gone) + L"-8-1.tmp", true, true},
    };
    for (const std::wstring& folderPath : {LocalFolder(), CommonFolder()}) {
        for (const Leftover& leftover : leftovers) {
            const std::wstring path = folderPath + leftover.name;
            ASSERT_TRUE(ScratchFolder::WriteBytes(path, "partial"));
            if (!leftover.old)
                continue;
            HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            FILETIME now;
            GetSystemTimeAsFileTime(&now);
            ULARGE_INTEGER then{{now.dwLowDateTime, now.dwHighDateTime}};
            then.QuadPart -= 61ull * 60 * 10000000;  // 61 minutes
            const FILETIME written{then.LowPart, then.HighPart};
            EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
            CloseHandle(file);
        }
    }

    bool saved = false;
    EXPECT_TRUE(SaveWatched(PrefsFile::FromEnvironment(), Edited(), saved).empty());
    EXPECT_TRUE(saved);
    for (const std::wstring& folderPath : {LocalFolder(), CommonFolder()}) {
        for (const Leftover& leftover : leftovers)
            EXPECT_EQ(ScratchFolder::Exists(folderPath + leftover.name), leftover.stays)
                << std::string(leftover.name.begin(), leftover.name.end());
    }
    EXPECT_EQ(CommonCopy(), TextOf(Edited()));
    // A save's own temporary file records this machine and this process.
    StagedFile staged;
    ASSERT_TRUE(staged.Write(LocalFolder() + L"x.js", "x"));
    const std::wstring temp = staged.TempPath();
    const auto writer = StagedFileName::WriterOf(L"x.js", temp.substr(temp.find_last_of(L'\\') + 1));
    ASSERT_TRUE(writer.has_value());
    EXPECT_EQ(writer->Machine, here);
    EXPECT_EQ(writer->Process, live);
}

TEST_F(PrefsFileTest, DamagedLocalCopiesGiveWhatTheReadingRulesFindAndStayAsTheyAre) {
    WriteOldCopies();
    const std::string head = "vtl_prefs = {\r\n  viewertype: \"disco\",\r\n  openingmode: ";
    // Bytes of every value but NUL, 0x1A (the text's end), quotes and braces.
    std::string garbage;
    for (unsigned seed = 7; garbage.size() < 65536;) {
        seed = seed * 1103515245u + 12345u;
        const char byte = static_cast<char>(seed >> 16);
        if (std::string("\0\x1A\"'{}", 6).find(byte) == std::string::npos)
            garbage.push_back(byte);
    }
    // Ten mebibytes of header pairs, as a list of that many rows would be saved.
    std::string tenMebibytes = "vtl_prefs = {\r\n";
    Pairs headers;
    for (int n = 0; tenMebibytes.size() < 10u * 1024 * 1024; ++n) {
        const std::string number = std::to_string(n);
        tenMebibytes += "  h_name" + number + ": \"X-Header-" + number + "\",\r\n";
        headers.emplace_back(L"h_name" + std::wstring(number.begin(), number.end()),
                             L"X-Header-" + std::wstring(number.begin(), number.end()));
    }
    tenMebibytes += "  viewertype: \"marbles\"};\r\n";
    headers.emplace_back(L"viewertype", L"marbles");

    struct Case {
        const char* what;
        std::string bytes;
        Pairs read;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"cut inside a value", head + "\"ta", {{L"viewertype", L"disco"}, {L"openingmode", L""}}},
        {"cut after a colon", head, {{L"viewertype", L"disco"}, {L"openingmode", L""}}},
        {"cut inside a key", head.substr(0, head.size() - 6), {{L"viewertype", L"disco"}}},
        {"binary garbage", garbage, {}},
        {"garbage around a block", garbage + "{ openingmode: \"tab\" }" + garbage, {{L"openingmode", L"tab"}}},
        {"a NUL ends the text", head + std::string("\"tab\"}\0{ sparqlport: \"1\" }", 26),
         {{L"viewertype", L"disco"}, {L"openingmode", L"tab"}}},
        {"ten mebibytes", tenMebibytes, headers},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ScratchFolder::WriteBytes(LocalFolder() + L"vtl_prefs.js", c.bytes)) << c.what;
        PreferenceSet loaded = Defaults();
        EXPECT_EQ(PrefsFile::FromEnvironment().Load(loaded), PrefsFile::LoadResult::Read) << c.what;
        // No case reads a key twice: the defaults it does not read, then what it reads.
        PreferenceSet expected = Defaults();
        for (const auto& pair : c.read)
            expected.Remove(pair.first);
        for (const auto& pair : c.read)
            expected.Add(pair.first, pair.second);
        EXPECT_EQ(PairsOf(loaded), PairsOf(expected)) << c.what;
        EXPECT_EQ(LocalCopy(), c.bytes) << c.what;
    }
}
