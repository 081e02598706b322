#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "listctrl/dragdrop/CDragDrop.h"
#include "listctrl/dragdrop/CEnumFormatEtc.h"
#include "listctrl/dragdrop/CHeaderDataObject.h"
#include "listctrl/dragdrop/CHeaderDropTarget.h"
#include "listctrl/dragdrop/HeaderDragHandler.h"
#include "listctrl/rules/ColumnDrop.h"
#include "listctrl/dragdrop/HeaderPayload.h"

namespace {

constexpr DWORD NONE = DROPEFFECT_NONE, MOVE = DROPEFFECT_MOVE;

FORMATETC Format(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
    return FORMATETC{format, nullptr, aspect, -1, tymed};
}

// A list in miniature answering the header hooks as the grid does, over a
// 20-pixel band of columns 50, 60 and 70 wide from its client origin;
// column 0 is the one dragged.
class FakeHeaderList final : public HeaderDragHandler {
public:
    HWND m_hWnd;
    const CLIPFORMAT format =
        static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HEADERCLIPBOARDFORMAT"));
    std::vector<ListColumn> columns;
    int drop = -1;

    explicit FakeHeaderList(int x = 100, DWORD visible = 0) {
        WNDCLASSW plain{};
        plain.lpfnWndProc = DefWindowProcW;
        plain.lpszClassName = L"VTL_FakeHeaderList";
        RegisterClassW(&plain);  // fails harmlessly once registered
        m_hWnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, plain.lpszClassName, nullptr,
                                 WS_POPUP | visible, x, 0, 300, 100, nullptr, nullptr, nullptr,
                                 nullptr);
        Reset();
    }
    ~FakeHeaderList() { DestroyWindow(m_hWnd); }

    void Reset() {
        columns.assign(3, ListColumn());
        for (int i = 0; i < 3; ++i) {
            columns[i].Id = i;
            columns[i].Width = 50 + 10 * i;
        }
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const ListColumn& column : columns) ids.push_back(column.Id);
        return ids;
    }
    POINTL Screen(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(m_hWnd, &p);
        return POINTL{p.x, p.y};
    }

    bool RenderHeaderData(const FORMATETC& f, STGMEDIUM& medium) override {
        return f.cfFormat == format && HeaderPayload::Render(m_hWnd, medium);
    }
    DWORD OnHeaderDragOver(const FORMATETC& f, const STGMEDIUM& medium, POINT point) override {
        drop = -1;
        if (f.cfFormat != format || !HeaderPayload::Names(medium, m_hWnd)) return NONE;
        for (int position = 0, left = 0; position < 3; left += columns[position++].Width) {
            const int right = left + columns[position].Width;
            if (point.y >= 0 && point.y <= 20 && left < point.x && point.x < right)
                drop = ColumnDrop::DropPosition(position, left, right, point.x, 0);
        }
        return drop != -1 ? MOVE : NONE;
    }
    bool OnHeaderDrop(const FORMATETC& f) override {
        if (f.cfFormat != format) return false;
        ColumnDrop::MoveColumn(columns, 0, drop);
        return true;
    }
};

// A data object of a list, offering the header format rendered on request.
IDataObject* MakeData(FakeHeaderList& list) {
    IDataObject* data = new CHeaderDataObject(list);
    data->AddRef();
    FORMATETC format = Format(list.format);
    STGMEDIUM onRequest{};
    EXPECT_EQ(data->SetData(&format, &onRequest, TRUE), S_OK);
    return data;
}

class DragDrop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        data = MakeData(list);
    }
    void TearDown() override {
        data->Release();
        OleUninitialize();
    }
    FakeHeaderList list;
    IDataObject* data = nullptr;
};

int g_destroyed = 0;

template <class T>
class Counted final : public T {
public:
    using T::T;
    ~Counted() override { ++g_destroyed; }
};

// One interface besides IUnknown, plain counting, deleted at zero.
template <class T, class... Args>
void ExpectLifetime(REFIID iid, Args... args) {
    T* object = new Counted<T>(args...);
    const int before = g_destroyed;
    void *unknown = nullptr, *typed = nullptr, *other = &other;
    object->AddRef();
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(object->QueryInterface(iid, &typed), S_OK);
    EXPECT_EQ(typed, unknown);
    EXPECT_EQ(object->QueryInterface(IID_IStream, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(object->QueryInterface(iid, nullptr), E_POINTER);
    EXPECT_EQ(object->Release(), 2u);
    EXPECT_EQ(static_cast<IUnknown*>(unknown)->Release(), 1u);
    EXPECT_EQ(g_destroyed, before);
    EXPECT_EQ(static_cast<IUnknown*>(typed)->Release(), 0u);
    EXPECT_EQ(g_destroyed, before + 1);
}

}  // namespace

TEST(DragDropObjects, CountReferencesAndDieAtZero) {
    ExpectLifetime<CDropSource>(IID_IDropSource);
    ExpectLifetime<CDataObject>(IID_IDataObject);
    ExpectLifetime<CEnumFormatEtc>(IID_IEnumFORMATETC, std::vector<FORMATETC>{});
    ExpectLifetime<CDropTarget>(IID_IDropTarget, HWND(nullptr));

    CDropSource source;  // goes on while a button is held, cancels on Escape
    EXPECT_EQ(source.QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_RBUTTON), S_OK);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_CONTROL), DRAGDROP_S_DROP);
    EXPECT_EQ(source.GiveFeedback(MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(DragDrop, DataObjectRendersThePayloadAndAnswersQueries) {
    FORMATETC header = Format(list.format);
    STGMEDIUM medium;
    memset(&medium, 0xCC, sizeof(medium));
    ASSERT_EQ(data->GetData(&header, &medium), S_OK);
    EXPECT_EQ(medium.tymed, DWORD(TYMED_HGLOBAL));
    EXPECT_EQ(GlobalSize(medium.hGlobal), 4u);
    EXPECT_TRUE(HeaderPayload::Names(medium, list.m_hWnd));
    ReleaseStgMedium(&medium);

    const CLIPFORMAT other = CF_TEXT;
    const struct {
        FORMATETC format;
        HRESULT query, get;
    } cases[] = {
        {Format(list.format, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK, S_OK},
        {Format(list.format, TYMED_ISTREAM), DV_E_TYMED, DV_E_FORMATETC},
        {Format(other), DV_E_CLIPFORMAT, DV_E_FORMATETC},
        {Format(list.format, TYMED_HGLOBAL, DVASPECT_ICON), DV_E_DVASPECT, DV_E_FORMATETC},
    };
    for (auto c : cases) {
        EXPECT_EQ(data->QueryGetData(&c.format), c.query) << c.format.tymed;
        EXPECT_EQ(data->GetData(&c.format, &medium), c.get) << c.format.tymed;
        ReleaseStgMedium(&medium);
    }
    EXPECT_EQ(data->QueryGetData(nullptr), E_INVALIDARG);
    EXPECT_EQ(data->GetData(nullptr, &medium), E_INVALIDARG);
    EXPECT_EQ(data->GetData(&header, nullptr), E_INVALIDARG);
    EXPECT_EQ(data->SetData(&header, nullptr, TRUE), E_INVALIDARG);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&header, nullptr), E_INVALIDARG);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, nullptr), E_POINTER);
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(&header);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL);
    EXPECT_EQ(formats, nullptr);

    // Data set by copy is handed out as a further copy.
    FORMATETC text = Format(other);
    STGMEDIUM kept{};
    kept.tymed = TYMED_HGLOBAL;
    kept.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 5);
    strcpy(static_cast<char*>(GlobalLock(kept.hGlobal)), "kept");
    GlobalUnlock(kept.hGlobal);
    ASSERT_EQ(data->SetData(&text, &kept, FALSE), S_OK);
    ReleaseStgMedium(&kept);
    ASSERT_EQ(data->GetData(&text, &medium), S_OK);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(medium.hGlobal)), "kept");
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
}

TEST_F(DragDrop, EnumeratorWalksSkipsResetsAndClones) {
    for (CLIPFORMAT format : {CLIPFORMAT(CF_TEXT), CLIPFORMAT(CF_BITMAP)}) {
        FORMATETC more = Format(format);
        STGMEDIUM empty{};
        ASSERT_EQ(data->SetData(&more, &empty, TRUE), S_OK);
    }
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC got[4] = {};
    ULONG fetched = 99;
    EXPECT_EQ(formats->Next(2, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[0].cfFormat, list.format);
    EXPECT_EQ(got[1].cfFormat, CLIPFORMAT(CF_TEXT));
    EXPECT_EQ(formats->Skip(1), S_OK);  // exactly to the end
    EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    EXPECT_EQ(formats->Reset(), S_OK);
    EXPECT_EQ(formats->Skip(4), S_FALSE);  // past the end: the cursor stays
    EXPECT_EQ(formats->Next(4, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3u);
    formats->Reset();
    EXPECT_EQ(formats->Next(2, got, nullptr), S_FALSE);  // more than one needs a count
    EXPECT_EQ(formats->Next(1, nullptr, &fetched), S_FALSE);
    EXPECT_EQ(formats->Next(1, got, nullptr), S_OK);

    IEnumFORMATETC* clone = nullptr;
    EXPECT_EQ(formats->Clone(nullptr), E_POINTER);
    ASSERT_EQ(formats->Clone(&clone), S_OK);
    EXPECT_EQ(formats->Release(), 0u);
    EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(got[0].cfFormat, CLIPFORMAT(CF_TEXT));  // where the original stood
    EXPECT_EQ(clone->Release(), 0u);
}

TEST_F(DragDrop, TargetMovesTheColumnAsTheListDecidesAndTheKeysAllow) {
    FakeHeaderList otherList(500);
    IDataObject* foreign = MakeData(otherList);
    IDropTarget* target = new CHeaderDropTarget(list.m_hWnd, list);
    target->AddRef();
    static_cast<CDropTarget*>(target)->AddFormat(list.format);
    // Column 2 spans x 110..180, centre 145. A drop with no place is taken
    // as done by the list, and changes nothing.
    const struct {
        const char* what;
        IDataObject* data;
        DWORD keys;
        int x, y;
        DWORD over, dropped;
        std::vector<int> ids;
    } cases[] = {
        {"right half of the last column", data, MK_LBUTTON, 150, 10, MOVE, MOVE, {1, 2, 0}},
        {"left half of the last column", data, MK_LBUTTON, 120, 10, MOVE, MOVE, {1, 0, 2}},
        {"Shift asks for the move", data, MK_SHIFT, 150, 10, MOVE, MOVE, {1, 2, 0}},
        {"Ctrl asks for a copy", data, MK_CONTROL, 150, 10, NONE, NONE, {0, 1, 2}},
        {"just right of its own place", data, 0, 60, 10, NONE, MOVE, {0, 1, 2}},
        {"below the header band", data, 0, 150, 50, NONE, MOVE, {0, 1, 2}},
        {"a drag from another list", foreign, 0, 150, 10, NONE, MOVE, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list.Reset();
        const POINTL point = list.Screen(c.x, c.y);
        DWORD effect = MOVE;
        EXPECT_EQ(target->DragEnter(c.data, c.keys, point, &effect), S_OK);
        EXPECT_EQ(effect, c.over);
        effect = MOVE;
        EXPECT_EQ(target->DragOver(c.keys, point, &effect), S_OK);
        EXPECT_EQ(effect, c.over);
        effect = MOVE;
        EXPECT_EQ(target->Drop(c.data, c.keys, point, &effect), S_OK);
        EXPECT_EQ(effect, c.dropped);
        EXPECT_EQ(list.Ids(), c.ids);
    }

    list.Reset();  // after a leave there is no drag to drop
    DWORD effect = MOVE;
    const POINTL point = list.Screen(150, 10);
    ASSERT_EQ(target->DragEnter(data, 0, point, &effect), S_OK);
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(target->Drop(data, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, NONE);
    EXPECT_EQ(list.Ids(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(target->DragEnter(nullptr, 0, point, &effect), E_INVALIDARG);
    EXPECT_EQ(target->DragOver(0, point, nullptr), E_INVALIDARG);
    EXPECT_EQ(target->Drop(nullptr, 0, point, &effect), E_INVALIDARG);
    target->Release();
    foreign->Release();
}

TEST_F(DragDrop, RegisteredListDragsOntoItselfUntilRevoked) {
    FakeHeaderList shown(0, WS_VISIBLE);
    CDragDrop dragDrop;
    ASSERT_TRUE(dragDrop.Register(shown.m_hWnd, shown, true));
    ASSERT_TRUE(dragDrop.AddTargetFormat(shown.format));
    ASSERT_TRUE(dragDrop.AddSourceFormat(shown.format));
    const POINTL over = shown.Screen(150, 10);  // right half of the last column
    ASSERT_TRUE(SetCursorPos(over.x, over.y));

    // Escape waiting in the queue ends the drag before anything is dropped.
    PostMessageW(shown.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dragDrop.RunDrag(nullptr, MOVE), NONE);
    EXPECT_EQ(shown.Ids(), (std::vector<int>{0, 1, 2}));
    // No button is held: the drag drops at once under the cursor.
    HDC screen = GetDC(nullptr);
    SHDRAGIMAGE image{{50, 20}, {25, 10}, CreateCompatibleBitmap(screen, 50, 20), 0};
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(dragDrop.RunDrag(&image, MOVE), MOVE);
    EXPECT_EQ(shown.Ids(), (std::vector<int>{1, 2, 0}));

    dragDrop.Revoke();
    EXPECT_EQ(RevokeDragDrop(shown.m_hWnd), DRAGDROP_E_NOTREGISTERED);
    EXPECT_FALSE(dragDrop.AddTargetFormat(shown.format));

    DestroyWindow(shown.m_hWnd);  // a window that is gone cannot be registered
    CDragDrop failed;
    EXPECT_FALSE(failed.Register(shown.m_hWnd, shown, true));
    EXPECT_FALSE(failed.AddSourceFormat(shown.format));
    EXPECT_EQ(failed.RunDrag(nullptr, MOVE), NONE);
}

// The drag-image helper sets its formats again at every drag: the data set
// last is the one served, and what it replaces is let go.
TEST_F(DragDrop, DataSetAgainForAFormatReplacesTheOldAndReleasesIt) {
    for (BOOL release : {TRUE, FALSE}) {
        SCOPED_TRACE(release);
        IStream* streams[2] = {};
        FORMATETC format = Format(CF_TEXT, TYMED_ISTREAM);
        for (IStream*& stream : streams) {
            ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
            if (release) stream->AddRef();  // the one handed over
            STGMEDIUM medium{};
            medium.tymed = TYMED_ISTREAM;
            medium.pstm = stream;
            ASSERT_EQ(data->SetData(&format, &medium, release), S_OK);
        }
        STGMEDIUM served{};
        ASSERT_EQ(data->GetData(&format, &served), S_OK);
        EXPECT_EQ(served.pstm, streams[1]);
        ReleaseStgMedium(&served);

        IEnumFORMATETC* formats = nullptr;
        ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
        FORMATETC got{};
        int offered = 0;
        while (formats->Next(1, &got, nullptr) == S_OK) offered += got.cfFormat == CF_TEXT;
        formats->Release();
        EXPECT_EQ(offered, 1);

        EXPECT_EQ(streams[0]->Release(), 0u);  // ours was the last reference
        streams[1]->Release();
    }
}
