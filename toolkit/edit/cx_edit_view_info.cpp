#include "toolkit/edit/cx_edit_view_info.h"

#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_edit_paint_utils.h"
#include "toolkit/edit/cx_edit_properties.h"

#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/cx_lf_kind_painters.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"

namespace toolkit::edit {

namespace pg = platform::gdi;
namespace tb = toolkit::base;

namespace {

void SideLeft(TcxCanvas& C, TRect& R, TColor Color) {
    C.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom}, Color);
    ++R.Left;
}
void SideRight(TcxCanvas& C, TRect& R, TColor Color) {
    C.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, Color);
    --R.Right;
}
void SideTop(TcxCanvas& C, TRect& R, TColor Color) {
    C.FillRect({R.Left, R.Top, R.Right, R.Top + 1}, Color);
    ++R.Top;
}
void SideBottom(TcxCanvas& C, TRect& R, TColor Color) {
    C.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, Color);
    --R.Bottom;
}
// A one-pixel frame: left and top in LeftTop, right and bottom in RightBottom.
void Frame(TcxCanvas& C, TRect& R, TColor LeftTop, TColor RightBottom) {
    C.FillRect({R.Left, R.Top, R.Right, R.Top + 1}, LeftTop);
    C.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom}, LeftTop);
    C.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, RightBottom);
    C.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, RightBottom);
    pg::InflateRect(R, -1, -1);
}

bool IsPressedOrHot(const TcxEditButtonViewInfo& B) {
    return B.State == ebsPressed || B.State == ebsSelected;
}

TcxEditButtonStyle EffectiveStyle(const TcxEditButtonViewInfo& B) {
    // A simple button shows a flat face while the mouse is on it.
    if (B.ButtonStyle == btsSimple && IsPressedOrHot(B)) return btsFlat;
    return B.ButtonStyle;
}

} // namespace

// ---- copying and regions ----

void TcxCustomEditViewInfo::Assign(const TcxContainerViewInfo& Source) {
    if (const auto* S = dynamic_cast<const TcxCustomEditViewInfo*>(&Source)) {
        SetBackgroundColor(S->BackgroundColor);
        BorderColor = S->BorderColor;
        EditBorderStyle = S->EditBorderStyle;
        ContainerState = S->ContainerState;
        NativeState = S->NativeState;
        SetButtonCount(S->ButtonCount());
        for (std::size_t I = 0; I < ButtonsInfo.size(); ++I)
            ButtonsInfo[I].Assign(&S->ButtonsInfo[I]);
        PressedButton = S->PressedButton;
        HotButton = S->HotButton;
    }
    TcxContainerViewInfo::Assign(Source);
}

std::unique_ptr<tb::TcxRegion>
TcxCustomEditViewInfo::CreateUpdateRegion(const TcxContainerViewInfo& Other) {
    auto Result = TcxContainerViewInfo::CreateUpdateRegion(Other);
    const auto* O = dynamic_cast<const TcxCustomEditViewInfo*>(&Other);
    const bool SameLook = O && (BorderColor == O->BorderColor || EditBorderStyle == ebsNone) &&
                          EditBorderStyle == O->EditBorderStyle &&
                          ButtonCount() == O->ButtonCount() && NativeState == O->NativeState;
    if (!SameLook) {
        Result->Combine(*tb::TcxRegion::CreateFromRect(Bounds), tb::rgnAdd);
        return Result;
    }
    for (std::size_t I = 0; I < ButtonsInfo.size(); ++I) {
        auto Part = ButtonsInfo[I].GetUpdateRegion(O->ButtonsInfo[I]);
        if (!Part->IsEmpty()) Result->Combine(*Part, tb::rgnAdd);
    }
    return Result;
}

void TcxCustomEditViewInfo::Offset(int DX, int DY) {
    TcxContainerViewInfo::Offset(DX, DY);
    pg::OffsetRect(BorderRect, DX, DY);
    pg::OffsetRect(BackgroundRect, DX, DY);
    pg::OffsetRect(InnerEditRect, DX, DY);
    for (TcxEditButtonViewInfo& B : ButtonsInfo) {
        pg::OffsetRect(B.Bounds, DX, DY);
        pg::OffsetRect(B.VisibleBounds, DX, DY);
    }
}

// ---- hit data ----

int TcxCustomEditViewInfo::GetHotButtonIndex(const TPoint& P) const {
    for (const TcxEditButtonViewInfo& B : ButtonsInfo)
        if (B.State == ebsSelected) return B.Index;
    return pg::PtInRect(BorderRect, P) ? -1 : -2;
}

TRect TcxCustomEditViewInfo::GetPartRect(int Part) const {
    if (Part == -1) {
        TRect R = BorderRect;
        if (!ButtonsInfo.empty()) R.Right = ButtonsInfo.front().Bounds.Left;
        return R;
    }
    if (Part >= 0 && Part < ButtonCount())
        return ButtonsInfo[static_cast<std::size_t>(Part)].Bounds;
    return {-1, -1, -1, -1};
}

bool TcxCustomEditViewInfo::IsHotTrack(const TPoint& P) const {
    for (const TcxEditButtonViewInfo& B : ButtonsInfo)
        if (pg::PtInRect(B.Bounds, P)) return true;
    return false;
}

bool TcxCustomEditViewInfo::HasHotButton() const {
    for (const TcxEditButtonViewInfo& B : ButtonsInfo)
        if (B.State == ebsSelected) return true;
    return false;
}

bool TcxCustomEditViewInfo::NeedShowHint(std::string& Text) const {
    Text.clear();
    if (!Properties) return false;
    for (const TcxEditButtonViewInfo& B : ButtonsInfo)
        if (B.State == ebsSelected && B.Index >= 0 && B.Index < Properties->Buttons().Count())
            Text = Properties->Buttons().Items(B.Index).Hint();
    return !Text.empty();
}

// ---- painting ----

void TcxCustomEditViewInfo::InternalPaint(TcxCanvas& Canvas) {
    if (OnPaint) OnPaint(this, Canvas);
    DrawCustomEdit(Canvas, *this, true, IsInplace);
}

void TcxCustomEditViewInfo::DrawEditBackground(TcxCanvas& Canvas) {
    bool Handled = false;
    if (IsInplace && OnDrawBackground) OnDrawBackground(this, &Canvas, Handled);
    if (Handled || TransparentBackground) return;
    Canvas.FillRect(BackgroundRect, BackgroundColor);
}

TcxEditBackgroundKind TcxCustomEditViewInfo::GetBackgroundKind() const {
    const bool Transparent =
        TransparentBackground || (Edit && Edit->IsTransparentBackgroundPublic());
    if (IsInplace) {
        bool Handled = false;
        if (OnDrawBackground)
            OnDrawBackground(const_cast<TcxCustomEditViewInfo*>(this), nullptr, Handled);
        if (Handled) return ebkOwnerDrawn;
        return Transparent ? ebkNone : ebkFill;
    }
    if (Transparent) return ebkParentImage;
    if (Edit && Edit->IsNativeBackgroundPublic()) return ebkThemedParent;
    return NativeStyle ? ebkFill : ebkWithEditor;
}

bool TcxCustomEditViewInfo::IsEditBackgroundDrawn() const {
    const TcxEditBackgroundKind Kind = GetBackgroundKind();
    return Kind != ebkWithEditor && Kind != ebkFill;
}

void TcxCustomEditViewInfo::DrawEditBackground(TcxCanvas& Canvas, const TRect& Inner, bool KeepClip,
                                               const TRect& Outer) {
    Canvas.SaveState();
    // Nothing of the background spills out of the editor.
    if (!KeepClip) Canvas.IntersectClipRect(Outer);
    switch (GetBackgroundKind()) {
    case ebkOwnerDrawn: {
        Canvas.IntersectClipRect(Inner);
        bool Handled = false;
        OnDrawBackground(this, &Canvas, Handled);
        break;
    }
    case ebkWithEditor:
        DrawCustomEdit(Canvas, *this, true, IsInplace);
        break;
    case ebkNone:
        break;
    case ebkFill:
        Canvas.FillRect(Inner, BackgroundColor);
        break;
    case ebkParentImage:
        if (Edit) tb::cxPaintParentBackground(Edit, Canvas.Handle(), Inner);
        break;
    case ebkThemedParent:
        if (Edit) tb::cxDrawTransparentControlBackground(Edit, Canvas.Handle(), Inner);
        break;
    }
    Canvas.RestoreState();
}

void TcxCustomEditViewInfo::DrawButtons(TcxCanvas& Canvas) {
    if (FDrawingButtons) return;
    FDrawingButtons = true;
    for (int I = 0; I < ButtonCount(); ++I)
        DrawButton(Canvas, I);
    FDrawingButtons = false;
}

void TcxCustomEditViewInfo::DrawButton(TcxCanvas& Canvas, int Index) {
    TcxEditButtonViewInfo& B = ButtonsInfo[static_cast<std::size_t>(Index)];
    B.BackgroundColor = BackgroundColor;
    if (pg::IsRectEmpty(B.VisibleBounds)) return;
    TRect Inside;
    const bool Clipped = !(pg::IntersectRect(Inside, B.Bounds, BorderRect) && Inside == B.Bounds);
    if (Clipped) {
        Canvas.SaveClipRegion();
        Canvas.IntersectClipRect(B.VisibleBounds);
    }
    bool Handled = false;
    if (OnDrawButton) OnDrawButton(this, Canvas, Index, Handled);
    if (!Handled) {
        TColor Back = pg::clBtnFace;
        TColor Text = pg::clBtnText;
        TRect BackgroundR = B.Bounds;
        TRect ContentR = B.Bounds;
        DrawButtonBorder(Canvas, Index, Back, Text, BackgroundR, ContentR);
        if (!pg::IsRectEmpty(BackgroundR)) {
            bool BackHandled = false;
            if (OnDrawButtonBackground)
                OnDrawButtonBackground(this, Canvas, Index, BackgroundR, BackHandled);
            if (!BackHandled && !B.Transparent) DrawButtonBackground(Canvas, B, BackgroundR, Back);
        }
        if (!pg::IsRectEmpty(ContentR))
            DrawButtonContent(Canvas, Index, ContentR, B.State == ebsPressed, Text);
    }
    if (Clipped) Canvas.RestoreClipRegion();
}

void TcxCustomEditViewInfo::DrawButtonBorder(TcxCanvas& Canvas, int Index, TColor& Back,
                                             TColor& Text, TRect& BackgroundRect,
                                             TRect& ContentRect) {
    const TcxEditButtonViewInfo& B = ButtonsInfo[static_cast<std::size_t>(Index)];
    BackgroundRect = B.Bounds;
    ContentRect = B.Bounds;
    bool Handled = false;
    if (OnDrawButtonBorder)
        OnDrawButtonBorder(this, Canvas, Index, BackgroundRect, ContentRect, Handled);
    if (Handled) return;
    TRect R = B.Bounds;
    switch (EffectiveStyle(B)) {
    case btsFlat:
        DrawButtonBorderFlat(Canvas, B, Back, Text, R);
        break;
    case btsSimple:
        DrawButtonBorderSimple(Canvas, B, Back, Text, R);
        break;
    case btsHotFlat:
        DrawButtonBorderHotFlat(Canvas, B, Back, Text, R);
        break;
    case btsUltraFlat:
    case btsOffice11:
        DrawButtonBorderUltraFlat(Canvas, B, B.ButtonStyle == btsOffice11, Back, Text,
                                  BackgroundRect, ContentRect);
        return;
    default:
        DrawButtonBorder3D(Canvas, B, Back, Text, R);
        break;
    }
    BackgroundRect = R;
    ContentRect = R;
}

void TcxCustomEditViewInfo::DrawButtonBorder3D(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                               TColor& Back, TColor& Text, TRect& R) {
    Back = B.UseEditColor ? B.BackgroundColor : pg::clBtnFace;
    Text = pg::clBtnText;
    if (B.State == ebsPressed) {
        Frame(C, R, pg::clBtnShadow, pg::clBtnShadow);
        Frame(C, R, Back, Back);
    } else {
        Frame(C, R, pg::cl3DLight, pg::cl3DDkShadow);
        Frame(C, R, pg::clBtnHighlight, pg::clBtnShadow);
    }
}

void TcxCustomEditViewInfo::DrawButtonBorderFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                                 TColor& Back, TColor& Text, TRect& R) {
    Back = B.UseEditColor ? B.BackgroundColor : pg::clBtnFace;
    Text = pg::clBtnText;
    SideLeft(C, R, Back);
    if (B.State == ebsPressed)
        Frame(C, R, pg::clBtnShadow, pg::clBtnHighlight);
    else
        Frame(C, R, pg::clBtnHighlight, pg::clBtnShadow);
    SideRight(C, R, Back);
}

void TcxCustomEditViewInfo::DrawButtonBorderHotFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                                    TColor& Back, TColor& Text, TRect& R) {
    static constexpr TColor ByState[] = {pg::clBtnFace, pg::clBtnFace, pg::clBtnText,
                                         pg::clBtnShadow};
    Back = B.UseEditColor ? B.BackgroundColor : ByState[B.State];
    const TColor FrameColor = pg::clBtnShadow;
    const bool BordersText = B.LeftAlignment ? B.RightEnd : B.LeftEnd;
    if (BordersText) {
        Frame(C, R, FrameColor, FrameColor);
    } else if (B.LeftAlignment) {
        SideLeft(C, R, FrameColor);
        SideTop(C, R, FrameColor);
        SideBottom(C, R, FrameColor);
        SideRight(C, R, Back);
    } else {
        SideTop(C, R, FrameColor);
        SideRight(C, R, FrameColor);
        SideBottom(C, R, FrameColor);
        SideLeft(C, R, Back);
    }
    SideLeft(C, R, Back);
    SideRight(C, R, Back);
    if (!IsPressedOrHot(B))
        Text = pg::clBtnText;
    else if (B.State == ebsSelected && B.UseEditColor)
        Text = pg::clBtnShadow;
    else
        Text = pg::clWindow;
}

void TcxCustomEditViewInfo::DrawButtonBorderSimple(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                                   TColor& Back, TColor& Text, TRect& R) {
    if (!B.Transparent)
        Frame(C, R, B.BackgroundColor, B.BackgroundColor);
    else
        pg::InflateRect(R, -1, -1);
    Back = B.UseEditColor ? B.BackgroundColor : pg::clBtnFace;
    Text = pg::clBtnText;
    SideLeft(C, R, Back);
    SideRight(C, R, Back);
}

void TcxCustomEditViewInfo::DrawButtonBorderUltraFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                                      bool Office11, TColor& Back, TColor& Text,
                                                      TRect& BackgroundRect, TRect& ContentRect) {
    if (B.UseEditColor)
        Back = B.BackgroundColor;
    else if (B.State == ebsDisabled)
        Back = pg::clBtnFace;
    else if (B.State == ebsNormal)
        Back = Office11 ? tb::cxOffice11LookAndFeelPainter()->ButtonColor(tb::cxbsNormal)
                        : pg::clBtnFace;
    else
        Back = GetEditButtonColor(B.State == ebsPressed, Office11);
    Text = pg::clBtnText;
    const TColor FrameColor = GetEditBorderHighlightColor(Office11);
    TRect R = B.Bounds;
    if (IsPressedOrHot(B) && (IsInplace || EditBorderStyle != ebsNone) &&
        (!IsInplace || (TextFlags & 4))) {
        TRect Content = R;
        if (B.LeftAlignment) {
            if (!B.LeftEnd) SideLeft(C, R, FrameColor);
            Content.Left = R.Left == Content.Left ? Content.Left + 1 : R.Left;
            if (B.Bounds.Right != BorderRect.Right) SideRight(C, R, FrameColor);
            Content.Right = R.Right == Content.Right ? Content.Right - 1 : R.Right;
        } else {
            if (!B.RightEnd) SideRight(C, R, FrameColor);
            Content.Right = R.Right == Content.Right ? Content.Right - 1 : R.Right;
            if (B.Bounds.Left != BorderRect.Left) SideLeft(C, R, FrameColor);
            Content.Left = R.Left == Content.Left ? Content.Left + 1 : R.Left;
        }
        pg::InflateRect(Content, -1, -1);
        BackgroundRect = R;
        ContentRect = Content;
        return;
    }
    if (IsPressedOrHot(B))
        Frame(C, R, FrameColor, FrameColor);
    else if (!B.Transparent)
        Frame(C, R, B.BackgroundColor, B.BackgroundColor);
    else
        pg::InflateRect(R, -1, -1);
    BackgroundRect = R;
    ContentRect = R;
    pg::InflateRect(ContentRect, -1, 0);
}

void TcxCustomEditViewInfo::DrawButtonBackground(TcxCanvas& Canvas,
                                                 const TcxEditButtonViewInfo& /*Button*/,
                                                 const TRect& R, TColor Color) {
    FillRectByColor(Canvas, R, Color);
}

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas& Canvas, int Index, const TRect& R,
                                              bool Pressed, TColor TextColor) {
    const TcxEditButtonViewInfo& B = ButtonsInfo[static_cast<std::size_t>(Index)];
    const bool Disabled = B.State == ebsDisabled;
    Canvas.SaveClipRegion();
    Canvas.IntersectClipRect(R);
    // A disabled content is drawn embossed: highlight one pixel down and right, then shadow.
    auto Embossed = [&](auto Draw) {
        if (Disabled) {
            Draw(1, pg::clBtnHighlight);
            Draw(0, pg::clBtnShadow);
        } else {
            Draw(0, TextColor);
        }
    };
    switch (B.Kind) {
    case bkEllipsis: {
        int Size = 0;
        const TRect Dots = cxGetEllipsisDotsRect(R, Pressed, Size);
        Embossed([&](int D, TColor Color) {
            for (int I = 0; I < 3; ++I) {
                const int X = Dots.Left + I * (Size + 2) + D;
                FillRectByColor(Canvas, {X, Dots.Top + D, X + Size, Dots.Top + D + Size}, Color);
            }
        });
        break;
    }
    case bkDown: {
        const TSize S = GetArrowSize(
            {B.Bounds.Right - B.Bounds.Left, B.Bounds.Right - B.Bounds.Left}, tb::adDown);
        Embossed([&](int D, TColor Color) {
            TRect Box = R;
            pg::OffsetRect(Box, D, D);
            cxDrawArrow(Canvas, S.cx, Box, Color, Pressed, 0, tb::adDown);
        });
        break;
    }
    case bkGlyph:
        if (B.Glyph && !B.Glyph->Empty()) {
            const int W = std::min(B.Glyph->Width(), R.Right - R.Left);
            const int H = std::min(B.Glyph->Height(), R.Bottom - R.Top);
            int X = R.Left + (R.Right - R.Left - W) / 2;
            int Y = R.Top + (R.Bottom - R.Top - H) / 2;
            if (Pressed && X + W + 1 <= R.Right) ++X;
            if (Pressed && Y + H + 1 <= R.Bottom) ++Y;
            DrawGlyph(Canvas, X, Y, *B.Glyph, !Disabled);
        }
        break;
    case bkText: {
        TRect T = R;
        if (IsInplace)
            pg::InflateRect(T, -1, 0);
        else
            pg::InflateRect(T, -1, -1);
        --T.Right;
        int Flags = tb::cxSingleLine | tb::cxAlignVCenter;
        Flags |= B.ContentAlignment == platform::forms::taLeftJustify    ? tb::cxAlignLeft
                 : B.ContentAlignment == platform::forms::taRightJustify ? tb::cxAlignRight
                                                                         : tb::cxAlignHCenter;
        if (Font) Canvas.SetFont(*Font);
        Canvas.Brush().SetStyle(pg::TBrushStyle::bsClear);
        Embossed([&](int D, TColor Color) {
            TRect Box = T;
            pg::OffsetRect(Box, D + (Pressed ? 1 : 0), D + (Pressed ? 1 : 0));
            Canvas.Font().SetColor(Color);
            Canvas.DrawText(B.Caption, Box, Flags);
        });
        Canvas.Brush().SetStyle(pg::TBrushStyle::bsSolid);
        break;
    }
    }
    Canvas.RestoreClipRegion();
}

// ---- repainting ----

bool TcxCustomEditViewInfo::Repaint(tb::TcxControl& Control, const TcxCustomEditViewInfo* Old) {
    if (!Control.HandleAllocated()) return false;
    // The client area is the inner control's to paint.
    TRect Client;
    pg::IntersectRect(Client, Bounds, ClientRect);
    if (!Old) {
        InternalInvalidate(Control.Handle(), Bounds, Client, UseEditColorForButtons);
        return false;
    }
    const bool BorderColorDiffers = EditBorderStyle != ebsNone && BorderColor != Old->BorderColor;
    const bool StateDiffers = IsPaintEnabled() && ContainerState != Old->ContainerState;
    const bool Changed = NativeState != Old->NativeState ||
                         BackgroundColor != Old->BackgroundColor || StateDiffers ||
                         ButtonCount() != Old->ButtonCount() || BorderColorDiffers ||
                         EditBorderStyle != Old->EditBorderStyle;
    const bool OnlyBorder = (BorderColorDiffers || EditBorderStyle != Old->EditBorderStyle) &&
                            NativeState == Old->NativeState &&
                            BackgroundColor == Old->BackgroundColor && !StateDiffers &&
                            ButtonCount() == Old->ButtonCount();
    const TRect Inner = OnlyBorder ? BorderRect : Client;
    if (Changed && !pg::IsRectEmpty(Bounds) && Bounds != Inner)
        InternalInvalidate(Control.Handle(), Bounds, Inner, Old->UseEditColorForButtons);
    bool ButtonInvalidated = false;
    if (ButtonCount() == Old->ButtonCount()) {
        for (std::size_t I = 0; I < ButtonsInfo.size(); ++I) {
            if (!ButtonsInfo[I].StateDiffers(Old->ButtonsInfo[I])) continue;
            ButtonsInfo[I].Repaint(Control, Old->ButtonsInfo[I], {0, 0}, UseEditColorForButtons);
            ButtonInvalidated = true;
        }
    }
    return Changed || ButtonInvalidated;
}

} // namespace toolkit::edit
