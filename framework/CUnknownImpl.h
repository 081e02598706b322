#pragma once
#include <unknwn.h>

// IUnknown for a small object of one interface I, which answers IUnknown
// and the ids given (I's own, and those of the interfaces I derives from).
// Such objects live on one thread only, so the count is a plain integer;
// the object deletes itself when it reaches zero.
template <class I, const IID&... iids>
class CUnknownImpl : public I {
public:
    CUnknownImpl(const CUnknownImpl&) = delete;
    CUnknownImpl& operator=(const CUnknownImpl&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        if (!::IsEqualIID(riid, IID_IUnknown) && !(::IsEqualIID(riid, iids) || ...)) {
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
