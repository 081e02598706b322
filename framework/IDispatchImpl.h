#pragma once
#include <windows.h>
#include <oaidl.h>

#include "framework/CTypeInfoHolder.h"

// IDispatch of a dual interface, served from the interface's description in
// its registered type library (version major.minor, locale libraryLcid).
template <class Interface, const IID* piid, const GUID* plibid, WORD major, WORD minor,
          LCID libraryLcid>
class IDispatchImpl : public Interface {
public:
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override {
        if (pctinfo == nullptr) return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override {
        return m_typeInfo.GetTypeInfo(iTInfo, lcid, ppTInfo);
    }
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                             DISPID* rgDispId) override {
        return m_typeInfo.GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
    }
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                      UINT* puArgErr) override {
        return m_typeInfo.Invoke(static_cast<Interface*>(this), dispIdMember, riid, lcid, wFlags,
                                 pDispParams, pVarResult, pExcepInfo, puArgErr);
    }

protected:
    IDispatchImpl() : m_typeInfo(*piid, *plibid, major, minor, libraryLcid) {}
    ~IDispatchImpl() = default;

private:
    CTypeInfoHolder m_typeInfo;
};
