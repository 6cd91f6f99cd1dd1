#include "toolkit/bars/model/dx_bar_combo.h"

#include "toolkit/bars/model/dx_bar_drop_down_list_box.h"
#include "toolkit/bars/model/dx_bar_frame_painter.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_window_item_control.h"
#include "toolkit/bars/model/dx_bar_window_services.h"
#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/object_links.h"

#include "platform/core/filer.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cctype>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

char Lower(char C) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
}

bool SameText(const std::string& A, const std::string& B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(),
                                              [](char X, char Y) { return Lower(X) == Lower(Y); });
}

} // namespace

const pc::TComponentClass& TCustomdxBarCombo::ClassRef() {
    static const pc::TComponentClass cls(
        "TCustomdxBarCombo", &TdxBarEdit::ClassRef(),
        pc::ConstructorOf<TCustomdxBarCombo, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarCustomCombo::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarCustomCombo", &TCustomdxBarCombo::ClassRef(),
        pc::ConstructorOf<TdxBarCustomCombo, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarCombo::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarCombo", &TdxBarCustomCombo::ClassRef(),
        pc::ConstructorOf<TdxBarCombo, pc::TComponent, pc::TComponent*>());
    return cls;
}

// ---- TCustomdxBarCombo ----

bool TCustomdxBarCombo::GetDroppedDown() const {
    TdxBarWindowItemControl* Control = ActiveEditorControl();
    return Control && Control->IsComboControl() && Control->IsDroppedDown();
}

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(std::uint16_t Key, pf::TShiftState Shift) {
    bool Accept = Key != pw::VK_ESCAPE && Key != pw::VK_RETURN && Key != pw::VK_TAB;
    if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, Key, Shift, Accept);
    return Accept;
}

pc::HWND TCustomdxBarCombo::GetDropDownWindow() {
    pc::HWND Window{};
    if (OnGetDropDownWindow) OnGetDropDownWindow(this, Window);
    return Window;
}

void TCustomdxBarCombo::DropDown(int X, int Y) {
    if (OnDropDown) OnDropDown(this);
    const pc::HWND Window = GetDropDownWindow();
    if (Window == pc::NullHWnd) return;
    PrepareDropDownWindow();
    pg::TRect Bounds{};
    pw::GetWindowRect(Window, &Bounds);
    const int W = Bounds.Width(), H = Bounds.Height();
    int ControlWidth = 0, ControlHeight = 0;
    bool Horizontal = true;
    if (TdxBarWindowItemControl* Control = ActiveEditorControl()) {
        const pg::TRect R = Control->GetScreenRect();
        ControlWidth = R.Width();
        ControlHeight = R.Height();
        Horizontal = Control->InHorizontalToolbar();
    }
    const pg::TRect Area = toolkit::base::cxGetWorkAreaFromPoint({X, Y});
    if (Horizontal) {
        if (X + W > Area.Right) X = Area.Right - W;
        // Above the control only where there is more room than below it.
        if (Y + H > Area.Bottom && Area.Bottom - Y < Y - ControlHeight - Area.Top)
            Y -= ControlHeight + H;
    } else {
        if (X + W > Area.Right && Area.Right - X < X - ControlWidth - Area.Left)
            X -= W + ControlWidth;
        if (Y + H > Area.Bottom) Y = Area.Bottom - H;
    }
    X = std::max(X, Area.Left);
    Y = std::max(Y, Area.Top);
    pw::SetWindowPos(Window, pc::NullHWnd, X, Y, 0, 0,
                     pw::SWP_NOSIZE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE);
    pw::ShowWindow(Window, pw::SW_SHOWNA);
    AfterDropDown();
}

void TCustomdxBarCombo::CloseUp() {
    if (const pc::HWND Window = GetDropDownWindow(); Window != pc::NullHWnd)
        pw::ShowWindow(Window, pw::SW_HIDE);
    if (OnCloseUp) OnCloseUp(this);
}

// ---- TdxBarCustomCombo ----

TdxBarCustomCombo::TdxBarCustomCombo(pc::TComponent* AOwner)
    : TCustomdxBarCombo(AOwner), FList(std::make_unique<TdxBarDropDownListBox>(nullptr, *this)) {
    FItems.OnChange = [this] { ItemsChanged(); };
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
    FList.reset();
}

void TdxBarCustomCombo::ItemsChanged() {
    FPaintedEntriesStale = true;
    if (FItemIndex < FItems.Count())
        RepaintControls();
    else
        SetItemIndex(-1);
}

void TdxBarCustomCombo::SetItemIndex(int Value) {
    if (Value == FItemIndex) return;
    if (Value < 0 || Value >= FItems.Count()) Value = -1;
    FItemIndex = Value;
    const std::string NewText = Value >= 0 ? FItems[Value] : std::string();
    if (Text() == NewText) {
        RepaintControls();
        Change();
        RepaintControls();
    } else {
        TdxBarEdit::SetText(NewText);
    }
}

void TdxBarCustomCombo::SetSorted(bool Value) {
    if (Value == FItems.Sorted()) return;
    FItems.SetSorted(Value);
    FItemIndex = FItems.IndexOf(Text());
}

void TdxBarCustomCombo::SetText(const std::string& Value) {
    if (!(FItemIndex >= 0 && FItemIndex < FItems.Count() && FItems[FItemIndex] == Value))
        SetItemIndex(FItems.IndexOf(Value));
    TdxBarEdit::SetText(Value);
}

int TdxBarCustomCombo::FindPrefix(const std::string& Typed) const {
    std::size_t Best = 0;
    int BestIndex = -1;
    for (int I = 0; I < FItems.Count(); ++I) {
        const std::string& Entry = FItems[I];
        std::size_t L = 0;
        while (L < Best && L < Entry.size() && Lower(Entry[L]) == Lower(Typed[L]))
            ++L;
        if (L < Best) continue;
        while (L < Typed.size() && L < Entry.size() && Lower(Entry[L]) == Lower(Typed[L]))
            ++L;
        if (L > Best) {
            Best = L;
            BestIndex = I;
        }
        if (Best == Typed.size() && BestIndex == I) break;
    }
    return BestIndex;
}

// The list lights the entry the text names (whatever its case); an entry the text only begins
// goes to the top of the list unlit.
void TdxBarCustomCombo::SynchronizeList(const std::string& Typed, int Index) {
    if (Index >= 0 && Index < FItems.Count() && SameText(FItems[Index], Typed)) {
        FList->SetItemIndex(Index);
        return;
    }
    FList->SetItemIndex(-1);
    if (Index >= 0) FList->SetTopIndex(Index);
}

void TdxBarCustomCombo::CurChange() {
    TCustomdxBarCombo::CurChange();
    TdxBarWindowItemControl* Control = ActiveEditorControl();
    if (Control == nullptr || !Control->IsComboControl()) return;
    const std::string Typed = Control->GetCurText();
    int Index = Control->GetListIndex();
    if (!(Index >= 0 && Index < FItems.Count() && FItems[Index] == Typed))
        Index = FindPrefix(Typed);
    Control->SetListIndex(Index);
    if (Control->IsDroppedDown()) SynchronizeList(Typed, Index);
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(std::uint16_t Key, pf::TShiftState Shift) {
    const bool Plain = (Shift & (pf::ssShift | pf::ssAlt | pf::ssCtrl)) == 0;
    return Plain &&
           (Key == pw::VK_UP || Key == pw::VK_DOWN || Key == pw::VK_PRIOR || Key == pw::VK_NEXT);
}

pc::HWND TdxBarCustomCombo::GetDropDownWindow() {
    const pc::HWND Window = TCustomdxBarCombo::GetDropDownWindow();
    return Window != pc::NullHWnd ? Window : FList->Handle();
}

void TdxBarCustomCombo::PrepareDropDownWindow() {
    FList->Items().Clear();
    FList->Items().Assign(FItems.List());
    const int Width = GetDropDownWidth();
    int Height = 4;
    for (int I = 0; I < std::min(FItems.Count(), DropDownCount); ++I) {
        int RowHeight = 0;
        MeasureItemHeight(I, RowHeight);
        Height += RowHeight;
    }
    pw::SetWindowPos(FList->Handle(), pc::NullHWnd, 0, 0, Width, Height,
                     pw::SWP_NOMOVE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE);
}

void TdxBarCustomCombo::DropDown(int X, int Y) {
    TdxBarWindowItemControl* Control = ActiveEditorControl();
    FList->SetParentWindow(Control ? Control->BarWindowHandle() : pc::NullHWnd);
    auto Alive = toolkit::base::cxAddObjectLink(this);
    TCustomdxBarCombo::DropDown(X, Y);
    if (Alive->Ref == nullptr) return;
    Control = ActiveEditorControl();
    if (Control && Control->IsComboControl())
        SynchronizeList(Control->GetCurText(), Control->GetListIndex());
    else
        SynchronizeList(Text(), FItemIndex);
}

void TdxBarCustomCombo::AfterDropDown() {
    TCustomdxBarCombo::AfterDropDown();
    const int Button = pg::GetSystemMetrics(pg::SM_SWAPBUTTON) ? pw::VK_RBUTTON : pw::VK_LBUTTON;
    if (pw::GetKeyState(Button) < 0) FList->CaptureAtDropDown();
}

void TdxBarCustomCombo::CloseUp() {
    TCustomdxBarCombo::CloseUp();
    FList->SetParentWindow(pc::NullHWnd);
}

void TdxBarCustomCombo::DrawEditorArea(pg::TCanvas& Canvas, const TRect& R,
                                       TdxBarItemControl* LinkControl) {
    int Index = FItemIndex;
    if (TdxBarWindowItemControl* Editor = EditingControl(LinkControl))
        Index = Editor->GetListIndex();
    struct EditorDrawing {
        TdxBarCustomCombo& Combo;
        ~EditorDrawing() {
            Combo.FEditorCanvas = nullptr;
            Combo.FDrawingInEditor = false;
        }
    } Drawing{*this};
    FEditorCanvas = &Canvas;
    FDrawingInEditor = true;
    // The editor area is the edit's own colour under the entry: some painters write the
    // entry's text alone.
    Canvas.FillRect(R);
    DrawItem(Index, R, 0);
}

void TdxBarCustomCombo::DrawItem(int Index, const TRect& Rect, pf::TOwnerDrawState State) {
    if (OnDrawItem)
        OnDrawItem(this, Index, Rect, State);
    else if (TdxBarManager* Manager = BarManager())
        Manager->FramePainter().DrawComboListItem(PaintedCombo(), GetItemCanvas(), Index, Rect,
                                                  FDrawingInEditor ? 1 : 0);
    if (State & pf::odFocused) GetItemCanvas().DrawFocusRect(Rect);
}

pg::TCanvas& TdxBarCustomCombo::GetItemCanvas() {
    return FEditorCanvas ? *FEditorCanvas : FList->Canvas();
}

pg::TSize TdxBarCustomCombo::ItemTextExtent(const std::string& Text) {
    pg::TCanvas& Canvas = GetItemCanvas();
    if (Canvas.HandleAllocated()) return Canvas.TextExtent(Text);
    // Outside drawing the list's canvas has no context: a screen one measures in its font.
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    Canvas.SetHandle(DC);
    Canvas.Font().Assign(FList->Font());
    const pg::TSize Size = Canvas.TextExtent(Text);
    Canvas.SetHandle(pg::NullDC);
    pg::DeleteDC(DC);
    return Size;
}

int TdxBarCustomCombo::GetDropDownWidth() {
    if (DropDownWidth >= 1) return DropDownWidth;
    int Width = 0;
    if (TdxBarWindowItemControl* Control = ActiveEditorControl())
        Width = Control->GetScreenRect().Width() - Control->GetDropDownButtonWidth() - 4;
    const bool Scrolls = FItems.Count() > DropDownCount;
    const int ScrollBarWidth = pg::GetSystemMetrics(pg::SM_CXVSCROLL);
    if (Scrolls) Width -= ScrollBarWidth;
    for (int I = 0; I < FItems.Count(); ++I) {
        int EntryWidth = 0;
        MeasureItemWidth(I, EntryWidth);
        Width = std::max(Width, EntryWidth);
    }
    Width += 4;
    if (Scrolls) Width += ScrollBarWidth;
    return Width;
}

void TdxBarCustomCombo::MeasureItemHeight(int Index, int& Height) {
    Height = ItemHeight >= 1 ? ItemHeight : ItemTextExtent("Qq").cy;
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TdxBarCustomCombo::MeasureItemWidth(int Index, int& Width) {
    Width = ItemTextExtent(FItems[Index]).cx + 2;
}

const TdxBarItemControlState& TdxBarCustomCombo::PaintedCombo() {
    if (FPaintedEntriesStale) {
        FPainted.Entries.clear();
        for (int I = 0; I < FItems.Count(); ++I)
            FPainted.Entries.push_back(FItems[I]);
        FPaintedEntriesStale = false;
    }
    FPainted.Item = this;
    FPainted.Link = GetActiveLink();
    FPainted.Text = Text();
    FPainted.ItemIndex = FItemIndex;
    return FPainted;
}

// --- Form streams ---

void TCustomdxBarCombo::DefinePublishedProperties(pc::TFiler& Filer) {
    TdxBarEdit::DefinePublishedProperties(Filer);
    Filer.DefineBoolean(
        "ShowEditor", ShowEditor, [this](bool Value) { ShowEditor = Value; }, !ShowEditor);
}

void TdxBarCustomCombo::DefinePublishedProperties(pc::TFiler& Filer) {
    TCustomdxBarCombo::DefinePublishedProperties(Filer);
    Filer.DefineInteger(
        "DropDownCount", DropDownCount, [this](std::int32_t Value) { DropDownCount = Value; },
        DropDownCount != 8);
    Filer.DefineInteger(
        "DropDownWidth", DropDownWidth, [this](std::int32_t Value) { DropDownWidth = Value; },
        DropDownWidth != 0);
}

void TdxBarCombo::DefinePublishedProperties(pc::TFiler& Filer) {
    TdxBarCustomCombo::DefinePublishedProperties(Filer);
    Filer.DefineInteger(
        "ItemHeight", ItemHeight, [this](std::int32_t Value) { ItemHeight = Value; },
        ItemHeight != 0);
    pf::DefineStringsProperty(Filer, "Items", Items(), Items().Count() > 0);
    Filer.DefineBoolean(
        "Sorted", Sorted(), [this](bool Value) { SetSorted(Value); }, Sorted());
    Filer.DefineInteger(
        "ItemIndex", ItemIndex(), [this](std::int32_t Value) { SetItemIndex(Value); },
        ItemIndex() != -1);
}

} // namespace toolkit::bars
