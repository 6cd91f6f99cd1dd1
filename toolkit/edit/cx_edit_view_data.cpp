#include "toolkit/edit/cx_edit_view_data.h"

#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_edit_paint_utils.h"
#include "toolkit/edit/cx_edit_properties.h"
#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/desktop_composition.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"

#include <algorithm>
#include <climits>

namespace toolkit::edit {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace tb = toolkit::base;

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties& AProperties,
                                             TcxCustomEditStyle& AStyle, bool AIsInplace)
    : Properties(AProperties), Style(&AStyle), IsInplace(AIsInplace) {
    InitCacheData();
}

void TcxCustomEditViewData::InitCacheData() {
    VisibleButtonCount = Properties.Buttons().VisibleCount();
    IsNativeStyle = IsNativeStyleUsed();
    InitEditContentParams(EditContentParams);
}

bool TcxCustomEditViewData::IsNativeStyleUsed() {
    // Visual styles are not offered on this platform: the native look falls back to ours.
    return false;
}

TRect TcxCustomEditViewData::GetEditContentDefaultOffsets() {
    return IsInplace ? TRect{1, 1, 1, 1} : TRect{1, 1, 1, 3};
}

void TcxCustomEditViewData::InitEditContentParams(TcxEditContentParams& Params) {
    Params.Rect = {};
    Params.Offsets = GetEditContentDefaultOffsets();
    Params.ExtraHorzMargin = 3 - (Params.Offsets.Left + Params.Offsets.Right);
    Params.ExtraVertMargin = IsNativeStyle && IsInplace && VisibleButtonCount > 0 ? 1 : 0;
    Params.Flags = 2;
}

TSize TcxCustomEditViewData::GetEditContentOffsetsSize() const {
    const TcxEditContentParams& P = EditContentParams;
    return {P.Offsets.Left + P.Offsets.Right + P.ExtraHorzMargin,
            P.Offsets.Top + P.Offsets.Bottom + P.ExtraVertMargin};
}

unsigned TcxCustomEditViewData::GetTextFlags() const {
    unsigned Result = TextFlagsCache;
    if (!pg::IsRectEmpty(EditContentParams.Rect)) Result |= 4;
    if (EditContentParams.Flags & 1) Result |= 16;
    return Result;
}

int TcxCustomEditViewData::GetPressedButtonIndex() const {
    return Edit ? Edit->PressedButtonIndex() : -1;
}

bool TcxCustomEditViewData::InternalFocused() const {
    return Edit ? Edit->InternalFocused() : Focused;
}

// ---- state and styles ----

TcxContainerState TcxCustomEditViewData::GetContainerState(const TRect& B, const TPoint& P,
                                                           pf::TShiftState /*Shift*/,
                                                           bool /*IsMouseEvent*/) {
    if (!Enabled) return cstDisabled;
    if (Selected) return cstNormal;
    TcxContainerState Result = Focused ? cstFocused : cstNormal;
    TRect Inner = B;
    if (Edit) {
        Inner = Edit->InnerBounds();
    } else {
        Inner.Left += InplaceContentMargins.Left;
        Inner.Top += InplaceContentMargins.Top;
        Inner.Right -= InplaceContentMargins.Right;
        Inner.Bottom -= InplaceContentMargins.Bottom;
    }
    if (pg::PtInRect(Inner, P)) Result |= cstHot;
    return Result;
}

int TcxCustomEditViewData::GetEditNativeState() {
    if (ContainerState & cstDisabled) return 4;
    if (Properties.ReadOnly()) return 6;
    if (ContainerState & cstFocused) return IsCompositionEnabled() ? 3 : 5;
    if (ContainerState & cstHot) return 2;
    return 1;
}

bool TcxCustomEditViewData::HasThickBorders() {
    if (!Edit) return Style->BorderStyle() == ebsThick;
    for (TcxContainerStyle* S :
         {&Edit->Style(), &Edit->StyleDisabled(), &Edit->StyleFocused(), &Edit->StyleHot()})
        if (S->BorderStyle() == ebsThick) return true;
    return false;
}

TcxEditButtonStyle TcxCustomEditViewData::GetButtonsStyle() {
    const TcxEditButtonStyle Result = Style->ButtonStyle();
    if (Result != btsDefault) return Result;
    return cxGetDefaultButtonStyle(IsInplace, Style->BorderStyle(), Style->HotTrack(),
                                   Style->LookAndFeel().GetKind());
}

TcxEditPopupBorderStyle TcxCustomEditViewData::GetPopupBorderStyle() {
    const TcxEditPopupBorderStyle Result = Style->PopupBorderStyle();
    if (Result != epbsDefault || !Edit) return Result;
    if (IsInplace) return cxGetPopupBorderStyleByKind(Style->LookAndFeel().GetKind());
    if (Style->BorderStyle() == ebsNone && VisibleButtonCount > 0)
        return cxGetPopupBorderStyleByKind(cxGetEditButtonsLookAndFeelKind(
            false, Style->LookAndFeel().GetKind(), VisibleButtonCount, Style->ButtonStyle()));
    return cxGetPopupBorderStyleByBorder(Style->BorderStyle());
}

TcxEditBorderStyle TcxCustomEditViewData::GetContainerBorderStyle() {
    if (IsInplace) return ebsNone;
    const TcxEditBorderStyle Result = Style->BorderStyle();
    return Result == ebsUltraFlat || Result == ebsOffice11 ? ebsSingle : Result;
}

TRect TcxCustomEditViewData::GetBorderExtentByEdges(int W) {
    const TcxBorders Edges = Style->Edges();
    return {Edges & tb::cxBorder(tb::bLeft) ? W : 0, Edges & tb::cxBorder(tb::bTop) ? W : 0,
            Edges & tb::cxBorder(tb::bRight) ? W : 0, Edges & tb::cxBorder(tb::bBottom) ? W : 0};
}

bool TcxCustomEditViewData::IsShadowDrawingNeeded() {
    return Style->Shadow() && !IsNativeStyleUsed();
}

TRect TcxCustomEditViewData::GetBorderExtent() {
    if (IsInplace) return InplaceContentMargins;
    TRect Result{};
    if (Style->LookAndFeel().SkinPainter())
        Result = Style->HasBorder() ? GetBorderExtentByEdges(1) : TRect{};
    else if (Style->TransparentBorder())
        Result = {2, 2, 2, 2};
    else if (!Style->HasBorder())
        Result = {};
    else if (IsNativeStyle)
        Result = Style->BorderStyle() == ebsNone ? TRect{} : TRect{2, 2, 2, 2};
    else
        Result = GetBorderExtentByEdges(GetContainerBorderWidth(GetContainerBorderStyle()));
    if (IsShadowDrawingNeeded()) {
        Result.Right += 3;
        Result.Bottom += 3;
    }
    return Result;
}

TRect TcxCustomEditViewData::GetButtonsExtent() {
    if (IsInplace) return InplaceContentMargins;
    if (!IsNativeStyle) return GetBorderExtent();
    if (Style->BorderStyle() == ebsNone)
        return Style->TransparentBorder() ? TRect{2, 2, 2, 2} : TRect{};
    return {2, 2, 2, 2};
}

TRect TcxCustomEditViewData::GetClientExtent(TcxCanvas& /*Canvas*/, TcxCustomEditViewInfo& V) {
    TRect Result = GetBorderExtent();
    if (Properties.ButtonsViewStyle() == bvsButtonsOnly && !V.ButtonsInfo.empty()) {
        const TRect Buttons = GetButtonsExtent();
        Result.Left = Buttons.Left;
        Result.Right = Buttons.Right;
    }
    for (const TcxEditButtonViewInfo& B : V.ButtonsInfo) {
        if (B.LeftAlignment)
            Result.Left = std::max(Result.Left, B.Bounds.Right - V.Bounds.Left);
        else
            Result.Right = std::max(Result.Right, V.Bounds.Right - B.Bounds.Left);
    }
    return Result;
}

TColor TcxCustomEditViewData::GetBorderColor(bool& Hot) {
    Hot = (ContainerState & cstFocused) || ((ContainerState & cstHot) && Style->HotTrack());
    if (const auto Painter = Style->LookAndFeel().SkinPainter())
        return Painter->DefaultEditorBorderColor();
    const TcxEditBorderStyle Border = Style->BorderStyle();
    if (Border == ebsUltraFlat || Border == ebsOffice11) {
        if (Hot || (Selected && Enabled)) return GetEditBorderHighlightColor(Border == ebsOffice11);
        return pg::clBtnShadow;
    }
    return Style->BorderColor();
}

// ---- calculation ----

void TcxCustomEditViewData::Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                                      TcxMouseButton Button, pf::TShiftState Shift,
                                      TcxCustomEditViewInfo& V, bool IsMouseEvent) {
    const int OldBorderWidth = GetContainerBorderWidth(V.BorderStyle);
    auto CalculateState = [&] {
        ContainerState = GetContainerState(B, P, Shift, IsMouseEvent);
        const bool HotOrFocused = ContainerState & (cstFocused | cstHot);
        V.HotTrackState = Selected || !Style->HotTrack() || IsInplace ? 0 : HotOrFocused ? 2 : 1;
        if (Edit) {
            V.ContainerState = ContainerState;
            Style = &Edit->ActiveEditStyle(ContainerState);
        }
        V.EditBorderStyle =
            !IsInplace && IsNativeStyle ? Style->BorderStyle() : GetContainerBorderStyle();
        V.BorderStyle = V.EditBorderStyle;
    };
    CalculateState();
    if (!IsInplace && !IsNativeStyle &&
        GetContainerBorderWidth(GetContainerBorderStyle()) < OldBorderWidth)
        CalculateState();
    V.ContainerState = ContainerState;
    V.Properties = &Properties;
    V.Edit = Edit;
    ButtonsFillEditor = IsInplace ? B.Right != INT_MAX && Properties.ButtonsViewStyle() != bvsNormal
                                  : Properties.ButtonsViewStyle() == bvsButtonsOnly;
    Bounds = B;
    V.Bounds = B;
    V.Painter = Style->LookAndFeel().SkinPainter();
    V.Enabled = Enabled;
    V.Focused = Focused;
    V.UseEditColorForButtons = Edit && Edit->UseEditColorForButtons();
    V.HasTextButton = false;
    for (int I = 0; I < Properties.Buttons().Count(); ++I)
        if (Properties.Buttons().Items(I).Kind() == bkText) V.HasTextButton = true;
    V.IsInplace = IsInplace;
    V.TextFlags = GetTextFlags();
    V.Edges = Style->Edges();
    V.Font = &Style->GetVisibleFont();
    V.Shadow = !IsInplace && IsShadowDrawingNeeded();
    V.BorderWidth = V.Painter ? 1 : GetContainerBorderWidth(V.BorderStyle);

    V.NativeStyle = IsNativeStyle;
    V.NativeState = IsNativeStyle ? GetEditNativeState() : 0;
    V.BorderExtent = GetBorderExtent();
    V.BorderRect = {B.Left + V.BorderExtent.Left, B.Top + V.BorderExtent.Top,
                    B.Right - V.BorderExtent.Right, B.Bottom - V.BorderExtent.Bottom};
    V.BackgroundRect = V.BorderRect;
    V.HasBorderExtent = V.BorderExtent != TRect{};
    if (!IsInplace) {
        bool Hot = false;
        V.BorderColor = GetBorderColor(Hot);
    }
    V.TextColor = Style->GetTextColor();
    V.TransparentBackground = Edit && Edit->IsTransparentBackgroundPublic();
    V.SetBackgroundColor(Style->GetColor());

    CalculateButtonsViewInfo(Canvas, P, Button, Shift, V, IsMouseEvent);

    const TRect Extent = GetClientExtent(Canvas, V);
    V.ClientRect = {B.Left + Extent.Left, B.Top + Extent.Top, B.Right - Extent.Right,
                    B.Bottom - Extent.Bottom};
    if (V.ClientRect.Right < V.ClientRect.Left) V.ClientRect.Right = V.ClientRect.Left;
    if (V.ClientRect.Bottom < V.ClientRect.Top) V.ClientRect.Bottom = V.ClientRect.Top;
    V.InnerRect = V.ClientRect;
    V.InnerEditRect = V.ClientRect;
    V.HasInnerEdit = Edit && Edit->InnerControl();
    V.PopupBorderStyle = GetPopupBorderStyle();
}

void TcxCustomEditViewData::CalculateButtonsViewInfo(TcxCanvas& Canvas, const TPoint& P,
                                                     TcxMouseButton Button, pf::TShiftState Shift,
                                                     TcxCustomEditViewInfo& V, bool IsMouseEvent) {
    const bool Focused_ = ContainerState & cstFocused;
    const bool Hot = ContainerState & cstHot;
    const int Count =
        cxEditButtonsHidden(Style->ButtonTransparency(), Focused_, Hot) ? 0 : VisibleButtonCount;
    // The states of the previous calculation, by button, drive the next.
    std::vector<TcxEditButtonState> PrevStates(
        static_cast<std::size_t>(Properties.Buttons().Count()), ebsNormal);
    for (const TcxEditButtonViewInfo& Old : V.ButtonsInfo)
        if (Old.Index >= 0 && Old.Index < static_cast<int>(PrevStates.size()))
            PrevStates[static_cast<std::size_t>(Old.Index)] = Old.State;
    const int PrevPressed = IsMouseEvent ? V.PressedButton : -1;
    V.SetButtonCount(Count);
    V.ButtonPressed = false;
    V.PressedButton = -1;
    V.HotButton = -1;
    FirstLeftButton = LastLeftButton = FirstRightButton = LastRightButton = -1;
    if (Count == 0) return;

    TRect R = V.Bounds;
    const TRect Extent = GetButtonsExtent();
    R = {R.Left + Extent.Left, R.Top + Extent.Top, R.Right - Extent.Right,
         R.Bottom - Extent.Bottom};
    const int TotalWidth = R.Right - R.Left;
    int ViewIndex = Count;
    bool FontPrepared = false;
    for (int I = Properties.Buttons().Count() - 1; I >= 0 && ViewIndex > 0; --I) {
        const TcxEditButton& Item = Properties.Buttons().Items(I);
        if (!Item.Visible()) continue;
        --ViewIndex;
        if (Item.Kind() == bkText && !FontPrepared) {
            Canvas.SetFont(Style->GetVisibleFont());
            V.PrepareCanvasFont(Canvas);
            FontPrepared = true;
        }
        V.ButtonsInfo[static_cast<std::size_t>(ViewIndex)].Index = I;
        CalculateButtonViewInfo(Canvas, V, ViewIndex, R);
    }
    StretchButtons(V, TotalWidth, R.Right - R.Left);

    for (int I = 0; I < Count; ++I) {
        TcxEditButtonViewInfo& B = V.ButtonsInfo[static_cast<std::size_t>(I)];
        const TcxEditButton& Item = Properties.Buttons().Items(B.Index);
        TcxEditButtonStateInput In;
        In.EditEnabled = Enabled;
        In.ButtonEnabled = Item.Enabled();
        In.EditorPressed = IsButtonPressed(V, I);
        In.InplaceSelected = Selected;
        In.MouseInside = pg::PtInRect(B.VisibleBounds, P);
        In.MouseButton = Button;
        In.Shift = Shift;
        In.PrevState = PrevStates[static_cast<std::size_t>(B.Index)];
        In.IsPressedButton = I == GetPressedButtonIndex();
        In.WasPressed = I == PrevPressed;
        In.CanPress = CanPressButton(V, I);
        const TcxEditButtonStateResult Out = TcxEditButtonViewInfo::CalculateState(In);
        B.State = Out.State;
        if (Out.ButtonPressed) V.ButtonPressed = true;
        if (Out.BecomesPressedButton) V.PressedButton = I;
        if (Out.BecomesHotButton) V.HotButton = I;
        if (V.OnCalculateButtonState) V.OnCalculateButtonState(&V, I, B.State);
    }

    // The end marks tell a button's border whether it meets the text area.
    int LeftMin = -1, LeftMax = -1, RightMin = -1, RightMax = -1;
    bool HasLeft = false, HasRight = false;
    for (int I = 0; I < Count; ++I) {
        const TcxEditButtonViewInfo& B = V.ButtonsInfo[static_cast<std::size_t>(I)];
        int& Min = B.LeftAlignment ? LeftMin : RightMin;
        int& Max = B.LeftAlignment ? LeftMax : RightMax;
        (B.LeftAlignment ? HasLeft : HasRight) = true;
        if (Min < 0 || B.Bounds.Left < V.ButtonsInfo[static_cast<std::size_t>(Min)].Bounds.Left)
            Min = I;
        if (Max < 0 || B.Bounds.Right > V.ButtonsInfo[static_cast<std::size_t>(Max)].Bounds.Right)
            Max = I;
    }
    auto Mark = [&](int I, bool TheLeftEnd) {
        if (I < 0) return;
        (TheLeftEnd ? V.ButtonsInfo[static_cast<std::size_t>(I)].LeftEnd
                    : V.ButtonsInfo[static_cast<std::size_t>(I)].RightEnd) = true;
    };
    Mark(LeftMin, true);
    if (!(ButtonsFillEditor && HasRight)) Mark(LeftMax, false);
    if (!(ButtonsFillEditor && HasLeft)) Mark(RightMin, true);
    Mark(RightMax, false);
    if (ButtonsFillEditor)
        for (TcxEditButtonViewInfo& B : V.ButtonsInfo)
            B.LeftAlignment = false;
}

void TcxCustomEditViewData::CalculateButtonViewInfo(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                                    int ButtonIndex, TRect& R) {
    TcxEditButtonViewInfo& B = V.ButtonsInfo[static_cast<std::size_t>(ButtonIndex)];
    const TcxEditButton& Item = Properties.Buttons().Items(B.Index);
    B.IsDropDownOnly = V.ButtonCount() == 1 && Item.Kind() == bkDown;
    B.Kind = Item.Kind();
    B.Caption = Item.Kind() == bkText ? Item.VisibleCaption() : std::string();
    B.ContentAlignment = Item.ContentAlignment();
    B.Default = Item.Default();
    B.Glyph = Item.HasGlyph() ? &const_cast<TcxEditButton&>(Item).Glyph() : nullptr;
    B.UseEditColor = V.UseEditColorForButtons;
    B.Gradient = Style->GradientButtons();
    B.Inplace = IsInplace;
    B.LeftAlignment = Item.LeftAlignment();
    B.LeftEnd = B.RightEnd = false;
    B.NativeStyle = V.NativeStyle;
    B.Stretchable = Item.Stretchable();
    B.Hidden = IsButtonHidden(V, ButtonIndex);
    B.RequestedWidth = Item.Width() != 0         ? Item.Width()
                       : OnGetDefaultButtonWidth ? OnGetDefaultButtonWidth(B.Index)
                                                 : 0;
    B.ButtonStyle = GetButtonsStyle();
    const TcxEditButtonTransparency Transparency = Style->ButtonTransparency();
    B.Transparent = Transparency == ebtAlways ||
                    (Transparency == ebtInactive && !(ContainerState & (cstHot | cstFocused)));
    B.BackgroundColor = V.BackgroundColor;
    CalculateButtonBounds(Canvas, V, B, R);
}

void TcxCustomEditViewData::CalculateButtonBounds(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                                  TcxEditButtonViewInfo& B, TRect& R) {
    const int ViewIndex = static_cast<int>(&B - V.ButtonsInfo.data());
    int W = std::min(CalculateEditDefaultButtonWidth(Canvas, B), std::max(0, R.Right - R.Left));
    if (B.LeftAlignment) {
        B.Bounds = {R.Left, R.Top, R.Left + W, R.Bottom};
        R.Left += W;
        if (FirstLeftButton < 0) FirstLeftButton = ViewIndex;
        LastLeftButton = ViewIndex;
    } else {
        B.Bounds = {R.Right - W, R.Top, R.Right, R.Bottom};
        R.Right -= W;
        if (FirstRightButton < 0) FirstRightButton = ViewIndex;
        LastRightButton = ViewIndex;
    }
    B.VisibleBounds = B.Bounds;
}

void TcxCustomEditViewData::StretchButtons(TcxCustomEditViewInfo& V, int TotalWidth,
                                           int FreeWidth) {
    if (!ButtonsFillEditor || FreeWidth <= 0) return;
    cxStretchEditButtons(V.ButtonsInfo, TotalWidth, FreeWidth);
}

// ---- sizes ----

TSize TcxCustomEditViewData::GetEditContentSizeEx(TcxCanvas& Canvas, const Variant& Value,
                                                  const TcxEditSizeProperties& SizeProperties) {
    if (Properties.ButtonsViewStyle() != bvsButtonsOnly)
        return GetEditContentSize(Canvas, Value, SizeProperties);
    return {0, Canvas.FontHeight(Style->GetVisibleFont()) + GetEditContentOffsetsSize().cy};
}

namespace {

// Room a button's content keeps from its border above and below.
constexpr int cxEditButtonContentVertMargins = 2;

// What a button's border takes from its height, by style: two frames for 3D, one for the rest;
// a native button leaves its face to the theme, which is not offered here.
int ButtonStyleContentOffset(TcxEditButtonStyle Style, bool Native) {
    if (Native) return 0;
    return Style == bts3D ? 4 : 2;
}

} // namespace

void TcxCustomEditViewData::InternalGetEditConstantPartSize(TcxCanvas& Canvas,
                                                            TcxCustomEditViewInfo& V, TSize& Size,
                                                            TSize& MinContent) {
    Size = {V.ClientRect.Left - V.Bounds.Left + V.Bounds.Right - V.ClientRect.Right,
            V.ClientRect.Top - V.Bounds.Top + V.Bounds.Bottom - V.ClientRect.Bottom};
    MinContent = {0, 0};
    int Height = 0;
    bool FontPrepared = false;
    for (int I = 0; I < Properties.Buttons().Count(); ++I) {
        const TcxEditButton& B = Properties.Buttons().Items(I);
        if (!B.Visible()) continue;
        if (B.Kind() == bkGlyph && B.HasGlyph())
            Height = std::max(Height, const_cast<TcxEditButton&>(B).Glyph().Height());
        else if (IsInplace && B.Kind() == bkText && !B.VisibleCaption().empty()) {
            if (!FontPrepared) {
                Canvas.SetFont(Style->GetVisibleFont());
                V.PrepareCanvasFont(Canvas);
                FontPrepared = true;
            }
            Height = std::max(Height, Canvas.TextHeight(B.VisibleCaption()));
        }
    }
    if (Height <= 0) return;
    if (!V.Painter) Height += cxEditButtonContentVertMargins;
    Height += ButtonStyleContentOffset(GetButtonsStyle(), IsNativeStyle);
    MinContent.cy = std::max(0, Height - Size.cy);
}

TSize TcxCustomEditViewData::GetEditConstantPartSize(
    TcxCanvas& Canvas, const TcxEditSizeProperties& /*SizeProperties*/, TSize& MinContent,
    TcxCustomEditViewInfo* V) {
    std::unique_ptr<TcxCustomEditViewInfo> Scratch;
    if (!V) {
        // Of the properties' own view info class: the editors' view data fill their own parts.
        const TcxCustomEditViewInfoClass ViewInfoClass = Properties.GetViewInfoClass();
        Scratch = ViewInfoClass ? ViewInfoClass() : std::make_unique<TcxCustomEditViewInfo>();
        V = Scratch.get();
        // Half the widest bounds: stretching buttons over the whole range would overflow.
        Calculate(Canvas, {0, 0, INT_MAX / 2, Canvas.FontHeight(Style->GetVisibleFont())}, {-1, -1},
                  cxmbNone, 0, *V, false);
    }
    TSize Size;
    InternalGetEditConstantPartSize(Canvas, *V, Size, MinContent);
    return Size;
}

bool TcxCustomEditViewData::DisplayValueToDisplayText(const Variant& /*Value*/, std::string& Text) {
    Text.clear();
    return false;
}

void TcxCustomEditViewData::DisplayValueToDrawValue(const Variant& Value, std::string& Text) {
    const Variant Copy = Value;
    DisplayValueToDisplayText(Copy, Text);
    if (OnGetDisplayText) OnGetDisplayText(this, Text);
}

TSize TcxCustomEditViewData::GetEditSize(TcxCanvas& Canvas, const Variant& Value,
                                         const TcxEditSizeProperties& SizeProperties) {
    TSize MinContent;
    const TSize Constant = GetEditConstantPartSize(Canvas, SizeProperties, MinContent);
    TcxEditSizeProperties Content = SizeProperties;
    bool TooNarrow = false;
    if (SizeProperties.Width >= 0) {
        Content.Width = SizeProperties.Width - Constant.cx;
        if (Content.Width < 0) {
            Content.Width = 0;
            TooNarrow = true;
        }
    }
    TSize Size = GetEditContentSizeEx(Canvas, Value, Content);
    Size.cx = std::max(Size.cx, MinContent.cx);
    Size.cy = std::max(Size.cy, MinContent.cy);
    TSize Result{TooNarrow ? SizeProperties.Width : Constant.cx + Size.cx, Constant.cy + Size.cy};
    if (!IsInplace && Edit) Edit->CheckSizeConstraints(Result);
    return Result;
}

} // namespace toolkit::edit
