#pragma once
// Items that edit text inside a bar: the window item (the committed text, its change and key
// events) and the single-line edit (the combos build on it, dx_bar_combo.h). The item keeps the
// text that was committed; while the user types, the editor belongs to the control of the
// active link (dx_bar_window_item_control.h). The text is kept whole, however long it is.

#include "toolkit/bars/model/dx_bar_item.h"

#include "platform/forms/controls.h"
#include "platform/gdi/canvas.h"

#include <functional>
#include <string>

namespace toolkit::bars {

class TdxBarWindowItemControl;

class TdxBarWindowItem : public TdxBarItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarWindowItem(platform::core::TComponent* AOwner) : TdxBarItem(AOwner) {}

    const std::string& Text() const { return FText; }
    // A new text repaints the links and fires OnChange.
    virtual void SetText(const std::string& Value);
    bool CanBeClicked() const override { return false; }
    // The text being edited: the editor's while the active link's control hosts one, else Text.
    std::string GetCurText() const;
    // The active link while its control has its editor window; nil otherwise.
    TdxBarItemLink* GetEditingLink() const;
    // The first link whose control hosts an editor (with VisibleOnly, in a visible bar window)
    // opens it: its toolbar enters menu mode with it selected and it is clicked.
    virtual void ActivateEditor(bool VisibleOnly);

    // The dynamic operations behind the events; each fires its event when assigned.
    virtual void Change();
    virtual void CurChange();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(std::uint16_t& Key, platform::forms::TShiftState Shift);

    platform::core::TNotifyEvent OnChange;
    platform::core::TNotifyEvent OnCurChange;
    platform::core::TNotifyEvent OnEnter;
    platform::core::TNotifyEvent OnExit;
    std::function<void(platform::core::TObject*, std::uint16_t&, platform::forms::TShiftState)>
        OnKeyDown;
    std::function<void(platform::core::TObject*, char&)> OnKeyPress;
    std::function<void(platform::core::TObject*, std::uint16_t&, platform::forms::TShiftState)>
        OnKeyUp;

protected:
    // After the item's: Text.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    void RepaintControls();
    // The control of the active link as an editor host; nil when there is none.
    TdxBarWindowItemControl* ActiveEditorControl() const;
    // LinkControl as an editor host while it has its editor window; nil otherwise.
    static TdxBarWindowItemControl* EditingControl(TdxBarItemControl* LinkControl);

private:
    std::string FText;
};

class TdxBarEdit : public TdxBarWindowItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarEdit(platform::core::TComponent* AOwner) : TdxBarWindowItem(AOwner) {}

    // 0: unlimited; values below 1 are stored as 0.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value < 1 ? 0 : Value; }
    bool ReadOnly = false;
    bool ShowCaption() const { return FShowCaption; }
    // The bars lay out again (the caption takes its room or gives it back).
    void SetShowCaption(bool Value);
    // At least 20.
    int Width() const { return FWidth; }
    void SetWidth(int Value);

    // An accelerator reaches a link only while its caption shows: enabled, and ShowCaption or
    // the link is not on a toolbar.
    bool HasAccessibleCaption(const TdxBarItemLink* Link) const override;
    // The text in the editor area R of a link's control while its editor window is hidden,
    // through the manager's painter: Text, or the editor's text for the control being edited.
    virtual void DrawEditorArea(platform::gdi::TCanvas& Canvas, const platform::gdi::TRect& R,
                                TdxBarItemControl* LinkControl);

protected:
    // After the window item's: Glyph, ImageIndex, MaxLength, ReadOnly, ShowCaption, Width.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    // Each link with no width of its own hears that its control's width changed.
    virtual void WidthChanged();

private:
    int FMaxLength = 0;
    bool FShowCaption = false;
    int FWidth = 100;
};

} // namespace toolkit::bars
