#include "platform/win/edit_class.h"

#include "platform/win/caret.h"

#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/system_clipboard.h"
#include "platform/win/tests/win_test_support.h"

#include <QImage>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform::win::test {
namespace {

constexpr int EditId = 7;
// The parent's client area starts at the screen's origin plus this.
constexpr TPoint ParentOrigin{100, 100};

// Public, so that tables of cases can act on it.
class EditClassTest : public WindowTest {
public:
    using WindowTest::input;
    HWND MakeEdit(DWORD style = ES_AUTOHSCROLL, const std::string& text = "", int width = 200) {
        parent = Create(WS_POPUP | WS_VISIBLE,
                        gdi::Bounds(ParentOrigin.X, ParentOrigin.Y, width + 40, 60));
        edit = CreateWindowEx(0, EditClassName, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width,
                              24, parent, EditId);
        PumpUntilIdle();
        Forget();
        return edit;
    }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return core::SendMessage(edit, msg, wParam, lParam);
    }
    std::pair<int, int> Selection() {
        DWORD from = 0;
        DWORD to = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        return {static_cast<int>(from), static_cast<int>(to)};
    }
    void Focus() {
        SetFocus(edit);
        PumpUntilIdle();
    }
    // The notification codes the parent received from the edit, in order.
    std::vector<UINT> Notifications(std::vector<UINT> codes = {EN_UPDATE, EN_CHANGE}) {
        std::vector<UINT> result;
        for (const auto& r : Got(parent, {WM_COMMAND})) {
            const UINT code = HIWORD(r.wParam);
            EXPECT_EQ(LOWORD(r.wParam), EditId);
            EXPECT_EQ(static_cast<HWND>(r.lParam), edit);
            if (std::find(codes.begin(), codes.end(), code) != codes.end()) result.push_back(code);
        }
        return result;
    }
    void Type(const std::string& text) {
        for (char c : text) {
            int key = Qt::Key_unknown;
            if (std::isalpha(static_cast<unsigned char>(c)))
                key = Qt::Key_A + (std::toupper(static_cast<unsigned char>(c)) - 'A');
            else if (std::isdigit(static_cast<unsigned char>(c)))
                key = Qt::Key_0 + (c - '0');
            else if (c == ' ')
                key = Qt::Key_Space;
            input.Key(key, QString(QChar(c)));
        }
    }
    void Chord(int modifier, int key, const QString& text = {}) {
        input.KeyDown(modifier);
        input.Key(key, text);
        input.KeyUp(modifier);
    }
    void CtrlLetter(char letter) {
        Chord(Qt::Key_Control, Qt::Key_A + (letter - 'A'), QString(QChar(letter - 'A' + 1)));
    }
    void PutOnClipboard(const std::string& text) {
        ASSERT_TRUE(OpenClipboard(NullHWnd));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
    }
    std::string Clipboard() {
        if (!OpenClipboard(NullHWnd)) return {};
        auto text = GetClipboardData(CF_TEXT);
        CloseClipboard();
        return text.value_or("");
    }
    TPoint PosFromChar(int index) {
        return LParamToPoint(Send(EM_POSFROMCHAR, static_cast<WPARAM>(index)));
    }
    // A client point of the edit on the screen.
    TPoint Screen(TPoint client) {
        ClientToScreen(edit, &client);
        return client;
    }

    HWND parent{};
    HWND edit{};
};

TEST_F(EditClassTest, TheClassIsThereFromTheStart) {
    WNDCLASS cls;
    ASSERT_TRUE(GetClassInfo(EditClassName, &cls));
    EXPECT_EQ(cls.style & CS_DBLCLKS, CS_DBLCLKS);
    MakeEdit(ES_AUTOHSCROLL, "first");
    EXPECT_EQ(GetClassName(edit), "EDIT");
    EXPECT_EQ(GetWindowText(edit), "first");
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 5);
    EXPECT_EQ(Send(EM_GETLIMITTEXT), EditDefaultLimit);
    EXPECT_EQ(Send(WM_GETDLGCODE) & DLGC_WANTCHARS, DLGC_WANTCHARS);
}

struct SetSelCase {
    const char* name;
    int start;
    int end;
    std::pair<int, int> selection;
    // Shift+Left moves the caret, the end EM_SETSEL named, and keeps the start.
    std::pair<int, int> afterShiftLeft;
};

class EditSetSelTest : public EditClassTest, public ::testing::WithParamInterface<SetSelCase> {};

TEST_P(EditSetSelTest, SelectsFromStartToEndWithTheCaretAtTheEnd) {
    const SetSelCase& c = GetParam();
    MakeEdit(ES_AUTOHSCROLL, "Hello world"); // 11 characters
    Focus();
    Send(EM_SETSEL, 2, 5);
    Send(EM_SETSEL, static_cast<WPARAM>(c.start), static_cast<LPARAM>(c.end));
    EXPECT_EQ(Selection(), c.selection);
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(Send(EM_GETSEL))), c.selection.first);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(Send(EM_GETSEL))), c.selection.second);
    Chord(Qt::Key_Shift, Qt::Key_Left);
    EXPECT_EQ(Selection(), c.afterShiftLeft);
    EXPECT_TRUE(Notifications().empty()); // selecting changes no text
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditSetSelTest,
    ::testing::Values(SetSelCase{"Forward", 3, 7, {3, 7}, {3, 6}},
                      SetSelCase{"Reversed", 7, 3, {3, 7}, {2, 7}},
                      SetSelCase{"Empty", 4, 4, {4, 4}, {3, 4}},
                      SetSelCase{"EndMinusOneIsTheEnd", 0, -1, {0, 11}, {0, 10}},
                      SetSelCase{"PastTheEndIsTheEnd", 6, 500, {6, 11}, {6, 10}},
                      SetSelCase{"StartPastTheEnd", 40, 2, {2, 11}, {1, 11}},
                      SetSelCase{"StartMinusOneRemovesTheSelection", -1, 0, {5, 5}, {4, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditClassTest, TheLimitStopsInputButNotSetText) {
    MakeEdit(ES_AUTOHSCROLL, "abc");
    Send(EM_LIMITTEXT, 5);
    EXPECT_EQ(Send(EM_GETLIMITTEXT), 5);
    Focus();
    Send(EM_SETSEL, 3, 3);
    Forget();
    Type("defg");
    EXPECT_EQ(GetWindowText(edit), "abcde");
    EXPECT_EQ(Notifications({EN_MAXTEXT}).size(), 2u); // "f" and "g" found no room

    Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("xyz"));
    EXPECT_EQ(GetWindowText(edit), "abcde");
    Send(EM_SETSEL, 1, 3); // a selection makes room for what replaces it
    Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("XYZ"));
    EXPECT_EQ(GetWindowText(edit), "aXYde");

    PutOnClipboard("12345");
    Send(EM_SETSEL, 0, 0);
    CtrlLetter('V');
    EXPECT_EQ(GetWindowText(edit), "aXYde");

    EXPECT_TRUE(SetWindowText(edit, "longer than five"));
    EXPECT_EQ(GetWindowText(edit), "longer than five");
    Send(EM_SETSEL, 0, 0);
    Type("x");
    EXPECT_EQ(GetWindowText(edit), "longer than five");

    Send(EM_LIMITTEXT, 0);
    EXPECT_EQ(Send(EM_GETLIMITTEXT), EditMaximumLimit);
    Type("x");
    EXPECT_EQ(GetWindowText(edit), "xlonger than five");
}

class EditSubclassTest : public EditClassTest, public ::testing::WithParamInterface<bool> {};

TEST_P(EditSubclassTest, ASubclassThatSwallowsPasteStopsCtrlV) {
    const bool swallow = GetParam();
    MakeEdit(ES_AUTOHSCROLL, "text");
    // The subclass outlives the test's body: it owns what it uses.
    auto pastes = std::make_shared<int>(0);
    auto previous = std::make_shared<WNDPROC>();
    *previous = SetWindowLongPtr(edit, GWLP_WNDPROC,
                                 [=](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
                                     if (msg == WM_PASTE) {
                                         ++*pastes;
                                         if (swallow) return 0;
                                     }
                                     return CallWindowProc(*previous, wnd, msg, wParam, lParam);
                                 });
    ASSERT_TRUE(*previous);
    PutOnClipboard("more ");
    Focus();
    Send(EM_SETSEL, 0, 0);
    CtrlLetter('V');
    Chord(Qt::Key_Shift, Qt::Key_Insert);
    EXPECT_EQ(*pastes, 2);
    EXPECT_EQ(GetWindowText(edit), swallow ? "text" : "more more text");
    EXPECT_EQ(Notifications().size(), swallow ? 0u : 4u);
}

INSTANTIATE_TEST_SUITE_P(SwallowingOrPassingOn, EditSubclassTest, ::testing::Bool(),
                         [](const auto& info) {
                             return std::string(info.param ? "Swallowing" : "PassingOn");
                         });

TEST_F(EditClassTest, OneUndoLevelTogglesBetweenTheLastTwoTexts) {
    MakeEdit(ES_AUTOHSCROLL, "x");
    EXPECT_FALSE(Send(EM_CANUNDO));
    Focus();
    Send(EM_SETSEL, 1, 1);
    Type("abc"); // a run of typing is one change
    ASSERT_TRUE(Send(EM_CANUNDO));

    EXPECT_TRUE(Send(EM_UNDO));
    EXPECT_EQ(GetWindowText(edit), "x");
    EXPECT_EQ(Selection(), (std::pair{1, 1}));
    EXPECT_TRUE(Send(EM_CANUNDO));
    Send(WM_UNDO); // and forward again, what came back selected
    EXPECT_EQ(GetWindowText(edit), "xabc");
    EXPECT_EQ(Selection(), (std::pair{1, 4}));
    CtrlLetter('Z');
    EXPECT_EQ(GetWindowText(edit), "x");

    Send(EM_SETSEL, 0, 1);
    input.Key(Qt::Key_Delete);
    EXPECT_EQ(GetWindowText(edit), "");
    CtrlLetter('Z'); // the deletion is the one level now
    EXPECT_EQ(GetWindowText(edit), "x");
    CtrlLetter('Z');
    EXPECT_EQ(GetWindowText(edit), "");

    Send(EM_EMPTYUNDOBUFFER);
    EXPECT_FALSE(Send(EM_CANUNDO));
    EXPECT_FALSE(Send(EM_UNDO));
    Type("q");
    EXPECT_TRUE(Send(EM_CANUNDO));
    SetWindowText(edit, "set");
    EXPECT_FALSE(Send(EM_CANUNDO));
}

struct ChangeCase {
    const char* name;
    std::function<void(EditClassTest&)> act;
    std::string text; // what the edit holds after
    std::size_t changes;
};

class EditChangeTest : public EditClassTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(EditChangeTest, EachChangeSendsOneUpdateThenOneChange) {
    const ChangeCase& c = GetParam();
    MakeEdit(ES_AUTOHSCROLL, "one two");
    Focus();
    Send(EM_SETSEL, 4, 7); // "two"
    PutOnClipboard("three");
    Forget();
    c.act(*this);
    EXPECT_EQ(GetWindowText(edit), c.text);
    std::vector<UINT> expected;
    for (std::size_t i = 0; i < c.changes; ++i) {
        expected.push_back(EN_UPDATE);
        expected.push_back(EN_CHANGE);
    }
    EXPECT_EQ(Notifications(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditChangeTest,
    ::testing::Values(
        ChangeCase{"SetText", [](auto& t) { SetWindowText(t.edit, "new"); }, "new", 1},
        ChangeCase{"SetTheSameText", [](auto& t) { SetWindowText(t.edit, "one two"); }, "one two",
                   1},
        ChangeCase{"TypeOverTheSelection", [](auto& t) { t.Type("x"); }, "one x", 1},
        ChangeCase{"TypeThree", [](auto& t) { t.Type("xyz"); }, "one xyz", 3},
        ChangeCase{"Backspace", [](auto& t) { t.input.Key(Qt::Key_Backspace, "\b"); }, "one ", 1},
        ChangeCase{"PasteOverTheSelection", [](auto& t) { t.CtrlLetter('V'); }, "one three", 1},
        ChangeCase{"Cut", [](auto& t) { t.CtrlLetter('X'); }, "one ", 1},
        ChangeCase{"Copy", [](auto& t) { t.CtrlLetter('C'); }, "one two", 0},
        ChangeCase{"SelectAll", [](auto& t) { t.CtrlLetter('A'); }, "one two", 0},
        ChangeCase{"ReplaceSel",
                   [](auto& t) { t.Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("2")); },
                   "one 2", 1},
        ChangeCase{"Clear", [](auto& t) { t.Send(WM_CLEAR); }, "one ", 1},
        ChangeCase{"DeleteAtTheEnd",
                   [](auto& t) {
                       t.Send(EM_SETSEL, 7, 7);
                       t.input.Key(Qt::Key_Delete);
                   },
                   "one two", 0},
        ChangeCase{"Undo",
                   [](auto& t) {
                       t.Type("x");
                       t.Send(EM_UNDO);
                   },
                   "one two", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditClassTest, CopyAndCutGoThroughTheClipboard) {
    MakeEdit(ES_AUTOHSCROLL, "alpha beta");
    Focus();
    Send(EM_SETSEL, 0, 5);
    CtrlLetter('C');
    EXPECT_EQ(Clipboard(), "alpha");
    Send(EM_SETSEL, 6, 10);
    Chord(Qt::Key_Shift, Qt::Key_Delete);
    EXPECT_EQ(Clipboard(), "beta");
    EXPECT_EQ(GetWindowText(edit), "alpha ");
}

struct KeyCase {
    const char* name;
    std::pair<int, int> start;
    std::vector<std::pair<int, int>> keys; // {modifier or 0, key}
    std::pair<int, int> selection;
    const char* text;
};

class EditKeyTest : public EditClassTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EditKeyTest, KeysMoveSelectAndDelete) {
    const KeyCase& c = GetParam();
    MakeEdit(ES_AUTOHSCROLL, "one two  three");
    Focus();
    Send(EM_SETSEL, static_cast<WPARAM>(c.start.first), c.start.second);
    for (auto [modifier, key] : c.keys) {
        const QString text = key == Qt::Key_Backspace ? QStringLiteral("\b") : QString();
        if (modifier)
            Chord(modifier, key, text);
        else
            input.Key(key, text);
    }
    EXPECT_EQ(Selection(), c.selection);
    EXPECT_EQ(GetWindowText(edit), c.text);
}

constexpr int Shift = Qt::Key_Shift;
constexpr int Ctrl = Qt::Key_Control;

INSTANTIATE_TEST_SUITE_P(
    Cases, EditKeyTest,
    ::testing::Values(
        KeyCase{"Right", {2, 2}, {{0, Qt::Key_Right}}, {3, 3}, "one two  three"},
        KeyCase{"LeftAtTheStart", {0, 0}, {{0, Qt::Key_Left}}, {0, 0}, "one two  three"},
        KeyCase{"LeftCollapsesTheSelection", {2, 6}, {{0, Qt::Key_Left}}, {2, 2}, "one two  three"},
        KeyCase{
            "RightCollapsesTheSelection", {6, 2}, {{0, Qt::Key_Right}}, {6, 6}, "one two  three"},
        KeyCase{"ShiftRightTwice",
                {1, 1},
                {{Shift, Qt::Key_Right}, {Shift, Qt::Key_Right}},
                {1, 3},
                "one two  three"},
        KeyCase{"HomeAndShiftEnd",
                {5, 5},
                {{0, Qt::Key_Home}, {Shift, Qt::Key_End}},
                {0, 14},
                "one two  three"},
        KeyCase{"ShiftHome", {5, 5}, {{Shift, Qt::Key_Home}}, {0, 5}, "one two  three"},
        KeyCase{
            "CtrlRightToTheNextWord", {1, 1}, {{Ctrl, Qt::Key_Right}}, {4, 4}, "one two  three"},
        KeyCase{
            "CtrlRightOverTwoSpaces", {4, 4}, {{Ctrl, Qt::Key_Right}}, {9, 9}, "one two  three"},
        KeyCase{
            "CtrlLeftToTheWordStart", {12, 12}, {{Ctrl, Qt::Key_Left}}, {9, 9}, "one two  three"},
        KeyCase{"CtrlLeftOverSpaces", {9, 9}, {{Ctrl, Qt::Key_Left}}, {4, 4}, "one two  three"},
        KeyCase{"Backspace", {3, 3}, {{0, Qt::Key_Backspace}}, {2, 2}, "on two  three"},
        KeyCase{"BackspaceAtTheStart", {0, 0}, {{0, Qt::Key_Backspace}}, {0, 0}, "one two  three"},
        KeyCase{"Delete", {3, 3}, {{0, Qt::Key_Delete}}, {3, 3}, "onetwo  three"},
        KeyCase{"DeleteTheSelection", {7, 3}, {{0, Qt::Key_Delete}}, {3, 3}, "one  three"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PositionCase {
    const char* name;
    DWORD style;
    const char* text;
    int width;
    int leftMargin;
    char password;
};

class EditPositionTest : public EditClassTest,
                         public ::testing::WithParamInterface<PositionCase> {};

TEST_P(EditPositionTest, PosFromCharAndCharFromPosAgree) {
    const PositionCase& c = GetParam();
    MakeEdit(c.style, c.text, c.width);
    Send(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(c.leftMargin, 0));
    if (c.password) Send(EM_SETPASSWORDCHAR, static_cast<WPARAM>(c.password));
    const int n = static_cast<int>(std::string(c.text).size());
    Send(EM_SETSEL, static_cast<WPARAM>(n), n); // a long line scrolls to its end
    TRect format;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    int previous = -100000;
    for (int i = 0; i <= n; ++i) {
        const TPoint p = PosFromChar(i);
        EXPECT_GT(p.X, previous) << i;
        previous = p.X;
        EXPECT_EQ(p.Y, format.Top);
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(Send(EM_CHARFROMPOS, 0, PointToLParam(p)))),
                  i);
    }
    EXPECT_EQ(Send(EM_POSFROMCHAR, static_cast<WPARAM>(n + 1)), -1);
    EXPECT_LE(PosFromChar(n).X, format.Right); // the caret is in view
    if (n > 0 && !(c.style & ES_AUTOHSCROLL)) {
        EXPECT_EQ(PosFromChar(0).X, format.Left);
    }
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(
                  Send(EM_CHARFROMPOS, 0, MAKELPARAM(format.Right + 500, format.Top)))),
              n);

    // A click at a character's position, one in view, puts the caret there.
    const int middle = LOWORD(static_cast<std::uintptr_t>(
        Send(EM_CHARFROMPOS, 0, MAKELPARAM((format.Left + format.Right) / 2, format.Top))));
    Focus();
    input.Click(Screen(PosFromChar(middle)));
    EXPECT_EQ(Selection(), (std::pair{middle, middle}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditPositionTest,
    ::testing::Values(PositionCase{"Short", ES_AUTOHSCROLL, "Wide and thin: Wil", 200, 0, 0},
                      PositionCase{"Margin", 0, "margin", 200, 9, 0},
                      PositionCase{"Password", ES_AUTOHSCROLL, "secret", 200, 2, '#'},
                      PositionCase{"Empty", ES_AUTOHSCROLL, "", 200, 0, 0},
                      PositionCase{"Scrolled", ES_AUTOHSCROLL,
                                   "a line much longer than the narrow edit shows", 60, 3, 0},
                      PositionCase{"Right", ES_AUTOHSCROLL | ES_RIGHT, "right", 200, 4, 0},
                      PositionCase{"Centre", ES_AUTOHSCROLL | ES_CENTER, "centre", 200, 0, 0},
                      PositionCase{"RightScrolled", ES_AUTOHSCROLL | ES_RIGHT,
                                   "a line much longer than the narrow edit shows", 60, 3, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct AlignmentCase {
    const char* name;
    DWORD style;
    const char* text;
    int width;
    // Pixels between the formatting rectangle's left edge and the text (-1: equal to the gap
    // at the right, give or take one; -2: scrolled to its end as a left-aligned line; -3: not
    // checked). The right gap, when not -1.
    int leftGap;
    int rightGap;
};

class EditAlignmentTest : public EditClassTest,
                          public ::testing::WithParamInterface<AlignmentCase> {};

TEST_P(EditAlignmentTest, ANarrowLineSitsWhereTheStyleSays) {
    const AlignmentCase& c = GetParam();
    MakeEdit(c.style, c.text, c.width);
    const int n = static_cast<int>(std::string(c.text).size());
    Send(EM_SETSEL, static_cast<WPARAM>(n), n);
    TRect format;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int left = PosFromChar(0).X - format.Left;
    const int right = format.Right - PosFromChar(n).X;
    if (c.leftGap == -1) {
        EXPECT_GT(left, 10);
        EXPECT_LE(std::abs(left - right), 1);
    } else if (c.leftGap == -2) {
        EXPECT_LT(left, 0);
        EXPECT_GE(right, 1);
    } else if (c.leftGap >= 0) {
        EXPECT_EQ(left, c.leftGap);
    }
    if (c.rightGap >= 0) {
        EXPECT_EQ(right, c.rightGap);
    }
    if (c.leftGap == -2) return;

    // A click just inside the line's start puts the caret before its first character.
    Focus();
    input.Click(Screen(TPoint{PosFromChar(0).X + 1, format.Top + 2}));
    EXPECT_EQ(Selection(), (std::pair{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditAlignmentTest,
    ::testing::Values(AlignmentCase{"Left", ES_AUTOHSCROLL, "text", 200, 0, -1},
                      AlignmentCase{"Right", ES_AUTOHSCROLL | ES_RIGHT, "text", 200, -3, 1},
                      AlignmentCase{"Centre", ES_AUTOHSCROLL | ES_CENTER, "text", 200, -1, -1},
                      AlignmentCase{"RightEmpty", ES_AUTOHSCROLL | ES_RIGHT, "", 200, -3, 1},
                      AlignmentCase{"RightLong", ES_AUTOHSCROLL | ES_RIGHT,
                                    "a line much longer than the narrow edit shows", 60, -2, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditClassTest, WithoutAutoHScrollTypingStopsAtTheWidth) {
    MakeEdit(0, "", 40);
    Focus();
    Type("wwwwwwwwwwwwwwwwwwww");
    const int n = static_cast<int>(Send(WM_GETTEXTLENGTH));
    EXPECT_GT(n, 0);
    EXPECT_LT(n, 20);
    EXPECT_FALSE(Notifications({EN_MAXTEXT}).empty());
    TRect format;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_LE(PosFromChar(n).X, format.Right);
    SetWindowText(edit, "wwwwwwwwwwwwwwwwwwww"); // a program's text is kept whole
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 20);
}

TEST_F(EditClassTest, TheMouseDragsASelectionAndADoubleClickSelectsAWord) {
    MakeEdit(ES_AUTOHSCROLL, "alpha beta gamma");
    input.Drag(Screen(PosFromChar(2)), Screen(PosFromChar(8)));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Selection(), (std::pair{2, 8}));
    EXPECT_EQ(GetCapture(), NullHWnd);
    input.Drag(Screen(PosFromChar(9)), Screen(PosFromChar(3))); // backwards
    EXPECT_EQ(Selection(), (std::pair{3, 9}));

    clock.Advance(GetDoubleClickTime() + 1);
    const TPoint inBeta = Screen({(PosFromChar(7).X + PosFromChar(8).X) / 2, PosFromChar(7).Y});
    input.Click(inBeta);
    input.Click(inBeta);
    EXPECT_EQ(Selection(), (std::pair{6, 10}));

    input.KeyDown(Qt::Key_Shift);
    input.Click(Screen(PosFromChar(14)));
    input.KeyUp(Qt::Key_Shift);
    EXPECT_EQ(Selection(), (std::pair{6, 14}));
}

TEST_F(EditClassTest, ReadOnlyAndPasswordRefuseWhatTheyMust) {
    MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD, "secret");
    EXPECT_EQ(Send(EM_GETPASSWORDCHAR), '*');
    Focus();
    CtrlLetter('A');
    PutOnClipboard("before");
    CtrlLetter('C');
    CtrlLetter('X');
    EXPECT_EQ(Clipboard(), "before"); // a password is not copied
    EXPECT_EQ(GetWindowText(edit), "secret");

    EXPECT_TRUE(Send(EM_SETREADONLY, 1));
    EXPECT_EQ(GetWindowLong(edit, GWL_STYLE) & ES_READONLY, ES_READONLY);
    Send(EM_SETSEL, 6, 6);
    Type("x");
    CtrlLetter('V');
    input.Key(Qt::Key_Backspace, "\b");
    EXPECT_EQ(GetWindowText(edit), "secret");
    Send(EM_SETREADONLY, 0);
    EXPECT_EQ(GetWindowLong(edit, GWL_STYLE) & ES_READONLY, 0);
    Type("x");
    EXPECT_EQ(GetWindowText(edit), "secretx");

    Send(EM_SETPASSWORDCHAR, 0);
    EXPECT_EQ(GetWindowLong(edit, GWL_STYLE) & ES_PASSWORD, 0);
    CtrlLetter('A');
    CtrlLetter('C');
    EXPECT_EQ(Clipboard(), "secretx");
}

TEST_F(EditClassTest, TheModifyFlagFollowsTheUserAndNotSetText) {
    MakeEdit(ES_AUTOHSCROLL, "abc");
    EXPECT_FALSE(Send(EM_GETMODIFY));
    Focus();
    Type("d");
    EXPECT_TRUE(Send(EM_GETMODIFY));
    SetWindowText(edit, "fresh");
    EXPECT_FALSE(Send(EM_GETMODIFY));
    Send(EM_SETMODIFY, 1);
    EXPECT_TRUE(Send(EM_GETMODIFY));
    Send(EM_SETMODIFY, 0);
    EXPECT_FALSE(Send(EM_GETMODIFY));
}

TEST_F(EditClassTest, MarginsAndTheFormattingRectangle) {
    MakeEdit(ES_AUTOHSCROLL, "text");
    TRect client;
    GetClientRect(edit, &client);
    TRect format;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format, client);

    Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(3, 5));
    EXPECT_EQ(Send(EM_GETMARGINS), MAKELPARAM(3, 5));
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format, (TRect{client.Left + 3, client.Top, client.Right - 5, client.Bottom}));
    EXPECT_EQ(PosFromChar(0), (TPoint{3, 0}));

    const TRect set{10, 4, 150, 20};
    Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&set));
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format, set);
    EXPECT_EQ(PosFromChar(0), (TPoint{10, 4}));

    MoveWindow(edit, 10, 10, 180, 24, true); // sizing gives the rectangle back to the margins
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format, (TRect{3, 0, 175, 24}));

    Send(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(EC_USEFONTINFO, 0));
    EXPECT_GT(LOWORD(static_cast<std::uintptr_t>(Send(EM_GETMARGINS))), 0);
    EXPECT_LT(LOWORD(static_cast<std::uintptr_t>(Send(EM_GETMARGINS))), 20);
}

TEST_F(EditClassTest, FocusIsNotifiedToTheParent) {
    MakeEdit();
    HWND other = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 40, 10, 10), parent);
    Focus();
    SetFocus(other);
    EXPECT_EQ(Notifications({EN_SETFOCUS, EN_KILLFOCUS}),
              (std::vector<UINT>{EN_SETFOCUS, EN_KILLFOCUS}));
}

class EditPaintTest : public EditClassTest {
protected:
    QImage Snapshot(const char* name) {
        PumpUntilIdle();
        const auto png = (TempFolder() / name).string();
        EXPECT_TRUE(SaveWindowPng(edit, png));
        return QImage(QString::fromStdString(png));
    }
    static QColor Sys(int index) {
        const gdi::COLORREF c = gdi::GetSysColor(index);
        return QColor(gdi::GetRValue(c), gdi::GetGValue(c), gdi::GetBValue(c));
    }
    // Any pixel of the colour in the column from top to bottom.
    static bool ColumnHas(const QImage& image, int x, const QColor& color) {
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == color) return true;
        return false;
    }
};

TEST_F(EditPaintTest, TheSelectionIsDrawnInTheHighlightColours) {
    MakeEdit(ES_AUTOHSCROLL, "Selected words here");
    Focus();
    Send(EM_SETSEL, 9, 14); // "words"
    const QImage image = Snapshot("edit_selection.png");
    ASSERT_EQ(image.size(), QSize(200, 24));
    const int inside = (PosFromChar(9).X + PosFromChar(10).X) / 2;
    EXPECT_EQ(image.pixelColor(PosFromChar(9).X + 1, 1), Sys(gdi::COLOR_HIGHLIGHT));
    EXPECT_TRUE(ColumnHas(image, inside, Sys(gdi::COLOR_HIGHLIGHTTEXT)) ||
                ColumnHas(image, inside + 1, Sys(gdi::COLOR_HIGHLIGHTTEXT)));
    EXPECT_EQ(image.pixelColor(PosFromChar(8).X, 1), Sys(gdi::COLOR_WINDOW));
    EXPECT_EQ(image.pixelColor(190, 20), Sys(gdi::COLOR_WINDOW));

    SetFocus(parent); // the selection hides without the focus
    const QImage unfocused = Snapshot("edit_unfocused.png");
    EXPECT_EQ(unfocused.pixelColor(PosFromChar(9).X + 1, 1), Sys(gdi::COLOR_WINDOW));
}

TEST_F(EditPaintTest, DisabledAndReadOnlyEditsAreGrey) {
    MakeEdit(ES_AUTOHSCROLL, "WWW");
    Send(EM_SETREADONLY, 1);
    EXPECT_EQ(Snapshot("read_only.png").pixelColor(190, 20), Sys(gdi::COLOR_BTNFACE));
    Send(EM_SETREADONLY, 0);
    EnableWindow(edit, false);
    const QImage disabled = Snapshot("disabled.png");
    EXPECT_EQ(disabled.pixelColor(190, 20), Sys(gdi::COLOR_BTNFACE));
    bool grey = false;
    for (int x = 0; x < PosFromChar(3).X; ++x)
        grey = grey || ColumnHas(disabled, x, Sys(gdi::COLOR_GRAYTEXT));
    EXPECT_TRUE(grey);
}

TEST_F(EditPaintTest, TheCaretBlinksOnThePlatformClock) {
    MakeEdit(ES_AUTOHSCROLL, "ab");
    Focus();
    Send(EM_SETSEL, 1, 1);
    const int x = PosFromChar(1).X;
    const QColor text = Sys(gdi::COLOR_WINDOWTEXT);
    EXPECT_EQ(Snapshot("on.png").pixelColor(x, 2), text);
    clock.Advance(GetCaretBlinkTime());
    EXPECT_NE(Snapshot("off.png").pixelColor(x, 2), text);
    clock.Advance(GetCaretBlinkTime());
    EXPECT_EQ(Snapshot("on_again.png").pixelColor(x, 2), text);
    clock.Advance(GetCaretBlinkTime() / 2);
    input.Key(Qt::Key_Right); // a moved caret shows at once
    clock.Advance(GetCaretBlinkTime() / 2 + 1);
    EXPECT_EQ(Snapshot("moved.png").pixelColor(PosFromChar(2).X, 2), text);
    SetFocus(parent);
    EXPECT_NE(Snapshot("unfocused.png").pixelColor(PosFromChar(2).X, 2), text);
}

// The focused edit owns the system caret and keeps it at its insertion point, where others
// (a context menu opened by the keyboard) find it; it gives the caret up with the focus.
TEST_F(EditClassTest, TheFocusedEditKeepsTheSystemCaretAtItsInsertionPoint) {
    MakeEdit(ES_AUTOHSCROLL, "abc");
    EXPECT_FALSE(HideCaret(edit)) << "no caret before the focus";
    Focus();
    EXPECT_EQ(GetCaretOwner(), edit);
    Send(EM_SETSEL, 1, 1);
    PumpUntilIdle();
    TPoint caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.X, PosFromChar(1).X);
    Type("xy");
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.X, PosFromChar(3).X);
    EXPECT_TRUE(HideCaret(edit));
    EXPECT_TRUE(ShowCaret(edit));
    EXPECT_FALSE(HideCaret(parent)) << "only the owner";
    SetFocus(parent);
    PumpUntilIdle();
    EXPECT_EQ(GetCaretOwner(), NullHWnd);
    EXPECT_FALSE(GetCaretPos(&caret));
}

} // namespace
} // namespace platform::win::test
