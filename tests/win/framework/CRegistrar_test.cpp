#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "framework/CRegistrar.h"
#include "support/RegistryView.h"

namespace {

using Names = std::set<std::wstring>;
const wchar_t kBase[] = L"Software\\VTLRegistrarTest";

std::wstring Read(const std::wstring& path, const std::wstring& name = L"") {
    std::wstring value;
    return RegistryView::String(HKEY_CURRENT_USER, std::wstring(kBase) + path, name, value)
               ? value
               : L"<absent>";
}

bool Exists(const std::wstring& path) {
    return RegistryView::KeyExists(HKEY_CURRENT_USER, std::wstring(kBase) + path);
}

// Every script works under HKCU\Software\VTLRegistrarTest, emptied around each test.
class Registrar : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
        m_registrar.AddReplacement(L"MODULE", L"C:\\it's 100% here\\x.dll");
        m_registrar.AddReplacement(L"APPID", L"{APP}");
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }

    static std::wstring Script(const std::wstring& body) {
        return L"HKCU\r\n{\r\n NoRemove Software\r\n {\r\n  NoRemove VTLRegistrarTest\r\n  {\r\n" +
               body + L"\r\n  }\r\n }\r\n}\r\n";
    }

    CRegistrar m_registrar;
};

TEST_F(Registrar, CreatesKeysAndStringValuesWithReplacements) {
    ASSERT_EQ(m_registrar.StringRegister(Script(
                  L"Plain = s 'Options Class'\n"
                  L"{\n"
                  L"  InprocServer32 = s '%MODULE%'\n"
                  L"  {\n"
                  L"    val ThreadingModel = s 'Apartment'\n"
                  L"  }\n"
                  L"  val AppID = s '%appid%'\n"
                  L"  val 'Default Visible' = s 'it''s 50%% %APPID%'\n"
                  L"  'Key Only'\n"
                  L"}\n"
                  L"'%APPID%' = s 'named by a replacement'")),
              S_OK);
    EXPECT_EQ(Read(L"\\Plain"), L"Options Class");
    EXPECT_EQ(Read(L"\\Plain", L"AppID"), L"{APP}");
    EXPECT_EQ(Read(L"\\Plain", L"Default Visible"), L"it's 50% {APP}");
    EXPECT_EQ(Read(L"\\Plain\\InprocServer32"), L"C:\\it's 100% here\\x.dll");
    EXPECT_EQ(Read(L"\\Plain\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_TRUE(Exists(L"\\Plain\\Key Only"));
    EXPECT_TRUE(RegistryView::ValueNames(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Plain\\Key Only").empty());
    EXPECT_EQ(Read(L"\\{APP}"), L"named by a replacement");
}

TEST_F(Registrar, ForceRemoveReplacesAKeyWholeOthersKeepWhatTheyHold) {
    const std::wstring script = Script(L"ForceRemove Whole = s 'x' { Sub = s 'y' }\nKept = s 'z'");
    ASSERT_EQ(m_registrar.StringRegister(script), S_OK);
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Whole\\Stray\\Deep"));
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Kept\\Stray"));
    ASSERT_EQ(m_registrar.StringRegister(script), S_OK);
    EXPECT_EQ(RegistryView::SubkeyNames(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Whole"),
              (Names{L"Sub"}));
    EXPECT_EQ(Read(L"\\Whole\\Sub"), L"y");
    EXPECT_TRUE(Exists(L"\\Kept\\Stray"));
}

TEST_F(Registrar, UnregistrationDeletesListedKeysWholeAndKeepsNoRemoveKeys) {
    const std::wstring script = Script(
        L"NoRemove Shared = s 'd' { val Listed = s 'v' Mine = s 'a' { Child = s 'b' } }\nOwn = s 'c'");
    ASSERT_EQ(m_registrar.StringRegister(script), S_OK);
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Shared\\Other"));
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kBase) + L"\\Shared").c_str(), L"Stray",
                                REG_SZ, L"x", 4),
              ERROR_SUCCESS);
    ASSERT_TRUE(RegistryView::CreateKey(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Own\\Stray"));
    ASSERT_EQ(m_registrar.StringUnregister(script), S_OK);
    EXPECT_TRUE(Exists(L""));
    EXPECT_EQ(RegistryView::SubkeyNames(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Shared"),
              (Names{L"Other"}));
    // Its listed values go too, the default one included; others stay.
    EXPECT_EQ(RegistryView::ValueNames(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\Shared"),
              (Names{L"Stray"}));
    EXPECT_FALSE(Exists(L"\\Own"));
    // Again, with nothing left to remove.
    EXPECT_EQ(m_registrar.StringUnregister(script), S_OK);
    EXPECT_TRUE(Exists(L"\\Shared\\Other"));
}

TEST_F(Registrar, ScriptsThatDoNotParseChangeNothing) {
    const wchar_t* bodies[] = {
        L"Good = s 'a'\nBad = s '%NOPE%'",       // unknown replacement
        L"Good = s 'a'\nBad = s 'unterminated",  // quote left open
        L"Good = s 'a'\nBad = s '50%'",          // lone percent sign
        L"Good = s 'a'\n'' = s 'empty name'",    // would name the parent
        L"Good = s 'a'\n'a\\b' = s 'path'",      // a path, not a name
        L"Good = s 'a'\nBad = d '1'",            // only strings
        L"Good = s 'a'\nBad { val = s 'x' }",    // value without a name
        L"Good = s 'a'\nBad {",                  // body never closed
    };
    for (const wchar_t* body : bodies) {
        EXPECT_EQ(m_registrar.StringRegister(Script(body)), CRegistrar::E_BADSCRIPT) << body;
        EXPECT_FALSE(Exists(L"")) << body;
    }
    EXPECT_EQ(m_registrar.StringRegister(L"HKNOWHERE { Key = s 'a' }"), CRegistrar::E_BADSCRIPT);
    EXPECT_EQ(m_registrar.StringRegister(L"HKCU { Software }}"), CRegistrar::E_BADSCRIPT);
    EXPECT_EQ(m_registrar.StringRegister(L"HKCU { val AtRoot = s 'x' }"), CRegistrar::E_BADSCRIPT);
    EXPECT_EQ(m_registrar.StringRegister(L""), S_OK);
}

TEST_F(Registrar, MissingResourceIsAnErrorAndReplacementsNeedNames) {
    EXPECT_EQ(m_registrar.ResourceRegister(::GetModuleHandleW(nullptr), 9999),
              HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(m_registrar.AddReplacement(L"", L"x"), E_INVALIDARG);
    EXPECT_EQ(m_registrar.AddReplacement(nullptr, L"x"), E_INVALIDARG);
    EXPECT_EQ(m_registrar.AddReplacement(L"X", nullptr), E_INVALIDARG);
    // A later value for a name replaces the earlier one.
    ASSERT_EQ(m_registrar.AddReplacement(L"appid", L"{NEW}"), S_OK);
    ASSERT_EQ(m_registrar.StringRegister(Script(L"K = s '%APPID%'")), S_OK);
    EXPECT_EQ(Read(L"\\K"), L"{NEW}");
}

}  // namespace
