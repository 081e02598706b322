#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <set>
#include <string>

#include "module/BrackwynVTL.h"
#include "support/ChildProcess.h"
#include "support/ComponentFiles.h"
#include "support/LoadedComponent.h"
#include "support/RegistryView.h"
#include "support/ScratchFolder.h"

namespace {

using Names = std::set<std::wstring>;

const wchar_t kAppId[] = L"{9F4A7C9F-DA72-498B-9E30-623981E8E580}";
const wchar_t kExtensions[] = L"SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";

std::wstring GuidText(REFGUID guid) {
    wchar_t text[64];
    ::StringFromGUID2(guid, text, ARRAYSIZE(text));
    return text;
}

std::wstring ClassKey() { return L"CLSID\\" + GuidText(CLSID_Options); }
std::wstring ExtensionKey() { return std::wstring(kExtensions) + L"\\" + GuidText(CLSID_Options); }

std::wstring Read(HKEY hRoot, const std::wstring& path, const std::wstring& name = L"") {
    std::wstring value;
    return RegistryView::String(hRoot, path, name, value) ? value : L"<absent>";
}

// Registers in SetUp and unregisters in TearDown, whatever the test did.
class Registration : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ComponentFiles::Regsvr32(true), 0u); }
    void TearDown() override { ComponentFiles::Regsvr32(false); }
};

TEST_F(Registration, WritesTheClassProgIdsAndAppIdEntries) {
    const std::wstring clsid = GuidText(CLSID_Options);
    const std::wstring dll = ComponentFiles::DllPath();

    EXPECT_EQ(RegistryView::ValueNames(HKEY_CLASSES_ROOT, ClassKey()), (Names{L"", L"AppID"}));
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey()), L"Options Class");
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey(), L"AppID"), kAppId);
    EXPECT_EQ(RegistryView::SubkeyNames(HKEY_CLASSES_ROOT, ClassKey()),
              (Names{L"InprocServer32", L"ProgID", L"Programmable", L"TypeLib",
                     L"VersionIndependentProgID"}));
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\ProgID"), L"BrackwynVTL.Options.1");
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\VersionIndependentProgID"),
              L"BrackwynVTL.Options");
    EXPECT_TRUE(RegistryView::ValueNames(HKEY_CLASSES_ROOT, ClassKey() + L"\\Programmable").empty());
    EXPECT_EQ(RegistryView::ValueNames(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32"),
              (Names{L"", L"ThreadingModel"}));
    EXPECT_EQ(_wcsicmp(Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32").c_str(),
                       dll.c_str()), 0);
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32", L"ThreadingModel"),
              L"Apartment");
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\TypeLib"), GuidText(LIBID_BrackwynVTLLib));

    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options.1"), L"Options Class");
    EXPECT_EQ(RegistryView::SubkeyNames(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options.1"),
              (Names{L"CLSID"}));
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options.1\\CLSID"), clsid);
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options"), L"Options Class");
    EXPECT_EQ(RegistryView::SubkeyNames(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options"),
              (Names{L"CLSID", L"CurVer"}));
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options\\CLSID"), clsid);
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options\\CurVer"), L"BrackwynVTL.Options.1");

    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppId), L"BrackwynVTL");
    EXPECT_EQ(RegistryView::ValueNames(HKEY_CLASSES_ROOT, L"AppID\\BrackwynVTL.DLL"),
              (Names{L"AppID"}));
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, L"AppID\\BrackwynVTL.DLL", L"AppID"), kAppId);

    // The type library, registered from the DLL itself.
    ITypeLib* pTypeLib = nullptr;
    ASSERT_EQ(::LoadRegTypeLib(LIBID_BrackwynVTLLib, 1, 0, 0x409, &pTypeLib), S_OK);
    ITypeInfo* pInfo = nullptr;
    EXPECT_EQ(pTypeLib->GetTypeInfoOfGuid(IID_IOptions, &pInfo), S_OK);
    if (pInfo != nullptr) pInfo->Release();
    pTypeLib->Release();
}

TEST_F(Registration, WritesTheToolbarButtonEntryWithExactlyItsNineValues) {
    const std::wstring key = ExtensionKey();
    const std::wstring icon = Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32") + L",227";
    EXPECT_EQ(RegistryView::ValueNames(HKEY_LOCAL_MACHINE, key),
              (Names{L"", L"ButtonText", L"CLSID", L"ClsidExtension", L"Icon", L"HotIcon",
                     L"Default Visible", L"MenuText", L"ToolTip"}));
    EXPECT_TRUE(RegistryView::SubkeyNames(HKEY_LOCAL_MACHINE, key).empty());
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key), L"BrackwynVTL.Options");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"ButtonText"), L"VTL options");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"CLSID"), L"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"ClsidExtension"), GuidText(CLSID_Options));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"Icon"), icon);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"HotIcon"), icon);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"Default Visible"), L"Yes");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"MenuText"), L"&Vantrel options");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, L"ToolTip"), L"Vantrel options");

    // The icon the entry names is in the DLL, 16 x 16.
    HMODULE hDll = ::LoadLibraryExW(ComponentFiles::DllPath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hDll, nullptr);
    HICON hIcon = static_cast<HICON>(::LoadImageW(hDll, MAKEINTRESOURCEW(227), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(hIcon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));
    BITMAP bm{};
    ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(hIcon);
    ::FreeLibrary(hDll);
}

TEST_F(Registration, UnregistrationRemovesItsKeysAndKeepsTheSharedParents) {
    ASSERT_EQ(ComponentFiles::Regsvr32(false), 0u);
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, ClassKey()));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options"));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, L"BrackwynVTL.Options.1"));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppId));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, L"AppID\\BrackwynVTL.DLL"));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_LOCAL_MACHINE, ExtensionKey()));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT,
                                         L"TypeLib\\" + GuidText(LIBID_BrackwynVTLLib)));
    EXPECT_TRUE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_TRUE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, L"AppID"));
    EXPECT_TRUE(RegistryView::KeyExists(HKEY_LOCAL_MACHINE, kExtensions));

    // Unregistering what is not registered succeeds and changes nothing.
    EXPECT_EQ(ComponentFiles::Regsvr32(false), 0u);
    EXPECT_TRUE(RegistryView::KeyExists(HKEY_LOCAL_MACHINE, kExtensions));
}

TEST_F(Registration, RegisteringAgainReplacesTheClassAndButtonKeysWhole) {
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_CLASSES_ROOT, ClassKey() + L"\\Stray"));
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_LOCAL_MACHINE, ExtensionKey() + L"\\Stray"));
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_CLASSES_ROOT, ClassKey() + L"\\Programmable\\Stray"));
    ASSERT_EQ(ComponentFiles::Regsvr32(true), 0u);
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, ClassKey() + L"\\Stray"));
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_LOCAL_MACHINE, ExtensionKey() + L"\\Stray"));
    EXPECT_TRUE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32"));
    EXPECT_TRUE(RegistryView::SubkeyNames(HKEY_CLASSES_ROOT, ClassKey() + L"\\Programmable").empty());
}

TEST_F(Registration, ModulePathWithQuotesAndPercentSignsIsWrittenAsItIs) {
    ScratchFolder folder(L"reg");
    const std::wstring dll = folder.MakeFolder(L"it's 100%% here") + L"\\BrackwynVTL.dll";
    ASSERT_TRUE(::CopyFileW(ComponentFiles::DllPath().c_str(), dll.c_str(), FALSE));
    ASSERT_EQ(ComponentFiles::Regsvr32(true, dll), 0u);
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ClassKey() + L"\\InprocServer32"), dll);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, ExtensionKey(), L"Icon"), dll + L",227");
    EXPECT_EQ(ComponentFiles::Regsvr32(false, dll), 0u);
    EXPECT_FALSE(RegistryView::KeyExists(HKEY_CLASSES_ROOT, ClassKey()));
}

// The system's own script host creates the object by its ProgID and finds
// its IDispatch answering from the registered type library.
TEST_F(Registration, ScriptHostCreatesTheObjectByProgId) {
    ScratchFolder folder(L"cscript");
    const std::wstring script = folder.Path() + L"\\create.js";
    ASSERT_TRUE(ScratchFolder::WriteBytes(script,
        "var o;\r\n"
        "try { o = new ActiveXObject(\"BrackwynVTL.Options\"); } catch (e) { WScript.Quit(6); }\r\n"
        "if (typeof o != \"object\") WScript.Quit(3);\r\n"
        "try { o.NoSuchMember(); WScript.Quit(4); }\r\n"
        "catch (e) { WScript.Echo(\"error \" + (e.number >>> 0).toString(16));\r\n"
        "  WScript.Quit((e.number >>> 0) == 0x800a01b6 ? 0 : 5); }\r\n"));
    const std::wstring line =
        ComponentFiles::Quoted(ComponentFiles::SystemProgram(L"cscript.exe")) + L" //nologo " +
        ComponentFiles::Quoted(script);
    std::string output;
    EXPECT_EQ(ChildProcess::Run(line, &output), 0u) << output;

    // Once unregistered, the ProgID no longer leads anywhere.
    ASSERT_EQ(ComponentFiles::Regsvr32(false), 0u);
    EXPECT_EQ(ChildProcess::Run(line, &output), 6u) << output;
}

TEST(RegistrationEntryPoints, RestoreTheCallersThreadLocale) {
    LoadedComponent component;
    ASSERT_TRUE(component.IsLoaded());
    const LCID original = ::GetThreadLocale();
    const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
    ::SetThreadLocale(german);
    EXPECT_EQ(component.RegisterServer(), S_OK);
    EXPECT_EQ(::GetThreadLocale(), german);
    EXPECT_EQ(component.UnregisterServer(), S_OK);
    EXPECT_EQ(::GetThreadLocale(), german);
    ::SetThreadLocale(original);
}

}  // namespace
