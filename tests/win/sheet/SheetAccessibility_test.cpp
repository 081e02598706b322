// The options sheet as a keyboard user and a screen reader meet it: real
// keys through the system's input queue, and a reader's questions from a
// thread of its own through AccessibleObjectFromWindow.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "listctrl/GridTestSupport.h"
#include "sheet/COptionsDlg.h"
#include "sheet/SheetResources.h"
#include "support/AccessibleQueries.h"
#include "support/ComApartment.h"
#include "support/PrefsSandbox.h"
#include "support/ScreenReader.h"
#include "support/SheetDriver.h"

using namespace accessible;

namespace {

// The sheet's own focus stops, told apart from the pages' control ids.
constexpr int kTabs = -1;
constexpr int kOk = -IDOK - 10;
constexpr int kCancel = -IDCANCEL - 10;

// Where the focus is: a control of the page by its id, or one of the sheet's.
int FocusStop(const SheetDriver& sheet, int page) {
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr) return 0;
    if (::GetParent(hFocus) == sheet.PageWindow(page)) return ::GetDlgCtrlID(hFocus);
    if (hFocus == ::GetDlgItem(sheet.Sheet(), IDOK)) return kOk;
    if (hFocus == ::GetDlgItem(sheet.Sheet(), IDCANCEL)) return kCancel;
    if (hFocus == reinterpret_cast<HWND>(::SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0)))
        return kTabs;
    return 0;  // anywhere else: no stop of the walk
}

// The focus stops Tab (or Shift+Tab) visits from OK until it is back on
// OK, at most 30.
std::vector<int> TabWalk(SheetDriver& sheet, int page, bool backwards) {
    ::SetFocus(::GetDlgItem(sheet.Sheet(), IDOK));
    std::vector<int> stops;
    for (int i = 0; i < 30; ++i) {
        sheet.PressKey(VK_TAB, backwards);
        const int stop = FocusStop(sheet, page);
        if (stop == kOk) break;
        stops.push_back(stop);
    }
    return stops;
}

std::string Show(const std::vector<int>& stops) {
    std::string text;
    for (int stop : stops) text += std::to_string(stop) + " ";
    return text;
}

const char kCustomViewer[] = "  viewertype: \"custom\"";
const char kBuiltinViewer[] = "  viewertype: \"builtin\"";

}  // namespace

TEST(SheetKeyboard, TabAndShiftTabVisitEveryEnabledControlOfEachPageInPageOrder) {
    struct Case {
        const char* what;
        int page;
        const char* pairs;
        std::vector<int> stops;  // from OK onwards, with Tab
    };
    const Case cases[] = {
        // A radio group is one stop, at its checked button; the arrows move within.
        {"Viewers, built-in viewer", SheetDriver::Viewers, kBuiltinViewer,
         {kCancel, kTabs, IDC_VIEWER_TYPE, IDC_BEHAVIOR_NEW, IDC_MODE_WIN}},
        {"Viewers, the other radios checked", SheetDriver::Viewers,
         "  viewertype: \"builtin\",\n  openingbehavior: \"add\",\n  openingmode: \"tab\"",
         {kCancel, kTabs, IDC_VIEWER_TYPE, IDC_BEHAVIOR_ADD, IDC_MODE_TAB}},
        // With none checked, at its first button.
        {"Viewers, no radio checked", SheetDriver::Viewers,
         "  viewertype: \"builtin\",\n  openingbehavior: \"x\",\n  openingmode: \"elsewhere\"",
         {kCancel, kTabs, IDC_VIEWER_TYPE, IDC_BEHAVIOR_ADD, IDC_MODE_WIN}},
        {"Viewers, custom viewer", SheetDriver::Viewers, kCustomViewer,
         {kCancel, kTabs, IDC_VIEWER_TYPE, IDC_VIEWER_URL, IDC_MODE_WIN}},
        {"RDF Data Access, built-in viewer", SheetDriver::RdfDataAccess, kBuiltinViewer,
         {kCancel, kTabs, IDC_RDFIZER_TYPE, IDC_RDFIZER_HOST, IDC_RDFIZER_PORT,
          IDC_RDFIZER_DEFAULT, IDC_SPARQL_TYPE, IDC_SPARQL_HOST, IDC_SPARQL_PORT,
          IDC_SPARQL_DEFAULT, IDC_HEADERS_LIST, IDC_HEADER_ADD, IDC_HEADER_REMOVE}},
        {"RDF Data Access, custom viewer", SheetDriver::RdfDataAccess, kCustomViewer,
         {kCancel, kTabs, IDC_RDFIZER_TYPE, IDC_RDFIZER_HOST, IDC_RDFIZER_PORT,
          IDC_RDFIZER_DEFAULT, IDC_HEADERS_LIST, IDC_HEADER_ADD, IDC_HEADER_REMOVE}},
        {"About", SheetDriver::About, kBuiltinViewer, {kCancel, kTabs, IDC_ABOUT_LINK}},
    };
    PrefsSandbox sandbox;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SheetDriver::RunOnLocalFile(sandbox, std::string(c.pairs), [&](SheetDriver& sheet) {
            sheet.SelectPage(c.page);
            const std::vector<int> forwards = TabWalk(sheet, c.page, false);
            EXPECT_EQ(forwards, c.stops) << Show(forwards);
            const std::vector<int> backwards = TabWalk(sheet, c.page, true);
            EXPECT_EQ(backwards, std::vector<int>(c.stops.rbegin(), c.stops.rend()))
                << Show(backwards);
            EXPECT_TRUE(::IsWindowVisible(sheet.Sheet()));
            sheet.PressCancel();
        });
    }
}

TEST(SheetKeyboard, ArrowKeysMoveWithinARadioGroupAndCheckWhatTheyReach) {
    PrefsSandbox sandbox;
    SheetDriver::RunOnLocalFile(sandbox, kBuiltinViewer, [](SheetDriver& sheet) {
        struct Step {
            WORD key;
            int focus;
        };
        const struct {
            int start;
            std::vector<Step> steps;
        } groups[] = {
            {IDC_MODE_WIN, {{VK_DOWN, IDC_MODE_TAB}, {VK_UP, IDC_MODE_WIN}, {VK_RIGHT, IDC_MODE_TAB}}},
            {IDC_BEHAVIOR_ADD,
             {{VK_DOWN, IDC_BEHAVIOR_REPLACE}, {VK_DOWN, IDC_BEHAVIOR_NEW}, {VK_UP, IDC_BEHAVIOR_REPLACE}}},
        };
        for (const auto& group : groups) {
            ::SetFocus(sheet.Control(SheetDriver::Viewers, group.start));
            for (const Step& step : group.steps) {
                SCOPED_TRACE(testing::Message() << "key " << step.key << " to " << step.focus);
                sheet.PressKey(step.key);
                EXPECT_EQ(FocusStop(sheet, SheetDriver::Viewers), step.focus);
                EXPECT_TRUE(sheet.Checked(SheetDriver::Viewers, step.focus));
            }
        }
        sheet.PressCancel();
    });
}

TEST(SheetScreenReader, HearsEachFieldByItsVisibleLabelAndEachEditorByItsCell) {
    ComApartment com;
    PrefsSandbox sandbox;
    ASSERT_TRUE(sandbox.WriteLocal(
        "vtl_prefs = {\n  h_name0: \"Accept\",\n  h_val0: \"text/turtle\",\n"
        "  h_name1: \"X-Two\",\n  h_val1: \"two\"};\n"));
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
        struct Field {
            int page;
            int id;
            const wchar_t* name;
        };
        const Field fields[] = {
            {SheetDriver::Viewers, IDC_VIEWER_TYPE, L"Viewer"},
            {SheetDriver::Viewers, IDC_VIEWER_URL, L"URL"},
            {SheetDriver::RdfDataAccess, IDC_RDFIZER_TYPE, L"Type"},
            {SheetDriver::RdfDataAccess, IDC_RDFIZER_HOST, L"Host"},
            {SheetDriver::RdfDataAccess, IDC_RDFIZER_PORT, L"Port"},
            {SheetDriver::RdfDataAccess, IDC_RDFIZER_URL, L"URL"},
            {SheetDriver::RdfDataAccess, IDC_SPARQL_TYPE, L"Type"},
            {SheetDriver::RdfDataAccess, IDC_SPARQL_HOST, L"Host"},
            {SheetDriver::RdfDataAccess, IDC_SPARQL_PORT, L"Port"},
            {SheetDriver::RdfDataAccess, IDC_SPARQL_URL, L"URL"},
            {SheetDriver::RdfDataAccess, IDC_HEADERS_LIST, L"Additional HTTP Headers"},
            {SheetDriver::About, IDC_ABOUT_LINK, L"VTL Site"},
        };
        for (const Field& field : fields) {
            SCOPED_TRACE(testing::Message() << "control " << field.id);
            sheet.SelectPage(field.page);
            HWND hField = sheet.Control(field.page, field.id);
            std::wstring heard;
            ScreenReader::Ask([&] { heard = ScreenReader::NameOf(hField); });
            EXPECT_EQ(heard, field.name);
        }

        // The grid's editor, opened with a click on a cell.
        sheet.SelectPage(SheetDriver::RdfDataAccess);
        CListUserData& list = dlg.RdfDataAccessPage().HeadersList();
        HWND hGrid = sheet.Control(SheetDriver::RdfDataAccess, IDC_HEADERS_LIST);
        const struct {
            int row, cell;
            const wchar_t* name;
        } cells[] = {{1, 0, L"Header, row 2"}, {0, 1, L"Value, row 1"}};
        for (const auto& cell : cells) {
            gridtest::Click(hGrid, gridtest::CellCentre(list, cell.row, cell.cell));
            HWND hEditor = ::GetFocus();
            ASSERT_TRUE(::IsChild(hGrid, hEditor));
            std::wstring heard;
            ScreenReader::Ask([&] { heard = ScreenReader::NameOf(hEditor); });
            EXPECT_EQ(heard, cell.name);
        }
        sheet.PressCancel();
    });
}

namespace {

// One answer of an accessible object, as a reader compares them: success
// or the failure code, and the value as text.
struct Answer {
    HRESULT Result;
    std::wstring Value;
    bool operator==(const Answer& other) const {
        return Result == other.Result && Value == other.Value;
    }
};

std::ostream& operator<<(std::ostream& out, const Answer& a) {
    return out << std::hex << a.Result << std::dec << " \"" << testing::PrintToString(a.Value)
               << "\"";
}

Answer AnswerOf(HRESULT hr, VARIANT& value) {
    std::wstring text;
    if (value.vt == VT_BSTR) text = value.bstrVal != nullptr ? value.bstrVal : L"";
    if (value.vt == VT_I4) text = std::to_wstring(value.lVal);
    ::VariantClear(&value);
    return Answer{SUCCEEDED(hr) ? S_OK : hr, text};
}

Answer AnswerOf(HRESULT hr, BSTR text) {
    VARIANT value;
    ::VariantInit(&value);
    if (text != nullptr) {
        value.vt = VT_BSTR;
        value.bstrVal = text;
    }
    return AnswerOf(hr, value);
}

// A property got through IDispatch; a failure of the call itself comes
// back as an exception carrying its code.
Answer Invoked(IAccessible* pAcc, DISPID id, LONG child, bool withChild = true) {
    VARIANT argument = Child(child);
    DISPPARAMS params{&argument, nullptr, withChild ? 1u : 0u, 0};
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO exception{};
    HRESULT hr = pAcc->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params,
                              &result, &exception, nullptr);
    if (hr == DISP_E_EXCEPTION) {
        hr = exception.scode;
        ::SysFreeString(exception.bstrSource);
        ::SysFreeString(exception.bstrDescription);
        ::SysFreeString(exception.bstrHelpFile);
    }
    return AnswerOf(hr, result);
}

// Name, value, role, state and child count through IDispatch and
// directly, for the object and each child id given.
void ExpectDispatchAgrees(IAccessible* pAcc, const std::vector<LONG>& children) {
    VARIANT none;
    ::VariantInit(&none);
    LONG count = 0;
    const HRESULT counted = pAcc->get_accChildCount(&count);
    VARIANT countValue = Child(count);
    EXPECT_EQ(Invoked(pAcc, DISPID_ACC_CHILDCOUNT, CHILDID_SELF, false),
              AnswerOf(counted, countValue));
    for (LONG child : children) {
        SCOPED_TRACE(testing::Message() << "child " << child);
        BSTR text = nullptr;
        HRESULT hr = pAcc->get_accName(Child(child), &text);
        EXPECT_EQ(Invoked(pAcc, DISPID_ACC_NAME, child), AnswerOf(hr, text));
        text = nullptr;
        hr = pAcc->get_accValue(Child(child), &text);
        EXPECT_EQ(Invoked(pAcc, DISPID_ACC_VALUE, child), AnswerOf(hr, text));
        VARIANT value;
        ::VariantInit(&value);
        hr = pAcc->get_accRole(Child(child), &value);
        EXPECT_EQ(Invoked(pAcc, DISPID_ACC_ROLE, child), AnswerOf(hr, value));
        hr = pAcc->get_accState(Child(child), &value);
        EXPECT_EQ(Invoked(pAcc, DISPID_ACC_STATE, child), AnswerOf(hr, value));
    }
}

}  // namespace

TEST(SheetScreenReader, DispatchGivesTheAnswersOfTheDirectCallsForTheGridItsRowsAndTheLink) {
    ComApartment com;
    PrefsSandbox sandbox;
    ASSERT_TRUE(sandbox.WriteLocal(
        "vtl_prefs = {\n  h_name0: \"Accept\",\n  h_val0: \"text/turtle\",\n"
        "  h_name1: \"X-Two\",\n  h_val1: \"\"};\n"));
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
        sheet.SelectPage(SheetDriver::RdfDataAccess);
        HWND hGrid = sheet.Control(SheetDriver::RdfDataAccess, IDC_HEADERS_LIST);
        gridtest::Click(hGrid, gridtest::CellCentre(dlg.RdfDataAccessPage().HeadersList(), 0, 1));
        sheet.SelectPage(SheetDriver::About);
        HWND hLink = sheet.Control(SheetDriver::About, IDC_ABOUT_LINK);
        ScreenReader::Ask([&] {
            for (HWND hWnd : {hGrid, hLink}) {
                IAccessible* pAcc = ClientObjectOf(hWnd);
                ASSERT_NE(pAcc, nullptr);
                // Rows 1 and 2, and an id past the last row.
                ExpectDispatchAgrees(pAcc, hWnd == hGrid ? std::vector<LONG>{CHILDID_SELF, 1, 2, 3}
                                                         : std::vector<LONG>{CHILDID_SELF, 1});
                LPOLESTR names[] = {const_cast<LPOLESTR>(L"accName")};
                DISPID id = 0;
                EXPECT_EQ(pAcc->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
                EXPECT_EQ(id, DISPID_ACC_NAME);
                ITypeInfo* pInfo = nullptr;
                ASSERT_EQ(pAcc->GetTypeInfo(0, LOCALE_USER_DEFAULT, &pInfo), S_OK);
                TYPEATTR* pAttr = nullptr;
                ASSERT_EQ(pInfo->GetTypeAttr(&pAttr), S_OK);
                EXPECT_TRUE(IsEqualGUID(pAttr->guid, __uuidof(IAccessible)));
                pInfo->ReleaseTypeAttr(pAttr);
                pInfo->Release();
                pAcc->Release();
            }
        });
        // What the reader heard is what the grid and the link say.
        ScreenReader::Ask([&] {
            IAccessible* pAcc = ClientObjectOf(hGrid);
            ASSERT_NE(pAcc, nullptr);
            EXPECT_EQ(Invoked(pAcc, DISPID_ACC_NAME, 1), (Answer{S_OK, L"Header: Accept, Value: text/turtle"}));
            EXPECT_EQ(Invoked(pAcc, DISPID_ACC_ROLE, 2), (Answer{S_OK, std::to_wstring(ROLE_SYSTEM_ROW)}));
            EXPECT_EQ(Invoked(pAcc, DISPID_ACC_CHILDCOUNT, CHILDID_SELF, false), (Answer{S_OK, L"2"}));
            pAcc->Release();
            pAcc = ClientObjectOf(hLink);
            ASSERT_NE(pAcc, nullptr);
            EXPECT_EQ(Invoked(pAcc, DISPID_ACC_NAME, CHILDID_SELF), (Answer{S_OK, L"VTL Site"}));
            pAcc->Release();
        });
        sheet.PressCancel();
    });
}
