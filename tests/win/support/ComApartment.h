#pragma once
#include <objbase.h>

// COM for the calling thread for one test, as a screen reader has it.
class ComApartment {
public:
    ComApartment()
        : m_initialised(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_initialised) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};
