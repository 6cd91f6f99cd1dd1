#include "toolkit/edit/cx_edit_buttons.h"

#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/cx_geometry.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;

// ---- TcxEditButton ----

TcxEditButton::TcxEditButton(TcxEditButtons* ACollection) : FCollection(ACollection) {}

TcxEditButton::~TcxEditButton() = default;

int TcxEditButton::Index() const {
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TcxEditButton::Changed(bool AllItems) {
    if (FCollection) FCollection->Changed(AllItems ? nullptr : this);
}

void TcxEditButton::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxEditButton*>(Source);
    if (!S) {
        pc::TPersistent::Assign(Source);
        return;
    }
    if (FCollection) FCollection->BeginUpdate();
    SetCaption(S->FCaption);
    FVisibleCaption = S->FVisibleCaption;
    FContentAlignment = S->FContentAlignment;
    FDefault = S->FDefault;
    FEnabled = S->FEnabled;
    SetGlyph(S->FGlyph.get());
    FKind = S->FKind;
    FLeftAlignment = S->FLeftAlignment;
    FStretchable = S->FStretchable;
    FTag = S->FTag;
    FTextColor = S->FTextColor;
    FVisible = S->FVisible;
    FWidth = S->FWidth;
    FHint = S->FHint;
    Changed(true);
    if (FCollection) FCollection->EndUpdate();
}

void TcxEditButton::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    FVisibleCaption = toolkit::base::cxRemoveAccelChars(Value, false);
    Changed();
}

void TcxEditButton::SetContentAlignment(TAlignment Value) {
    if (FContentAlignment == Value) return;
    FContentAlignment = Value;
    Changed();
}

void TcxEditButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    if (Value && FCollection) {
        for (int I = 0; I < FCollection->Count(); ++I) {
            TcxEditButton& Other = FCollection->Items(I);
            if (&Other != this) Other.FDefault = false;
        }
    }
    FDefault = Value;
    Changed(true);
}

void TcxEditButton::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed();
}

pf::TBitmap& TcxEditButton::Glyph() {
    if (!FGlyph) {
        FGlyph = std::make_unique<pf::TBitmap>();
        FGlyph->OnChange = [this] { Changed(); };
    }
    return *FGlyph;
}

void TcxEditButton::SetGlyph(const pf::TBitmap* Value) {
    if (!Value) {
        if (!FGlyph) return;
        FGlyph.reset();
        Changed();
        return;
    }
    Glyph().Assign(*Value);
    Changed();
}

void TcxEditButton::SetHint(const std::string& Value) {
    if (FHint == Value) return;
    FHint = Value;
    Changed();
}

void TcxEditButton::SetKind(TcxEditButtonKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    Changed();
}

void TcxEditButton::SetLeftAlignment(bool Value) {
    if (FLeftAlignment == Value) return;
    FLeftAlignment = Value;
    Changed();
}

void TcxEditButton::SetStretchable(bool Value) {
    if (FStretchable == Value) return;
    FStretchable = Value;
    Changed();
}

void TcxEditButton::SetTag(int Value) {
    if (FTag == Value) return;
    FTag = Value;
    Changed();
}

void TcxEditButton::SetTextColor(TColor Value) {
    if (FTextColor == Value) return;
    FTextColor = Value;
    Changed();
}

void TcxEditButton::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed();
}

void TcxEditButton::SetWidth(int Value) {
    // A negative width would turn the layout's arithmetic inside out.
    if (Value < 0 || FWidth == Value) return;
    FWidth = Value;
    Changed();
}

// ---- TcxEditButtons ----

TcxEditButtons::TcxEditButtons(pc::TPersistent* AOwner) : FOwner(AOwner) {}

TcxEditButtons::~TcxEditButtons() {
    OnChange = nullptr;
}

void TcxEditButtons::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxEditButtons*>(Source);
    if (!S) {
        pc::TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    FItems.clear();
    for (int I = 0; I < S->Count(); ++I)
        Add().Assign(&S->Items(I));
    Changed(nullptr);
    EndUpdate();
}

TcxEditButton& TcxEditButtons::Add() {
    FItems.push_back(CreateButton());
    TcxEditButton& Button = *FItems.back();
    Changed(nullptr);
    return Button;
}

void TcxEditButtons::Delete(int Index) {
    FItems.erase(FItems.begin() + Index);
    Changed(nullptr);
}

void TcxEditButtons::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed(nullptr);
}

int TcxEditButtons::IndexOf(const TcxEditButton* Button) const {
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I].get() == Button) return static_cast<int>(I);
    return -1;
}

int TcxEditButtons::VisibleCount() const {
    return static_cast<int>(
        std::count_if(FItems.begin(), FItems.end(), [](const auto& B) { return B->Visible(); }));
}

void TcxEditButtons::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount > 0 || !FChanged) return;
    TcxEditButton* Item = FChangedItem;
    FChanged = false;
    FChangedItem = nullptr;
    if (OnChange) OnChange(this, Item);
}

void TcxEditButtons::Changed(TcxEditButton* Item) {
    if (FUpdateCount > 0) {
        // Two different buttons inside one update are a change of the whole collection.
        FChangedItem = (!FChanged || FChangedItem == Item) ? Item : nullptr;
        FChanged = true;
        return;
    }
    if (OnChange) OnChange(this, Item);
}

// ---- TcxEditButtonViewInfo ----

void TcxEditButtonViewInfo::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxEditButtonViewInfo*>(Source);
    if (!S) {
        pc::TPersistent::Assign(Source);
        return;
    }
    State = S->State;
    NativeState = S->NativeState;
    ButtonStyle = S->ButtonStyle;
    Kind = S->Kind;
    Bounds = S->Bounds;
}

TcxEditButtonStateResult TcxEditButtonViewInfo::CalculateState(const TcxEditButtonStateInput& In) {
    using pf::ssDouble;
    using pf::ssLeft;
    TcxEditButtonStateResult R;
    if (!In.EditEnabled || !In.ButtonEnabled) {
        R.State = ebsDisabled;
        return R;
    }
    if (!In.EditorPressed && !In.InplaceSelected && !In.MouseInside) {
        R.State = ebsNormal;
        return R;
    }
    const bool LeftHeld = (In.Shift & ssLeft) != 0;
    const bool LeftOnly = In.Shift == ssLeft || In.Shift == (ssLeft | ssDouble);
    const bool HeldHere =
        In.MouseButton == cxmbNone && LeftHeld && In.PrevState == ebsNormal && In.IsPressedButton;
    const bool ClickDown = In.MouseButton == cxmbLeft && LeftOnly;
    const bool StillPressed = In.PrevState == ebsPressed && LeftHeld;
    R.ButtonPressed = In.EditorPressed || ClickDown || StillPressed || HeldHere;
    if (In.EditorPressed || In.Shift != 0 || HeldHere) {
        R.BecomesPressedButton =
            In.EditorPressed || (HeldHere && In.CanPress) ||
            (LeftOnly && ((In.MouseButton == cxmbLeft && In.CanPress) || In.WasPressed)) ||
            StillPressed;
        R.State = R.BecomesPressedButton ? ebsPressed : ebsNormal;
        return R;
    }
    R.State = ebsSelected;
    R.BecomesHotButton = true;
    return R;
}

bool TcxEditButtonViewInfo::StateDiffers(const TcxEditButtonViewInfo& NewInfo) const {
    return State != NewInfo.State || NativeState != NewInfo.NativeState ||
           ButtonStyle != NewInfo.ButtonStyle || Kind != NewInfo.Kind;
}

std::unique_ptr<toolkit::base::TcxRegion>
TcxEditButtonViewInfo::GetUpdateRegion(const TcxEditButtonViewInfo& NewInfo) const {
    if (!StateDiffers(NewInfo)) return toolkit::base::TcxRegion::CreateEmpty();
    return toolkit::base::TcxRegion::CreateFromRect(Bounds);
}

void TcxEditButtonViewInfo::Repaint(toolkit::base::TcxControl& Control,
                                    const TcxEditButtonViewInfo& PrevInfo, const TPoint& Offset,
                                    bool Erase) const {
    if (!StateDiffers(PrevInfo)) return;
    TRect R = Bounds;
    R.Left += Offset.X;
    R.Right += Offset.X;
    R.Top += Offset.Y;
    R.Bottom += Offset.Y;
    Control.InvalidateRect(R, Erase);
}

// ---- layout routines ----

void cxStretchEditButtons(std::vector<TcxEditButtonViewInfo>& Buttons, int TotalWidth,
                          int FreeWidth) {
    if (FreeWidth <= 0 || Buttons.empty()) return;
    std::vector<int> Counted;
    int Sum = 0;
    for (int I = 0; I < static_cast<int>(Buttons.size()); ++I) {
        const TcxEditButtonViewInfo& B = Buttons[static_cast<std::size_t>(I)];
        if (B.Stretchable && !B.Hidden) {
            Counted.push_back(I);
            Sum += B.Bounds.Right - B.Bounds.Left;
        }
    }
    if (Counted.empty()) {
        for (int I = 0; I < static_cast<int>(Buttons.size()); ++I)
            Counted.push_back(I);
        Sum = TotalWidth - FreeWidth;
    }
    if (Sum <= 0) return;
    int Left = FreeWidth;
    for (auto It = Counted.rbegin(); It != Counted.rend(); ++It) {
        TcxEditButtonViewInfo& B = Buttons[static_cast<std::size_t>(*It)];
        const int Width = B.Bounds.Right - B.Bounds.Left;
        const int Delta = std::next(It) == Counted.rend() ? Left : Width * FreeWidth / Sum;
        Left -= Delta;
        const TRect Old = B.Bounds;
        for (TcxEditButtonViewInfo& Other : Buttons) {
            if (&Other == &B || Other.LeftAlignment != B.LeftAlignment) continue;
            const int Shift = B.LeftAlignment ? (Other.Bounds.Left >= Old.Right ? Delta : 0)
                                              : (Other.Bounds.Right <= Old.Left ? -Delta : 0);
            Other.Bounds.Left += Shift;
            Other.Bounds.Right += Shift;
            Other.VisibleBounds = Other.Bounds;
        }
        if (B.LeftAlignment)
            B.Bounds.Right += Delta;
        else
            B.Bounds.Left -= Delta;
        B.VisibleBounds = B.Bounds;
    }
}

bool cxEditButtonsHidden(TcxEditButtonTransparency ButtonTransparency, bool Focused, bool Hot) {
    return (ButtonTransparency == ebtHideInactive && !Focused) ||
           (ButtonTransparency == ebtHideUnselected && !Focused && !Hot);
}

TRect cxGetEllipsisDotsRect(const TRect& R, bool Pressed, int& DotSize) {
    const int Width = R.Right - R.Left;
    DotSize = Width >= 12 ? 2 : 1;
    const int PatternWidth = 3 * DotSize + 4;
    TRect Dots;
    Dots.Left = R.Left + (Width - PatternWidth) / 2;
    Dots.Top = R.Top + (R.Bottom - R.Top - DotSize) / 2;
    Dots.Right = Dots.Left + PatternWidth;
    Dots.Bottom = Dots.Top + DotSize;
    if (Pressed) {
        if (Dots.Right + 1 <= R.Right) {
            ++Dots.Left;
            ++Dots.Right;
        }
        if (Dots.Bottom + 1 <= R.Bottom) {
            ++Dots.Top;
            ++Dots.Bottom;
        }
    }
    return Dots;
}

} // namespace toolkit::edit
