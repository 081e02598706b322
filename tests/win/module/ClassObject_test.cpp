#include <gtest/gtest.h>
#include <windows.h>
#include <docobj.h>
#include <ocidl.h>

#include <string>

#include "module/BrackwynVTL.h"
#include "support/ChildProcess.h"
#include "support/ComponentFiles.h"
#include "support/CountingUnknown.h"
#include "support/LoadedComponent.h"
#include "support/ScratchFolder.h"

namespace {

class ClassObject : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_component.IsLoaded());
        ASSERT_EQ(m_component.GetClassObject(CLSID_Options, IID_IClassFactory,
                                             reinterpret_cast<void**>(&m_pFactory)),
                  S_OK);
    }
    void TearDown() override {
        if (m_pFactory != nullptr) m_pFactory->Release();
        m_pFactory = nullptr;
        // Whatever a test did, nothing of it may keep the DLL.
        EXPECT_EQ(m_component.CanUnloadNow(), S_OK);
    }

    LoadedComponent m_component;
    IClassFactory* m_pFactory = nullptr;
};

TEST_F(ClassObject, OtherClassIdsAreNotAvailable) {
    void* pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_component.GetClassObject(IID_IClassFactory, IID_IClassFactory, &pv),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(m_component.GetClassObject(CLSID_Options, IID_IClassFactory, nullptr), E_POINTER);
    pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_component.GetClassObject(CLSID_Options, IID_IDispatch, &pv), E_NOINTERFACE);
    EXPECT_EQ(pv, nullptr);
}

TEST_F(ClassObject, IsCreatedOnceAndCached) {
    IClassFactory* pSecond = nullptr;
    ASSERT_EQ(m_component.GetClassObject(CLSID_Options, IID_IUnknown,
                                         reinterpret_cast<void**>(&pSecond)),
              S_OK);
    IUnknown* pFirstIdentity = nullptr;
    m_pFactory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFirstIdentity));
    EXPECT_EQ(pFirstIdentity, static_cast<IUnknown*>(pSecond));
    pFirstIdentity->Release();
    pSecond->Release();
}

TEST_F(ClassObject, RefusesAggregationWithANullResult) {
    CountingUnknown outer;  // aggregation must not touch it for long
    void* pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_pFactory->CreateInstance(&outer, IID_IUnknown, &pv), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(pv, nullptr);
    pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_pFactory->CreateInstance(&outer, IID_IOleCommandTarget, &pv), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(outer.refs, 1u);
    EXPECT_EQ(m_pFactory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_pFactory->CreateInstance(nullptr, IID_IClassFactory, &pv), E_NOINTERFACE);
    EXPECT_EQ(pv, nullptr);
}

TEST_F(ClassObject, ObjectsAndServerLocksKeepTheModuleLoaded) {
    // The factory held by the test is a lock of its own.
    EXPECT_EQ(m_component.CanUnloadNow(), S_FALSE);
    IUnknown* pObject = nullptr;
    ASSERT_EQ(m_pFactory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&pObject)),
              S_OK);
    EXPECT_EQ(m_pFactory->LockServer(TRUE), S_OK);
    m_pFactory->Release();
    m_pFactory = nullptr;
    EXPECT_EQ(m_component.CanUnloadNow(), S_FALSE);  // object and lock
    pObject->Release();
    EXPECT_EQ(m_component.CanUnloadNow(), S_FALSE);  // the lock alone

    IClassFactory* pFactory = nullptr;
    ASSERT_EQ(m_component.GetClassObject(CLSID_Options, IID_IClassFactory,
                                         reinterpret_cast<void**>(&pFactory)),
              S_OK);
    EXPECT_EQ(pFactory->LockServer(FALSE), S_OK);
    pFactory->Release();
    EXPECT_EQ(m_component.CanUnloadNow(), S_OK);
}

TEST_F(ClassObject, UnmatchedServerUnlocksLeaveTheOtherLocksInPlace) {
    EXPECT_EQ(m_pFactory->LockServer(FALSE), S_OK);
    IUnknown* pObject = nullptr;
    ASSERT_EQ(m_pFactory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&pObject)),
              S_OK);
    EXPECT_EQ(m_pFactory->LockServer(TRUE), S_OK);
    EXPECT_EQ(m_pFactory->LockServer(FALSE), S_OK);
    EXPECT_EQ(m_pFactory->LockServer(FALSE), S_OK);  // one more than was taken
    m_pFactory->Release();
    m_pFactory = nullptr;
    EXPECT_EQ(m_component.CanUnloadNow(), S_FALSE);  // the object's own lock
    pObject->Release();
}

// The DLL refuses to load into Windows Explorer, judged by the last 12
// characters of the executable's path.
TEST(LoadRefusal, ExplorerIsRefusedOtherHostsAreAccepted) {
    ScratchFolder folder(L"hosts");
    struct Case {
        LPCWSTR folder;
        LPCWSTR name;
        DWORD exitCode;
    };
    const Case cases[] = {
        {L"a", L"explorer.exe", 1u},
        {L"b", L"EXPLORER.EXE", 1u},
        {L"c", L"myexplorer.exe", 1u},
        {L"d", L"iexplore.exe", 0u},
        {L"e", L"explorer.exe.bak.exe", 0u},
    };
    for (const Case& c : cases) {
        const std::wstring program = folder.MakeFolder(c.folder) + L"\\" + c.name;
        ASSERT_TRUE(::CopyFileW(ComponentFiles::ProgramPath(L"vtlload.exe").c_str(),
                                program.c_str(), FALSE));
        std::string output;
        EXPECT_EQ(ChildProcess::Run(ComponentFiles::Quoted(program) + L" " +
                                        ComponentFiles::Quoted(ComponentFiles::DllPath()),
                                    &output),
                  c.exitCode)
            << "host " << std::string(c.name, c.name + wcslen(c.name)) << ": " << output;
    }
}

}  // namespace
