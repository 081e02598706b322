#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "framework/CAtlDllModuleT.h"
#include "framework/CBaseModule.h"
#include "framework/CModuleLockGuard.h"
#include "framework/IsThemingAvailable.h"
#include "support/CountingUnknown.h"

namespace {

// The module lock held by another thread, as when that thread is stopped
// inside the module: code that may run under the loader lock (DllMain) or
// that others call while holding it must not wait for the module lock.
class ModuleLockHeldElsewhere : public ::testing::Test {
protected:
    void SetUp() override {
        m_holder = std::thread([this] {
            CModuleLockGuard lock;
            m_locked = true;
            while (!m_release) ::Sleep(1);
        });
        while (!m_locked) ::Sleep(1);
    }
    void TearDown() override {
        m_release = true;
        m_holder.join();
    }

    // Whether the work ends within seconds while the lock is held; it is
    // let finish in any case.
    bool FinishesMeanwhile(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            work();
            done = true;
        });
        for (int waited = 0; !done && waited < 10000; waited += 10) ::Sleep(10);
        const bool finished = done;
        m_release = true;
        worker.join();
        return finished;
    }

private:
    std::thread m_holder;
    std::atomic<bool> m_locked{false};
    std::atomic<bool> m_release{false};
};

class CTestModule : public CAtlDllModuleT<CTestModule> {
public:
    enum { IDR_MODULE_SCRIPT = 1 };
    using CAtlDllModuleT::CAtlDllModuleT;
    static LPCWSTR GetAppId() { return L"{00000000-0000-0000-0000-000000000000}"; }
};

}  // namespace

TEST_F(ModuleLockHeldElsewhere, ThemingSupportIsAnsweredWithoutIt) {
    bool available = false;
    EXPECT_TRUE(FinishesMeanwhile([&] { available = IsThemingAvailable(); }));
    // The component imports the visual-styles library, so it is there.
    EXPECT_TRUE(available);
}

TEST_F(ModuleLockHeldElsewhere, ProcessExitReleasesNothingAndDoesNotWaitForIt) {
    CountingUnknown classObject;
    CObjectMapEntry map[] = {{&IID_IUnknown, 0, nullptr, nullptr, &classObject}};
    CTestModule module(map, map + 1);
    // A non-null reserved argument: the process is ending.
    EXPECT_TRUE(FinishesMeanwhile([&] {
        module.DllMain(::GetModuleHandleW(nullptr), DLL_PROCESS_DETACH, reinterpret_cast<LPVOID>(1));
    }));
    EXPECT_EQ(map[0].pClassObject, &classObject);
    EXPECT_EQ(classObject.refs, 1u);
}
