#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "listctrl/CListDate.h"

using namespace editortest;

namespace {

const SYSTEMTIME LEAP_AFTERNOON{2024, 2, 0, 29, 13, 30, 5, 0};

class ListDate : public EditorTest {
protected:
    bool Open(unsigned flags, SYSTEMTIME value = LEAP_AFTERNOON) {
        return date.ShowEditor(host.m_hWnd, 5, 0, CELL, flags, value);
    }
    DWORD Held(SYSTEMTIME& value) const { return DateTime_GetSystemtime(date.m_hWnd, &value); }

    static void ExpectDate(const SYSTEMTIME& t, int year, int month, int day) {
        EXPECT_EQ(t.wYear, year);
        EXPECT_EQ(t.wMonth, month);
        EXPECT_EQ(t.wDay, day);
    }
    static void ExpectTime(const SYSTEMTIME& t, int hour, int minute, int second) {
        EXPECT_EQ(t.wHour, hour);
        EXPECT_EQ(t.wMinute, minute);
        EXPECT_EQ(t.wSecond, second);
        EXPECT_EQ(t.wMilliseconds, 0);
    }

    CListDate date;
};

}  // namespace

TEST_F(ListDate, OpensOverTheCellAndReportsTheDateItHolds) {
    ASSERT_TRUE(Open(0));
    const RECT place = PlaceOf(date.m_hWnd);
    EXPECT_EQ(place.left, CELL.left + 3);
    EXPECT_EQ(place.top, CELL.top + 2);
    EXPECT_EQ(place.right, CELL.right - 3);
    EXPECT_EQ(place.bottom, CELL.bottom - 2);
    EXPECT_FALSE(GetWindowLongPtrW(date.m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(Shown(date.m_hWnd));
    EXPECT_EQ(GetFocus(), date.m_hWnd);
    EXPECT_EQ(SendMessageW(date.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(date.m_hWnd, DTM_GETMCFONT, 0, 0)),
              date.GetFont());
    SYSTEMTIME held{};
    EXPECT_EQ(Held(held), DWORD(GDT_VALID));
    ExpectDate(held, 2024, 2, 29);

    Press(VK_RETURN, L'\r');
    const EndEdit& end = TheEnd(date.m_hWnd);
    EXPECT_EQ(end.ExitKey, VK_RETURN);
    EXPECT_EQ(end.Text, L"1");
    EXPECT_EQ(end.Item, 5);
    ASSERT_TRUE(end.HasDate);
    ExpectDate(end.Date, 2024, 2, 29);
    ExpectTime(end.Date, 13, 30, 5);
    EXPECT_EQ(GetFocus(), host.m_hWnd);
}

TEST_F(ListDate, DateOnlyAndTimeOnlyCellsReportTheOtherFieldsAsZero) {
    ASSERT_TRUE(Open(CELLF_DATE_ONLY));
    Press(VK_TAB, L'\t');
    EXPECT_EQ(TheEnd(date.m_hWnd).ExitKey, VK_TAB);
    ExpectDate(host.ends.back().Date, 2024, 2, 29);
    ExpectTime(host.ends.back().Date, 0, 0, 0);

    // A time-only cell holds no date: the picker shows today's with the
    // cell's time, and the caller's value takes that date.
    host.ends.clear();
    SYSTEMTIME value{0, 0, 0, 0, 13, 30, 5, 0};
    ASSERT_TRUE(date.ShowEditor(host.m_hWnd, 5, 0, CELL, CELLF_TIME_ONLY, value));
    SYSTEMTIME today;
    GetLocalTime(&today);
    ExpectDate(value, today.wYear, today.wMonth, today.wDay);
    EXPECT_TRUE(GetWindowLongPtrW(date.m_hWnd, GWL_STYLE) & DTS_UPDOWN);
    ClickElsewhere();
    const EndEdit& end = TheEnd(date.m_hWnd);
    EXPECT_EQ(end.Text, L"1");
    ExpectDate(end.Date, 0, 0, 0);
    EXPECT_EQ(end.Date.wDayOfWeek, 0);
    ExpectTime(end.Date, 13, 30, 5);
}

TEST_F(ListDate, OptionalDateSetToNoDateReportsZero) {
    ASSERT_TRUE(Open(CELLF_DATE_OPTIONAL));
    EXPECT_TRUE(GetWindowLongPtrW(date.m_hWnd, GWL_STYLE) & DTS_SHOWNONE);
    // The user clears the check box in front of the date (some pickers make
    // it a window of its own); that is still editing.
    HWND box = GetWindow(date.m_hWnd, GW_CHILD);
    Click(box ? box : date.m_hWnd, 6, 6);
    SYSTEMTIME held;
    EXPECT_EQ(Held(held), DWORD(GDT_NONE));
    EXPECT_EQ(GetFocus(), date.m_hWnd);
    EXPECT_TRUE(host.ends.empty());
    ClickElsewhere();
    const EndEdit& end = TheEnd(date.m_hWnd);
    EXPECT_EQ(end.Text, L"0");
    ExpectDate(end.Date, 0, 0, 0);
    ExpectTime(end.Date, 0, 0, 0);

    // An empty cell opens with no date.
    host.ends.clear();
    ASSERT_TRUE(Open(CELLF_DATE_OPTIONAL, SYSTEMTIME{}));
    EXPECT_EQ(Held(held), DWORD(GDT_NONE));
    Press(VK_ESCAPE, 27);
    EXPECT_EQ(TheEnd(date.m_hWnd).Text, L"0");
}

TEST_F(ListDate, PickingInTheCalendarGoesOnEditingInThePicker) {
    ASSERT_TRUE(Open(0));
    RECT client;
    GetClientRect(date.m_hWnd, &client);
    Click(date.m_hWnd, client.right - 5, client.bottom / 2);  // the drop-down button
    HWND calendar = DateTime_GetMonthCal(date.m_hWnd);
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(Shown(calendar));
    EXPECT_TRUE(host.ends.empty());

    // A click on another day of the month closes the calendar.
    RECT area;
    GetClientRect(calendar, &area);
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof(hit);
    for (hit.pt.y = area.bottom - 1; hit.pt.y > 0; --hit.pt.y) {
        for (hit.pt.x = 1; hit.pt.x < area.right; ++hit.pt.x)
            if (MonthCal_HitTest(calendar, &hit) == MCHT_CALENDARDATE && hit.st.wMonth == 2 &&
                hit.st.wDay == 12)
                break;
        if (hit.pt.x < area.right) break;
    }
    ASSERT_GT(hit.pt.y, 0) << "no 12 February in the calendar";
    Click(calendar, hit.pt.x, hit.pt.y);
    EXPECT_FALSE(Shown(calendar));
    EXPECT_EQ(GetFocus(), date.m_hWnd);
    EXPECT_TRUE(host.ends.empty());

    Press(VK_TAB, L'\t');
    const EndEdit& end = TheEnd(date.m_hWnd);
    EXPECT_EQ(end.ExitKey, VK_TAB);
    ExpectDate(end.Date, 2024, 2, 12);
}
