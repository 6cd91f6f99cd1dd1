#include "toolkit/bars/customizing/dx_bar_customizing_form.h"

#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_commands_design.h"
#include "toolkit/bars/customizing/dx_bar_customizing_design_pages.h"
#include "toolkit/bars/customizing/dx_bar_customizing_options.h"
#include "toolkit/bars/customizing/dx_bar_customizing_refresh.h"
#include "toolkit/bars/customizing/dx_bar_customizing_wheel.h"
#include "toolkit/bars/customizing/dx_bar_name_ed.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_manager_list.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"

#include "platform/core/window_handle.h"
#include "platform/forms/dialogs.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// The one open dialog.
TdxBarCustomizingForm* GCustomizingForm = nullptr;

const char* const kCustomBarName = "Custom ";
const char* const kDeleteBarQuestion = "Are you sure you want to delete the '%s' toolbar?";

std::string Formatted(const char* Pattern, const std::string& Caption) {
    std::string Result = Pattern;
    Result.replace(Result.find("%s"), 2, Caption);
    return Result;
}

bool ManagerAlive(const TdxBarManager* Manager) {
    const TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I)
        if (List.GetItem(I) == Manager) return true;
    return false;
}

bool AskNameWithDialog(TdxBarNameMode Mode, std::string& Name, TdxBar* Renamed, TdxBars* Bars) {
    switch (Mode) {
    case nmNewToolbar:
    case nmRenameToolbar:
        return dxBarNameEd(Name, false, Mode == nmNewToolbar ? 0 : 1, Renamed, Bars);
    case nmNewCategory:
        return dxBarNameEd(Name, true, 0, nullptr, nullptr);
    case nmInsertCategory:
        return dxBarNameEd(Name, true, 1, nullptr, nullptr);
    case nmRenameCategory:
        break;
    }
    return dxBarNameEd(Name, true, 2, nullptr, nullptr);
}

TdxBarNameQuery& NameQuery() {
    static TdxBarNameQuery Query = AskNameWithDialog;
    return Query;
}

// The forms of every live manager that are showing and enabled.
std::vector<pw::HWND> DisableOtherForms() {
    std::vector<pw::HWND> Disabled;
    const TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I) {
        pf::TCustomForm* Form = List.GetItem(I)->Form();
        if (Form == nullptr || !Form->HandleAllocated()) continue;
        const pw::HWND Wnd = Form->Handle();
        if (!pw::IsWindowVisible(Wnd) || !pw::IsWindowEnabled(Wnd)) continue;
        pw::EnableWindow(Wnd, 0);
        Disabled.push_back(Wnd);
    }
    return Disabled;
}

void EnableForms(std::vector<pw::HWND>& Windows) {
    for (pw::HWND Wnd : Windows)
        if (pc::IsWindow(Wnd)) pw::EnableWindow(Wnd, 1);
    Windows.clear();
}

// A redirected non-client message arrives as its client form.
pw::UINT ClientMessageOf(pw::UINT Message) {
    return Message < pw::WM_MOUSEFIRST ? Message + pw::NonClientMouseOffset : Message;
}

} // namespace

TdxBarNameQuery SetdxBarNameQuery(TdxBarNameQuery Query) {
    TdxBarNameQuery Previous = std::move(NameQuery());
    NameQuery() = Query ? std::move(Query) : TdxBarNameQuery(AskNameWithDialog);
    return Previous;
}

bool dxBarAskName(TdxBarNameMode Mode, std::string& Name, TdxBar* Renamed, TdxBars* Bars) {
    return NameQuery()(Mode, Name, Renamed, Bars);
}

// --- The toolbars list ---

TCheckListBox::TCheckListBox(pc::TComponent* Owner) : pf::TListBox(Owner) {
    Style = pf::lbOwnerDrawFixed;
    SetItemHeight(17);
}

TdxBar* TCheckListBox::Bars(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FBars.size())) return nullptr;
    return FBars[static_cast<std::size_t>(Index)];
}

int TCheckListBox::IndexOfBar(const TdxBar* Bar) const {
    const auto It = std::find(FBars.begin(), FBars.end(), Bar);
    return It == FBars.end() ? -1 : static_cast<int>(It - FBars.begin());
}

void TCheckListBox::AddBar(TdxBar* Bar) {
    FBars.push_back(Bar);
    Items().Add(Bar->Caption());
}

void TCheckListBox::DeleteRow(int Index) {
    if (Bars(Index) == nullptr) return;
    FBars.erase(FBars.begin() + Index);
    Items().Delete(Index);
}

pg::TRect TCheckListBox::CheckRect(int Index) const {
    const pg::TRect Row = ItemRect(Index);
    return {Row.Left, Row.Top, Row.Left + Row.Height(), Row.Bottom};
}

void TCheckListBox::Toggle(int Index) {
    TdxBar* Bar = Bars(Index);
    if (Bar == nullptr) return;
    if (!Bar->CanClose()) {
        pw::MessageBeep(0);
        return;
    }
    Bar->SetVisible(!Bar->Visible());
    Invalidate();
}

void TCheckListBox::DrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    pg::TRect Text = Rect;
    Text.Left += Rect.Height();
    pf::TListBox::DrawItem(Index, Text, State);
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect({Rect.Left, Rect.Top, Text.Left, Rect.Bottom});
    TdxBar* Bar = Bars(Index);
    if (Bar == nullptr) return;
    pg::TRect Box = {Rect.Left + 1, Rect.Top + 1, Text.Left - 1, Rect.Bottom - 1};
    pg::UINT Flags = pg::DFCS_BUTTONCHECK;
    if (Bar->Visible()) Flags |= pg::DFCS_CHECKED;
    if (!Bar->CanClose()) Flags |= pg::DFCS_INACTIVE;
    pg::DrawFrameControl(Canvas().Handle(), &Box, pg::DFC_BUTTON, Flags);
}

void TCheckListBox::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    pf::TListBox::MouseDown(Button, Shift, X, Y);
    if (Button != pf::mbLeft) return;
    const int Index = ItemAtPos({X, Y}, true);
    if (Index >= 0 && pg::PtInRect(CheckRect(Index), {X, Y})) Toggle(Index);
}

void TCheckListBox::DblClick() {
    pf::TListBox::DblClick();
    pg::TPoint P;
    pw::GetCursorPos(&P);
    pw::ScreenToClient(Handle(), &P);
    const int Index = ItemAtPos(P, true);
    // Inside the check column the press that follows toggles.
    if (Index >= 0 && !pg::PtInRect(CheckRect(Index), P)) Toggle(Index);
}

bool TCheckListBox::WantsKey(pf::WORD Key) const {
    return Key == pw::VK_SPACE || pf::TListBox::WantsKey(Key);
}

void TCheckListBox::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (Key == pw::VK_SPACE) {
        Toggle(ItemIndex());
        Key = 0;
        return;
    }
    pf::TListBox::KeyDown(Key, Shift);
}

// --- The dialog ---

TdxBarCustomizingForm::TdxBarCustomizingForm(pc::TComponent* Owner, TdxBarManager& Manager)
    : pf::TForm(Owner), FBarManager(&Manager) {
    SetBorderStyle(pf::bsDialog);
    SetBorderIcons(pf::biSystemMenu);
    Position = pf::poScreenCenter;
    SetCaption("Customize");
    Font().SetHeight(-11);
    SetClientWidth(366);
    SetClientHeight(310);

    FPageControl = &Own<pf::TPageControl>();
    FPageControl->SetParent(this);
    FPageControl->SetBounds(6, 6, 366 - 12, 310 - 36 - 6);
    const auto AddPage = [this](const char* Caption) {
        auto& Page = Own<pf::TTabSheet>();
        Page.SetCaption(Caption);
        Page.SetPageControl(FPageControl);
        return &Page;
    };
    FTabSheet1 = AddPage(" Toolbars ");
    FTabSheet2 = AddPage(" Commands ");
    FTabSheet3 = AddPage(" Options ");
    FPageControl->SetActivePage(FTabSheet1);
    FPageControl->OnChange = [this](pc::TObject*) { BarsPageChanged(); };

    FLabelToolbars = &Own<pf::TLabel>();
    FLabelToolbars->SetParent(FTabSheet1);
    FLabelToolbars->SetBounds(8, 8, 60, 13);
    FLabelToolbars->SetCaption("Toolb&ars:");
    FBarsListBox = &Own<TCheckListBox>();
    FBarsListBox->SetParent(FTabSheet1);
    FBarsListBox->SetBounds(8, 24, 222, 210);
    FBarsListBox->OnClick = [this](pc::TObject*) { BarsListBoxClick(); };
    FLabelToolbars->SetFocusControl(FBarsListBox);
    const auto AddButton = [this](pf::TWinControl* Parent, const char* Caption, int X, int Y,
                                  int Width) {
        auto& B = Own<pf::TButton>();
        B.SetParent(Parent);
        B.SetBounds(X, Y, Width, 23);
        B.SetCaption(Caption);
        return &B;
    };
    FBBarNew = AddButton(FTabSheet1, "&New...", 238, 24, 100);
    FBBarRename = AddButton(FTabSheet1, "R&ename...", 238, 54, 100);
    FBBarDelete = AddButton(FTabSheet1, "&Delete", 238, 84, 100);
    FBBarReset = AddButton(FTabSheet1, "&Reset...", 238, 114, 100);
    FBBarNew->OnClick = [this](pc::TObject*) { BBarNewClick(); };
    FBBarRename->OnClick = [this](pc::TObject*) { BBarRenameClick(); };
    FBBarDelete->OnClick = [this](pc::TObject*) { BBarDeleteClick(); };
    FBBarReset->OnClick = [this](pc::TObject*) { BBarResetClick(); };
    FCommands = std::make_unique<TdxBarCustomizingCommands>(*this, *FTabSheet2, Manager);

    FBClose = AddButton(this, "Close", 366 - 6 - 75, 310 - 36 + 7, 75);
    FBClose->Default = true;
    FBClose->Cancel = true;
    FBClose->OnClick = [this](pc::TObject*) { Close(); };
    FBHelp = &Own<pf::TBitBtn>();
    FBHelp->SetParent(this);
    FBHelp->SetBounds(6, 310 - 36 + 7, 24, 23);
    FBHelp->OnClick = [this](pc::TObject*) { BHelpClick(); };
    UpdateHelpButton();
    FWheel = std::make_unique<TdxBarCustomizingWheel>(*this);

    OnClose = [this](pc::TObject*, pf::TCloseAction& Action) {
        Finish();
        Action = pf::caFree;
    };

    // At run time a hidden bar is not the user's to see.
    TdxBars& Bars = *Manager.Bars();
    for (int I = 0; I < Bars.Count(); ++I)
        if (TdxBar* Bar = Bars.Items(I); Manager.IsDesigning() || !Bar->Hidden())
            FBarsListBox->AddBar(Bar);
    for (int I = 0; I < FBarsListBox->Items().Count(); ++I)
        if (FBarsListBox->Bars(I)->Visible()) {
            FBarsListBox->SetItemIndex(I);
            break;
        }
    BarsListBoxClick();
    if (Manager.IsDesigning()) {
        FDesignPages = std::make_unique<TdxBarCustomizingDesignPages>(*this);
        FCommandsDesign = std::make_unique<TdxBarCustomizingCommandsDesign>(*this);
    }
    FOptions = std::make_unique<TdxBarCustomizingOptions>(*this);
    FOptions->Update();
    RefreshCustomizingFormStyle(*this);
}

TdxBarCustomizingForm::~TdxBarCustomizingForm() {
    FWheel.reset();
    Finish();
}

void TdxBarCustomizingForm::CreateParams(TCreateParams& Params) {
    pf::TForm::CreateParams(Params);
    // Owned by the edited form: it stays above it.
    if (pf::TCustomForm* Form = FBarManager->Form(); Form && Form->HandleAllocated())
        Params.parent = Form->Handle();
}

void TdxBarCustomizingForm::WndProc(pc::TMessage& Message) {
    pf::TForm::WndProc(Message);
    if (Message.Msg != pw::WM_ACTIVATE || FClosing || !ManagerAlive(FBarManager)) return;
    if (pf::TCustomForm* Form = FBarManager->Form(); Form && Form->HandleAllocated())
        pc::SendMessage(Form->Handle(), pw::WM_NCACTIVATE,
                        pw::LOWORD(Message.WParam) != pw::WA_INACTIVE ? 1 : 0, 0);
    // The user comes back to the application through the dialog: the floating bars that went
    // with the application's deactivation come back as for the form.
    if (pw::LOWORD(Message.WParam) != pw::WA_INACTIVE)
        UpdateFloatingBars(*FBarManager, true, false, static_cast<pw::HWND>(Message.LParam));
    if (Message.WParam != pw::WA_INACTIVE && FOptions && FPageControl->ActivePage() == FTabSheet3)
        FOptions->Update();
    else if (Message.WParam != pw::WA_INACTIVE)
        BarsPageChanged();
}

void TdxBarCustomizingForm::Finish() {
    if (FClosing) return;
    FClosing = true;
    EnableForms(FDisabledWindows);
    if (GCustomizingForm == this) GCustomizingForm = nullptr;
    if (ManagerAlive(FBarManager)) {
        FBarManager->CustomizingFormHandle = {};
        FBarManager->SetIsCustomizing(false);
        // The designer shows the manager again, not a toolbar or command the dialog chose.
        if (TdxBarDesigner* Designer = dxBarDesignerOf(*FBarManager))
            Designer->SelectComponent(*FBarManager, FBarManager);
        if (FBarManager->OnHideCustomizingForm) FBarManager->OnHideCustomizingForm(FBarManager);
    }
}

TdxBar* TdxBarCustomizingForm::SelectedBar() const {
    return FBarsListBox->Bars(FBarsListBox->ItemIndex());
}

void TdxBarCustomizingForm::BarsListBoxClick() {
    TdxBar* Bar = SelectedBar();
    TdxBarDesigner* Designer = dxBarDesignerOf(*FBarManager);
    FBBarNew->SetEnabled(Designer == nullptr || Designer->CanAddComponent(*FBarManager));
    // Only the bars the user made are the user's to rename.
    FBBarRename->SetEnabled(Bar != nullptr && (FBarManager->IsDesigning() || !Bar->Predefined()));
    FBBarDelete->SetEnabled(Bar != nullptr && Bar->CanClose());
    FBBarReset->SetEnabled(Bar != nullptr && Bar->IsResetAllowed());
    if (Designer)
        Designer->SelectComponent(*FBarManager, Bar ? static_cast<pc::TPersistent*>(Bar)
                                                    : static_cast<pc::TPersistent*>(FBarManager));
}

void TdxBarCustomizingForm::BarsPageChanged() {
    if (FPageControl->ActivePage() == FTabSheet1) BarsListBoxClick();
    CustomizingPageChanged(*this);
}

void TdxBarCustomizingForm::BBarNewClick() {
    std::string Name = FBarManager->Bars()->GetUniqueBarName(kCustomBarName);
    // The proposal is numbered from 1 even when the bare text is free.
    if (Name == kCustomBarName) {
        for (int N = 1;; ++N) {
            Name = kCustomBarName + std::to_string(N);
            bool Taken = false;
            for (int I = 0; I < FBarManager->Bars()->Count() && !Taken; ++I)
                Taken = FBarManager->Bars()->Items(I)->Caption() == Name ||
                        FBarManager->Bars()->Items(I)->Name == Name;
            if (!Taken) break;
        }
    }
    if (!NameQuery()(nmNewToolbar, Name, nullptr, FBarManager->Bars())) return;
    TdxBar* Bar = FBarManager->Bars()->Add();
    Bar->SetCaption(Name);
    const pg::TRect Own = BoundsRect();
    pw::MONITORINFO Info;
    pw::GetMonitorInfo(pw::MonitorFromRect(Own, pw::MONITOR_DEFAULTTONEAREST), &Info);
    Bar->SetFloatLeft(Own.Left - 50);
    if (Bar->FloatLeft() < Info.rcWork.Left) Bar->SetFloatLeft(Own.Right + 10);
    Bar->SetFloatTop(std::max(Own.Top, Info.rcWork.Top + 10));
    Bar->SetDockingStyle(dsNone);
    Bar->SetVisible(true);
    FBarsListBox->AddBar(Bar);
    FBarsListBox->SetItemIndex(FBarsListBox->Items().Count() - 1);
    BarsListBoxClick();
}

void TdxBarCustomizingForm::BBarRenameClick() {
    TdxBar* Bar = SelectedBar();
    if (Bar == nullptr) return;
    std::string Name = Bar->Caption();
    if (!NameQuery()(nmRenameToolbar, Name, Bar, FBarManager->Bars())) return;
    Bar->SetCaption(Name);
    UpdateCustomizingBar(Bar);
}

void TdxBarCustomizingForm::BBarDeleteClick() {
    const int Index = FBarsListBox->ItemIndex();
    TdxBar* Bar = FBarsListBox->Bars(Index);
    if (Bar == nullptr) return;
    if (pf::MessageBox(Formatted(kDeleteBarQuestion, Bar->Caption()), "",
                       pf::MB_OKCANCEL | pf::MB_ICONQUESTION) != pf::IDOK)
        return;
    FBarsListBox->DeleteRow(Index);
    FBarsListBox->SetItemIndex(std::min(Index, FBarsListBox->Items().Count() - 1));
    FBarManager->Bars()->Delete(Bar->Index());
    BarsListBoxClick();
}

void TdxBarCustomizingForm::BBarResetClick() {
    if (TdxBar* Bar = SelectedBar()) Bar->ResetWithConfirmation();
}

// --- The unit's routines ---

void ShowCustomizingForm(TdxBarManager& Manager, bool Show) {
    if (Show) {
        if (GCustomizingForm != nullptr) return;
        if (Manager.OnShowCustomizingForm) Manager.OnShowCustomizingForm(&Manager);
        std::vector<pw::HWND> Disabled = DisableOtherForms();
        // The edited form owns it: the dialog goes with that form at the latest.
        pf::TCustomForm* Owner = Manager.Form();
        if (Owner == nullptr) return;
        auto& Dialog = Owner->Own<TdxBarCustomizingForm>(Manager);
        GCustomizingForm = &Dialog;
        Dialog.FDisabledWindows = std::move(Disabled);
        Manager.CustomizingFormHandle = Dialog.Handle();
        Dialog.Show();
        return;
    }
    TdxBarCustomizingForm* Dialog = GCustomizingForm;
    if (Dialog == nullptr || &Dialog->BarManager() != &Manager || Dialog->Closing()) return;
    Dialog->Finish();
    Dialog->Release();
}

void CustomizingFormFollowForm(TdxBarManager& Manager, const pw::WINDOWPOS& Pos) {
    TdxBarCustomizingForm* Dialog = GCustomizingForm;
    if (Dialog == nullptr || &Dialog->BarManager() != &Manager || Dialog->Closing() ||
        !Dialog->HandleAllocated())
        return;
    if (Pos.flags & pw::SWP_SHOWWINDOW) pw::ShowWindow(Dialog->Handle(), pw::SW_SHOWNA);
    if (Pos.flags & pw::SWP_HIDEWINDOW) pw::ShowWindow(Dialog->Handle(), pw::SW_HIDE);
}

TdxBarCustomizingForm* GetCustomizingForm() {
    return GCustomizingForm;
}

void UpdateCustomizingBar(TdxBar* Bar) {
    if (GCustomizingForm == nullptr) return;
    TCheckListBox& List = GCustomizingForm->BarsListBox();
    const int Index = List.IndexOfBar(Bar);
    if (Index < 0) return;
    if (List.Items()[Index] != Bar->Caption()) List.Items().SetStrings(Index, Bar->Caption());
    List.Invalidate();
}

void RemoveCustomizingBar(TdxBar* Bar) {
    if (GCustomizingForm == nullptr) return;
    TCheckListBox& List = GCustomizingForm->BarsListBox();
    List.DeleteRow(List.IndexOfBar(Bar));
}

pw::HWND BarUnderCustomizingForm(pw::UINT Message, const pw::MOUSEHOOKSTRUCT& Info) {
    if (static_cast<int>(Info.wHitTestCode) != pw::HTERROR) return {};
    TdxBarCustomizingForm* Dialog = GCustomizingForm;
    if (Dialog == nullptr || Dialog->Closing() || !Dialog->Active()) return {};
    if (dynamic_cast<pf::TCustomForm*>(pf::FindControl(Info.hwnd)) == nullptr) return {};
    TdxBarManager& Manager = Dialog->BarManager();
    if (!Manager.IsCustomizing()) return {};
    pw::HWND Target{};
    for (int I = 0; I < Manager.Bars()->Count() && Target == pw::HWND{}; ++I) {
        auto* Window = dynamic_cast<TCustomdxBarControl*>(Manager.Bars()->Items(I)->Control());
        if (Window == nullptr || !Window->HandleAllocated()) continue;
        pw::TRect R;
        pw::GetWindowRect(Window->Handle(), &R);
        if (pw::IsWindowVisible(Window->Handle()) && pg::PtInRect(R, Info.pt))
            Target = Window->Handle();
    }
    if (Target == pw::HWND{}) return {};
    const pw::LRESULT Hit =
        pc::SendMessage(Target, pw::WM_NCHITTEST, 0, pw::PointToLParam(Info.pt));
    pc::SendMessage(
        Target, pw::WM_SETCURSOR, static_cast<pw::WPARAM>(Target),
        pw::MAKELPARAM(static_cast<int>(Hit), static_cast<int>(ClientMessageOf(Message))));
    return Target;
}

void RedirectToBar(pw::HWND Target, pw::UINT Message, const pw::MOUSEHOOKSTRUCT& Info) {
    const pw::UINT ClientMessage = ClientMessageOf(Message);
    if (ClientMessage != pw::WM_MOUSEMOVE && GCustomizingForm &&
        GCustomizingForm->HandleAllocated())
        pw::SetForegroundWindow(GCustomizingForm->Handle());
    pw::WPARAM Keys = 0;
    if (pw::GetKeyState(pw::VK_CONTROL) < 0) Keys |= pw::MK_CONTROL;
    if (pw::GetKeyState(pw::VK_LBUTTON) < 0) Keys |= pw::MK_LBUTTON;
    if (pw::GetKeyState(pw::VK_RBUTTON) < 0) Keys |= pw::MK_RBUTTON;
    if (pw::GetKeyState(pw::VK_MBUTTON) < 0) Keys |= pw::MK_MBUTTON;
    if (pw::GetKeyState(pw::VK_SHIFT) < 0) Keys |= pw::MK_SHIFT;
    pw::TPoint P = Info.pt;
    pw::ScreenToClient(Target, &P);
    pc::SendMessage(Target, ClientMessage, Keys, pw::PointToLParam(P));
}

} // namespace toolkit::bars
