// edit-gallery: a window that hosts a sample of each of the toolkit's controls and edit
// controls, for a person to try by hand: scroll bars of both kinds with their positions shown,
// and text broken into rows across a panel whose width the horizontal bar sets, with a
// highlighted range; a bordered control with its own scroll bars, size grip and middle-button
// panning over a grid larger than itself; a control to drag onto a panel, its picture following
// the pointer, copying while Ctrl is down; a button that pops a popup window with a bordered
// control in it under itself, closed by a click elsewhere; a button that drops an editor popup
// with an edit in it, closed by Escape, a click elsewhere or on the button again; base editors
// with ellipsis, down, glyph and text buttons in each button style; a text edit completing from
// its lookup items; spin edits, one wrapping with fast buttons. The tests never need it.

#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_drag_objects.h"
#include "toolkit/base/cx_draw_text_utils.h"
#include "toolkit/base/cx_look_and_feel_painters.h"
#include "toolkit/base/cx_popup_window.h"
#include "toolkit/base/cx_scroll_bar.h"
#include "toolkit/edit/cx_check_box.h"
#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_container.h"
#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_edit_popup_window.h"
#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_popup_edit.h"
#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/cx_text_edit.h"

#include "platform/forms/application.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/gdi/colors.h"
#include "platform/win/desktop.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
using namespace toolkit::base;

const char* const SampleText =
    "Text rows: this paragraph is broken into rows at spaces, placed in the panel and drawn "
    "with a highlighted range.\r\nA line break starts a new row; a word too long for the panel "
    "(Supercalifragilisticexpialidocious) stays whole.";

// Text rows in a rectangle as wide as the control, the characters of the highlight marked.
class TTextRowsSample : public pf::TCustomControl {
public:
    using pf::TCustomControl::TCustomControl;

    int HighlightStart = 11;
    int HighlightLength = 9;

protected:
    void Paint() override {
        TCanvas& C = Canvas();
        C.Brush().SetColor(pg::clWindow);
        C.FillRect(ClientRect());
        const TRect R{4, 4, ClientWidth() - 4, ClientHeight() - 4};
        TcxTextParams Params;
        cxCalcTextParams(C.Handle(), CXTO_WORDBREAK | CXTO_EDITCONTROL | CXTO_END_ELLIPSIS, Params);
        TcxTextRows Rows;
        int Count = 0;
        cxMakeTextRows(C.Handle(), SampleText, R, Params, Rows, Count);
        cxPlaceTextRows(R, Params, Rows, Count);
        cxTextRowsOutHighlight(C.Handle(), R, Params, Rows, Count, false, HighlightStart,
                               HighlightLength);
    }
};

// A numbered grid of 1,000 x 800 pixels seen through the control's client, 10 px a line.
class TScrollingSample : public TcxControl {
public:
    explicit TScrollingSample(pc::TComponent* AOwner) : TcxControl(AOwner) {
        SetBorderStyle(cbsSingle);
    }

protected:
    void InitScrollBarsParameters() override {
        const TRect C = GetClientBounds();
        SetScrollBarInfo(sbHorizontal, 0, ContentWidth - 1, 10, C.Width(), FLeft, true, true);
        SetScrollBarInfo(sbVertical, 0, ContentHeight - 1, 10, C.Height(), FTop, true, true);
    }
    void Scroll(TcxScrollBarKind Kind, int ScrollCode, int& ScrollPos) override {
        const TRect C = GetClientBounds();
        const bool H = Kind == sbHorizontal;
        int& Pos = H ? FLeft : FTop;
        const int Page = H ? C.Width() : C.Height();
        switch (ScrollCode) {
        case scLineUp:
            Pos -= 10;
            break;
        case scLineDown:
            Pos += 10;
            break;
        case scPageUp:
            Pos -= Page;
            break;
        case scPageDown:
            Pos += Page;
            break;
        case scTrack:
        case scPosition:
            Pos = ScrollPos;
            break;
        default:
            break;
        }
        Pos = std::clamp(Pos, 0, std::max(0, (H ? ContentWidth : ContentHeight) - Page));
        ScrollPos = Pos;
        UpdateScrollBars();
        Invalidate();
    }
    void Paint() override {
        TcxControl::Paint();
        TCanvas& C = TCustomControl::Canvas();
        const TRect R = GetClientBounds();
        C.Brush().SetColor(pg::clWindow);
        C.FillRect(R);
        for (int Y = 0; Y < ContentHeight; Y += 50)
            for (int X = 0; X < ContentWidth; X += 50) {
                const int Left = R.Left + X - FLeft;
                const int Top = R.Top + Y - FTop;
                if (Left >= R.Right || Top >= R.Bottom || Left + 50 <= R.Left || Top + 50 <= R.Top)
                    continue;
                C.Brush().SetColor((X / 50 + Y / 50) % 2 ? pg::clBtnFace : pg::clWindow);
                C.FillRect({std::max(Left, R.Left), std::max(Top, R.Top),
                            std::min(Left + 50, R.Right), std::min(Top + 50, R.Bottom)});
                if (Left >= R.Left && Top >= R.Top && Left + 40 <= R.Right && Top + 16 <= R.Bottom)
                    C.TextOut(Left + 2, Top + 2, std::to_string(X / 50 + 20 * (Y / 50)));
            }
    }

private:
    static constexpr int ContentWidth = 1000;
    static constexpr int ContentHeight = 800;
    int FLeft = 0;
    int FTop = 0;
};

// A control that drags itself to other controls, its picture beside the pointer.
class TDragSample : public TcxControl {
public:
    explicit TDragSample(pc::TComponent* AOwner) : TcxControl(AOwner) { SetBorderStyle(cbsSingle); }

protected:
    void MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) override {
        TcxControl::MouseDown(Button, Shift, X, Y);
        if (Button == pf::mbLeft) BeginDrag(false);
    }
    bool HasDragImages() override { return true; }
    TSize GetDragImagesSize() override { return {ClientWidth(), ClientHeight()}; }
    void DrawDragImage(TcxCanvas& ACanvas, const TRect& R) override {
        // The bottom-left pixel's colour is the transparent one: a margin of it frames the box.
        ACanvas.FillRect(R, pg::clBtnShadow);
        ACanvas.FillRect({R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}, pg::clHighlight);
        ACanvas.Canvas().Font().SetColor(pg::clHighlightText);
        ACanvas.Canvas().TextOut(R.Left + 6, R.Top + 6, "Drag me");
    }
    void Paint() override {
        TcxControl::Paint();
        TCanvas& C = TCustomControl::Canvas();
        const TRect R = GetClientBounds();
        C.Brush().SetColor(pg::clWindow);
        C.FillRect(R);
        C.TextOut(R.Left + 6, R.Top + 6, "Drag me (Ctrl copies)");
    }
};

class TEditGalleryForm : public pf::TForm {
public:
    explicit TEditGalleryForm(pc::TComponent* AOwner) : pf::TForm(AOwner) {
        SetCaption("Edit gallery");
        SetBounds(100, 100, 520, 550);

        FHorizontal = &Own<TcxScrollBar>();
        FHorizontal->SetParent(this);
        FHorizontal->SetBounds(10, 10, 300, FHorizontal->Height());
        FHorizontal->SetScrollParams(100, 480, 300, 20);
        FHorizontal->LargeChange = 20;

        FVertical = &Own<TcxScrollBar>();
        FVertical->SetParent(this);
        FVertical->SetKind(sbVertical);
        FVertical->SetBounds(480, 10, FVertical->Width(), 300);
        FVertical->SetScrollParams(0, 99, 0, 10);
        FVertical->LargeChange = 10;

        FLabel = &Own<pf::TLabel>();
        FLabel->SetParent(this);
        FLabel->SetBounds(320, 12, 150, 16);

        FSample = &Own<TTextRowsSample>();
        FSample->SetParent(this);
        FSample->SetBounds(10, 40, 300, 200);

        FScrolling = &Own<TScrollingSample>();
        FScrolling->SetParent(this);
        FScrolling->SetBounds(320, 40, 150, 200);

        FDrag = &Own<TDragSample>();
        FDrag->SetParent(this);
        FDrag->SetBounds(10, 250, 150, 40);

        FDrop = &Own<pf::TPanel>();
        FDrop->SetParent(this);
        FDrop->SetBounds(170, 250, 140, 40);
        FDrop->SetCaption("Drop here");
        FDrop->OnDragOver = [this](pc::TObject*, pc::TObject* Source, int, int, pf::TDragState,
                                   bool& Accept) { Accept = Source == FDrag; };
        FDrop->OnDragDrop = [this](pc::TObject*, pc::TObject*, int, int) {
            ++FDrops;
            FDrop->SetCaption(std::to_string(FDrops) + " dropped");
        };

        FPopupButton = &Own<pf::TButton>();
        FPopupButton->SetParent(this);
        FPopupButton->SetBounds(320, 250, 150, 24);
        FPopupButton->SetCaption("Pop up");
        FPopupButton->OnClick = [this](pc::TObject*) { ShowPopup(); };

        FEditPopupButton = &Own<pf::TButton>();
        FEditPopupButton->SetParent(this);
        FEditPopupButton->SetBounds(320, 280, 150, 24);
        FEditPopupButton->SetCaption("Editor popup");
        FEditPopupButton->OnClick = [this](pc::TObject*) { ShowEditPopup(); };
        // A container hosting an edit: its border follows hover and focus.
        FContainer = &Own<toolkit::edit::TcxContainer>();
        FContainer->SetParent(this);
        FContainer->SetBounds(10, 300, 300, 25);
        auto& Inner = Own<pf::TEdit>();
        Inner.SetParent(FContainer);
        Inner.SetText("An edit inside a container");
        FContainer->SetInnerControl(&Inner);
        // Base editors with ellipsis, down, glyph and text buttons, one per button style; the
        // pointer and the left button show the hot and pressed looks, the last one is disabled.
        const toolkit::edit::TcxEditButtonStyle ButtonStyles[] = {
            toolkit::edit::bts3D,      toolkit::edit::btsFlat,      toolkit::edit::btsSimple,
            toolkit::edit::btsHotFlat, toolkit::edit::btsUltraFlat, toolkit::edit::btsOffice11};
        for (int I = 0; I < 6; ++I) {
            auto& Edit = Own<toolkit::edit::TcxCustomEdit>();
            Edit.SetParent(this);
            Edit.SetBounds(10 + (I % 3) * 160, 335 + (I / 3) * 28, 150, 22);
            for (auto Kind : {toolkit::edit::bkEllipsis, toolkit::edit::bkDown,
                              toolkit::edit::bkGlyph, toolkit::edit::bkText}) {
                auto& Button = Edit.Properties().Buttons().Add();
                Button.SetKind(Kind);
                if (Kind == toolkit::edit::bkText) Button.SetCaption("&Go");
            }
            static_cast<toolkit::edit::TcxCustomEditStyle&>(Edit.Style())
                .SetButtonStyle(ButtonStyles[I]);
            if (I == 5) Edit.SetEnabled(false);
        }
        // A text edit: typing, selection and the clipboard as its properties allow; typing
        // completes from its lookup items.
        auto& TextEdit = Own<toolkit::edit::TcxTextEdit>();
        TextEdit.SetParent(this);
        TextEdit.SetBounds(10, 395, 300, 21);
        TextEdit.Properties().SetMaxLength(40);
        for (const char* Item : {"Apple", "apricot", "Banana", "Blackberry", "Cherry"})
            TextEdit.Properties().LookupItems().Add(Item);
        TextEdit.Properties().LookupItemsChanged();
        TextEdit.SetEditValue(pc::Variant::String("A text edit"));
        // A popup edit: its button (or F4, Alt+Down) opens a sizeable popup hosting a panel with
        // a text edit; closing gives the panel back, hidden, to this window.
        auto& Hosted = Own<pf::TPanel>();
        Hosted.SetParent(this);
        Hosted.SetBounds(0, 0, 220, 120);
        Hosted.SetVisible(false);
        auto& HostedEdit = Own<toolkit::edit::TcxTextEdit>();
        HostedEdit.SetParent(&Hosted);
        HostedEdit.SetBounds(10, 10, 180, 21);
        HostedEdit.SetEditValue(pc::Variant::String("Inside the popup"));
        auto& PopupEdit = Own<toolkit::edit::TcxPopupEdit>();
        PopupEdit.SetParent(this);
        PopupEdit.SetBounds(320, 395, 160, 21);
        PopupEdit.Properties().SetPopupControl(&Hosted);
        PopupEdit.SetEditValue(pc::Variant::String("A popup edit"));
        // A combo box: type to complete, Alt+Down or the button opens its list of five rows,
        // sizeable in whole rows.
        auto& Combo = Own<toolkit::edit::TcxComboBox>();
        Combo.SetParent(this);
        Combo.SetBounds(330, 425, 160, 21);
        for (const char* Name :
             {"Sine", "Square", "Sawtooth", "Triangle", "Noise", "Pulse", "Supersaw", "Sample"})
            Combo.Properties().Items().Add(Name);
        Combo.Properties().LookupItemsChanged();
        Combo.Properties().SetDropDownRows(5);
        Combo.Properties().SetDropDownSizeable(true);
        Combo.SetItemIndex(0);

        // Check boxes: a click or Space toggles; the second also passes through grayed.
        auto& Check = Own<toolkit::edit::TcxCheckBox>();
        Check.SetParent(this);
        Check.SetBounds(10, 425, 110, 21);
        Check.SetCaption("Check box");
        Check.SetChecked(true);
        auto& Grayed = Own<toolkit::edit::TcxCheckBox>();
        Grayed.SetParent(this);
        Grayed.SetBounds(130, 425, 130, 21);
        Grayed.SetCaption("Three states");
        Grayed.Properties().SetAllowGrayed(true);
        Grayed.SetState(toolkit::edit::cbsGrayed);

        // Spin edits: a float stepped by the buttons, arrow and page keys and the wheel (a held
        // button repeats), and an integer 0..9 that wraps, with fast buttons either side.
        auto& Spin = Own<toolkit::edit::TcxSpinEdit>();
        Spin.SetParent(this);
        Spin.SetBounds(10, 455, 150, 21);
        Spin.Properties().SetIncrement(0.5);
        Spin.SetValue(pc::Variant::Double(2.5));
        auto& Wrapping = Own<toolkit::edit::TcxSpinEdit>();
        Wrapping.SetParent(this);
        Wrapping.SetBounds(170, 455, 150, 21);
        Wrapping.Properties().SetValueType(toolkit::edit::vtInt);
        Wrapping.Properties().SetMinValue(0);
        Wrapping.Properties().SetMaxValue(9);
        Wrapping.Properties().SetCircular(true);
        Wrapping.Properties().SetLargeIncrement(3);
        Wrapping.Properties().SpinButtons().SetShowFastButtons(true);
        Wrapping.Properties().SpinButtons().SetPosition(toolkit::edit::sbpHorzLeftRight);

        // A masked edit in each mode: a standard mask, a regular expression and the extended
        // language with its forced prefix.
        const struct {
            toolkit::edit::TcxEditMaskKind Kind;
            const char* Mask;
            const char* Value;
        } Masks[] = {{toolkit::edit::emkStandard, "00/00/0000", "24/12/2026"},
                     {toolkit::edit::emkRegExpr, "\\d+(\\.\\d\\d)?", "12.50"},
                     {toolkit::edit::emkRegExprEx, "'ID'\\d\\d\\d", "ID042"}};
        for (int I = 0; I < 3; ++I) {
            auto& MaskEdit = Own<toolkit::edit::TcxMaskEdit>();
            MaskEdit.SetParent(this);
            MaskEdit.SetBounds(10 + I * 160, 485, 150, 21);
            MaskEdit.Properties().SetMaskKind(Masks[I].Kind);
            MaskEdit.Properties().SetEditMask(Masks[I].Mask);
            MaskEdit.SetEditValue(pc::Variant::String(Masks[I].Value));
        }

        FHorizontal->OnChange = [this](pc::TObject*) {
            FSample->SetWidth(FHorizontal->Position());
        };
        FHorizontal->OnScroll = [this](pc::TObject*, TScrollCode, int& Pos) {
            FSample->SetWidth(Pos);
            ShowPositions(Pos, FVertical->Position());
        };
        FVertical->OnScroll = [this](pc::TObject*, TScrollCode, int& Pos) {
            ShowPositions(FHorizontal->Position(), Pos);
        };
        ShowPositions(FHorizontal->Position(), FVertical->Position());
    }

private:
    // The popup belongs to the form; it is made on the first click and opens under the button.
    void ShowPopup() {
        if (!FPopup) {
            FPopup = std::make_unique<TcxPopupWindow>(FPopupButton);
            FPopup->FrameStyle = pfSingle3D;
            FPopup->BorderSpace = 2;
            auto& Inside = FPopup->Own<TScrollingSample>();
            Inside.SetParent(FPopup.get());
            Inside.SetBounds(0, 0, 180, 120);
        }
        FPopup->OwnerParent = this;
        FPopup->OwnerBounds = FPopupButton->BoundsRect();
        FPopup->Popup();
    }
    // Opened non-modally under its button; a click on the button while it is open only closes
    // it (the popup swallows that click).
    void ShowEditPopup() {
        if (!FEditPopup) {
            FEditPopup = std::make_unique<toolkit::edit::TcxCustomPopupWindow>(FEditPopupButton);
            FEditPopup->ModalMode = false;
            FEditPopup->FrameStyle = pfFlat;
            FEditPopup->BorderSpace = 2;
            FEditPopupEdit = &FEditPopup->Own<pf::TEdit>();
            FEditPopupEdit->SetParent(FEditPopup.get());
            FEditPopupEdit->SetBounds(0, 0, 150, 22);
            FEditPopupEdit->TabStop = true;
            FEditPopupEdit->SetText("Escape closes");
        }
        FEditPopup->ClosedByOwnerClick = false;
        FEditPopup->OwnerParent = this;
        FEditPopup->OwnerBounds = FEditPopupButton->BoundsRect();
        FEditPopup->Popup(FEditPopupEdit);
    }
    void ShowPositions(int H, int V) {
        FLabel->SetCaption("width " + std::to_string(H) + ", row " + std::to_string(V));
    }

    TcxScrollBar* FHorizontal = nullptr;
    TcxScrollBar* FVertical = nullptr;
    pf::TLabel* FLabel = nullptr;
    TTextRowsSample* FSample = nullptr;
    TScrollingSample* FScrolling = nullptr;
    TDragSample* FDrag = nullptr;
    pf::TPanel* FDrop = nullptr;
    int FDrops = 0;
    pf::TButton* FPopupButton = nullptr;
    std::unique_ptr<TcxPopupWindow> FPopup;
    pf::TButton* FEditPopupButton = nullptr;
    pf::TEdit* FEditPopupEdit = nullptr;
    std::unique_ptr<toolkit::edit::TcxCustomPopupWindow> FEditPopup;
    toolkit::edit::TcxContainer* FContainer = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    platform::win::TDesktop Desktop(argc, argv);
    TcxLookAndFeelPaintersUnit Painters;
    pf::Application().CreateForm<TEditGalleryForm>();
    pf::Application().Run();
    return 0;
}
