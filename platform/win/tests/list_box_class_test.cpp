#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/tests/win_test_support.h"

namespace platform::win::test {
namespace {

constexpr int ListId = 7;

// A parent window that answers WM_MEASUREITEM with heights by item and records what its list
// box tells it; the list box sits at (10, 10) on a parent at the screen's origin.
class ListBoxTest : public WindowTest {
protected:
    ListBoxTest() {
        RegisterListBoxClass();
        handler = [this](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
            if (msg == WM_MEASUREITEM) {
                auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                measured.push_back(*m);
                if (measureHeight) m->itemHeight = measureHeight(*m);
                result = 1;
                return true;
            }
            if (msg == WM_DRAWITEM) {
                auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                drawn.push_back(*d);
                const bool selected = (d->itemState & ODS_SELECTED) != 0;
                gdi::FillRect(
                    d->hDC, &d->rcItem,
                    gdi::GetSysColorBrush(selected ? gdi::COLOR_HIGHLIGHT : gdi::COLOR_WINDOW));
                TRect swatch{d->rcItem.Left + 2, d->rcItem.Top + 2, d->rcItem.Left + 22,
                             d->rcItem.Bottom - 2};
                gdi::HBRUSH brush = gdi::CreateSolidBrush(static_cast<gdi::COLORREF>(d->itemData));
                gdi::FillRect(d->hDC, &swatch, brush);
                gdi::DeleteObject(brush);
                result = 1;
                return true;
            }
            return false;
        };
        parent = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 300, 300));
    }

    HWND MakeList(DWORD style, std::vector<std::string> texts = {}, int height = 100) {
        HWND lb = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 120,
                                 height, parent, ListId);
        for (const auto& t : texts)
            core::SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
        PumpUntilIdle();
        return lb;
    }

    // The list box's notifications to its parent, in order.
    std::vector<int> Notes() const {
        std::vector<int> codes;
        for (const auto& r : Got(parent, {WM_COMMAND})) {
            EXPECT_EQ(LOWORD(r.wParam), ListId);
            codes.push_back(HIWORD(r.wParam));
        }
        return codes;
    }

    // Screen point of an item's middle.
    TPoint ItemPoint(HWND lb, int index) {
        TRect r;
        core::SendMessage(lb, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        ClientToScreen(lb, &p);
        return p;
    }

    static LRESULT Send(HWND lb, UINT msg, WPARAM w = 0, LPARAM l = 0) {
        return core::SendMessage(lb, msg, w, l);
    }
    static LRESULT SendText(HWND lb, UINT msg, WPARAM w, const char* text) {
        return core::SendMessage(lb, msg, w, reinterpret_cast<LPARAM>(text));
    }
    static std::string Text(HWND lb, int index) {
        std::string s(static_cast<std::size_t>(Send(lb, LB_GETTEXTLEN, index)), '\0');
        Send(lb, LB_GETTEXT, index, reinterpret_cast<LPARAM>(s.data()));
        return s;
    }

    HWND parent{};
    std::function<UINT(const MEASUREITEMSTRUCT&)> measureHeight;
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
};

TEST_F(ListBoxTest, FindStringIsCaseInsensitiveAndStartsAfterTheGivenIndexWrapping) {
    HWND lb = MakeList(0, {"apple", "Banana", "apricot", "BANDANA", "cherry"});
    struct Case {
        UINT msg;
        int start;
        const char* text;
        LRESULT found;
    } cases[] = {
        {LB_FINDSTRING, -1, "ap", 0},
        {LB_FINDSTRING, 0, "AP", 2},
        {LB_FINDSTRING, 2, "ap", 0},
        {LB_FINDSTRING, -1, "ban", 1},
        {LB_FINDSTRING, 1, "BAN", 3},
        {LB_FINDSTRING, 3, "ban", 1},
        {LB_FINDSTRING, 1, "banana", 1},
        {LB_FINDSTRING, 4, "", 0},
        {LB_FINDSTRING, -1, "x", LB_ERR},
        {LB_FINDSTRINGEXACT, -1, "banana", 1},
        {LB_FINDSTRINGEXACT, -1, "ban", LB_ERR},
        {LB_FINDSTRINGEXACT, 1, "BANANA", 1},
        {LB_FINDSTRINGEXACT, 99, "cherry", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SendText(lb, c.msg, static_cast<WPARAM>(c.start), c.text), c.found)
            << (c.msg == LB_FINDSTRING ? "find " : "exact ") << c.start << " " << c.text;
    }
    // Select-string finds as find-string does and selects what it found.
    EXPECT_EQ(SendText(lb, LB_SELECTSTRING, 1, "b"), 3);
    EXPECT_EQ(Send(lb, LB_GETCURSEL), 3);
    EXPECT_EQ(SendText(lb, LB_SELECTSTRING, -1, "zz"), LB_ERR);
    EXPECT_EQ(Send(lb, LB_GETCURSEL), 3);
}

TEST_F(ListBoxTest, VariableOwnerDrawHeightsFollowMeasureItem) {
    measureHeight = [](const MEASUREITEMSTRUCT& m) {
        return static_cast<UINT>(10 + 5 * (m.itemData % 4));
    };
    HWND lb = MakeList(LBS_OWNERDRAWVARIABLE, {}, 50);
    for (LPARAM data : {0, 1, 2, 3, 1})
        Send(lb, LB_ADDSTRING, 0, data);
    ASSERT_EQ(measured.size(), 5u);
    EXPECT_EQ(measured[3].CtlType, ODT_LISTBOX);
    EXPECT_EQ(measured[3].CtlID, static_cast<UINT>(ListId));
    EXPECT_EQ(measured[3].itemID, 3u);
    EXPECT_EQ(measured[3].itemData, 3u);

    struct Case {
        int top, index;
        TRect rect;
    } cases[] = {
        {0, 0, {0, 0, 120, 10}},  {0, 1, {0, 10, 120, 25}}, {0, 2, {0, 25, 120, 45}},
        {0, 3, {0, 45, 120, 70}}, {0, 4, {0, 70, 120, 85}}, {2, 0, {0, -25, 120, -15}},
        {2, 2, {0, 0, 120, 20}},  {2, 4, {0, 45, 120, 60}},
    };
    for (const auto& c : cases) {
        Send(lb, LB_SETTOPINDEX, c.top);
        TRect r;
        ASSERT_EQ(Send(lb, LB_GETITEMRECT, c.index, reinterpret_cast<LPARAM>(&r)), LB_OKAY);
        EXPECT_EQ(r, c.rect) << "top " << c.top << " item " << c.index;
        EXPECT_EQ(Send(lb, LB_GETITEMHEIGHT, c.index), c.rect.Height());
        EXPECT_EQ(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, c.rect.Top + c.rect.Height() / 2)),
                  c.rect.Top >= 0 ? MAKELPARAM(c.index, 0) : MAKELPARAM(1, 1))
            << "top " << c.top << " item " << c.index;
    }
    // The parent draws each visible item in the rectangle LB_GETITEMRECT gives.
    Send(lb, LB_SETTOPINDEX, 0);
    Send(lb, LB_SETITEMHEIGHT, 1, 30);
    drawn.clear();
    InvalidateRect(lb, nullptr, 1);
    PumpUntilIdle();
    ASSERT_EQ(drawn.size(), 3u); // the rest lie below the window
    for (const auto& d : drawn) {
        TRect r;
        Send(lb, LB_GETITEMRECT, d.itemID, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(d.rcItem, r) << d.itemID;
        EXPECT_EQ(d.hwndItem, lb);
    }
    EXPECT_EQ(drawn[2].rcItem, (TRect{0, 40, 120, 60}));
}

TEST_F(ListBoxTest, FixedOwnerDrawAsksOnceAndKeepsItemData) {
    measureHeight = [](const MEASUREITEMSTRUCT&) { return 18u; };
    HWND lb = MakeList(LBS_OWNERDRAWFIXED);
    ASSERT_EQ(measured.size(), 1u);
    for (LPARAM data : {0x0000FF, 0x00FF00, 0xFF0000})
        Send(lb, LB_ADDSTRING, 0, data);
    EXPECT_EQ(measured.size(), 1u);
    EXPECT_EQ(Send(lb, LB_GETITEMHEIGHT, 2), 18);
    EXPECT_EQ(Send(lb, LB_GETITEMDATA, 1), 0x00FF00);
    EXPECT_EQ(SendText(lb, LB_FINDSTRING, -1, reinterpret_cast<const char*>(0xFF0000)), 2);
    Send(lb, LB_SETCURSEL, 1);
    PumpUntilIdle();
    SaveWindowPng(parent, (TempFolder() / "owner_drawn_list.png").string());
    // The swatch of the selected item over the highlight.
    auto surface = WindowSurface(lb);
    EXPECT_EQ(surface->Pixel(10, 18 + 9) & 0xFFFFFF,
              gdi::ColorToPixel(gdi::RGB(0, 255, 0)) & 0xFFFFFF);
    EXPECT_EQ(surface->Pixel(60, 18 + 9) & 0xFFFFFF,
              gdi::ColorToPixel(gdi::GetSysColor(gdi::COLOR_HIGHLIGHT)) & 0xFFFFFF);
}

TEST_F(ListBoxTest, SortedListsInsertInOrderAndSingleSelectionFollowsTheItems) {
    HWND lb = MakeList(LBS_SORT, {"delta", "Alpha", "charlie", "bravo"});
    std::vector<std::string> texts;
    for (int i = 0; i < Send(lb, LB_GETCOUNT); ++i)
        texts.push_back(Text(lb, i));
    EXPECT_EQ(texts, (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    // LB_INSERTSTRING does not sort; -1 appends.
    EXPECT_EQ(SendText(lb, LB_INSERTSTRING, 0, "zulu"), 0);
    EXPECT_EQ(SendText(lb, LB_INSERTSTRING, static_cast<WPARAM>(-1), "echo"), 5);

    EXPECT_EQ(Send(lb, LB_SETCURSEL, 3), 3);
    Send(lb, LB_SETITEMDATA, 3, 42);
    EXPECT_EQ(Send(lb, LB_DELETESTRING, 0), 5);
    EXPECT_EQ(Send(lb, LB_GETCURSEL), 2);
    EXPECT_EQ(Send(lb, LB_GETITEMDATA, 2), 42);
    EXPECT_EQ(Send(lb, LB_GETSEL, 2), 1);
    EXPECT_EQ(Send(lb, LB_DELETESTRING, 2), 4);
    EXPECT_EQ(Send(lb, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(lb, LB_SETCURSEL, 9), LB_ERR);
    EXPECT_EQ(Send(lb, LB_DELETESTRING, 9), LB_ERR);
    EXPECT_EQ(Send(lb, LB_GETTEXTLEN, 9), LB_ERR);
    // A single-selection list refuses the multiple-selection messages.
    EXPECT_EQ(Send(lb, LB_SETSEL, 1, 0), LB_ERR);
    EXPECT_EQ(Send(lb, LB_GETSELCOUNT), LB_ERR);
    EXPECT_EQ(Send(lb, LB_RESETCONTENT), LB_OKAY);
    EXPECT_EQ(Send(lb, LB_GETCOUNT), 0);
    // Changes made by messages are not notified.
    EXPECT_TRUE(Notes().empty());
}

TEST_F(ListBoxTest, MultipleSelectionKeepsAFlagPerItem) {
    HWND lb = MakeList(LBS_MULTIPLESEL, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(Send(lb, LB_SETCURSEL, 1), LB_ERR);
    Send(lb, LB_SETSEL, 1, 1);
    Send(lb, LB_SETSEL, 1, 3);
    Send(lb, LB_SELITEMRANGE, 1, MAKELPARAM(4, 4));
    EXPECT_EQ(Send(lb, LB_GETSELCOUNT), 3);
    int sel[8] = {};
    ASSERT_EQ(Send(lb, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(sel)), 3);
    EXPECT_EQ((std::vector<int>{sel[0], sel[1], sel[2]}), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(Send(lb, LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(sel)), 2);
    EXPECT_EQ(Send(lb, LB_GETCARETINDEX), 3);
    Send(lb, LB_SETSEL, 0, -1);
    EXPECT_EQ(Send(lb, LB_GETSELCOUNT), 0);
    Send(lb, LB_SETSEL, 1, -1);
    EXPECT_EQ(Send(lb, LB_GETSELCOUNT), 5);
    // A click toggles the item under the mouse.
    input.Click(ItemPoint(lb, 2));
    EXPECT_EQ(Send(lb, LB_GETSEL, 2), 0);
    input.Click(ItemPoint(lb, 2));
    EXPECT_EQ(Send(lb, LB_GETSEL, 2), 1);
}

TEST_F(ListBoxTest, ExtendedSelectionByClickShiftClickAndControlClick) {
    HWND lb = MakeList(LBS_EXTENDEDSEL | LBS_NOTIFY, {"a", "b", "c", "d", "e", "f"});
    auto selected = [&] {
        std::vector<int> s;
        for (int i = 0; i < 6; ++i)
            if (Send(lb, LB_GETSEL, i) > 0) s.push_back(i);
        return s;
    };
    input.Click(ItemPoint(lb, 1));
    EXPECT_EQ(selected(), (std::vector<int>{1}));
    input.KeyDown(Qt::Key_Shift);
    input.Click(ItemPoint(lb, 3));
    input.KeyUp(Qt::Key_Shift);
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3}));
    input.KeyDown(Qt::Key_Control);
    input.Click(ItemPoint(lb, 5));
    input.Click(ItemPoint(lb, 2));
    input.KeyUp(Qt::Key_Control);
    EXPECT_EQ(selected(), (std::vector<int>{1, 3, 5}));
    clock.Advance(GetDoubleClickTime() + 1);
    input.Click(ItemPoint(lb, 4));
    EXPECT_EQ(selected(), (std::vector<int>{4}));
    EXPECT_EQ(Notes(), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE,
                                         LBN_SELCHANGE, LBN_SELCHANGE}));
}

TEST_F(ListBoxTest, TheUserSelectingNotifiesAndADoubleClickTellsItsOwn) {
    HWND lb = MakeList(LBS_NOTIFY, {"one", "two", "three"});
    Forget();
    input.Click(ItemPoint(lb, 1));
    EXPECT_EQ(Send(lb, LB_GETCURSEL), 1);
    input.Click(ItemPoint(lb, 1));
    EXPECT_EQ(Notes(), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
    // A press below the last item chooses nothing.
    clock.Advance(GetDoubleClickTime() + 1);
    Forget();
    input.Click({60, 100});
    EXPECT_EQ(Send(lb, LB_GETCURSEL), 1);
    EXPECT_TRUE(Notes().empty());
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndTypingSelectsByPrefix) {
    std::vector<std::string> texts;
    for (int i = 0; i < 30; ++i)
        texts.push_back("item " + std::to_string(100 + i));
    texts[12] = "pear";
    texts[20] = "plum";
    texts[25] = "PEACH";
    HWND lb = MakeList(LBS_NOTIFY | WS_VSCROLL, texts);
    SetFocus(lb);
    const int page = 100 / static_cast<int>(Send(lb, LB_GETITEMHEIGHT, 0));
    struct Step {
        int key;
        const char* text;
        int selected;
    } steps[] = {
        {Qt::Key_Down, "", 0},   {Qt::Key_Down, "", 1}, {Qt::Key_PageDown, "", page},
        {Qt::Key_End, "", 29},   {Qt::Key_Up, "", 28},  {Qt::Key_Home, "", 0},
        {Qt::Key_PageUp, "", 0}, {Qt::Key_P, "p", 12},  {Qt::Key_P, "p", 20},
        {Qt::Key_P, "p", 25},    {Qt::Key_P, "p", 12},
    };
    for (const auto& s : steps) {
        clock.Advance(2 * GetDoubleClickTime());
        input.Key(s.key, s.text);
        EXPECT_EQ(Send(lb, LB_GETCURSEL), s.selected) << s.key;
        // The selection is always in view.
        const int top = static_cast<int>(Send(lb, LB_GETTOPINDEX));
        EXPECT_LE(top, s.selected);
        EXPECT_LT(s.selected, top + page);
    }
    // Characters typed close together make one prefix.
    clock.Advance(2 * GetDoubleClickTime());
    input.Key(Qt::Key_P, "p");
    input.Key(Qt::Key_L, "l");
    EXPECT_EQ(Send(lb, LB_GETCURSEL), 20);
    EXPECT_EQ(Send(lb, WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListBoxTest, TheScrollBarShowsWhenItemsOverflowAndScrollsThem) {
    HWND lb = MakeList(WS_VSCROLL, {"a", "b"});
    TRect client;
    GetClientRect(lb, &client);
    EXPECT_EQ(client.Width(), 120);
    for (int i = 0; i < 40; ++i)
        SendText(lb, LB_ADDSTRING, 0, "more");
    GetClientRect(lb, &client);
    const int bar = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    EXPECT_EQ(client.Width(), 120 - bar);
    const int h = static_cast<int>(Send(lb, LB_GETITEMHEIGHT, 0));
    const int maxTop = 42 - client.Height() / h;

    // The down arrow, the page below the thumb, the wheel, the scroll messages.
    const TPoint arrowDown{10 + 120 - bar / 2, 10 + 100 - 3};
    input.Click(arrowDown);
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 1);
    clock.Advance(GetDoubleClickTime() + 1);
    input.Click({10 + 120 - bar / 2, 10 + 100 - bar - 4});
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 1 + client.Height() / h - 1);
    Send(lb, LB_SETTOPINDEX, 0);
    SetFocus(lb); // the wheel goes to the focus
    input.Wheel({50, 50}, -WHEEL_DELTA);
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 3);
    Send(lb, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), maxTop);
    EXPECT_EQ(Send(lb, LB_SETTOPINDEX, 41), LB_OKAY);
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), maxTop);
    EXPECT_EQ(Send(lb, LB_SETTOPINDEX, 42), LB_ERR);
    Send(lb, WM_VSCROLL, MAKEWPARAM(static_cast<int>(SB_THUMBPOSITION), 5));
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 5);
    // The caret index scrolls its item into view.
    Send(lb, LB_SETCARETINDEX, 30);
    EXPECT_EQ(Send(lb, LB_GETCARETINDEX), 30);
    EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 30 - client.Height() / h + 1);
    // Emptied, the bar goes.
    Send(lb, LB_RESETCONTENT);
    GetClientRect(lb, &client);
    EXPECT_EQ(client.Width(), 120);
}

} // namespace
} // namespace platform::win::test
