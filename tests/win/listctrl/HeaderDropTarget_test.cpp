#include <gtest/gtest.h>

#include "DragDropTestSupport.h"
#include "listctrl/CDataObjectT.h"
#include "listctrl/CDragDrop.h"
#include "listctrl/CDropTargetT.h"

using namespace dndtest;

namespace {

constexpr DWORD NONE = DROPEFFECT_NONE, MOVE = DROPEFFECT_MOVE;

// The target of one list, and data objects of that list and of another.
class DropTarget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Ready());
        target = new CDropTargetT<FakeHeaderList>(list);
        target->AddRef();
        target->AddFormat(list.format);
        own = MakeData(list);
        foreign = MakeData(otherList);
    }
    void TearDown() override {
        target->Release();
        own->Release();
        foreign->Release();
    }
    static IDataObject* MakeData(FakeHeaderList& source) {
        IDataObject* data = new CDataObjectT<FakeHeaderList>(source);
        data->AddRef();
        FORMATETC format = Format(source.format);
        STGMEDIUM onRequest{};
        data->SetData(&format, &onRequest, TRUE);
        return data;
    }

    OleThread ole;
    FakeHeaderList list;
    FakeHeaderList otherList{500, 100};
    CDropTargetT<FakeHeaderList>* target = nullptr;
    IDataObject* own = nullptr;
    IDataObject* foreign = nullptr;
};

}  // namespace

TEST_F(DropTarget, DragOfColumnZeroEndsAsTheListDecidesAndTheKeysAllow) {
    // Column 0 is dragged; column 2 spans x 110..180, its centre is 145.
    const struct {
        const char* what;
        bool foreignData;
        DWORD keys;
        int x, y;
        DWORD over;     // at drag enter and drag over
        DWORD dropped;  // the list takes a drop without a place as done, unchanged
        std::vector<int> ids;
    } cases[] = {
        {"right half of the last column", false, MK_LBUTTON, 150, 10, MOVE, MOVE, {1, 2, 0}},
        {"left half of the last column", false, MK_LBUTTON, 120, 10, MOVE, MOVE, {1, 0, 2}},
        {"Shift asks for the move", false, MK_SHIFT, 150, 10, MOVE, MOVE, {1, 2, 0}},
        {"Ctrl asks for a copy", false, MK_CONTROL, 150, 10, NONE, NONE, {0, 1, 2}},
        {"just right of its own place", false, 0, 60, 10, NONE, MOVE, {0, 1, 2}},
        {"below the header band", false, 0, 150, 50, NONE, MOVE, {0, 1, 2}},
        {"a drag from another list", true, 0, 150, 10, NONE, MOVE, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list.columns = FakeHeaderList().columns;
        IDataObject* data = c.foreignData ? foreign : own;
        const POINTL point = list.Screen(c.x, c.y);
        DWORD effect = DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragEnter(data, c.keys, point, &effect), S_OK);
        EXPECT_EQ(effect, c.over);
        effect = DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragOver(c.keys, point, &effect), S_OK);
        EXPECT_EQ(effect, c.over);
        effect = DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(data, c.keys, point, &effect), S_OK);
        EXPECT_EQ(effect, c.dropped);
        EXPECT_EQ(list.Ids(), c.ids);
    }
}

TEST_F(DropTarget, LeaveForgetsTheDragAndNullArgumentsAreRefused) {
    DWORD effect = DROPEFFECT_MOVE;
    const POINTL point = list.Screen(150, 10);
    ASSERT_EQ(target->DragEnter(own, 0, point, &effect), S_OK);
    ASSERT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(target->DragLeave(), S_OK);
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragOver(0, point, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(own, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(list.Ids(), (std::vector<int>{0, 1, 2}));

    EXPECT_EQ(target->DragEnter(nullptr, 0, point, &effect), E_INVALIDARG);
    EXPECT_EQ(target->DragEnter(own, 0, point, nullptr), E_INVALIDARG);
    EXPECT_EQ(target->DragOver(0, point, nullptr), E_INVALIDARG);
    EXPECT_EQ(target->Drop(nullptr, 0, point, &effect), E_INVALIDARG);

    target->ForgetWindow();  // the list window is going away
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(own, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
}

TEST(DragDropRegistration, RegisterMakesTheTargetUntilRevoked) {
    OleThread ole;
    ASSERT_TRUE(ole.Ready());
    FakeHeaderList list;
    IDropTarget* stranger = new CDropTarget(list.m_hWnd);
    stranger->AddRef();
    {
        CDragDrop dragDrop;
        ASSERT_TRUE(dragDrop.Register(list, true));
        EXPECT_TRUE(dragDrop.AddTargetFormat(list.format));
        EXPECT_TRUE(dragDrop.AddSourceFormat(list.format));
        EXPECT_EQ(RegisterDragDrop(list.m_hWnd, stranger), DRAGDROP_E_ALREADYREGISTERED);
        dragDrop.Revoke();
        EXPECT_FALSE(dragDrop.AddTargetFormat(list.format));
        EXPECT_EQ(RegisterDragDrop(list.m_hWnd, stranger), S_OK);
        EXPECT_EQ(RevokeDragDrop(list.m_hWnd), S_OK);
    }
    EXPECT_EQ(stranger->Release(), 0u);

    FakeHeaderList gone;
    DestroyWindow(gone.m_hWnd);
    CDragDrop failed;
    EXPECT_FALSE(failed.Register(gone, true));
    EXPECT_FALSE(failed.AddTargetFormat(gone.format));
    EXPECT_FALSE(failed.AddSourceFormat(gone.format));
    EXPECT_EQ(failed.RunDrag(nullptr, DROPEFFECT_MOVE), DWORD(DROPEFFECT_NONE));
}

TEST(DragDropRegistration, RunDragDropsOnTheListUnderTheCursorOrCancelsOnEscape) {
    OleThread ole;
    ASSERT_TRUE(ole.Ready());
    FakeHeaderList list(0, 0, true);
    CDragDrop dragDrop;
    ASSERT_TRUE(dragDrop.Register(list, true));
    ASSERT_TRUE(dragDrop.AddTargetFormat(list.format));
    ASSERT_TRUE(dragDrop.AddSourceFormat(list.format));
    const POINTL over = list.Screen(150, 10);  // right half of the last column
    ASSERT_TRUE(SetCursorPos(over.x, over.y));

    // Escape waiting in the queue ends the drag before anything is dropped.
    PostMessageW(list.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dragDrop.RunDrag(nullptr, DROPEFFECT_MOVE), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(list.Ids(), (std::vector<int>{0, 1, 2}));

    // No button is held, so the drag drops at once where the cursor is;
    // the picture, when the system can show one, changes nothing.
    HDC screen = GetDC(nullptr);
    SHDRAGIMAGE image{{50, 20}, {25, 10}, CreateCompatibleBitmap(screen, 50, 20),
                      GetSysColor(COLOR_WINDOW)};
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(dragDrop.RunDrag(&image, DROPEFFECT_MOVE), DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(list.Ids(), (std::vector<int>{1, 2, 0}));
}
