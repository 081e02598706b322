#pragma once
#include <ole2.h>

#include <vector>

#include "framework/CUnknownImpl.h"

// A data object offering a list of formats, each either with data set for
// it or rendered on request by OnRenderData (delayed rendering). Entry i of
// the formats belongs to entry i of the media.
class CDataObject : public CUnknownImpl<IDataObject, IID_IDataObject> {
public:
    CDataObject();

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                         DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** enumerator) override;

    // After this, formats without data are no longer rendered: the owner
    // that renders them is going away while others may still hold us.
    void StopRendering() { m_rendering = false; }

protected:
    ~CDataObject() override;

    // Fills the medium for a format offered without data; dropComplete
    // tells that the primary mouse button is already up.
    virtual bool OnRenderData(const FORMATETC& format, STGMEDIUM& medium, bool dropComplete);

private:
    bool IsDropComplete() const;
    // A medium of our own for the caller: handles duplicated, interfaces
    // shared; false when a handle cannot be duplicated.
    static bool CopyMedium(const STGMEDIUM& from, CLIPFORMAT format, STGMEDIUM& to);

    bool m_swapButtons;
    bool m_rendering = true;
    std::vector<FORMATETC> m_formats;
    std::vector<STGMEDIUM> m_media;
};
