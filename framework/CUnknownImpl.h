#pragma once
#include <unknwn.h>

// IUnknown for the small single-interface objects of the list's drag and
// drop. They live on the user-interface thread only, so the count is a
// plain integer; the object deletes itself when it reaches zero.
template <class I, const IID& iid>
class CUnknownImpl : public I {
public:
    CUnknownImpl(const CUnknownImpl&) = delete;
    CUnknownImpl& operator=(const CUnknownImpl&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        if (!::IsEqualIID(riid, IID_IUnknown) && !::IsEqualIID(riid, iid)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<I*>(this);
        AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refCount; }

    STDMETHODIMP_(ULONG) Release() override {
        const ULONG count = --m_refCount;
        if (count == 0) delete this;
        return count;
    }

protected:
    CUnknownImpl() = default;
    virtual ~CUnknownImpl() = default;

private:
    ULONG m_refCount = 0;
};
