#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
// The room the mark takes at the end of a docked bar.
constexpr int kMarkRoom = 11;

bool IsVerticalStyle(TdxBarDockingStyle Style) {
    return Style == dsLeft || Style == dsRight;
}
} // namespace

TdxBarControl::TdxBarControl(TdxBar& ABar) : TCustomdxBarControl(ABar.BarManager()), FBar(&ABar) {
    SetItemLinks(&ABar.ItemLinks());
}

TdxBarControl::~TdxBarControl() {
    if (FDockSite && FDockSite->FindCol(this)) FDockSite->RemoveBar(this);
    // A quick-customise bar opened from this window's mark goes with it.
    if (TdxBarManager* Manager = BarManager())
        if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(*Manager);
            Popups && Popups->QuickToolbar() == this)
            Popups->CloseQuickControl();
    DestroyControls();
}

bool TdxBarControl::IsDockedHorizontally() const {
    return DockingStyle() == dsTop || DockingStyle() == dsBottom;
}

bool TdxBarControl::IsDockedVertically() const {
    return IsVerticalStyle(DockingStyle());
}

bool TdxBarControl::IsMultiLine() const {
    return DockingStyle() == dsNone || FBar->MultiLine();
}

int TdxBarControl::GetSeparatorSize() const {
    return Painter().GetToolbarSeparatorSize();
}

bool TdxBarControl::HasMark() const {
    if (DockingStyle() == dsNone) return false;
    const bool ShowsMark =
        FBar->ShowMark() && FBar->AllowQuickCustomizing() && Painter().HasHotMark();
    return ShowsMark || FTruncated;
}

bool TdxBarControl::CanShowHints() const {
    if (DockingStyle() != dsNone) return true;
    return !(BarManager() && BarManager()->IsFlatStyle());
}

pf::TCustomForm* TdxBarControl::GetOwnerForm() const {
    if (DockingStyle() != dsNone && FDockSite) return FDockSite->GetOwnerForm();
    return BarManager() ? BarManager()->Form() : nullptr;
}

bool TdxBarControl::IsMouseStill(TPoint ScreenPoint) const {
    if (TCustomdxBarControl::IsMouseStill(ScreenPoint)) return true;
    if (DockingStyle() == dsNone) return false;
    // A bar on a form the user is not working in (another window is active, or a dialog runs
    // over it) does not light up under the passing mouse.
    pf::TCustomForm* Form = GetOwnerForm();
    if (Form == nullptr || !Form->HandleAllocated()) return false;
    return !Form->Active() || pw::GetAncestor(Form->Handle(), pw::GA_ROOT) != pw::GetActiveWindow();
}

void TdxBarControl::SetDockingStyle(TdxBarDockingStyle Value) {
    if (Value != DockingStyle() && ItemLinks())
        for (int I = 0; I < ItemLinks()->Count(); ++I)
            if (TdxBarItemControl* C = ItemLinks()->Items(I)->Control()) C->LineStart = false;
    TCustomdxBarControl::SetDockingStyle(Value);
}

void TdxBarControl::FontChanged() {
    const bool Turned = IsDockedVertically() && FBar->RotateWhenVertical();
    if (!Turned) {
        FTurnedFont.reset();
    } else if (!FRotatingFont) {
        FRotatingFont = true;
        pg::LOGFONT Log;
        pg::GetObject(Font().Handle(), sizeof Log, &Log);
        // A quarter clockwise: the text runs down the bar. TrueType only (7): a raster face
        // would not turn.
        Log.lfEscapement = -900;
        Log.lfOrientation = -900;
        Log.lfOutPrecision = 7;
        FTurnedFont = std::make_unique<pg::TFont>();
        FTurnedFont->SetHandle(pg::CreateFontIndirect(Log));
        FTurnedFont->SetColor(Font().Color());
        FRotatingFont = false;
    }
    if (!HandleAllocated()) return;
    CalcDrawingConsts();
    // A window that is only getting its handle is placed and laid out by its site after.
    if (DockingStyle() != dsNone && RecreateCount() == 0 && !FCreatingHandle) {
        // The hot item is found again at the next move, among the controls laid out anew.
        ResetLastMousePos();
        RefreshLayout();
    }
}

void TdxBarControl::UpdateCanvasFont() {
    if (FTurnedFont && canvas_.Font().Escapement() != FTurnedFont->Escapement())
        canvas_.Font().Assign(*FTurnedFont);
}

pg::TRect TdxBarControl::GetDragHandleRect() const {
    if (DockingStyle() == dsNone || FBar->BorderStyle() != bbsSingle) return {};
    return IsDockedVertically() ? TRect{-100, -100, 100, 0} : TRect{-100, -100, 0, 100};
}

bool TdxBarControl::DragHandleCursor() {
    if (pw::GetCapture() != pw::NullHWnd || !FBar->CanDock() || !HandleAllocated()) return false;
    TPoint P;
    pw::GetCursorPos(&P);
    pw::ScreenToClient(Handle(), &P);
    if (!pg::PtInRect(GetDragHandleRect(), P)) return false;
    pw::SetCursor(pw::ScreenCursor(pf::crSizeAll));
    return true;
}

bool TdxBarControl::CanAlignControl(const TdxBarItemControl* Control) const {
    const TdxBarItemLinks* Links = ItemLinks();
    if (Control == nullptr || Links == nullptr || Links->CanVisibleItemCount() == 0) return false;
    return Links->CanVisibleItems(Links->CanVisibleItemCount() - 1)->Control() == Control;
}

pg::TRect TdxBarControl::GetItemRect(const TdxBarItemControl* Control) const {
    TRect R = TCustomdxBarControl::GetItemRect(Control);
    if (Control == nullptr || pg::IsRectEmpty(R)) return R;
    const auto Found = FLineThickness.find(Control->ItemLink());
    if (Found == FLineThickness.end()) return R;
    const int Line = Found->second;
    if (IsDockedVertically()) {
        const int Grow = Line - R.Width();
        R.Left -= Grow / 2;
        R.Right = R.Left + Line;
    } else {
        const int Grow = Line - R.Height();
        R.Top -= Grow / 2;
        R.Bottom = R.Top + Line;
    }
    return R;
}

pg::HRGN TdxBarControl::GetItemRegion(const TdxBarItemControl* Control) const {
    const pg::HRGN Region = TCustomdxBarControl::GetItemRegion(Control);
    if (Control && !pg::IsRectEmpty(Control->SeparatorRect)) {
        const pg::HRGN Separator = pg::CreateRectRgnIndirect(Control->SeparatorRect);
        pg::CombineRgn(Region, Region, Separator, pg::RGN_OR);
        pg::DeleteObject(Separator);
    }
    return Region;
}

TdxBarItemControl* TdxBarControl::ItemAtPosEx(TPoint ClientPoint, bool& Outside, bool& Vertical,
                                              bool& Before) const {
    TdxBarItemControl* Found =
        TCustomdxBarControl::ItemAtPosEx(ClientPoint, Outside, Vertical, Before);
    const TdxBarItemLinks* Links = ItemLinks();
    if (Found || Links == nullptr || !pg::PtInRect(ClientRect(), ClientPoint)) return Found;
    // The point lies in a row but on no item: it lands before the first item of the row that
    // ends past it, else after the row's last item.
    const bool Across = IsDockedVertically();
    TdxBarItemControl* Last = nullptr;
    for (int I = 0; I < Links->VisibleItemCount(); ++I) {
        TdxBarItemControl* Control = Links->VisibleItems(I)->Control();
        if (Control == nullptr || !Control->CanHit()) continue;
        const TRect R = GetItemRect(Control);
        const bool InRow = Across ? ClientPoint.X >= R.Left && ClientPoint.X < R.Right
                                  : ClientPoint.Y >= R.Top && ClientPoint.Y < R.Bottom;
        if (!InRow) continue;
        if (Across ? ClientPoint.Y < R.Top : ClientPoint.X < R.Left) {
            Before = true;
            return Control;
        }
        Last = Control;
    }
    Before = false;
    return Last;
}

pg::HBRUSH TdxBarControl::GetBkBrush() const {
    return Painter().GetToolbarBrush(PaintedBar());
}

pg::HFONT TdxBarControl::GetFontHandle() const {
    return FBar->UseOwnFont() ? FBar->FontHandle() : TCustomdxBarControl::GetFontHandle();
}

void TdxBarControl::UpdateFont() {
    Font().Assign(FBar->Font());
}

// --- Measuring ---

int TdxBarControl::ExtentAlong(const TdxBarItemControl& Control, bool Vertical) const {
    return Vertical ? Control.GetHeight() : Control.GetWidth();
}

int TdxBarControl::ExtentAcross(const TdxBarItemControl& Control, bool Vertical) const {
    return Vertical ? Control.GetWidth() : Control.GetHeight();
}

void TdxBarControl::CreateMissingControls() {
    if (ItemLinks() == nullptr) return;
    for (int I = 0; I < ItemLinks()->VisibleItemCount(); ++I) {
        TdxBarItemLink* Link = ItemLinks()->VisibleItems(I);
        if (Link->Control() == nullptr) Link->CreateControl();
    }
}

TdxBarControl::TLine TdxBarControl::MeasureRow(bool Vertical, int Limit, bool& Fits) const {
    TLine Row;
    Fits = true;
    const TdxBarItemLinks* Links = ItemLinks();
    if (Links == nullptr) return Row;
    for (int I = 0; I < Links->VisibleItemCount(); ++I) {
        const TdxBarItemLink* Link = Links->VisibleItems(I);
        const TdxBarItemControl* Control = Link->Control();
        if (Control == nullptr) continue;
        int Along = ExtentAlong(*Control, Vertical);
        if (Link->BeginGroup() && I > 0) Along += GetSeparatorSize();
        if (Limit >= 0 && I > 0 && Row.Length + Along > Limit) {
            Fits = false;
            break;
        }
        Row.Length += Along;
        Row.Thickness = std::max(Row.Thickness, ExtentAcross(*Control, Vertical));
    }
    return Row;
}

TdxBarControl::TLine TdxBarControl::CalcMultiLineSize(bool Vertical, int Limit) {
    TLine Result;
    TdxBarItemLinks* Links = ItemLinks();
    if (Links == nullptr) return Result;
    const int N = Links->VisibleItemCount();
    const int Sep = GetSeparatorSize();
    int RowStart = 0;
    int RowLength = 0;
    int RowThickness = 0;
    // The last begin-group link the row holds past its start: a group wraps as a whole.
    int GroupAt = -1;
    int I = 0;
    while (I < N) {
        TdxBarItemLink* Link = Links->VisibleItems(I);
        TdxBarItemControl* Control = Link->Control();
        if (Control == nullptr) {
            ++I;
            continue;
        }
        const bool First = I == RowStart;
        const int Gap = Link->BeginGroup() && !First ? Sep : 0;
        const int Along = ExtentAlong(*Control, Vertical);
        if (First || RowLength + Gap + Along <= Limit) {
            Control->LineStart = First && I > 0;
            if (Gap > 0) GroupAt = I;
            RowLength += Gap + Along;
            RowThickness = std::max(RowThickness, ExtentAcross(*Control, Vertical));
            ++I;
            continue;
        }
        int WrapAt = I;
        if (GroupAt > RowStart) {
            // Back to the group's first link: the row ends before it.
            WrapAt = GroupAt;
            RowLength = 0;
            RowThickness = 0;
            for (int J = RowStart; J < WrapAt; ++J) {
                const TdxBarItemLink* L = Links->VisibleItems(J);
                if (L->Control() == nullptr) continue;
                RowLength += (L->BeginGroup() && J > RowStart ? Sep : 0) +
                             ExtentAlong(*L->Control(), Vertical);
                RowThickness = std::max(RowThickness, ExtentAcross(*L->Control(), Vertical));
            }
        }
        const TdxBarItemLink* Wrapped = Links->VisibleItems(WrapAt);
        Result.Thickness += RowThickness + (Wrapped->BeginGroup() ? Sep : 0);
        Result.Length = std::max(Result.Length, RowLength);
        Wrapped->Control()->LineStart = true;
        RowStart = WrapAt;
        I = WrapAt;
        RowLength = 0;
        RowThickness = 0;
        GroupAt = -1;
    }
    Result.Thickness += RowThickness;
    Result.Length = std::max(Result.Length, RowLength);
    Result.LastLength = RowLength;
    return Result;
}

pg::TSize TdxBarControl::GetSizeForDockingStyle(TdxBarDockingStyle Style, int Limit) {
    TdxBarItemLinks* Links = ItemLinks();
    const bool Vertical = IsVerticalStyle(Style);
    const bool Docked = Style != dsNone;
    // Measured with every link; the limit comes back afterwards, except that a floating bar
    // of a personalised manager keeps to the most recently used links that fit in one row.
    const int KeptRecentCount = Links ? Links->RecentItemCount() : -1;
    if (Links) Links->SetRecentItemCount(-1);
    const bool RecentRow = Links && !Docked && Limit >= 0 && Links->UseRecentItemsEffective() &&
                           !(BarManager() && BarManager()->IsDesigning());
    if (RecentRow) {
        int Fitting = -1;
        for (int Count = 1; Count <= Links->CanVisibleItemCount(); ++Count) {
            Links->SetRecentItemCount(Count);
            CreateMissingControls();
            bool Fits = true;
            MeasureRow(false, Limit, Fits);
            if (!Fits) {
                Fitting = Count - 1;
                break;
            }
        }
        Links->SetRecentItemCount(Fitting);
    }
    CreateMissingControls();
    const int Mark = Docked && HasMark() ? kMarkRoom : 0;
    // The MDI buttons' block, along and across the bar.
    const bool MDI = HasMDIButtons();
    const int MDIAlong = MDI ? GetMDIButtonsLength(Vertical) : 0;
    const int MDIAcross = Vertical ? MDIButtonWidth() : MDIButtonHeight();
    TLine Line;
    if ((FBar->MultiLine() || !Docked) && Limit >= 0) {
        const int Length = std::max(Limit - Mark, 0);
        Line = CalcMultiLineSize(Vertical, Length);
        // At the end of the last line when they fit there; else a line of their own.
        if (MDI && Line.LastLength + MDIAlong <= Length)
            Line.Length = std::max(Line.Length, Line.LastLength + MDIAlong);
        else if (MDI)
            Line.Thickness += MDIAcross;
        Line.Length = std::max(Line.Length + Mark, Limit);
    } else {
        bool Fits = true;
        Line = MeasureRow(Vertical, -1, Fits);
        if (Links)
            for (int I = 0; I < Links->VisibleItemCount(); ++I)
                if (TdxBarItemControl* C = Links->VisibleItems(I)->Control()) C->LineStart = false;
        Line.Length += Mark + MDIAlong;
        if (Limit >= 0) Line.Length = Limit;
    }
    // An empty bar is a button thick: across a vertical bar, the wide way of a button.
    if (Line.Thickness == 0 && BarManager())
        Line.Thickness =
            std::max(Vertical ? BarManager()->ButtonWidth() : BarManager()->ButtonHeight(), 1);
    Line.Thickness = std::max(Line.Thickness, 1);
    if (Links && !RecentRow) Links->SetRecentItemCount(KeptRecentCount);
    // A floating bar with nothing to show is as wide as its caption and close button need.
    if (!Docked && (Links == nullptr || Links->VisibleItemCount() == 0))
        Line.Length = std::max(Line.Length, Painter().GetFloatingCaptionWidth(PaintedBar()) -
                                                2 * Painter().GetFloatingCaptionIndent());
    return Vertical ? TSize{Line.Thickness, Line.Length} : TSize{Line.Length, Line.Thickness};
}

pg::TSize TdxBarControl::GetFullSize(TdxBarDockingStyle Style) {
    const TSize S = GetSizeForDockingStyle(Style, -1);
    // A multi-line bar's full size is its one-line size.
    return S;
}

pg::TSize TdxBarControl::GetMinSize(TdxBarDockingStyle Style) {
    const TSize Full = GetFullSize(Style);
    const bool Vertical = IsVerticalStyle(Style);
    TdxBarItemLinks* Links = ItemLinks();
    int Along = 0;
    if (Links) {
        // One line keeps its first item; a wrapped bar keeps its widest one per line.
        const int Count =
            FBar->MultiLine() ? Links->VisibleItemCount() : std::min(Links->VisibleItemCount(), 1);
        for (int I = 0; I < Count; ++I)
            if (const TdxBarItemControl* C = Links->VisibleItems(I)->Control())
                Along = std::max(Along, ExtentAlong(*C, Vertical));
    }
    if (Style != dsNone && HasMark()) Along += kMarkRoom;
    if (Along == 0) Along = Vertical ? Full.cy : Full.cx;
    if (FBar->MultiLine()) return GetSizeForLength(Style, Along);
    return Vertical ? TSize{Full.cx, Along} : TSize{Along, Full.cy};
}

pg::TSize TdxBarControl::GetSizeForLength(TdxBarDockingStyle Style, int Length) {
    return GetSizeForDockingStyle(Style, Length);
}

// --- Placing ---

void TdxBarControl::CalcItemRects() {
    CreateMissingControls();
    TdxBarItemLinks* Links = ItemLinks();
    FLineThickness.clear();
    if (Links == nullptr) return;
    const bool Vertical = IsDockedVertically();
    const bool Multi = IsMultiLine();
    const TRect Client = ClientRect();
    const int ClientLength = Vertical ? Client.Height() : Client.Width();
    const int ClientThickness = Vertical ? Client.Width() : Client.Height();
    int Limit = ClientLength - (HasMark() ? kMarkRoom : 0) -
                (!Multi && HasMDIButtons() ? GetMDIButtonsLength() : 0);
    const int Sep = GetSeparatorSize();
    int Pos = 0;
    int LineOffset = 0;
    int LineThickness = Multi ? 0 : ClientThickness;
    int LineFirst = 0;
    const int N = Links->VisibleItemCount();

    auto CentreLine = [&](int From, int To) {
        for (int J = From; J < To; ++J) {
            TdxBarItemLink* L = Links->VisibleItems(J);
            if (L->Control() == nullptr) continue;
            TRect& R = L->ItemRect;
            const int Own = Vertical ? R.Width() : R.Height();
            const int Shift = (LineThickness - Own) / 2;
            if (Vertical)
                pg::OffsetRect(R, -Shift, 0);
            else
                pg::OffsetRect(R, 0, Shift);
            FLineThickness[L] = LineThickness;
        }
    };

    int I = 0;
    for (; I < N; ++I) {
        TdxBarItemLink* Link = Links->VisibleItems(I);
        TdxBarItemControl* Control = Link->Control();
        if (Control == nullptr) {
            Link->ItemRect = {};
            continue;
        }
        const int Length = ExtentAlong(*Control, Vertical);
        const int Thickness = ExtentAcross(*Control, Vertical);
        int Gap = Link->BeginGroup() && Pos > 0 ? Sep : 0;
        const bool NewLine =
            (Pos > 0 && Pos + Gap + Length > Limit) || (Multi && Control->LineStart && I > 0);
        if (NewLine) {
            if (!Multi) break;
            CentreLine(LineFirst, I);
            LineOffset += LineThickness + (Link->BeginGroup() ? Sep : 0);
            Pos = 0;
            Gap = 0;
            LineThickness = 0;
            LineFirst = I;
        }
        TRect R;
        if (!Multi) {
            const int Across = (LineThickness - Thickness) / 2;
            R = Vertical ? TRect{Across, Pos + Gap, Across + Thickness, Pos + Gap + Length}
                         : TRect{Pos + Gap, Across, Pos + Gap + Length, Across + Thickness};
        } else if (Vertical) {
            const int Right = Client.Width() - LineOffset;
            R = {Right - Thickness, Pos + Gap, Right, Pos + Gap + Length};
        } else {
            R = {Pos + Gap, LineOffset, Pos + Gap + Length, LineOffset + Thickness};
        }
        bool Aligned = false;
        const TdxBarItemAlign Align = Control->GetAlign();
        if (Align != iaLeft && CanAlignControl(Control)) {
            const int End = Vertical ? R.Bottom : R.Right;
            // The MDI buttons at the end of a wrapped bar's last line take their room from
            // the aligned item, where both fit.
            if (Multi && HasMDIButtons() && End + GetMDIButtonsLength() <= Limit)
                Limit -= GetMDIButtonsLength();
            int Shift = 0;
            int Grow = 0;
            if (Align == iaCenter)
                Shift = (Limit - End) / 2;
            else if (Align == iaRight)
                Shift = Limit - End;
            else
                Grow = std::max(Limit - End, 0);
            if (Vertical) {
                pg::OffsetRect(R, 0, Shift);
                R.Bottom += Grow;
            } else {
                pg::OffsetRect(R, Shift, 0);
                R.Right += Grow;
            }
            Aligned = true;
        }
        Link->ItemRect = R;
        FLineThickness[Link] = LineThickness;
        Pos = Aligned ? Limit : Pos + Gap + Length;
        if (Multi) LineThickness = std::max(LineThickness, Thickness);
        if (Aligned && I + 1 < N) {
            FTruncated = true;
            ++I;
            break;
        }
    }
    if (I < N) {
        // What does not fit is reached through the mark.
        if (!Multi || I > 0) FTruncated = true;
        for (int J = I; J < N; ++J) {
            Links->VisibleItems(J)->ItemRect = {};
            FLineThickness.erase(Links->VisibleItems(J));
        }
    }
    if (Multi) CentreLine(LineFirst, I);
}

// --- The window ---

pg::TRect TdxBarControl::BoundsRect() const {
    return {Left(), Top(), Left() + Width(), Top() + Height()};
}

void TdxBarControl::SetBoundsRect(const TRect& R) {
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TdxBarControl::SetDockSite(TdxDockControl* Site, TdxBarDockingStyle Style) {
    FDockSite = Site;
    SetDockingStyle(Site ? Style : dsNone);
    SetParent(Site);
    if (Site) HandleNeeded();
}

void TdxBarControl::PlaceFloating(TPoint Pos) {
    const int Width = FBar->FloatClientWidth() > 0 ? FBar->FloatClientWidth() : -1;
    const TSize Size = GetSizeForDockingStyle(dsNone, Width);
    SetBounds(Pos.X, Pos.Y, Size.cx + FBar->GetNonClientWidth(dsNone),
              Size.cy + FBar->GetNonClientHeight(dsNone));
    // Measuring left the lines unmarked; a bar shown floating from hidden has no drag to lay
    // its items out.
    CalcItemRects();
}

pg::TSize TdxBarControl::ClientSize() const {
    return {ClientWidth(), ClientHeight()};
}

void TdxBarControl::ShowNoActivate() {
    SetVisible(true);
    // A floating window has no parent to make its handle with it.
    HandleNeeded();
}

void TdxBarControl::RefreshLayout() {
    if (!HandleAllocated() || BarManager() == nullptr) return;
    if (BarManager()->LockUpdate()) {
        BarManager()->LayoutHeld();
        return;
    }
    TdxBarItemLink* Kept = CustomizingSelectedLink();
    DestroyControls();
    CreateControls();
    CalcDrawingConsts();
    if (DockingStyle() != dsNone && FDockSite) {
        FDockSite->UpdateDock();
    } else {
        const TSize Size = GetSizeForDockingStyle(dsNone, ClientWidth());
        SetBounds(Left(), Top(), Size.cx + Width() - ClientWidth(),
                  Size.cy + Height() - ClientHeight());
        CalcItemRects();
    }
    SelectLinkAgain(Kept);
    if (!dxBarUnit().BarControlExists(this)) return;
    RepaintBar();
}

void TdxBarControl::RepaintBar() {
    if (!HandleAllocated()) return;
    pw::SetWindowPos(Handle(), pw::NullHWnd, 0, 0, 0, 0,
                     pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE |
                         pw::SWP_FRAMECHANGED);
    pw::RedrawWindow(Handle(), nullptr, pg::NullObject,
                     pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE);
}

void TdxBarControl::CaptionChanged() {
    if (!HandleAllocated()) return;
    pw::SetWindowText(Handle(), FBar->Caption());
    platform::core::SendMessage(Handle(), pw::WM_NCPAINT, 0, 0);
}

void TdxBarControl::CreateParams(TCreateParams& Params) {
    TCustomdxBarControl::CreateParams(Params);
    // The class library shows a window that is made after it was made visible by its style.
    Params.style = (Params.style & pw::WS_VISIBLE) | pw::WS_CLIPSIBLINGS | pw::WS_CLIPCHILDREN;
    Params.className = "TdxBarControl";
    Params.classStyle = pw::CS_VREDRAW | pw::CS_HREDRAW | pw::CS_DBLCLKS;
    // Until the handle is made, the window's place is not the bar's: nothing is stored back.
    FTakingPlaceAgain = FDockSite && DockingStyle() != dsNone && FDockSite->FindCol(this);
    if (DockingStyle() != dsNone) {
        Params.style |= pw::WS_CHILD;
        return;
    }
    // A sizable pop-up with a system menu whose frame the window draws itself; a tool window
    // owned by its form: it stays above it and never takes activation.
    Params.style |= pw::WS_POPUP | pw::WS_BORDER | pw::WS_SYSMENU | pw::WS_THICKFRAME;
    Params.exStyle |= pw::WS_EX_TOOLWINDOW;
    if (pf::TCustomForm* Form = GetOwnerForm()) Params.parent = Form->Handle();
}

void TdxBarControl::CreateWnd() {
    FCreatingHandle = true;
    TCustomdxBarControl::CreateWnd();
    FCreatingHandle = false;
    pw::SetWindowText(Handle(), FBar->Caption());
    // Born active: a floating frame draws its caption as its form's, and the form keeps its
    // own caption active.
    platform::core::SendMessage(Handle(), pw::WM_NCACTIVATE, 1, 0);
    if (!FTakingPlaceAgain) return;
    FDockSite->RemoveBar(this, false);
    FDockSite->InsertBar(this, FDockSite->ClientToScreen({FBar->DockedLeft(), FBar->DockedTop()}));
    FTakingPlaceAgain = false;
}

void TdxBarControl::StoreBarPosition() {
    if (FStoringPosition || RecreateCount() != 0 || BarManager() == nullptr ||
        BarManager()->IsDestroying() || FBar->Control() != this)
        return;
    FStoringPosition = true;
    FBar->SavePosition();
    FStoringPosition = false;
}

// --- Painting ---

void TdxBarControl::FillPaintedBar(TdxBarControlState& State) const {
    TCustomdxBarControl::FillPaintedBar(State);
    State.Bar.CanClose = FBar->CanClose();
    State.Bar.CanDock = FBar->CanDock();
    State.Bar.BorderStyle = FBar->BorderStyle();
    State.Bar.ShowMark = FBar->ShowMark();
    State.Bar.AllowQuickCustomizing = FBar->AllowQuickCustomizing();
    State.LinksCutOff = FTruncated;
    State.CaptionShowsMark = HasCaptionMark();
    if (State.CaptionShowsMark) CalcMarkWindowRect(State);
    State.MDIChildHasSystemMenu = HasMDIChildSystemMenu();
    for (int I = 0; I < 3; ++I)
        State.MDIButtonsEnabled[I] = IsMDIButtonEnabled(I, pw::MF_GRAYED | pw::MF_DISABLED);
    if (HandleAllocated()) {
        const TPoint Client = ClientToScreen({0, 0}), Origin = WindowToScreen({0, 0});
        const int CX = Client.X - Origin.X, CY = Client.Y - Origin.Y;
        State.WindowRect = {-CX, -CY, Width() - CX, Height() - CY};
    }
    if (FDockSite && DockingStyle() != dsNone) {
        State.DockSite = const_cast<TdxDockControlState*>(&FDockSite->PaintState());
        // The client origin in the site's client coordinates: a docked bar continues the
        // site's background.
        if (HandleAllocated() && FDockSite->HandleAllocated())
            State.Position = FDockSite->ScreenToClient(ClientToScreen({0, 0}));
        else
            State.Position = {Left(), Top()};
    }
    State.BackgroundBitmap = BackgroundBitmap();
}

pf::TBitmap* TdxBarControl::BackgroundBitmap() const {
    if (!FBar->BackgroundBitmap().Empty()) return &FBar->BackgroundBitmap();
    if (FDockSite && DockingStyle() != dsNone && FDockSite->HasBackgroundBitmap())
        return &FDockSite->BackgroundBitmap();
    TdxBarManager* Manager = BarManager();
    if (Manager && Manager->Backgrounds() && !Manager->Backgrounds()->Bar().Empty())
        return &Manager->Backgrounds()->Bar();
    return nullptr;
}

pg::TPoint TdxBarControl::GetBackgroundOffset() const {
    if (!HandleAllocated()) return {0, 0};
    const TPoint Client = ClientToScreen({0, 0}), Origin = WindowToScreen({0, 0});
    return {Client.X - Origin.X, Client.Y - Origin.Y};
}

void TdxBarControl::FillBackground(pg::HDC DC, const TRect& R) {
    if (!FBar->BackgroundBitmap().Empty()) {
        const TPoint Offset = GetBackgroundOffset();
        const TRect Source{R.Left + Offset.X, R.Top + Offset.Y, R.Right + Offset.X,
                           R.Bottom + Offset.Y};
        toolkit::bars::FillBackground(DC, R, Source, &FBar->BackgroundBitmap(), pg::COLOR_BTNFACE,
                                      GetBkBrush());
        return;
    }
    TdxBarManager* Manager = BarManager();
    const bool ManagerBitmap =
        Manager && Manager->Backgrounds() && !Manager->Backgrounds()->Bar().Empty();
    if (FBar->IsMainMenu() && Manager && !ManagerBitmap) {
        Painter().DrawToolbarBackground(PaintedBar(), DC, R, GetBkBrush());
        return;
    }
    if (FBar->Color() != pg::clDefault) {
        const pg::HBRUSH Brush = pg::CreateSolidBrush(pg::ColorToRGB(FBar->Color()));
        pg::FillRect(DC, &R, Brush);
        pg::DeleteObject(Brush);
        return;
    }
    TCustomdxBarControl::FillBackground(DC, R);
}

void TdxBarControl::UpdateAlphaBlend() {
    if (!HandleAllocated()) return;
    SetWindowAlpha(Handle(), DockingStyle() == dsNone ? FBar->AlphaBlendValue() : 255);
}

void TdxBarControl::Paint() {
    UpdateBkBrush();
    const pg::HDC DC = PaintDC();
    const TRect Client = ClientRect();
    FillBackground(DC, Client);
    TdxBarItemLinks* Links = ItemLinks();
    if (Links == nullptr) return;
    if (!(BarManager() && BarManager()->IsDesigning()))
        for (int I = 0; I < Links->AvailableItemCount(); ++I) {
            TdxBarItemLink* Link = Links->AvailableItems(I);
            if (Link->GetVisibleIndex() < 0 && Link->Item()->NeedsNotShownNotice())
                Link->Item()->NotShownNotice(this);
        }
    const bool Vertical = IsDockedVertically();
    const int Sep = GetSeparatorSize();
    const int MarkRoom = HasMark() ? kMarkRoom : 0;
    const TdxBarPaintType Kind = ItemPaintType();
    for (int I = 0; I < Links->VisibleItemCount(); ++I) {
        TdxBarItemLink* Link = Links->VisibleItems(I);
        TdxBarItemControl* Control = Link->Control();
        if (Control == nullptr) continue;
        Control->SeparatorRect = {};
        const TRect R = Link->ItemRect;
        if (pg::IsRectEmpty(R)) continue;
        Control->Paint(R, Kind);
        if (!Link->BeginGroup() || I == 0) continue;
        const TRect Row = GetItemRect(Control);
        TRect S;
        bool AcrossLine;
        if (Control->LineStart) {
            // Between two lines, along the whole bar.
            AcrossLine = !Vertical;
            S = Vertical ? TRect{Row.Right, 0, Row.Right + Sep, Client.Height() - MarkRoom}
                         : TRect{0, Row.Top - Sep, Client.Width() - MarkRoom, Row.Top};
        } else {
            AcrossLine = Vertical;
            S = Vertical ? TRect{Row.Left, R.Top - Sep, Row.Right, R.Top}
                         : TRect{R.Left - Sep, Row.Top, R.Left, Row.Bottom};
        }
        Control->SeparatorRect = S;
        Painter().DrawToolbarSeparator(PaintedBar(), DC, S, AcrossLine, GetBkBrush());
    }
    if (DockingStyle() != dsNone && HasMark())
        Painter().DrawDockedMark(PaintedBar(), DC, GetBkBrush(),
                                 Painter().GetMarkRect(PaintedBar()));
    DrawMDIButtons(DC);
    DrawSelectionFrame(DC);
}

// --- Messages ---

void TdxBarControl::WndProc(TMessage& Message) {
    if (MarkMessage(Message) || ItemSizingMessage(Message) || FrameMessage(Message)) return;
    switch (Message.Msg) {
    case pw::WM_NCCALCSIZE:
        WMNCCalcSize(Message);
        return;
    case pw::WM_NCHITTEST:
        WMNCHitTest(Message);
        return;
    case pw::WM_NCPAINT:
        WMNCPaint();
        return;
    case pw::WM_WINDOWPOSCHANGED: {
        TCustomdxBarControl::WndProc(Message);
        StoreBarPosition();
        // The quick-customise bar's shadow joins the mark where it is now.
        const auto* Pos = reinterpret_cast<const pw::WINDOWPOS*>(Message.LParam);
        const auto Still = pw::SWP_NOMOVE | pw::SWP_NOSIZE;
        if (Pos && (Pos->flags & Still) != Still && BarManager())
            if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(*BarManager());
                Popups && Popups->QuickToolbar() == this && Popups->QuickControl())
                Popups->QuickControl()->ParentBarMoved();
        return;
    }
    case pf::CM_FONTCHANGED:
        FontChanged();
        break;
    case pw::WM_CANCELMODE:
        CancelMDIButtonPress();
        break;
    case pw::WM_SETCURSOR:
        if (DragHandleCursor()) {
            Message.Result = 1;
            return;
        }
        break;
    case pw::WM_RBUTTONDOWN: {
        pw::ReleaseCapture();
        // While customizing the right press is the customizing popup's, not menu mode's.
        const bool Customizing = IsCustomizing();
        if (Customizing) SetActive(false);
        TCustomdxBarControl::WndProc(Message);
        if (!Customizing && dxBarUnit().BarControlExists(this) && BarManager())
            ShowToolbarsPopup(*BarManager(), ClientToScreen(pw::LParamToPoint(Message.LParam)));
        return;
    }
    case pw::WM_GETDLGCODE:
        // A dialog's navigation leaves every key to the bar.
        Message.Result = pw::DLGC_WANTARROWS | pw::DLGC_WANTTAB | pw::DLGC_WANTALLKEYS;
        return;
    case pw::WM_MOUSEACTIVATE:
        // Floating bars never take the activation, but one that is pressed comes to the top.
        if (DockingStyle() == dsNone && !Active() && HandleAllocated())
            pw::SetWindowPos(Handle(), pw::HWND_TOP, 0, 0, 0, 0,
                             pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOACTIVATE);
        break;
    default:
        break;
    }
    TCustomdxBarControl::WndProc(Message);
}

void TdxBarControl::WMNCCalcSize(TMessage& Message) {
    TCustomdxBarControl::WndProc(Message);
    if (DockingStyle() == dsNone) return;
    auto* Params = reinterpret_cast<pw::NCCALCSIZE_PARAMS*>(Message.LParam);
    TRect& R = Params->rgrc[0];
    if (FBar->BorderStyle() == bbsSingle) {
        const TRect M = Painter().GetDockedBarBorderRect(PaintedBar());
        R = {R.Left + M.Left, R.Top + M.Top, R.Right - M.Right, R.Bottom - M.Bottom};
        const int Handle =
            FBar->CanDock() ? Painter().GetDragGripAreaSize() : Painter().FixedGripSize();
        if (IsDockedVertically())
            R.Top += Handle;
        else
            R.Left += Handle;
    } else if (FBar->IsStatusBar()) {
        R.Top += Painter().GetSizeGripIndent(PaintedBar());
        if (FBar->SizeGripVisible()) R.Right -= Painter().GetSizeGripSize(PaintedBar()).cx;
    }
    R.Right = std::max(R.Right, R.Left);
    R.Bottom = std::max(R.Bottom, R.Top);
}

void TdxBarControl::WMNCHitTest(TMessage& Message) {
    TCustomdxBarControl::WndProc(Message);
    FHitTestCode = 0;
    if (DockingStyle() == dsNone) return;
    const auto Default = static_cast<int>(Message.Result);
    const TPoint P = ScreenToClient(pw::LParamToPoint(Message.LParam));
    Message.Result = pw::HTCLIENT;
    if (FBar->SizeGripVisible()) {
        const pg::TSize Grip = Painter().GetSizeGripSize(PaintedBar());
        const TRect GripRect{ClientWidth(), ClientHeight() - Grip.cy, ClientWidth() + Grip.cx,
                             ClientHeight()};
        if (pg::PtInRect(GripRect, P)) {
            FHitTestCode = pw::HTBOTTOMRIGHT;
            Message.Result = pw::HTBOTTOMRIGHT;
            return;
        }
    }
    if (Default != pw::HTNOWHERE && Default != pw::HTCLIENT) {
        FHitTestCode = Default;
        return;
    }
    if (Default == pw::HTCLIENT) {
        const TdxBarItemControl* Control = ItemAtPos(P);
        if (Control && (Control->IsSelectable() || IsCustomizing())) {
            FHitTestCode = pw::HTCLIENT;
            return;
        }
        if (HasMark() && pg::PtInRect(Painter().GetMarkRect(PaintedBar()), P)) return;
        if (MDIButtonAt(P) >= 0) return;
    }
    FHitTestCode = 2;
}

void TdxBarControl::WMNCPaint() {
    if (!HandleAllocated() || DockingStyle() == dsNone) return;
    const bool Framed = FBar->BorderStyle() == bbsSingle;
    if (!Framed && !FBar->IsStatusBar()) return;
    const pg::HDC DC = pw::GetWindowDC(Handle());
    TdxBarControlState State = PaintedBar();
    const TRect Window{0, 0, Width(), Height()};
    // The frame is painted in window coordinates: the painters' rectangles follow.
    TPoint Origin{0, 0};
    if (Parent()) Origin = {Left(), Top()};
    State.Position = Origin;
    State.ClientRect = Window;
    State.WindowRect = Window;
    const TPoint ClientOrigin = ClientToScreen({0, 0});
    const TPoint WindowOrigin = WindowToScreen({0, 0});
    const int CX = ClientOrigin.X - WindowOrigin.X;
    const int CY = ClientOrigin.Y - WindowOrigin.Y;
    const TRect Client{CX, CY, CX + ClientWidth(), CY + ClientHeight()};
    if (Framed) {
        const TRect M = Painter().GetDockedBarBorderRect(State);
        const TRect Outer{M.Left, M.Top, Window.Right - M.Right, Window.Bottom - M.Bottom};
        for (const TRect& Part : {TRect{Outer.Left, Outer.Top, Outer.Right, Client.Top},
                                  TRect{Outer.Left, Client.Bottom, Outer.Right, Outer.Bottom},
                                  TRect{Outer.Left, Client.Top, Client.Left, Client.Bottom},
                                  TRect{Client.Right, Client.Top, Outer.Right, Client.Bottom}})
            if (!pg::IsRectEmpty(Part)) Painter().DrawDockedBarBackground(State, DC, Part);
        Painter().DrawBarBorder(State, DC, Window);
    } else {
        const int Strip = Painter().GetSizeGripIndent(PaintedBar());
        Painter().DrawStatusBarBorder(State, DC, {0, 0, Window.Right, Strip});
        if (FBar->SizeGripVisible()) {
            const pg::TSize Grip = Painter().GetSizeGripSize(PaintedBar());
            Painter().DrawSizeGripArea(
                State, DC, {Window.Right - Grip.cx, Strip, Window.Right, Window.Bottom});
        }
    }
    pw::ReleaseDC(Handle(), DC);
}

// --- Input ---

void TdxBarControl::WMLButtonDown(TMessage& Message) {
    if (PressMDIButton(pw::LParamToPoint(Message.LParam))) return;
    if (MarkMouseDown(pw::LParamToPoint(Message.LParam))) return;
    if (!IgnoreNextButtonUp) ActivateFormOnPress();
    if (!dxBarUnit().BarControlExists(this)) return;
    if (!IgnoreNextButtonUp) {
        const TPoint P = pw::LParamToPoint(Message.LParam);
        TdxBarItemControl* Control = pg::PtInRect(ClientRect(), P) ? ItemAtPos(P) : nullptr;
        const bool Designing = BarManager() && BarManager()->IsDesigning();
        const bool Counts =
            Control && (Designing || (Control->GetEnabled() && Control->IsSelectable()));
        // While customizing, a press on an item puts the bar in menu mode with it (the press
        // then selects the link and may drag it: the base handling); otherwise it only selects
        // the item and makes the bar active (menu mode on such a press kept a sub-item's menu
        // from opening on the next press once a command had run); a press on nothing that
        // takes it ends the bar's use.
        if (Counts && !Active() && !IsCustomizing()) {
            SetSelectedControl(Control);
            SetActive(true);
        } else if (Counts && !Active())
            EnterMenuMode(Control);
        else if (!Counts && Active() && !IsCustomizing())
            SetActive(false);
        if (!dxBarUnit().BarControlExists(this)) return;
    }
    TCustomdxBarControl::WMLButtonDown(Message);
}

void TdxBarControl::ActivateFormOnPress() {
    // A floating bar never takes the activation itself, so a press on it brings its form
    // forward; not where floating bars only show with an active form, nor for the quick bar,
    // which belongs to a toolbar and must not pull the form over it.
    if (DockingStyle() != dsNone || !BarManager() || BarManager()->HideFloatingBarsWhenInactive() ||
        IsQuickCustomizeMenu())
        return;
    if (pf::TCustomForm* Form = BarManager()->Form(); Form && Form->HandleAllocated())
        pw::SetActiveWindow(Form->Handle());
}

void TdxBarControl::SetActive(bool Value) {
    if (!Value) MenusOpen = false;
    TCustomdxBarControl::SetActive(Value);
    if (!Value) ExitMenuMode();
}

void TdxBarControl::SetSelectedControl(TdxBarItemControl* Control) {
    TdxBarItemControl* Old = SelectedControl();
    TCustomdxBarControl::SetSelectedControl(Control);
    if (!dxBarUnit().BarControlExists(this) || Control == nullptr || Control == Old ||
        SelectedControl() != Control || !Active() || !MenusOpen || IsCustomizing() ||
        Control->Active())
        return;
    // A press selects before it opens the menu itself, as the mouse opens it.
    if (pw::GetKeyState(pw::VK_LBUTTON) < 0) return;
    if (auto* Sub = dynamic_cast<TdxBarSubItemControl*>(Control))
        Sub->MouseDown(false);
    else
        Control->ControlActivate(true);
}

void TdxBarControl::HideAll() {
    ExitMenuMode();
    TCustomdxBarControl::HideAll();
}

void TdxBarControl::EnterMenuMode(TdxBarItemControl* Control) {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr || ItemLinks() == nullptr) return;
    pf::TCustomForm* Form = GetOwnerForm();
    if (Form && Form->HandleAllocated())
        platform::core::SendMessage(Form->Handle(), pw::WM_CANCELMODE, 0, 0);
    if (!dxBarUnit().BarControlExists(this)) return;
    // The keyboard owns the bars now: no other bar keeps a hot item under the mouse.
    if (TdxBars* Bars = Manager->Bars())
        for (int I = 0; I < Bars->Count(); ++I)
            if (auto* Other = dynamic_cast<TCustomdxBarControl*>(Bars->Items(I)->Control());
                Other && Other != this)
                Other->EndMouseTracking();
    SavedFocus = pw::GetFocus();
    // The quick bar is opened without activation over whatever lies above its form: it keeps
    // the stacking as the user left it.
    if (Form && Form->HandleAllocated() && !IsCustomizing() && !IsQuickCustomizeMenu())
        pw::SetWindowPos(Form->Handle(), pw::HWND_TOP, 0, 0, 0, 0,
                         pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOACTIVATE);
    if (Control == nullptr) Control = SelectableControl(0, true);
    SetSelectedControl(Control);
    SetActive(true);
    Manager->SetMenuModeToolbar(this);
}

void TdxBarControl::ExitMenuMode() {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr || Manager->MenuModeToolbar() != this) return;
    Manager->SetMenuModeToolbar(nullptr);
    SetSelectedControl(nullptr);
    SetActive(false);
    // Hot tracking resumes where the mouse rests, without waiting for it to move.
    pw::TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    if (const pw::HWND Under = pw::WindowFromPoint(Cursor); Under != pw::NullHWnd)
        if (auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(Under))) {
            Window->ResetLastMousePos();
            pw::TPoint Client = Cursor;
            pw::ScreenToClient(Under, &Client);
            platform::core::PostMessage(Under, pw::WM_MOUSEMOVE, 0, pw::PointToLParam(Client));
        }
    const pw::HWND Focus = SavedFocus;
    SavedFocus = {};
    pf::TCustomForm* Form = GetOwnerForm();
    if (Focus != pw::NullHWnd && pw::IsWindowVisible(Focus) && Form && Form->HandleAllocated() &&
        pw::GetActiveWindow() == Form->Handle())
        pw::SetFocus(Focus);
}

void TdxBarControl::MoveToNextToolbar(bool Backward) {
    TdxBarManager* Manager = BarManager();
    TdxBars* Bars = Manager ? Manager->Bars() : nullptr;
    if (Bars == nullptr || FBar == nullptr || Bars->Count() == 0) return;
    const int Count = Bars->Count();
    const int Start = FBar->Index();
    for (int Step = 1; Step < Count; ++Step) {
        const int I = ((Start + (Backward ? -Step : Step)) % Count + Count) % Count;
        auto* Next = dynamic_cast<TdxBarControl*>(Bars->Items(I)->Control());
        if (Next == nullptr || !Next->HandleAllocated() || !pw::IsWindowVisible(Next->Handle()))
            continue;
        TdxBarItemControl* First = Next->SelectableControl(0, true);
        if (First == nullptr) continue;
        ExitMenuMode();
        if (dxBarUnit().BarControlExists(Next)) Next->EnterMenuMode(First);
        return;
    }
}

void TdxBarControl::WMKeyDown(TMessage& Message) {
    const auto Key = static_cast<std::uint16_t>(Message.WParam);
    TdxBarItemControl* Selected = SelectedControl();
    const bool Vertical = IsDockedVertically();
    // A control that takes the key (a drop-down button's arrows) has it first.
    if (Selected && Selected->GetEnabled() && Selected->WantsKey(Key)) {
        Selected->KeyDown(Key);
        return;
    }
    switch (Key) {
    case pw::VK_ESCAPE:
        HideAll();
        return;
    case pw::VK_RETURN:
        if (Selected && Selected->GetEnabled()) {
            if (dynamic_cast<TdxBarSubItemControl*>(Selected)) {
                Selected->MouseDown(false);
            } else {
                HideAll();
                Selected->Click(false);
            }
        }
        return;
    case pw::VK_UP:
    case pw::VK_DOWN:
        if (!Vertical) {
            if (auto* Sub = dynamic_cast<TdxBarSubItemControl*>(Selected); Sub && Sub->GetEnabled())
                Sub->MouseDown(false);
            return;
        }
        break;
    default:
        if (ClosesBarWindows(Key, BarManager())) {
            HideAll();
            return;
        }
        break;
    }
    TCustomdxBarControl::WMKeyDown(Message);
}

void TdxBarControl::WMMouseLeave(TMessage& Message) {
    if (Active()) {
        if (dynamic_cast<TdxBarButtonControl*>(SelectedControl())) SelectedControl()->Repaint();
        return;
    }
    TCustomdxBarControl::WMMouseLeave(Message);
    // No move reaches the bar once the mouse is off it, so the hot MDI button would stay lit.
    if (FMDIHot >= 0 && dxBarUnit().BarControlExists(this)) {
        FMDIHot = -1;
        RepaintMDIButtons();
    }
}

} // namespace toolkit::bars
