#pragma once
// The buttons an editor carries inside its frame (an ellipsis, a drop-down arrow, a glyph or a
// text), the collection the editor properties own, and the per-button drawing record that the
// view data fills on every calculation.
//
// Every change of a button is reported through the collection's OnChange, with the button, or
// with nullptr when more than one button changed (a new default button, an assignment, an
// added or removed button). Changes made inside BeginUpdate/EndUpdate are reported once, at the
// last EndUpdate.

#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_region.h"

#include "platform/core/persistent.h"
#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

using platform::forms::TAlignment;
using platform::gdi::TColor;
using platform::gdi::TPoint;
using platform::gdi::TRect;

enum TcxEditButtonKind : std::uint8_t { bkEllipsis, bkDown, bkGlyph, bkText };
enum TcxEditButtonState : std::uint8_t {
    ebsDisabled,
    ebsNormal,
    ebsPressed,
    ebsSelected // hot
};
enum TcxEditButtonStyle : std::uint8_t {
    btsDefault,
    bts3D,
    btsFlat,
    btsSimple,
    btsHotFlat,
    btsUltraFlat,
    btsOffice11
};
enum TcxEditButtonTransparency : std::uint8_t {
    ebtNone,
    ebtInactive,
    ebtAlways,
    ebtHideInactive,
    ebtHideUnselected
};
// The mouse button of a calculation: none for a move.
enum TcxMouseButton : std::uint8_t { cxmbNone, cxmbLeft, cxmbRight, cxmbMiddle };

class TcxEditButtons;

class TcxEditButton : public platform::core::TPersistent {
public:
    explicit TcxEditButton(TcxEditButtons* ACollection);
    ~TcxEditButton() override;
    TcxEditButton(const TcxEditButton&) = delete;
    TcxEditButton& operator=(const TcxEditButton&) = delete;

    // Copies every published value and the glyph's pixels, as one change of the collection.
    void Assign(const platform::core::TPersistent* Source) override;

    TcxEditButtons* Collection() const { return FCollection; }
    // The position in the collection.
    int Index() const;

    const std::string& Caption() const { return FCaption; }
    // The caption without its accelerator markers, as it is drawn.
    const std::string& VisibleCaption() const { return FVisibleCaption; }
    void SetCaption(const std::string& Value);
    TAlignment ContentAlignment() const { return FContentAlignment; }
    void SetContentAlignment(TAlignment Value);
    bool Default() const { return FDefault; }
    // True clears Default on every other button first: at most one button is the default.
    void SetDefault(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Made on first use; a change of its pixels is a change of the button.
    platform::forms::TBitmap& Glyph();
    bool HasGlyph() const { return FGlyph && !FGlyph->Empty(); }
    // Copies the pixels; nullptr frees the glyph.
    void SetGlyph(const platform::forms::TBitmap* Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    TcxEditButtonKind Kind() const { return FKind; }
    void SetKind(TcxEditButtonKind Value);
    bool LeftAlignment() const { return FLeftAlignment; }
    void SetLeftAlignment(bool Value);
    bool Stretchable() const { return FStretchable; }
    void SetStretchable(bool Value);
    int Tag() const { return FTag; }
    void SetTag(int Value);
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // 0 is the automatic width. A negative width is refused.
    int Width() const { return FWidth; }
    void SetWidth(int Value);

private:
    void Changed(bool AllItems = false);

    TcxEditButtons* FCollection;
    std::string FCaption;
    std::string FVisibleCaption;
    TAlignment FContentAlignment = platform::forms::taCenter;
    bool FDefault = false;
    bool FEnabled = true;
    std::unique_ptr<platform::forms::TBitmap> FGlyph;
    std::string FHint;
    TcxEditButtonKind FKind = bkDown;
    bool FLeftAlignment = false;
    bool FStretchable = true;
    int FTag = 0;
    TColor FTextColor = platform::gdi::clBtnText;
    bool FVisible = true;
    int FWidth = 0;
};

class TcxEditButtons : public platform::core::TPersistent {
public:
    explicit TcxEditButtons(platform::core::TPersistent* AOwner);
    ~TcxEditButtons() override;
    TcxEditButtons(const TcxEditButtons&) = delete;
    TcxEditButtons& operator=(const TcxEditButtons&) = delete;

    // Makes the buttons a copy of Source's, as one change.
    void Assign(const platform::core::TPersistent* Source) override;
    platform::core::TPersistent* GetOwner() const override { return FOwner; }

    TcxEditButton& Add();
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TcxEditButton& Items(int Index) const { return *FItems.at(static_cast<std::size_t>(Index)); }
    int IndexOf(const TcxEditButton* Button) const;
    int VisibleCount() const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Item is the one button changed; nullptr when more than one did.
    void Changed(TcxEditButton* Item);

    std::function<void(TcxEditButtons* Sender, TcxEditButton* Item)> OnChange;

protected:
    // The class of the buttons Add makes; a descendant collection makes its own.
    virtual std::unique_ptr<TcxEditButton> CreateButton() {
        return std::make_unique<TcxEditButton>(this);
    }

private:
    platform::core::TPersistent* FOwner;
    std::vector<std::unique_ptr<TcxEditButton>> FItems;
    int FUpdateCount = 0;
    bool FChanged = false;
    TcxEditButton* FChangedItem = nullptr;
};

// What the state rules of one button are given by the view data's calculation.
struct TcxEditButtonStateInput {
    bool EditEnabled = true;
    bool ButtonEnabled = true;
    // The editor holds the button pressed (a drop-down open, a key held).
    bool EditorPressed = false;
    // The in-place owner marks the editor selected.
    bool InplaceSelected = false;
    bool MouseInside = false;
    TcxMouseButton MouseButton = cxmbNone;
    platform::forms::TShiftState Shift = 0;
    TcxEditButtonState PrevState = ebsNormal;
    // The button is the editor's pressed button (the one the mouse went down on).
    bool IsPressedButton = false;
    // The button is the one the previous mouse calculation left pressed.
    bool WasPressed = false;
    // The view data lets the button be pressed.
    bool CanPress = true;
};

struct TcxEditButtonStateResult {
    TcxEditButtonState State = ebsNormal;
    // The view data's pressed index becomes this button.
    bool BecomesPressedButton = false;
    // The view data's hot index becomes this button.
    bool BecomesHotButton = false;
    // The mouse holds a button of the editor down.
    bool ButtonPressed = false;
};

// The drawing record of one visible button; the view data fills it, the view info paints it.
class TcxEditButtonViewInfo : public platform::core::TPersistent {
public:
    // Copies the state fields and Bounds.
    void Assign(const platform::core::TPersistent* Source) override;

    // The state of a button after a mouse or keyboard event: disabled, normal while the mouse
    // is elsewhere, pressed while the left button holds it, hot under a free mouse.
    static TcxEditButtonStateResult CalculateState(const TcxEditButtonStateInput& Input);

    // True when NewInfo draws differently from this one.
    bool StateDiffers(const TcxEditButtonViewInfo& NewInfo) const;
    // Empty when nothing that is drawn differs; else Bounds.
    std::unique_ptr<toolkit::base::TcxRegion>
    GetUpdateRegion(const TcxEditButtonViewInfo& NewInfo) const;
    // Invalidates Bounds, moved by Offset, in the editor's window when this differs from
    // PrevInfo.
    void Repaint(toolkit::base::TcxControl& Control, const TcxEditButtonViewInfo& PrevInfo,
                 const TPoint& Offset, bool Erase) const;

    TRect Bounds{};
    TRect VisibleBounds{};
    TColor BackgroundColor = platform::gdi::clBtnFace;
    bool UseEditColor = false;
    TcxEditButtonKind Kind = bkDown;
    TcxEditButtonState State = ebsNormal;
    // The theme state drawn when the button is drawn natively.
    int NativeState = 0;
    int NativePart = 0;
    TcxEditButtonStyle ButtonStyle = btsDefault;
    bool LeftAlignment = false;
    bool LeftEnd = false;
    bool RightEnd = false;
    bool Transparent = false;
    bool Gradient = false;
    bool Stretchable = true;
    bool Hidden = false;
    bool IsDropDownOnly = false;
    bool Default = false;
    bool Inplace = false;
    bool NativeStyle = false;
    const platform::forms::TBitmap* Glyph = nullptr;
    std::string Caption;
    TAlignment ContentAlignment = platform::forms::taCenter;
    // The width asked for; 0 takes the default width.
    int RequestedWidth = 0;
    // The button's index in the collection.
    int Index = -1;
};

// Gives FreeWidth pixels to the stretchable, not hidden buttons in proportion to their widths
// (all buttons when none is stretchable; then their widths sum to TotalWidth - FreeWidth), from
// the last button to the first, the last one handled taking what is left. A right-aligned button
// grows to the left and pushes the right-aligned buttons on its left; a left-aligned one grows
// to the right and pushes those on its right. Nothing happens when FreeWidth is not positive.
void cxStretchEditButtons(std::vector<TcxEditButtonViewInfo>& Buttons, int TotalWidth,
                          int FreeWidth);

// True when the button transparency hides the buttons: ebtHideInactive while the editor is not
// focused, ebtHideUnselected while it is neither focused nor hot.
bool cxEditButtonsHidden(TcxEditButtonTransparency ButtonTransparency, bool Focused, bool Hot);

// The three dots of an ellipsis button in R: squares of DotSize (2, or 1 when R is narrower
// than 12 pixels) with 2 pixels between them, centred; pressed moves them 1 right and 1 down
// where they still fit. The answer is the dots' bounding rectangle.
TRect cxGetEllipsisDotsRect(const TRect& R, bool Pressed, int& DotSize);

} // namespace toolkit::edit
