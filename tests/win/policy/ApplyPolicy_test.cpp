// Applying the mandatory policies without the sheet, in process and as
// administrators run it: rundll32 BrackwynVTL.dll,ApplyPolicy.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "policy/PolicyApplication.h"
#include "policy/RegistryPolicySource.h"
#include "prefs/PrefsFile.h"
#include "sheet/COptionsDlg.h"
#include "support/ChildProcess.h"
#include "support/ComApartment.h"
#include "support/ComponentFiles.h"
#include "support/PolicyRegistry.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

namespace {

const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;

PolicyApplication::Result Apply() {
    return PolicyApplication::Run(RegistryPolicySource(), PrefsFile::FromEnvironment());
}

const std::string kFile =
    "vtl_prefs = {\r\n  zzz: \"first\",\r\n  sparqlhost: \"file.example\",\r\n  viewertype: \"builtin\",\r\n"
    "  other: \"last\"};\r\n";

FILETIME WriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

TEST(ApplyPolicy, RewritesOnlyWhenAMandatoryValueDiffersKeepingTheOtherPairsInOrder) {
    struct Case {
        const char* what;
        std::vector<PolicyRegistry::Entry> policies;
        bool rewritten;
        std::string expected;
    };
    const Case cases[] = {
        {"no policy", {}, false, kFile},
        {"only a recommended one", {{HKCU, L"Recommended", L"sparqlhost", L"rec.example"}}, false, kFile},
        {"every value held already",
         {{HKLM, L"", L"sparqlhost", L"file.example"}, {HKCU, L"", L"viewertype", L"builtin"}}, false, kFile},
        {"one value differs", {{HKLM, L"", L"sparqlhost", L"corp.example"}, {HKCU, L"", L"viewertype", L"builtin"}},
         true,
         "vtl_prefs = {\r\n  zzz: \"first\",\r\n  sparqlhost: \"corp.example\",\r\n  viewertype: \"builtin\",\r\n"
         "  other: \"last\"};\r\n"},
        {"a key the file lacks is appended", {{HKCU, L"", L"proxyport", L"8080"}}, true,
         "vtl_prefs = {\r\n  zzz: \"first\",\r\n  sparqlhost: \"file.example\",\r\n  viewertype: \"builtin\",\r\n"
         "  other: \"last\",\r\n  proxyport: \"8080\"};\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrefsSandbox sandbox;
        PolicyRegistry policies;
        ASSERT_TRUE(policies.SetStrings(c.policies));
        ASSERT_TRUE(sandbox.WriteLocal(kFile));
        const FILETIME before = WriteTime(sandbox.LocalPath());
        ::Sleep(20);
        EXPECT_EQ(Apply(), PolicyApplication::Applied);
        EXPECT_EQ(ScratchFolder::ReadBytes(sandbox.LocalPath()), std::optional<std::string>(c.expected));
        EXPECT_EQ(!SameTime(before, WriteTime(sandbox.LocalPath())), c.rewritten);
        EXPECT_EQ(ScratchFolder::Exists(sandbox.CommonPath()), c.rewritten);
        if (c.rewritten) {
            EXPECT_EQ(ScratchFolder::ReadBytes(sandbox.CommonPath()), std::optional<std::string>(c.expected));
        }
    }
}

TEST(ApplyPolicy, WithoutAFileWritesWhatTheSheetsOkWouldWrite) {
    ComApartment com;
    PolicyRegistry policies;
    ASSERT_TRUE(policies.SetStrings({
        {HKLM, L"", L"sparqlhost", L"corp.example"},
        {HKCU, L"Recommended", L"proxyport", L"8080"},
        {HKLM, L"AdditionalHeaders", L"1", L"X-Corp: yes"},
        {HKCU, L"Recommended\\AdditionalHeaders", L"1", L"X-Rec: no"},
    }));
    std::optional<std::string> bySheet;
    {
        PrefsSandbox sandbox;
        SheetDriver::RunOnLocalFile(sandbox, "", [](SheetDriver& sheet) { sheet.PressOk(); });
        bySheet = ScratchFolder::ReadBytes(sandbox.LocalPath());
        ASSERT_TRUE(bySheet.has_value());
    }
    PrefsSandbox sandbox;
    EXPECT_EQ(Apply(), PolicyApplication::Applied);
    EXPECT_EQ(ScratchFolder::ReadBytes(sandbox.LocalPath()), bySheet);
    EXPECT_EQ(ScratchFolder::ReadBytes(sandbox.CommonPath()), bySheet);
    EXPECT_NE(bySheet->find("sparqlhost: \"corp.example\""), std::string::npos);
    EXPECT_NE(bySheet->find("proxyport: \"8080\""), std::string::npos);
    EXPECT_NE(bySheet->find("h_name0: \"X-Corp\""), std::string::npos);
    // Nothing set: nothing written, not even a new file.
    PolicyRegistry none;
    PrefsSandbox empty;
    EXPECT_EQ(Apply(), PolicyApplication::Applied);
    EXPECT_FALSE(ScratchFolder::Exists(empty.LocalPath()));
    EXPECT_FALSE(ScratchFolder::Exists(empty.CommonPath()));
}

TEST(ApplyPolicy, RunByRundll32LeavesAnUnreadableFileAloneAndExitsNonZero) {
    PrefsSandbox sandbox;
    PolicyRegistry policies;
    ASSERT_TRUE(policies.SetString(HKLM, L"", L"sparqlhost", L"corp.example"));
    const std::wstring command = ComponentFiles::Quoted(ComponentFiles::SystemProgram(L"rundll32.exe")) + L" " +
                                 ComponentFiles::Quoted(ComponentFiles::DllPath()) + L",ApplyPolicy";

    // A readable file is brought in line, with exit code 0.
    ASSERT_TRUE(sandbox.WriteLocal(kFile));
    EXPECT_EQ(ChildProcess::Run(command), 0u);
    const std::optional<std::string> applied = ScratchFolder::ReadBytes(sandbox.LocalPath());
    ASSERT_TRUE(applied.has_value());
    EXPECT_NE(applied->find("sparqlhost: \"corp.example\""), std::string::npos);

    // A local copy that exists but cannot be read (here a folder stands in
    // its place) is never replaced.
    ASSERT_TRUE(::DeleteFileW(sandbox.LocalPath().c_str()));
    ASSERT_TRUE(::DeleteFileW(sandbox.CommonPath().c_str()));
    ASSERT_TRUE(::CreateDirectoryW(sandbox.LocalPath().c_str(), nullptr));
    EXPECT_EQ(ChildProcess::Run(command), static_cast<DWORD>(PolicyApplication::Unreadable));
    EXPECT_TRUE(ScratchFolder::IsFolder(sandbox.LocalPath()));
    EXPECT_FALSE(ScratchFolder::Exists(sandbox.CommonPath()));
}
