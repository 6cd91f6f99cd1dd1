#pragma once
// The list box that editor containers and popups host. Typing searches it: characters typed
// within AutoCompleteDelay of each other make one search text, and the first item that starts
// with it (letter case aside) becomes the current item; a longer pause starts a new search.
// Time is the platform clock's. In a container it wants Tab (unless Ctrl is down) and characters,
// and hands its keys, mouse events, wheel and drags (in container coordinates) to the container
// first; the container also answers its context-menu requests and popup-menu shortcuts. With
// automatic dragging the container is what is dragged.
// It draws every row itself, without a border: a selected row on the highlight colours, a row
// the window asks for that holds no item filled with the list's colour.
//
// Two toolkit scroll bars stand ready to be laid over the list box's own in its parent; they are
// placed only where the system's scroll-bar information is offered. Where it is not (this
// platform), they stay hidden, the list box keeps its own scroll bars and no size grip is painted.

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_scroll_bar.h"
#include "toolkit/base/look_and_feel.h"

#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace toolkit::edit {

class TcxContainer;

class TcxCustomInnerListBox : public platform::forms::TListBox {
public:
    explicit TcxCustomInnerListBox(platform::core::TComponent* AOwner);
    ~TcxCustomInnerListBox() override;

    bool AutoComplete = true;
    std::uint32_t AutoCompleteDelay = 500; // milliseconds
    // The owning container, or none: without one the list box is a plain list box.
    TcxContainer* Container = nullptr;

    const std::string& SearchText() const { return FSearchText; }
    // Bound to the row's context while a row draws.
    toolkit::base::TcxCanvas& cxCanvas() { return FCanvas; }

    toolkit::base::TcxScrollBar& HScrollBar() const { return *FHScrollBar; }
    toolkit::base::TcxScrollBar& VScrollBar() const { return *FVScrollBar; }
    // Master of both scroll bars' look and feel.
    toolkit::base::TcxLookAndFeel& LookAndFeel() const { return *FLookAndFeel; }
    // The corner between the two external scroll bars, in window coordinates; empty unless both
    // are shown.
    platform::gdi::TRect GetSizeGripRect() const;

    void WndProc(platform::core::TMessage& Message) override;
    void Dispatch(platform::core::TMessage& Message) override;
    void DefaultHandler(platform::core::TMessage& Message) override;
    void Click() override;
    // A drag over the list box is a drag over its container, in the container's coordinates.
    bool DragOver(platform::core::TObject* Source, int X, int Y,
                  platform::forms::TDragState State) override;
    void DoEndDrag(platform::core::TObject* Target, int X, int Y) override;

protected:
    void CreateParams(platform::forms::TWinControl::TCreateParams& Params) override;
    virtual void LookAndFeelChanged();
    // Lays the external scroll bars over the system's; nothing while locked, while redrawing is
    // off or where the system's scroll-bar information is not offered.
    virtual void SetExternalScrollBarsParameters();
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void KeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;
    void DblClick() override;
    void KeyPress(char& Key) override;
    // Only rows drawn by the list box itself get the focus rectangle.
    bool NeedsFocusRect() const override { return !OnDrawItem; }

private:
    void DoAutoComplete(char& Key);
    void CNDrawItem(platform::core::TMessage& Message);
    // With automatic dragging the container drags, not the list box: pressing a selected item
    // of a multiple selection drags the selection as it stands.
    void WMLButtonDown(platform::core::TMessage& Message);
    void WMMouseWheel(platform::core::TMessage& Message);
    // The external bars scroll the list box as its own would.
    void HScrollBarScroll(toolkit::base::TScrollCode ScrollCode, int& ScrollPos);
    void VScrollBarScroll(toolkit::base::TScrollCode ScrollCode, int& ScrollPos);

    toolkit::base::TcxCanvas FCanvas{&Canvas()};

    std::unique_ptr<toolkit::base::TcxLookAndFeel> FLookAndFeel;
    std::unique_ptr<toolkit::base::TcxScrollBar> FHScrollBar;
    std::unique_ptr<toolkit::base::TcxScrollBar> FVScrollBar;
    bool FRedrawOff = false;
    int FScrollBarsLockCount = 0;
    std::uint32_t FLastKeyTime = 0;
    std::string FSearchText;
};

} // namespace toolkit::edit
