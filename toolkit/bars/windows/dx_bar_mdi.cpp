#include "toolkit/bars/windows/dx_bar_mdi.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize_window.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// --- The system-menu entry ---

const pc::TComponentClass& TSystemMenuSubItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TSystemMenuSubItem", &TCustomdxBarSubItem::ClassRef(),
        pc::ConstructorOf<TSystemMenuSubItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

TSystemMenuSubItem::TSystemMenuSubItem(pc::TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}

namespace {

// The pictures the program keeps for the window commands of a system menu (its bitmaps
// "DXBARCLOSE", "DXBARRESTORE", "DXBARMAXIMIZE" and "DXBARMINIMIZE"): black marks as the
// platform draws them on its caption buttons, 12 pixels square, on a ground the glyph drawing
// leaves out (the bottom-left pixel's colour). Other pictures leave Glyph as it is.
void LoadSystemMenuGlyph(int Picture, pf::TBitmap& Glyph) {
    if (Picture < pw::HBMMENU_POPUP_CLOSE || Picture > pw::HBMMENU_POPUP_MINIMIZE) return;
    Glyph.SetSize(12, 12);
    pg::TCanvas& Canvas = Glyph.Canvas();
    Canvas.Brush().SetColor(pg::clFuchsia);
    Canvas.FillRect({0, 0, 12, 12});
    Canvas.Brush().SetColor(pg::clBlack);
    const auto Box = [&Canvas](int L, int T, int Size) {
        Canvas.FillRect({L, T, L + Size, T + 2});
        Canvas.FillRect({L, T, L + 1, T + Size});
        Canvas.FillRect({L + Size - 1, T, L + Size, T + Size});
        Canvas.FillRect({L, T + Size - 1, L + Size, T + Size});
    };
    switch (Picture) {
    case pw::HBMMENU_POPUP_CLOSE:
        for (int I = 0; I < 7; ++I) {
            Canvas.FillRect({2 + I, 2 + I, 4 + I, 3 + I});
            Canvas.FillRect({8 - I, 2 + I, 10 - I, 3 + I});
        }
        break;
    case pw::HBMMENU_POPUP_RESTORE:
        Box(4, 1, 6);
        Box(1, 4, 6);
        Canvas.Brush().SetColor(pg::clFuchsia);
        Canvas.FillRect({2, 6, 6, 9});
        break;
    case pw::HBMMENU_POPUP_MAXIMIZE:
        Box(1, 1, 9);
        break;
    default:
        Canvas.FillRect({2, 8, 8, 10});
        break;
    }
}

// A copy of a picture the menu item holds (which stays the menu's owner's); nothing for none.
void CopyMenuPicture(pg::HBITMAP Picture, pf::TBitmap& Glyph) {
    pg::BITMAP Info{};
    if (Picture == pg::HBITMAP{} || pg::GetObject(Picture, sizeof(Info), &Info) == 0 ||
        Info.bmWidth <= 0 || Info.bmHeight <= 0)
        return;
    Glyph.SetSize(Info.bmWidth, Info.bmHeight);
    const pg::HDC Source = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HGDIOBJ Old = pg::SelectObject(Source, Picture);
    pg::BitBlt(Glyph.Canvas().Handle(), 0, 0, Info.bmWidth, Info.bmHeight, Source, 0, 0,
               pg::SRCCOPY);
    pg::SelectObject(Source, Old);
    pg::DeleteDC(Source);
}

// The entries of Menu, appended to Links; the items are internal and belong to Manager.
void BuildEntries(TdxBarManager& Manager, pw::HWND Wnd, pw::HMENU Menu, TdxBarItemLinks& Links) {
    bool BeginGroup = false;
    for (int I = 0; I < pw::GetMenuItemCount(Menu); ++I) {
        pw::MENUITEMINFO Info;
        if (!pw::GetMenuItemInfo(Menu, static_cast<pw::UINT>(I), true, &Info)) continue;
        if (Info.fType & pw::MFT_SEPARATOR) {
            BeginGroup = true;
            continue;
        }
        const std::string& Text = Info.dwTypeData;
        const std::size_t Tab = Text.find('\t');
        TdxBarItem* Item = nullptr;
        if (Info.hSubMenu != nullptr) {
            auto& Sub = dxBarUnit().AddInternalItem(std::make_unique<TdxBarSubItem>(nullptr));
            Sub.SetBarManager(&Manager);
            BuildEntries(Manager, Wnd, Info.hSubMenu, Sub.ItemLinks());
            Item = &Sub;
        } else {
            auto& Button = dxBarUnit().AddInternalItem(std::make_unique<TdxBarButton>(nullptr));
            Button.SetBarManager(&Manager);
            if (Info.fState & pw::MFS_CHECKED) {
                Button.SetButtonStyle(bsChecked);
                Button.SetDown(true);
            }
            const pw::UINT Command = Info.wID;
            Button.OnClick = [Wnd, Command](pc::TObject*) {
                if (pc::IsWindow(Wnd)) pc::SendMessage(Wnd, pw::WM_SYSCOMMAND, Command, 0);
            };
            Item = &Button;
        }
        if (Info.hbmpItem != pw::HBMMENU_NONE)
            LoadSystemMenuGlyph(Info.hbmpItem, Item->Glyph());
        else
            CopyMenuPicture((Info.fState & pw::MFS_CHECKED) ? Info.hbmpChecked : Info.hbmpUnchecked,
                            Item->Glyph());
        if (Item->Glyph().Empty() && (Info.fType & pw::MFT_BITMAP))
            CopyMenuPicture(Info.hbmpBitmap, Item->Glyph());
        Item->SetCaption(Text.substr(0, Tab));
        if (Tab != std::string::npos)
            Item->SetShortCut(pf::TextToShortCut(std::string_view(Text).substr(Tab + 1)));
        Item->SetEnabled((Info.fState & pw::MFS_GRAYED) == 0);
        TdxBarItemLink* Link = Links.Add(Item);
        if (Link && BeginGroup) Link->SetBeginGroup(true);
        BeginGroup = false;
    }
}

TSystemMenuSubItem* SystemMenuItemOf(TdxBar* Bar) {
    if (Bar == nullptr || Bar->ItemLinks().Count() == 0) return nullptr;
    return dynamic_cast<TSystemMenuSubItem*>(Bar->ItemLinks().Items(0)->Item());
}

// The manager stops laying out and repainting its bars while the main menu bar changes.
class TMenuBarLock {
public:
    explicit TMenuBarLock(TdxBarManager& Manager) : FManager(Manager), FWas(Manager.LockUpdate()) {
        FManager.SetLockUpdate(true);
    }
    ~TMenuBarLock() { FManager.SetLockUpdate(FWas); }
    TMenuBarLock(const TMenuBarLock&) = delete;
    TMenuBarLock& operator=(const TMenuBarLock&) = delete;

private:
    TdxBarManager& FManager;
    bool FWas;
};

TdxBarManager* FrameManagerOfChild(pw::HWND Wnd) {
    const pw::HWND Client = pw::GetParent(Wnd);
    if (Client == pw::NullHWnd || !dynamic_cast<pf::TMDIClient*>(pf::FindControl(Client)))
        return nullptr;
    auto* Frame = dynamic_cast<pf::TCustomForm*>(pf::FindControl(pw::GetParent(Client)));
    if (Frame == nullptr) return nullptr;
    TdxBarManager* Manager = GetBarManagerByControl(Frame);
    return Manager && !Manager->IsDestroying() ? Manager : nullptr;
}

void RelayoutMainMenu(TdxBarManager& Manager) {
    TdxBar* Bar = Manager.MainMenuBar();
    if (Bar == nullptr || Bar->Control() == nullptr) return;
    Bar->Control()->RefreshLayout();
    Bar->Control()->RepaintBar();
}

// A change to the child's own bars leaves the child window where and as large as it was.
template <class TChange> void KeepingBounds(pf::TCustomForm& Child, TChange Change) {
    const pg::TRect Before = Child.BoundsRect();
    Change();
    const pg::TRect After = Child.BoundsRect();
    if (After.Left != Before.Left || After.Top != Before.Top || After.Right != Before.Right ||
        After.Bottom != Before.Bottom)
        Child.SetBounds(Before.Left, Before.Top, Before.Width(), Before.Height());
}

// The child's main menu goes into the frame's main menu bar (its own bar hidden meanwhile).
void MergeChildMainMenu(TdxBarManager& Manager, TdxBarManager& ChildManager,
                        pf::TCustomForm& ChildForm) {
    TdxBar* ChildBar = ChildManager.MainMenuBar();
    Manager.MDIChildMainBarVisible = ChildBar->Visible();
    if (Manager.OnMenuMerge) {
        Manager.OnMenuMerge(&Manager, &ChildManager, true);
    } else {
        TMenuBarLock Lock(Manager);
        TdxBarItemLinks& Source = ChildBar->ItemLinks();
        TdxBarItemLinks& Target = Manager.MainMenuBar()->ItemLinks();
        for (int I = 0; I < Source.CanVisibleItemCount(); ++I)
            if (TdxBarItemLink* Link = Target.Add()) Link->Assign(*Source.CanVisibleItems(I));
    }
    KeepingBounds(ChildForm, [ChildBar] { ChildBar->SetVisible(false); });
}

// The child's entries leave the frame's main menu bar; its own bar comes back as it was.
void UnmergeChildMainMenu(TdxBarManager& Manager, TdxBarManager& ChildManager,
                          pf::TCustomForm& ChildForm) {
    {
        TMenuBarLock Lock(Manager);
        TdxBarItemLinks& Links = Manager.MainMenuBar()->ItemLinks();
        for (int I = Links.CanVisibleItemCount() - 1; I >= 0; --I) {
            TdxBarItemLink* Link = Links.CanVisibleItems(I);
            if (Link->Item() && Link->Item()->BarManager() == &ChildManager)
                Links.Delete(Link->Index());
        }
    }
    if (Manager.OnMenuMerge) Manager.OnMenuMerge(&Manager, &ChildManager, false);
    TdxBar* ChildBar = ChildManager.MainMenuBar();
    if (Manager.AlwaysMerge || ChildBar == nullptr || ChildBar->Visible() || ChildForm.Destroying())
        return;
    const bool Visible = Manager.MDIChildMainBarVisible;
    KeepingBounds(ChildForm, [ChildBar, Visible] { ChildBar->SetVisible(Visible); });
}

// The child's system-menu entry while it is maximised and, unless SystemMenuOnly, its own main
// menu while it is active and maximised (or always, with AlwaysMerge).
void MergeChildMenu(TdxBarManager& Manager, pw::HWND Child, bool Activating, bool SystemMenuOnly) {
    if (Manager.MainMenuBar() == nullptr || Child == pw::NullHWnd) return;
    if (Activating && pw::IsZoomed(Child))
        AddSystemMenuItem(Manager, Child);
    else if (!Activating)
        RemoveSystemMenuItem(Manager);
    // A child whose form has already gone takes its entry along, and nothing else is left.
    auto* ChildForm = dynamic_cast<pf::TCustomForm*>(pf::FindControl(Child));
    if (SystemMenuOnly || ChildForm == nullptr) return;
    TdxBarManager* ChildManager = GetBarManagerByControl(ChildForm);
    if (ChildManager == nullptr || ChildManager == &Manager || !ChildManager->MainMenuBar()) return;
    if (!Activating)
        UnmergeChildMainMenu(Manager, *ChildManager, *ChildForm);
    else if (Manager.AlwaysMerge || pw::IsZoomed(Child))
        MergeChildMainMenu(Manager, *ChildManager, *ChildForm);
    RelayoutMainMenu(Manager);
}

} // namespace

void TSystemMenuSubItem::DoPopup() {
    ItemLinks().Clear();
    FreeUnusedInternalItems();
    if (BarManager() != nullptr && pc::IsWindow(Wnd))
        BuildEntries(*BarManager(), Wnd, pw::GetSystemMenu(Wnd, false), ItemLinks());
    TCustomdxBarSubItem::DoPopup();
}

const TdxBarItemControlClass& TSystemMenuSubItemControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TSystemMenuSubItemControl", &TdxBarSubItemControl::ClassRef(),
        pc::ConstructorOf<TSystemMenuSubItemControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

pw::HWND TSystemMenuSubItemControl::ChildWnd() const {
    auto* Item = dynamic_cast<TSystemMenuSubItem*>(SubItem());
    return Item ? Item->Wnd : pw::NullHWnd;
}

bool TSystemMenuSubItemControl::CanSelectNow() const {
    return Parent() && Parent()->BarManager() && !Parent()->BarManager()->IsCustomizing();
}

int TSystemMenuSubItemControl::GetDefaultHeight() const {
    return pg::GetSystemMetrics(pg::SM_CYSMICON);
}

int TSystemMenuSubItemControl::GetDefaultWidth() const {
    return pg::GetSystemMetrics(pg::SM_CXSMICON);
}

void TSystemMenuSubItemControl::DblClick() {
    const pw::HWND Child = ChildWnd();
    if (Parent()) Parent()->HideAll();
    const pw::UINT Command = pw::GetMenuDefaultItem(pw::GetSystemMenu(Child, false), false, 0);
    if (Command != static_cast<pw::UINT>(-1)) pc::SendMessage(Child, pw::WM_SYSCOMMAND, Command, 0);
}

pw::HICON TSystemMenuSubItemControl::GetChildSmallIcon() const {
    const pw::HWND Child = ChildWnd();
    if (!pc::IsWindow(Child)) return pw::NullIcon;
    auto Icon = static_cast<pw::HICON>(pc::SendMessage(Child, pw::WM_GETICON, pw::ICON_SMALL, 0));
    if (Icon == pw::NullIcon)
        Icon = static_cast<pw::HICON>(pc::SendMessage(Child, pw::WM_GETICON, pw::ICON_BIG, 0));
    if (Icon == pw::NullIcon) return pw::NullIcon;
    return pw::CopyImage(Icon, pw::IMAGE_ICON, 16, 16, pw::LR_COPYFROMRESOURCE);
}

void TSystemMenuSubItemControl::Paint(const TRect& R, TdxBarPaintType) {
    if (pg::IsRectEmpty(R) || Parent() == nullptr) return;
    const pg::HDC DC = Parent()->PaintDC();
    Parent()->FillBackground(DC, R);
    // The child's small icon, centred in the entry.
    const pw::HICON Icon = GetChildSmallIcon();
    if (Icon == pw::NullIcon) return;
    const pg::TSize Size = pw::IconSize(Icon);
    pw::DrawIconEx(DC, R.Left + (R.Width() - Size.cx) / 2, R.Top + (R.Height() - Size.cy) / 2, Icon,
                   0, 0, 0, pg::HBRUSH{}, pw::DI_NORMAL);
    pw::DestroyIcon(Icon);
}

// --- The main menu bar of the frame ---

void AddSystemMenuItem(TdxBarManager& Manager, pw::HWND Child) {
    TdxBar* Bar = Manager.MainMenuBar();
    if (Bar == nullptr || pw::GetSystemMenu(Child, false) == nullptr) return;
    if (TSystemMenuSubItem* Present = SystemMenuItemOf(Bar); Present && Present->Wnd == Child)
        return;
    RemoveSystemMenuItem(Manager);
    {
        TMenuBarLock Lock(Manager);
        FreeUnusedInternalItems();
        auto& Item = dxBarUnit().AddInternalItem(std::make_unique<TSystemMenuSubItem>(nullptr));
        Item.SetBarManager(&Manager);
        Item.Wnd = Child;
        TdxBarItemLink* Link = Bar->ItemLinks().Add(&Item);
        if (Link) Bar->ItemLinks().Move(Bar->ItemLinks().Count() - 1, 0);
    }
    RelayoutMainMenu(Manager);
}

void RemoveSystemMenuItem(TdxBarManager& Manager) {
    TdxBar* Bar = Manager.MainMenuBar();
    if (SystemMenuItemOf(Bar) == nullptr) return;
    {
        TMenuBarLock Lock(Manager);
        Bar->ItemLinks().Delete(0);
        FreeUnusedInternalItems();
    }
    RelayoutMainMenu(Manager);
}

void UpdateMDIChildMenus(TdxBarManager& Manager) {
    pf::TCustomForm* Frame = Manager.Form();
    if (Frame == nullptr || Frame->FormStyle() != pf::fsMDIForm || !Frame->HandleAllocated())
        return;
    pw::BOOL Maximized = 0;
    const auto Active = static_cast<pw::HWND>(pc::SendMessage(
        Frame->ClientHandle(), pf::WM_MDIGETACTIVE, 0, reinterpret_cast<pc::LPARAM>(&Maximized)));
    const bool Zoomed = Active != pw::NullHWnd && pw::IsZoomed(Active);
    const bool StateChanged = Zoomed != Manager.MDIActiveChildMaximized;
    if (Active != Manager.MDIActiveChild) {
        MergeChildMenu(Manager, Manager.MDIActiveChild, false, false);
        Manager.MDIActiveChild = Active;
        Manager.MDIActiveChildMaximized = Zoomed;
        MergeChildMenu(Manager, Active, true, false);
    } else if (StateChanged) {
        // With AlwaysMerge the child's menu stays merged whatever its size.
        Manager.MDIActiveChildMaximized = Zoomed;
        MergeChildMenu(Manager, Active, Zoomed, Manager.AlwaysMerge);
    }
    if (StateChanged) RelayoutMainMenu(Manager);
}

void dxBarMDIChildMessage(pw::HWND Wnd, pw::UINT Message) {
    TdxBarManager* Manager = FrameManagerOfChild(Wnd);
    if (Manager == nullptr) return;
    if (Message == pw::WM_DESTROY) {
        // The child's entry goes with it; the next child's activation brings its own.
        if (Wnd != Manager->MDIActiveChild) return;
        MergeChildMenu(*Manager, Wnd, false, false);
        Manager->MDIActiveChild = pw::NullHWnd;
        Manager->MDIActiveChildMaximized = false;
        RelayoutMainMenu(*Manager);
        return;
    }
    UpdateMDIChildMenus(*Manager);
}

pw::HWND MaximizedMDIChild(const TdxBarManager& Manager) {
    // A manager that goes with its form closes its menus from a form that is gone already.
    pf::TCustomForm* Frame = Manager.IsDestroying() ? nullptr : Manager.Form();
    if (Frame == nullptr || Frame->FormStyle() != pf::fsMDIForm) return pw::NullHWnd;
    pf::TCustomForm* Child = Frame->ActiveMDIChild();
    if (Child == nullptr || !Child->HandleAllocated() || !pw::IsZoomed(Child->Handle()))
        return pw::NullHWnd;
    return Child->Handle();
}

// --- Floating bars and the form's activation ---

namespace {

std::vector<TdxBarControl*> FloatingBarWindows(TdxBarManager& Manager) {
    std::vector<TdxBarControl*> Result;
    TdxBars* Bars = Manager.Bars();
    if (Bars == nullptr) return Result;
    for (int I = 0; I < Bars->Count(); ++I) {
        TdxBar* Bar = Bars->Items(I);
        auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control());
        if (Bar->Visible() && Window && Window->DockingStyle() == dsNone &&
            Window->HandleAllocated())
            Result.push_back(Window);
    }
    return Result;
}

// Whether the window taking the activation from Manager's form leaves its floating bars up: a
// window of ours that is no form (a bar, a menu, a hint, a box of the desktop's), and the
// Customize dialog while the manager customises, for the user drags commands onto the bars
// from there. Every other form takes them down, as another application does.
bool KeepsFloatingBars(TdxBarManager& Manager, pw::HWND Other) {
    if (Other == pw::NullHWnd || !pc::IsWindow(Other)) return false;
    if (Manager.IsCustomizing() && Other == Manager.CustomizingFormHandle) return true;
    return dynamic_cast<pf::TCustomForm*>(pf::FindControl(Other)) == nullptr;
}

// The open menus that go with the form's activation: this manager's, those of an MDI child's
// manager of this frame unless an edit of theirs holds the focus, and while customizing those
// of the Customize dialog's own manager.
bool ClosesWithForm(TdxBarManager& Manager, TCustomdxBarControl& Active) {
    TdxBarManager* Owner = Active.BarManager();
    if (Owner == &Manager) return true;
    if (Owner == nullptr || Owner->Form() == nullptr) return false;
    pf::TCustomForm* Form = Manager.Form();
    pf::TCustomForm* OwnerForm = Owner->Form();
    if (Form && Form->HandleAllocated() && Form->FormStyle() == pf::fsMDIForm &&
        OwnerForm->FormStyle() == pf::fsMDIChild && OwnerForm->HandleAllocated() &&
        pw::GetParent(pw::GetParent(OwnerForm->Handle())) == Form->Handle()) {
        const pw::HWND Focus = pw::GetFocus();
        const bool EditFocused = Active.HandleAllocated() && Focus != pw::NullHWnd &&
                                 pw::IsChild(Active.Handle(), Focus);
        return !EditFocused;
    }
    return Manager.IsCustomizing() && Manager.CustomizingFormHandle != pw::NullHWnd &&
           Owner->Form()->HandleAllocated() &&
           Owner->Form()->Handle() == Manager.CustomizingFormHandle;
}

class TUpdatingFlag {
public:
    explicit TUpdatingFlag(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TUpdatingFlag() { FFlag = false; }
    TUpdatingFlag(const TUpdatingFlag&) = delete;
    TUpdatingFlag& operator=(const TUpdatingFlag&) = delete;

private:
    bool& FFlag;
};

} // namespace

void UpdateFloatingBars(TdxBarManager& Manager, bool Active, bool Force, pw::HWND Other) {
    if (Manager.FloatingBarsUpdating) return;
    TUpdatingFlag Updating(Manager.FloatingBarsUpdating);
    const bool Hides = Manager.HideFloatingBarsWhenInactive() || Force;
    pf::TCustomForm* Form = Manager.Form();
    if (!Hides) {
        // The caption shows the new activation state.
        for (TdxBarControl* Window : FloatingBarWindows(Manager))
            pw::SetWindowPos(Window->Handle(), pw::NullHWnd, 0, 0, 0, 0,
                             pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOZORDER |
                                 pw::SWP_NOACTIVATE | pw::SWP_FRAMECHANGED);
    }
    if (Active) {
        if (!Hides || (Form && Form->HandleAllocated() && pw::IsIconic(Form->Handle()))) return;
        for (TdxBarControl* Window : FloatingBarWindows(Manager))
            pw::ShowWindow(Window->Handle(), pw::SW_SHOWNOACTIVATE);
        return;
    }
    if (Manager.IsDestroying() || Form == nullptr || !Form->HandleAllocated()) return;
    if (Other != pw::NullHWnd && pw::IsChild(Form->Handle(), Other)) return;
    if (TCustomdxBarControl* ActiveBar = TCustomdxBarControl::ActiveBarControl())
        if (ClosesWithForm(Manager, *ActiveBar)) ActiveBar->HideAll();
    if (!Hides) {
        CloseQuickCustomize(Manager);
        return;
    }
    if (KeepsFloatingBars(Manager, Other)) return;
    for (TdxBarControl* Window : FloatingBarWindows(Manager))
        pw::SetWindowPos(Window->Handle(), pw::NullHWnd, 0, 0, 0, 0,
                         pw::SWP_NOSIZE | pw::SWP_NOMOVE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE |
                             pw::SWP_HIDEWINDOW);
    pc::SendMessage(Form->Handle(), pw::WM_NCACTIVATE, 0, 0);
}

} // namespace toolkit::bars
