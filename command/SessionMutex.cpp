#include "command/SessionMutex.h"

#include <sddl.h>

#include <vector>

SessionMutex::SessionMutex(const std::wstring& name) {
    const std::wstring sid = CurrentUserSid();
    if (sid.empty())
        return;
    // The user alone may use it; the low label lets processes of every
    // integrity level open it, where the default would keep low ones out.
    const std::wstring sddl = L"D:(A;;GA;;;" + sid + L")S:(ML;;NW;;;LW)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                               nullptr))
        return;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    const std::wstring qualified = L"Local\\" + name + L"." + sid;
    m_mutex.Reset(::CreateMutexW(&attributes, FALSE, qualified.c_str()));
    ::LocalFree(descriptor);
}

SessionMutex::~SessionMutex() {
    Give();
}

void SessionMutex::Give() {
    if (m_taken)
        ::ReleaseMutex(m_mutex.Get());
    m_taken = false;
}

bool SessionMutex::TryTake() {
    if (!m_mutex || m_taken)
        return m_taken;
    const DWORD wait = ::WaitForSingleObject(m_mutex.Get(), 0);
    m_taken = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    return m_taken;
}

std::wstring SessionMutex::CurrentUserSid() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return std::wstring();
    const CKernelHandle ownedToken(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0)
        return std::wstring();
    std::vector<BYTE> user(size);
    LPWSTR text = nullptr;
    if (!::GetTokenInformation(token, TokenUser, user.data(), size, &size) ||
        !::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text))
        return std::wstring();
    const std::wstring sid(text);
    ::LocalFree(text);
    return sid;
}
