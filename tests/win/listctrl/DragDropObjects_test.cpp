#include <gtest/gtest.h>

#include <cstring>

#include "DragDropTestSupport.h"
#include "listctrl/CDataObjectT.h"
#include "listctrl/CDropSource.h"
#include "listctrl/CDropTarget.h"
#include "listctrl/CEnumFormatEtc.h"

using namespace dndtest;

namespace {

int g_destroyed = 0;

// Any of the objects, counting its own destruction.
template <class T>
class Counted final : public T {
public:
    using T::T;
    ~Counted() override { ++g_destroyed; }
};

template <class T, class... Args>
void ExpectLifetime(REFIID iid, Args&&... args) {
    const int before = g_destroyed;
    T* object = new Counted<T>(std::forward<Args>(args)...);
    EXPECT_EQ(object->AddRef(), 1u);
    IUnknown* unknown = nullptr;
    void* typed = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(object->QueryInterface(iid, &typed), S_OK);
    EXPECT_EQ(typed, static_cast<void*>(unknown));
    void* other = &other;
    EXPECT_EQ(object->QueryInterface(IID_IStream, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(object->QueryInterface(iid, nullptr), E_POINTER);
    EXPECT_EQ(object->Release(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(g_destroyed, before);
    EXPECT_EQ(static_cast<IUnknown*>(typed)->Release(), 0u);
    EXPECT_EQ(g_destroyed, before + 1);
}

// A data object offering the header format (rendered on request by the
// list) and a second format with data of its own.
class DataObject : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(list.m_hWnd, nullptr);
        data = new CDataObjectT<FakeHeaderList>(list);
        data->AddRef();
        FORMATETC header = Format(list.format);
        STGMEDIUM onRequest{};
        ASSERT_EQ(data->SetData(&header, &onRequest, TRUE), S_OK);
    }
    void TearDown() override { data->Release(); }

    static HGLOBAL Text(const char* text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        strcpy(static_cast<char*>(GlobalLock(block)), text);
        GlobalUnlock(block);
        return block;
    }

    FakeHeaderList list;
    CDataObjectT<FakeHeaderList>* data = nullptr;
    const CLIPFORMAT other = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"VTL other"));
};

}  // namespace

TEST(DragDropObjectLifetime, EachObjectAnswersItsInterfaceAndDiesAtZero) {
    ExpectLifetime<CDropSource>(IID_IDropSource);
    ExpectLifetime<CDataObject>(IID_IDataObject);
    ExpectLifetime<CEnumFormatEtc>(IID_IEnumFORMATETC, std::vector<FORMATETC>{});
    ExpectLifetime<CDropTarget>(IID_IDropTarget, HWND(nullptr));
}

TEST(DropSourceRule, ButtonsKeepTheDragGoingAndEscapeCancels) {
    CDropSource source;
    const struct {
        BOOL escape;
        DWORD keys;
        HRESULT expected;
    } cases[] = {
        {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL}, {FALSE, MK_LBUTTON, S_OK},
        {FALSE, MK_RBUTTON, S_OK},             {FALSE, MK_SHIFT | MK_CONTROL, DRAGDROP_S_DROP},
        {FALSE, 0, DRAGDROP_S_DROP},
    };
    for (const auto& c : cases)
        EXPECT_EQ(source.QueryContinueDrag(c.escape, c.keys), c.expected) << c.escape << c.keys;
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(DataObject, RendersThePayloadNamingTheListAtEveryRequest) {
    for (int request = 0; request < 2; ++request) {
        FORMATETC format = Format(list.format);
        STGMEDIUM medium;
        memset(&medium, 0xCC, sizeof(medium));
        ASSERT_EQ(data->GetData(&format, &medium), S_OK);
        EXPECT_EQ(medium.tymed, DWORD(TYMED_HGLOBAL));
        EXPECT_EQ(medium.pUnkForRelease, nullptr);
        EXPECT_EQ(GlobalSize(medium.hGlobal), 4u);
        EXPECT_TRUE(HeaderPayload::Names(medium, list.m_hWnd));
        ReleaseStgMedium(&medium);
    }
    // No match by format, aspect or medium type; the medium comes back empty.
    for (FORMATETC wrong : {Format(other), Format(list.format, TYMED_ISTREAM),
                            Format(list.format, TYMED_HGLOBAL, DVASPECT_ICON)}) {
        STGMEDIUM medium;
        memset(&medium, 0xCC, sizeof(medium));
        EXPECT_EQ(data->GetData(&wrong, &medium), DV_E_FORMATETC);
        EXPECT_EQ(medium.tymed, DWORD(TYMED_NULL));
    }
    data->StopRendering();  // the list is gone
    FORMATETC format = Format(list.format);
    STGMEDIUM medium{};
    EXPECT_EQ(data->GetData(&format, &medium), DV_E_FORMATETC);
}

TEST_F(DataObject, DataSetByCopyOrByHandOverIsGivenOutAsACopy) {
    FORMATETC format = Format(other);
    STGMEDIUM kept{TYMED_HGLOBAL, {nullptr}, nullptr};
    kept.hGlobal = Text("kept by the caller");
    ASSERT_EQ(data->SetData(&format, &kept, FALSE), S_OK);
    ReleaseStgMedium(&kept);  // the object made its own copy

    STGMEDIUM out{};
    ASSERT_EQ(data->GetData(&format, &out), S_OK);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(out.hGlobal)), "kept by the caller");
    GlobalUnlock(out.hGlobal);
    ReleaseStgMedium(&out);

    FORMATETC device = Format(other);
    device.ptd = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(sizeof(DVTARGETDEVICE)));
    STGMEDIUM handed{TYMED_HGLOBAL, {nullptr}, nullptr};
    handed.hGlobal = Text("x");
    EXPECT_EQ(data->SetData(&device, &handed, TRUE), DV_E_DVTARGETDEVICE);
    CoTaskMemFree(device.ptd);
    ReleaseStgMedium(&handed);  // refused, so still ours
}

TEST_F(DataObject, QueryGetDataAndTheFixedAnswers) {
    const struct {
        FORMATETC format;
        HRESULT expected;
    } cases[] = {
        {Format(list.format), S_OK},
        {Format(list.format, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK},
        {Format(list.format, TYMED_ISTREAM), DV_E_TYMED},
        {Format(other), DV_E_CLIPFORMAT},
        {Format(list.format, TYMED_HGLOBAL, DVASPECT_ICON), DV_E_DVASPECT},
    };
    for (auto c : cases) EXPECT_EQ(data->QueryGetData(&c.format), c.expected) << c.format.tymed;

    FORMATETC format = Format(list.format);
    STGMEDIUM medium{};
    FORMATETC canonical{};
    IEnumFORMATETC* enumerator = reinterpret_cast<IEnumFORMATETC*>(&format);
    DWORD connection = 0;
    EXPECT_EQ(data->QueryGetData(nullptr), E_INVALIDARG);
    EXPECT_EQ(data->GetData(nullptr, &medium), E_INVALIDARG);
    EXPECT_EQ(data->GetData(&format, nullptr), E_INVALIDARG);
    EXPECT_EQ(data->SetData(nullptr, &medium, TRUE), E_INVALIDARG);
    EXPECT_EQ(data->SetData(&format, nullptr, TRUE), E_INVALIDARG);
    EXPECT_EQ(data->GetDataHere(&format, &medium), E_NOTIMPL);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&format, &canonical), DATA_S_SAMEFORMATETC);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&format, nullptr), E_INVALIDARG);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, nullptr), E_POINTER);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &enumerator), E_NOTIMPL);
    EXPECT_EQ(enumerator, nullptr);
    EXPECT_EQ(data->DAdvise(&format, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(data->DUnadvise(connection), E_NOTIMPL);
    EXPECT_EQ(data->EnumDAdvise(nullptr), OLE_E_ADVISENOTSUPPORTED);
}

TEST_F(DataObject, EnumeratorWalksSkipsResetsAndClones) {
    FORMATETC second = Format(other);
    FORMATETC third = Format(CF_TEXT);
    STGMEDIUM empty{};
    ASSERT_EQ(data->SetData(&second, &empty, TRUE), S_OK);
    ASSERT_EQ(data->SetData(&third, &empty, TRUE), S_OK);
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);

    FORMATETC got[4] = {};
    ULONG fetched = 99;
    EXPECT_EQ(formats->Next(2, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[0].cfFormat, list.format);
    EXPECT_EQ(got[1].cfFormat, other);
    EXPECT_EQ(formats->Skip(1), S_OK);  // exactly to the end
    EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    EXPECT_EQ(formats->Reset(), S_OK);
    EXPECT_EQ(formats->Skip(4), S_FALSE);  // past the end: the cursor stays
    EXPECT_EQ(formats->Next(4, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(got[2].cfFormat, CLIPFORMAT(CF_TEXT));

    formats->Reset();
    EXPECT_EQ(formats->Next(2, got, nullptr), S_FALSE);  // more than one needs a count
    EXPECT_EQ(formats->Next(0, got, &fetched), S_FALSE);
    EXPECT_EQ(formats->Next(1, nullptr, &fetched), S_FALSE);
    EXPECT_EQ(formats->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, list.format);

    IEnumFORMATETC* clone = nullptr;
    EXPECT_EQ(formats->Clone(nullptr), E_POINTER);
    ASSERT_EQ(formats->Clone(&clone), S_OK);
    EXPECT_EQ(formats->Release(), 0u);  // the clone is on its own
    EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(got[0].cfFormat, other);  // same cursor as the original had
    EXPECT_EQ(clone->Release(), 0u);
}
