#include "toolkit/bars/windows/dx_bar_dock_control.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_move.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr int kZone = TdxBars::DockingZone;
// Room for the mark a bar shows once items are hidden.
constexpr int kMarkRoom = 11;
constexpr int kNewRowStrip = 5;

} // namespace

TdxBarDockingStyle dxAlignToDockingStyle(pf::TAlign Align) {
    switch (Align) {
    case pf::alBottom:
        return dsBottom;
    case pf::alLeft:
        return dsLeft;
    case pf::alRight:
        return dsRight;
    default:
        return dsTop;
    }
}

pf::TAlign dxDockingStyleToAlign(TdxBarDockingStyle Style) {
    switch (Style) {
    case dsLeft:
        return pf::alLeft;
    case dsRight:
        return pf::alRight;
    case dsBottom:
        return pf::alBottom;
    default:
        return pf::alTop;
    }
}

void TdxDockCol::UpdatePos() {
    const pg::TRect R = BarControl->BoundsRect();
    Pos = {R.Left, R.Top};
}

// TdxDockControl

TdxDockControl::TdxDockControl(pc::TComponent* AOwner) : pf::TCustomControl(AOwner) {
    FBackgroundBitmap = std::make_unique<pf::TBitmap>();
    FBackgroundBuffer = std::make_unique<pf::TBitmap>();
    // A new picture shows at once, on the site and behind its bars.
    FBackgroundBitmap->OnChange = [this] {
        Invalidate();
        UpdateDoubleBuffered();
        RepaintBars();
    };
}

TdxDockControl::TdxDockControl(TdxBarManager* ABarManager, TdxBarDockingStyle Style)
    : TdxDockControl(static_cast<pc::TComponent*>(nullptr)) {
    FAutomatic = true;
    FDockingStyle = Style;
    SetAlign(dxDockingStyleToAlign(Style));
    // An empty site takes no room until a bar docks.
    if (Horizontal())
        SetHeight(0);
    else
        SetWidth(0);
    SetBarManager(ABarManager);
    if (ABarManager && ABarManager->Form()) SetParent(ABarManager->Form());
}

TdxDockControl::~TdxDockControl() {
    SetBarManager(nullptr);
    FRows.clear();
}

void TdxDockControl::SetBarManager(TdxBarManager* Value) {
    if (FBarManager == Value) return;
    if (FBarManager) FBarManager->RemoveDockControl(this);
    FBarManager = Value;
    if (FBarManager) FBarManager->AddDockControl(this);
}

TdxBarDockingStyle TdxDockControl::DockingStyle() const {
    return dxAlignToDockingStyle(Align());
}

void TdxDockControl::CreateParams(TCreateParams& Params) {
    pf::TCustomControl::CreateParams(Params);
    Params.className = "TdxDockControl";
    Params.style |= pw::WS_CLIPSIBLINGS | pw::WS_CLIPCHILDREN;
}

TdxDockRow* TdxDockControl::Rows(int Index) const {
    if (Index < 0 || Index >= RowCount()) return nullptr;
    return FRows[static_cast<std::size_t>(Index)].get();
}

int TdxDockControl::IndexOfRow(const TdxDockRow* Row) const {
    for (std::size_t I = 0; I < FRows.size(); ++I)
        if (FRows[I].get() == Row) return static_cast<int>(I);
    return -1;
}

TdxDockCol* TdxDockControl::FindCol(const TdxDockedBarWindow* Bar) const {
    for (const auto& Row : FRows)
        for (const auto& Col : Row->Cols)
            if (Col->BarControl == Bar) return Col.get();
    return nullptr;
}

bool TdxDockControl::Locked() const {
    if (!FBarManager) return true;
    TdxBars* Bars = FBarManager->Bars();
    return Bars && Bars->LockUpdate;
}

int TdxDockControl::ClientLength() const {
    return Horizontal() ? ClientWidth() : ClientHeight();
}

int TdxDockControl::ClientThickness() const {
    return Horizontal() ? ClientHeight() : ClientWidth();
}

int TdxDockControl::AlongBorder(const TdxBar& Bar) const {
    return Horizontal() ? Bar.GetNonClientWidth(DockingStyle())
                        : Bar.GetNonClientHeight(DockingStyle());
}

int TdxDockControl::AcrossBorder(const TdxBar& Bar) const {
    return Horizontal() ? Bar.GetNonClientHeight(DockingStyle())
                        : Bar.GetNonClientWidth(DockingStyle());
}

pg::TSize TdxDockControl::SizeForLength(TdxDockCol& Col, int Length, bool Truncated) const {
    const TdxBar& Bar = *Col.BarControl->Bar();
    int Client = Length - AlongBorder(Bar);
    if (Truncated && !FBarManager->Painter().HasHotMark()) Client -= kMarkRoom;
    const pg::TSize Size = Col.BarControl->GetSizeForLength(DockingStyle(), Client);
    const int Across = (Horizontal() ? Size.cy : Size.cx) + AcrossBorder(Bar);
    return {Length, Across};
}

// Rows and bands

int TdxDockControl::GetRowThickness(int RowIndex) const {
    const TdxDockRow* Row = Rows(RowIndex);
    if (!Row) return 0;
    int Result = 0;
    for (const auto& Col : Row->Cols) {
        const pg::TRect R = Col->BarControl->BoundsRect();
        Result = std::max(Result, Horizontal() ? R.Height() : R.Width());
    }
    return Result;
}

int TdxDockControl::GetRowsSize() const {
    int Result = 0;
    for (int R = 0; R < RowCount(); ++R)
        Result += GetRowThickness(R);
    return Result;
}

pg::TRect TdxDockControl::GetRowRect(int RowIndex) const {
    if (RowIndex < 0 || RowIndex >= RowCount()) return {};
    int Start = 0;
    const bool FarSide = DockingStyle() == dsRight || DockingStyle() == dsBottom;
    if (FarSide && FBarManager && FBarManager->IsDragging()) {
        Start = ClientThickness();
        for (int R = RowIndex; R < RowCount(); ++R)
            Start -= GetRowThickness(R);
    } else
        for (int R = 0; R < RowIndex; ++R)
            Start += GetRowThickness(R);
    const int End = Start + GetRowThickness(RowIndex);
    if (Horizontal()) return {0, Start, ClientWidth(), End};
    return {Start, 0, End, ClientHeight()};
}

void TdxDockControl::GetRowBand(int RowIndex, int Part, int& From, int& To) const {
    const bool Near = DockingStyle() == dsLeft || DockingStyle() == dsTop;
    const int S = ClientThickness();
    const int R = GetRowsSize();
    if (RowIndex < 0) {
        From = Near ? -kZone : S - R - kZone;
        To = Near ? 0 : S - R;
    } else if (RowIndex >= RowCount()) {
        From = Near ? R : S;
        To = From + kZone;
    } else {
        const pg::TRect Row = GetRowRect(RowIndex);
        From = Horizontal() ? Row.Top : Row.Left;
        To = Horizontal() ? Row.Bottom : Row.Right;
    }
    const int Indent = (kZone - kNewRowStrip) / 2;
    const int Strip = Near ? From + Indent : To - Indent - kNewRowStrip;
    switch (Part) {
    case 0:
        To = Strip;
        break;
    case 1:
        From = Strip;
        To = Strip + kNewRowStrip;
        break;
    default:
        From = Strip + kNewRowStrip;
        break;
    }
}

int TdxDockControl::GetRowInsertPos(pg::TPoint ScreenPos, bool& NewRow) const {
    NewRow = true;
    if (RowCount() == 0) return 0;
    const pg::TPoint P = ScreenToClient(ScreenPos);
    const int C = Horizontal() ? P.Y : P.X;
    for (int R = -1; R < RowCount(); ++R)
        for (int Part = 0; Part <= 2; ++Part) {
            int From = 0;
            int To = 0;
            GetRowBand(R, Part, From, To);
            if (C >= From && C < To) {
                NewRow = Part == 1;
                const int Result = Part == 0 ? R : R + 1;
                if (Result >= RowCount()) NewRow = true;
                return std::max(Result, 0);
            }
        }
    return C < GetRowsSize() ? 0 : RowCount();
}

int TdxDockControl::GetColInsertIndex(int RowIndex, pg::TPoint ScreenPos) const {
    const TdxDockRow* Row = Rows(RowIndex);
    if (!Row) return 0;
    const pg::TPoint P = ScreenToClient(ScreenPos);
    int C = Horizontal() ? P.X : P.Y;
    // A docked bar dragged along its row takes a neighbour's place only once the cursor has
    // gone its own length past that neighbour's start.
    if (TdxBars* Bars = FBarManager ? FBarManager->Bars() : nullptr; Bars && Bars->Moving())
        if (const TdxBar& Dragged = Bars->Moving()->Bar(); Dragged.DockingStyle() != dsNone) {
            const pg::TSize Size = Bars->Moving()->StyleSize(DockingStyle());
            C -= Horizontal() ? Size.cx : Size.cy;
        }
    for (int I = 0; I < Row->ColCount(); ++I) {
        const pg::TRect R = Row->Col(I)->BarControl->BoundsRect();
        if ((Horizontal() ? R.Left : R.Top) >= C) return I;
    }
    return Row->ColCount();
}

void TdxDockControl::GetInsertMarkPos(int RowIndex, bool NewRow, pg::TPoint& P) const {
    int Cross = 0;
    int From = 0;
    int To = 0;
    if (NewRow) {
        GetRowBand(RowIndex - 1, 1, From, To);
        Cross = (From + To) / 2;
    } else {
        int PrevEnd = 0;
        int Dummy = 0;
        GetRowBand(RowIndex - 1, 2, Dummy, PrevEnd);
        int Start = 0;
        GetRowBand(RowIndex, 0, Start, Dummy);
        Cross = PrevEnd <= Start ? (PrevEnd + Start) / 2 : Start + (PrevEnd - Start) / 2;
    }
    const pg::TPoint Origin = ClientToScreen({0, 0});
    if (Horizontal())
        P.Y = Origin.Y + Cross;
    else
        P.X = Origin.X + Cross;
}

void TdxDockControl::GetDockZone(pg::TRect& R) const {
    const pg::TPoint Origin = ClientToScreen({0, 0});
    R = {Origin.X - kZone, Origin.Y, Origin.X + ClientWidth() + kZone, Origin.Y + ClientHeight()};
    if (Horizontal()) {
        R.Top -= kZone;
        R.Bottom += kZone;
    }
}

// Inserting and removing

void TdxDockControl::InsertBar(TdxDockedBarWindow* Bar, pg::TPoint ScreenPos, bool Apply) {
    if (!FBarManager || !Bar) return;
    const TdxBar& Def = *Bar->Bar();
    TdxBars* Bars = FBarManager->Bars();
    const bool Recreating = Bar->RecreateCount() != 0;
    const bool Restoring = Recreating && Bars && (Bars->LockUpdate || Bars->CreatingBarWindows);

    bool NewRow = false;
    int RowIndex = 0;
    if (Recreating) {
        RowIndex = Def.Row();
        NewRow = Def.OneOnRow;
    } else
        RowIndex = GetRowInsertPos(ScreenPos, NewRow);
    if (Def.WholeRow()) NewRow = true;

    if (Restoring && RowIndex > RowCount() - 1) {
        while (RowCount() < RowIndex)
            FRows.push_back(std::make_unique<TdxDockRow>(this));
    } else {
        const int Last = RowCount() - 1 + (NewRow ? 1 : 0);
        if (RowIndex > Last) RowIndex = Last;
        if (RowIndex < 0) RowIndex = 0;
    }
    if (RowIndex >= RowCount()) NewRow = true;
    if (!NewRow)
        for (const auto& Col : Rows(RowIndex)->Cols)
            if (Col->BarControl != Bar && Col->BarControl->Bar()->WholeRow()) NewRow = true;

    TdxDockCol* Col = nullptr;
    if (NewRow) {
        TdxDockRow* Row = nullptr;
        if (Restoring && RowIndex < RowCount())
            Row = Rows(RowIndex);
        else {
            FRows.insert(FRows.begin() + RowIndex, std::make_unique<TdxDockRow>(this));
            Row = Rows(RowIndex);
        }
        Row->Cols.push_back(std::make_unique<TdxDockCol>(Row, Bar));
        Col = Row->Cols.back().get();
    } else {
        TdxDockRow* Row = Rows(RowIndex);
        const int Index = GetColInsertIndex(RowIndex, ScreenPos);
        Row->Cols.insert(Row->Cols.begin() + Index, std::make_unique<TdxDockCol>(Row, Bar));
        Col = Row->Col(Index);
    }

    pg::TPoint P = ScreenPos;
    if (!Recreating) {
        const pg::TPoint Grab = Bar->GetGrabOffset(DockingStyle());
        P = {P.X - Grab.X, P.Y - Grab.Y};
    }
    P = ScreenToClient(P);
    if (Horizontal())
        P.X = std::max(P.X, 0);
    else
        P.Y = std::max(P.Y, 0);
    Col->Pos = P;

    if (!Apply) return;
    if (!Bar->Dragging()) {
        const pg::TRect R = Bar->BoundsRect();
        Bar->SetBoundsRect({P.X, P.Y, P.X + R.Width(), P.Y + R.Height()});
    }
    UpdateDock();
    if (!(Bars && (Bars->LockUpdate || Bars->CreatingBarWindows))) Col->UpdatePos();
}

void TdxDockControl::RemoveBar(TdxDockedBarWindow* Bar, bool Apply) {
    for (std::size_t R = 0; R < FRows.size(); ++R) {
        auto& Cols = FRows[R]->Cols;
        const auto It = std::find_if(Cols.begin(), Cols.end(),
                                     [&](const auto& Col) { return Col->BarControl == Bar; });
        if (It == Cols.end()) continue;
        Cols.erase(It);
        if (Cols.empty()) FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(R));
        break;
    }
    if (Apply) UpdateDock();
}

void TdxDockControl::MoveBarTo(TdxDockedBarWindow* Bar, pg::TPoint ScreenPos) {
    RemoveBar(Bar, false);
    InsertBar(Bar, ScreenPos);
    if (HasBackground()) {
        ResetBackgroundBuffer();
        RepaintBars();
    }
}

// Layout

void TdxDockControl::UpdateDock() {
    // A manager that goes is asked first: its form may be half gone already.
    if (!FBarManager || FUpdating || FBarManager->IsDestroying()) return;
    // While the manager loads, the site keeps the size its form gave it (DockControlHeights);
    // the manager's Loaded lays every site out.
    if (FBarManager->IsLoading()) return;
    pf::TCustomForm* Form = FBarManager->Form();
    if (Form && Form->Destroying()) return;
    if (FBarManager->LockUpdate()) {
        FBarManager->LayoutHeld();
        return;
    }
    FUpdating = true;
    LayoutRows();
    AutoSize();
    FUpdating = false;
}

void TdxDockControl::LayoutRows() {
    if (!FBarManager || Locked() || FBarManager->IsDestroying()) return;
    pf::TCustomForm* Form = FBarManager->Form();
    if (Form && Form->Destroying()) return;
    DisableAlign();
    if (!FBarManager->IsDesigning() && HandleAllocated())
        pw::SetWindowPos(handle_, pw::HWND_TOP, 0, 0, 0, 0,
                         pw::SWP_NOSIZE | pw::SWP_NOMOVE | pw::SWP_NOACTIVATE);
    const TdxBarDockingStyle Style = DockingStyle();
    const bool Horz = Horizontal();
    const TdxBarItemControlPainter& Painter = FBarManager->Painter();
    const int L = ClientLength();
    auto Along = [Horz](pg::TSize S) { return Horz ? S.cx : S.cy; };
    auto AlongPos = [Horz](pg::TPoint P) { return Horz ? P.X : P.Y; };

    for (int RowIndex = 0; RowIndex < RowCount(); ++RowIndex) {
        TdxDockRow& Row = *Rows(RowIndex);
        const int N = Row.ColCount();
        if (N == 0) continue;
        std::vector<int> Start(static_cast<std::size_t>(N));
        std::vector<int> Length(static_cast<std::size_t>(N));
        std::vector<bool> Truncated(static_cast<std::size_t>(N), false);
        int Total = 0;
        for (int I = 0; I < N; ++I) {
            TdxDockCol& Col = *Row.Col(I);
            TdxBar& Def = *Col.BarControl->Bar();
            Col.BarControl->SetTruncated(false);
            Def.ItemLinks().SetRecentItemCount(-1);
            Col.MinLength = Along(Col.BarControl->GetMinSize(Style)) + AlongBorder(Def);
            Col.FullLength = Along(Col.BarControl->GetFullSize(Style)) + AlongBorder(Def);
            const bool ShowsMark =
                Def.ShowMark() && Def.AllowQuickCustomizing() && Painter.HasHotMark();
            if (!ShowsMark && Col.MinLength != Col.FullLength) Col.MinLength += kMarkRoom;
            Total += Col.FullLength;
        }
        const pg::TRect RowRect = GetRowRect(RowIndex);
        const int Offset = Horz ? RowRect.Top : RowRect.Left;
        auto MinBefore = [&](int I) {
            int S = 0;
            for (int J = 0; J < I; ++J)
                S += Row.Col(J)->MinLength;
            return S;
        };
        auto FullBefore = [&](int I) {
            int S = 0;
            for (int J = 0; J < I; ++J)
                S += Row.Col(J)->FullLength;
            return S;
        };
        auto SingleLine = [&](int I) { return !Row.Col(I)->BarControl->Bar()->MultiLine(); };

        TdxDockCol& First = *Row.Col(0);
        if (First.BarControl->Bar()->WholeRow()) {
            Start[0] = 0;
            Length[0] = std::max(L, First.MinLength);
            Truncated[0] = Length[0] < First.FullLength && SingleLine(0);
        } else if (L < Total) {
            int Avail = L;
            for (int I = N - 1; I >= 0; --I) {
                TdxDockCol& Col = *Row.Col(I);
                const int Lo = MinBefore(I);
                const int Hi = FullBefore(I);
                int Pos = std::clamp(AlongPos(Col.Pos), Lo, Hi);
                // The bar after one being dragged follows it back along the row, and stays
                // there: the dragged bar's room would otherwise stay that bar's.
                if (const TdxDockCol* Prev = I > 0 ? Row.Col(I - 1) : nullptr;
                    Prev && Prev->BarControl->Dragging()) {
                    const int End =
                        std::max(AlongPos(Prev->Pos), MinBefore(I - 1)) + Prev->FullLength;
                    if (Pos > End) {
                        Pos = End;
                        (Horz ? Col.Pos.X : Col.Pos.Y) = End;
                    }
                }
                const int Room = Avail - Pos;
                if (Col.FullLength > Room) {
                    Truncated[static_cast<std::size_t>(I)] =
                        SingleLine(I) && Col.MinLength != Col.FullLength;
                    Length[static_cast<std::size_t>(I)] = std::max(Room, Col.MinLength);
                } else
                    Length[static_cast<std::size_t>(I)] = Col.FullLength;
                if (I == 0) Length[0] = std::max(Avail, Col.MinLength);
                Start[static_cast<std::size_t>(I)] =
                    std::clamp(Avail - Length[static_cast<std::size_t>(I)], Lo, Hi);
                Avail -= Length[static_cast<std::size_t>(I)];
            }
        } else {
            int Limit = L;
            for (int I = N - 1; I >= 0; --I) {
                TdxDockCol& Col = *Row.Col(I);
                Length[static_cast<std::size_t>(I)] = Col.FullLength;
                int S = AlongPos(Col.Pos);
                if (S + Col.FullLength > Limit) S = Limit - Col.FullLength;
                S = std::max(S, FullBefore(I));
                Start[static_cast<std::size_t>(I)] = S;
                Limit = S;
            }
        }
        for (int I = 0; I < N; ++I) {
            if (!Row.Col(I)->BarControl->Bar()->UseRestSpace()) continue;
            const auto U = static_cast<std::size_t>(I);
            Start[U] = I == 0 ? 0 : Start[U - 1] + Length[U - 1];
            const int End = I == N - 1 ? L : Start[U + 1];
            Length[U] = std::max(End - Start[U], Row.Col(I)->MinLength);
        }
        int Thickness = 0;
        for (int I = 0; I < N; ++I) {
            const auto U = static_cast<std::size_t>(I);
            Thickness = std::max(Thickness, SizeForLength(*Row.Col(I), Length[U], Truncated[U]).cy);
        }
        if (Truncated[static_cast<std::size_t>(N - 1)]) {
            const auto U = static_cast<std::size_t>(N - 1);
            Length[U] = std::max(L - Start[U], Row.Col(N - 1)->MinLength);
        }
        for (int I = 0; I < N; ++I) {
            const auto U = static_cast<std::size_t>(I);
            TdxDockCol& Col = *Row.Col(I);
            Col.BarControl->SetTruncated(Truncated[U]);
            SizeForLength(Col, Length[U], Truncated[U]);
            Col.LayoutRect = {Start[U], Offset, Start[U] + Length[U], Offset + Thickness};
            const pg::TRect R =
                Horz ? Col.LayoutRect
                     : pg::TRect{Offset, Start[U], Offset + Thickness, Start[U] + Length[U]};
            if (!(R == Col.BarControl->BoundsRect())) Col.BarControl->SetBoundsRect(R);
            Col.BarControl->CalcItemRects();
        }
    }
    EnableAlign();
}

void TdxDockControl::AutoSize() {
    int Size = GetRowsSize();
    if (HasSunkenBorder() && Size >= 1) Size += 2;
    const int Border = Horizontal() ? Height() - ClientHeight() : Width() - ClientWidth();
    Size += std::max(Border - (HasSunkenBorder() ? 2 : 0), 0);
    if ((Horizontal() ? Height() : Width()) != Size) CloseMovedMenus();
    switch (DockingStyle()) {
    case dsBottom:
        if (Height() != Size) SetBounds(Left(), Top() + Height() - Size, Width(), Size);
        break;
    case dsRight:
        if (Width() != Size) SetBounds(Left() + Width() - Size, Top(), Size, Height());
        break;
    case dsLeft:
        if (Width() != Size) SetWidth(Size);
        break;
    default:
        if (Height() != Size) SetHeight(Size);
        break;
    }
}

// The form's layout is about to change under an open menu, which would be left where its
// opener no longer is: the menus close. Not the quick-customise window, nor a window that holds
// the mouse (the user drags in it); a placed site leaves the menus of bars on the form's own
// sites alone.
void TdxDockControl::CloseMovedMenus() {
    TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
    if (Active == nullptr || !FBarManager) return;
    if (Active->HandleAllocated() && pw::GetCapture() == Active->Handle()) return;
    TCustomdxBarControl* Root = Active;
    while (Root->ParentBarControl())
        Root = Root->ParentBarControl();
    if (dynamic_cast<TdxBarQuickControl*>(Root)) return;
    auto* Toolbar = dynamic_cast<TdxBarControl*>(Root);
    if (Toolbar) {
        const bool Ours = Toolbar->BarManager() == FBarManager ||
                          (Toolbar->GetOwnerForm() && Toolbar->GetOwnerForm() == GetOwnerForm());
        if (!Ours) return;
        if (!FAutomatic && !dynamic_cast<TdxBarDockControl*>(Toolbar->DockSite())) return;
    }
    Active->HideAll();
}

void TdxDockControl::RecalcAllBars() {
    for (const auto& Row : FRows)
        for (const auto& Col : Row->Cols)
            Col->BarControl->RefreshLayout();
    UpdateDock();
}

void TdxDockControl::RepaintBars() {
    for (const auto& Row : FRows)
        for (const auto& Col : Row->Cols)
            Col->BarControl->RepaintBar();
}

void TdxDockControl::Resize() {
    pf::TCustomControl::Resize();
    ResetBackgroundBuffer();
    UpdateDock();
}

void TdxDockControl::InitiateAction() {
    if (!FBarManager) return;
    // An update may show or hide bars: the count is read again at each step.
    TdxBars* Bars = FBarManager->Bars();
    for (int I = 0; Bars && I < Bars->Count(); ++I)
        if (TdxBar* Bar = Bars->Items(I); Bar && Bar->Visible()) Bar->ItemLinks().UpdateActions();
}

// Appearance

void TdxDockControl::ResetAppearance() {
    ResetBackgroundBuffer();
}

bool TdxDockControl::CanDock(TdxBar*) const {
    return AllowDocking;
}

void TdxDockControl::UpdateColor() {
    if (!FBarManager || FBarManager->AutoDockColor())
        SetParentColor(true);
    else
        SetColor(FBarManager->DockColor());
}

bool TdxDockControl::HasSunkenBorder() const {
    return FBarManager && FBarManager->SunkenBorder();
}

pf::TCustomForm* TdxDockControl::GetOwnerForm() const {
    return FBarManager ? FBarManager->Form() : nullptr;
}

bool TdxDockControl::HasBackgroundBitmap() const {
    return !FBackgroundBitmap->Empty();
}

bool TdxDockControl::HasBackground() const {
    if (HasBackgroundBitmap()) return true;
    if (!FBarManager) return false;
    return FBarManager->Painter().IsDockControlBackgroundPainted() ||
           (FBarManager->Backgrounds() && !FBarManager->Backgrounds()->Bar().Empty());
}

void TdxDockControl::ResetBackgroundBuffer() {
    FBackgroundBuffer = std::make_unique<pf::TBitmap>();
}

const TdxDockControlState& TdxDockControl::PaintState() {
    FPaintState.Manager = FBarManager;
    // What FillBackground tiles: a docked bar continues it.
    FPaintState.BackgroundBitmap = HasBackgroundBitmap() ? FBackgroundBitmap.get() : nullptr;
    if (!FPaintState.BackgroundBitmap && FBarManager && FBarManager->Backgrounds() &&
        !FBarManager->Backgrounds()->Bar().Empty())
        FPaintState.BackgroundBitmap = &FBarManager->Backgrounds()->Bar();
    return FPaintState;
}

void TdxDockControl::FillBackground(pg::HDC DC, const pg::TRect& R, pg::HBRUSH Brush) {
    if (HasBackgroundBitmap() || !FBarManager) {
        toolkit::bars::FillBackground(DC, R, R, FBackgroundBitmap.get(), pg::COLOR_BTNFACE, Brush);
        return;
    }
    if (FBarManager->Backgrounds() && !FBarManager->Backgrounds()->Bar().Empty()) {
        toolkit::bars::FillBackground(DC, R, R, &FBarManager->Backgrounds()->Bar(),
                                      pg::COLOR_BTNFACE, Brush);
        return;
    }
    if (!pg::IsRectEmpty(ClientRect())) {
        FPaintState.BkBrush = Brush;
        FBarManager->Painter().DrawDockControlBackground(PaintState(), DC, R, Brush);
    }
}

void TdxDockControl::WndProc(pf::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_ERASEBKGND: {
        const pg::TRect R = ClientRect();
        if (Message.WParam == 0) break;
        // The site's colour (its own, or the manager's dock colour) where no picture lies;
        // the docked bars read the brush while they paint, so it stays.
        if (!FColorBrush || FColorBrushColor != Color()) {
            FColorBrush.Reset(pg::CreateSolidBrush(pg::ColorToRGB(Color())));
            FColorBrushColor = Color();
        }
        FillBackground(static_cast<pg::HDC>(Message.WParam), R, FColorBrush.Get());
        Message.Result = 1;
        return;
    }
    case pw::WM_MOUSEACTIVATE:
        if (FBarManager && !FBarManager->IsDesigning()) {
            Message.Result = pw::MA_NOACTIVATE;
            if (pf::TCustomForm* Form = GetOwnerForm(); Form && Form->HandleAllocated())
                pw::SetWindowPos(Form->Handle(), pw::HWND_TOP, 0, 0, 0, 0,
                                 pw::SWP_NOSIZE | pw::SWP_NOMOVE);
            return;
        }
        break;
    case pw::WM_LBUTTONDBLCLK:
        pf::TCustomControl::WndProc(Message);
        if (FBarManager && FBarManager->CanCustomize) FBarManager->Customizing(true);
        return;
    case pw::WM_DESTROY:
        if (FBarManager) FBarManager->DockControlDestroyed(this);
        break;
    case pw::WM_RBUTTONDOWN:
        pf::TCustomControl::WndProc(Message);
        if (FBarManager && !FBarManager->IsCustomizing())
            ShowToolbarsPopup(*FBarManager, ClientToScreen(pw::LParamToPoint(Message.LParam)));
        return;
    case pw::WM_NCCALCSIZE:
        pf::TCustomControl::WndProc(Message);
        if (HasSunkenBorder()) {
            auto* Params = reinterpret_cast<pw::NCCALCSIZE_PARAMS*>(Message.LParam);
            pg::TRect& R = Params->rgrc[0];
            R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        }
        return;
    case pw::WM_NCPAINT:
        pf::TCustomControl::WndProc(Message);
        if (HasSunkenBorder() && HandleAllocated()) {
            const pg::HDC DC = pw::GetWindowDC(handle_);
            pg::TRect R{0, 0, Width(), Height()};
            pg::DrawEdge(DC, &R, pg::BDR_SUNKENOUTER, pg::BF_RECT);
            pw::ReleaseDC(handle_, DC);
        }
        return;
    case pw::WM_WINDOWPOSCHANGED: {
        pf::TCustomControl::WndProc(Message);
        const auto* Pos = reinterpret_cast<const pw::WINDOWPOS*>(Message.LParam);
        if (!FBarManager || !Pos || (Pos->flags & pw::SWP_NOMOVE && Pos->flags & pw::SWP_NOSIZE))
            return;
        // The bars follow the site without each of them re-laying out the rows.
        const bool Locked = FBarManager->LockUpdate();
        FBarManager->SetLockUpdate(true);
        if (DockingStyle() == dsBottom)
            for (const auto& Row : FRows)
                for (const auto& Col : Row->Cols)
                    if (Col->BarControl->Bar()->IsStatusBar()) Col->BarControl->RepaintBar();
        if (HasBackground()) RepaintBars();
        FBarManager->SetLockUpdate(Locked);
        return;
    }
    default:
        break;
    }
    pf::TCustomControl::WndProc(Message);
}

// TdxBarDockControl

TdxBarDockControl::TdxBarDockControl(pc::TComponent* AOwner) : TdxDockControl(AOwner) {
    SetAlign(pf::alTop);
}

TdxBarDockControl::~TdxBarDockControl() {
    // Bars docked here must not keep a site that is gone.
    TdxBars* Bars = FBarManager ? FBarManager->Bars() : nullptr;
    if (!Bars) return;
    for (int I = 0; I < Bars->Count(); ++I)
        Bars->Items(I)->DockControlGoing(this);
}

void TdxBarDockControl::SetSunkenBorder(bool Value) {
    if (FSunkenBorder == Value) return;
    FSunkenBorder = Value;
    FUseOwnSunkenBorder = true;
    RecalcAllBars();
}

void TdxBarDockControl::SetUseOwnSunkenBorder(bool Value) {
    if (FUseOwnSunkenBorder == Value) return;
    FUseOwnSunkenBorder = Value;
    RecalcAllBars();
}

void TdxBarDockControl::SetUseOwnColor(bool Value) {
    if (FUseOwnColor == Value) return;
    FUseOwnColor = Value;
    UpdateColor();
}

void TdxBarDockControl::ResetAppearance() {
    TdxDockControl::ResetAppearance();
    if ((ComponentState() & pc::csDestroying) != 0) return;
    UpdateColor();
    RecalcAllBars();
}

bool TdxBarDockControl::CanDock(TdxBar* Bar) const {
    if (!TdxDockControl::CanDock(Bar)) return false;
    // A site inside the bar's own window would dock the bar into itself.
    const auto* Window = Bar ? dynamic_cast<const pf::TControl*>(Bar->Control()) : nullptr;
    if (!Window) return true;
    for (const pf::TControl* C = Parent(); C; C = C->Parent())
        if (C == Window) return false;
    return true;
}

void TdxBarDockControl::SetAlign(pf::TAlign Value) {
    if (Value == Align()) return;
    if (!FBarManager) {
        TdxDockControl::SetAlign(Value);
        return;
    }
    const bool Locked = FBarManager->LockUpdate();
    FBarManager->SetLockUpdate(true);
    const TdxBarDockingStyle Style = dxAlignToDockingStyle(Value);
    std::vector<TdxDockedBarWindow*> Docked;
    for (int R = 0; R < RowCount(); ++R)
        for (const auto& Col : Rows(R)->Cols)
            Docked.push_back(Col->BarControl);
    for (TdxDockedBarWindow* Bar : Docked) {
        Bar->Bar()->DockSiteTurned(Style);
        Bar->SetDockSite(this, Style);
    }
    TdxDockControl::SetAlign(Value);
    FBarManager->SetLockUpdate(Locked);
    for (TdxDockedBarWindow* Bar : Docked)
        Bar->RefreshLayout();
    UpdateDock();
    if (Parent()) Parent()->AlignControls();
}

void TdxBarDockControl::WndProc(pf::TMessage& Message) {
    TdxDockControl::WndProc(Message);
    // Bars shown on the site before it could have a window wait for this one.
    if (Message.Msg == pw::WM_CREATE && FBarManager) {
        FBarManager->DockControlCreated(this);
        return;
    }
    if (Message.Msg == pf::CM_VISIBLECHANGED) {
        VisibleChanged(Message.WParam != 0);
        return;
    }
    if (Message.Msg != pw::WM_SIZE || RowCount() != 0 || !FBarManager) return;
    if ((ComponentState() & pc::csLoading) != 0 || Locked()) return;
    // An empty placed site takes no room (a sliver at design time, so that it can be found).
    const int Size = FBarManager->IsDesigning() && !AllowZeroSizeInDesignTime ? 3 : 0;
    if (Horizontal() && Height() != Size)
        SetHeight(Size);
    else if (!Horizontal() && Width() != Size)
        SetWidth(Size);
}

void TdxBarDockControl::VisibleChanged(bool Shown) {
    TdxBarManager* Manager = FBarManager;
    if (Manager == nullptr || Manager->IsDesigning() || Manager->IsLoading() ||
        Manager->IsDestroying() || (ComponentState() & pc::csLoading) != 0)
        return;
    if (Shown) {
        Manager->ShowHiddenBars(this);
        if (Manager->GetHiddenBarCount() == 0) Manager->EndHiddenBars();
        return;
    }
    Manager->BeginHiddenBars();
    TdxBars& Bars = *Manager->Bars();
    for (int I = 0; I < Bars.Count(); ++I)
        if (TdxBar* Bar = Bars.Items(I); Bar->Visible() && Bar->DockControl() == this) {
            Manager->AddHiddenBar(Bar);
            Bar->SetVisible(false);
        }
}

void TdxBarDockControl::UpdateColor() {
    if (FUseOwnColor) return;
    FUpdatingColor = true;
    TdxDockControl::UpdateColor();
    FUpdatingColor = false;
}

void TdxBarDockControl::SetColor(pg::TColor Value) {
    if (!FUpdatingColor && (ComponentState() & pc::csLoading) == 0 && !Locked())
        FUseOwnColor = true;
    TdxDockControl::SetColor(Value);
}

void TdxBarDockControl::SetParentColor(bool Value) {
    if (!FUpdatingColor && (ComponentState() & pc::csLoading) == 0 && !Locked())
        FUseOwnColor = true;
    TdxDockControl::SetParentColor(Value);
}

void TdxBarDockControl::Paint() {
    TdxDockControl::Paint();
    if (!FBarManager || !FBarManager->IsDesigning()) return;
    const pg::HDC DC = canvas_.Handle();
    const pg::HPEN Pen = pg::CreatePen(pg::PS_DASH, 1, pg::GetSysColor(pg::COLOR_BTNSHADOW));
    const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen);
    const pg::HGDIOBJ OldBrush = pg::SelectObject(DC, pg::GetStockObject(pg::NULL_BRUSH));
    const pg::TRect R = ClientRect();
    pg::Rectangle(DC, R.Left, R.Top, R.Right, R.Bottom);
    pg::SelectObject(DC, OldBrush);
    pg::SelectObject(DC, OldPen);
    pg::DeleteObject(Pen);
}

bool TdxBarDockControl::HasSunkenBorder() const {
    return FUseOwnSunkenBorder ? FSunkenBorder : TdxDockControl::HasSunkenBorder();
}

pf::TCustomForm* TdxBarDockControl::GetOwnerForm() const {
    if (pf::TCustomForm* Form = ParentForm()) return Form;
    return TdxDockControl::GetOwnerForm();
}

} // namespace toolkit::bars
