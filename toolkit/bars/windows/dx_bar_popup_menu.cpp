#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "platform/core/message_loop.h"
#include "platform/core/window_handle.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/win/input_state.h"
#include "platform/win/modal_loop.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
namespace tb = toolkit::base;

namespace {
// A menu command that reaches the loop belongs to no one while the menu is open.
constexpr pc::UINT WM_COMMAND = 0x0111;
} // namespace

bool IsAnyPopupMenuShowing() {
    const TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I)
        for (int J = 0; J < List.GetItem(I)->GetPopupMenuCount(); ++J)
            if (List.GetItem(I)->GetPopupMenu(J)->Shown()) return true;
    return false;
}

const pc::TComponentClass& TdxBarPopupMenu::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarPopupMenu", &pc::TComponent::ClassRef(),
        pc::ConstructorOf<TdxBarPopupMenu, pc::TComponent, pc::TComponent*>());
    return cls;
}

TdxBarPopupMenu::TdxBarPopupMenu(pc::TComponent* AOwner) : pc::TComponent(AOwner) {
    TdxBarManagerList& List = dxBarUnit().BarManagerList();
    if (List.GetCount() == 0) throw pc::Exception(tb::cxGetResourceString(dxSBAR_NOBARMANAGERS));
    FBackgroundBitmap = std::make_unique<pf::TBitmap>();
    TdxBarManager* Manager = nullptr;
    if (dynamic_cast<pf::TCustomForm*>(AOwner)) Manager = GetBarManagerByControl(AOwner);
    if (!Manager) Manager = List.GetItem(0);
    FFont = std::make_unique<pg::TFont>();
    FFont->Assign(Manager->Font());
    FFont->OnChange = [this](pc::TObject*) { FontChanged(); };
    FItemLinks = std::make_unique<TdxBarItemLinks>(Manager, this);
    FItemLinks->UseRecentItems = false;
    SetBarManager(Manager);
}

TdxBarPopupMenu::~TdxBarPopupMenu() {
    FDestroying = true;
    if (TdxBarSubMenuControl* Menu = GetSubMenuControl()) {
        Menu->OnCloseUp = nullptr;
        Menu->OnPopup = nullptr;
        Menu->HideAndFree();
    }
    FItemLinks.reset();
    if (FBarManager && dxBarUnit().BarManagerList().Contains(FBarManager))
        FBarManager->RemovePopupMenu(this);
    FBarManager = nullptr;
}

void TdxBarPopupMenu::SetBarManager(TdxBarManager* Value) {
    if (Value == FBarManager || (!Value && !FDestroying)) return;
    if (FBarManager) FBarManager->RemovePopupMenu(this);
    FBarManager = Value;
    FItemLinks->SetBarManager(Value);
    if (Value) Value->AddPopupMenu(this);
}

void TdxBarPopupMenu::FontChanged() {
    if (!FInternalFontChange) FUseOwnFont = true;
    if (FUseOwnFont) {
        FOwnFont = std::make_unique<pg::TFont>();
        FOwnFont->Assign(*FFont);
    }
}

void TdxBarPopupMenu::SetUseOwnFont(bool Value) {
    if (FUseOwnFont == Value) return;
    FUseOwnFont = Value;
    if (Value) {
        FOwnFont = std::make_unique<pg::TFont>();
        FOwnFont->Assign(*FFont);
        return;
    }
    FInternalFontChange = true;
    if (FBarManager) FFont->Assign(FBarManager->Font());
    FInternalFontChange = false;
    FOwnFont.reset();
}

bool TdxBarPopupMenu::IsShortCutKey(const pf::TMessage& Message) {
    const auto Key = static_cast<pf::TShortCut>(Message.WParam & 0xFF);
    if (Key == 0) return false;
    pf::TShortCut ShortCut = Key;
    if (pw::GetKeyState(pw::VK_SHIFT) < 0) ShortCut |= pf::scShift;
    if (pw::GetKeyState(pw::VK_CONTROL) < 0) ShortCut |= pf::scCtrl;
    if (Message.LParam & (pc::LPARAM{1} << 29)) ShortCut |= pf::scAlt;
    return IsShortCut(ShortCut);
}

void TdxBarPopupMenu::DesignerModified() {
    if (FDestroying || !FBarManager || !FBarManager->IsDesigning() ||
        (ComponentState() & (pc::csLoading | pc::csDestroying)) != 0)
        return;
    FBarManager->DesignerModified();
}

void TdxBarPopupMenu::ManagerGone() {
    if (TdxBarSubMenuControl* Menu = GetSubMenuControl()) Menu->HideAll();
    FItemLinks->Clear();
    FItemLinks->SetBarManager(nullptr);
    FBarManager = nullptr;
}

void TdxBarPopupMenu::ManagerFontChanged() {
    if (FUseOwnFont || !FBarManager) return;
    FInternalFontChange = true;
    FFont->Assign(FBarManager->Font());
    FInternalFontChange = false;
}

pg::HFONT TdxBarPopupMenu::FontHandle() const {
    return FOwnFont ? FOwnFont->Handle() : pg::HFONT{};
}

void TdxBarPopupMenu::Loaded() {
    pc::TComponent::Loaded();
    FItemLinks->Loaded(true);
}

TdxBarSubMenuControl* TdxBarPopupMenu::GetSubMenuControl() const {
    return dynamic_cast<TdxBarSubMenuControl*>(FItemLinks->BarControl());
}

void TdxBarPopupMenu::DoPaintBar(pf::TCanvas& Canvas, const pg::TRect& R) {
    if (OnPaintBar) OnPaintBar(this, Canvas, R);
}

void TdxBarPopupMenu::PopupEx(int X, int Y, int OwnerWidth, int OwnerHeight, bool Animate,
                              const pg::TRect* OwnerRect) {
    FOwnerWidth = OwnerWidth;
    FOwnerHeight = OwnerHeight;
    FAnimate = Animate;
    FOwnerRect = OwnerRect;
    try {
        Popup(X, Y);
    } catch (...) {
        FOwnerWidth = FOwnerHeight = 0;
        FAnimate = true;
        FOwnerRect = nullptr;
        throw;
    }
    FOwnerWidth = FOwnerHeight = 0;
    FAnimate = true;
    FOwnerRect = nullptr;
}

void TdxBarPopupMenu::Popup(int X, int Y) {
    if (GetSubMenuControl() || !FBarManager) return;
    // Other menus and drags of the form end before this one opens.
    pf::TCustomForm* Form = dynamic_cast<pf::TCustomForm*>(Owner());
    if (!Form) Form = FBarManager->Form();
    if (Form && Form->HandleAllocated()) pc::SendMessage(Form->Handle(), pw::WM_CANCELMODE, 0, 0);
    if (pw::HWND Capture = pw::GetCapture(); Capture != pw::NullHWnd) {
        pc::SendMessage(Capture, pf::CM_CANCELMODE, 0, 0);
        pw::ReleaseCapture();
    }

    auto Owned = std::make_unique<TdxBarSubMenuControl>(FBarManager);
    TdxBarSubMenuControl& Menu = *Owned;
    FBarManager->InsertComponent(std::move(Owned));
    Menu.SetItemLinks(FItemLinks.get());
    Menu.SetBounds(X, Y, Menu.Width(), Menu.Height());
    if (FOwnerRect) Menu.OwnerItemRect = *FOwnerRect;
    Menu.OwnerWidth = FOwnerWidth;
    Menu.OwnerHeight = FOwnerHeight;
    // The window it opens from (a drop-down's bar window), else the windowed control that owns
    // the menu; without either, the manager's form.
    auto* OwnerWindow = dynamic_cast<pf::TWinControl*>(OwnerControl);
    if (OwnerWindow == nullptr) OwnerWindow = dynamic_cast<pf::TWinControl*>(Owner());
    if (OwnerWindow && OwnerWindow->HandleAllocated())
        Menu.OwnerWindowHandle = OwnerWindow->Handle();
    Menu.OnCloseUp = [this](pc::TObject*) {
        FShown = false;
        if (OnCloseUp) OnCloseUp(this);
    };
    Menu.OnPopup = [this](pc::TObject*) {
        FShown = true;
        if (OnPopup) OnPopup(this);
    };
    Menu.Animating = FAnimate;
    try {
        Menu.Show();
    } catch (...) {
        if (dxBarUnit().BarControlExists(&Menu)) Menu.HideAll();
        throw;
    }
    if (ReturnAtOnce || !FShown) return;
    RunLoop();
}

void TdxBarPopupMenu::RunLoop() {
    // The click that closes the menu still reaches the window under it: the loop posts back
    // the message it took once the menu has gone.
    pw::ModalLoop Loop;
    Loop.OnMessage = [this, &Loop](pc::MSG& Msg) {
        if (!FShown) {
            pc::PostMessage(Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam);
            Loop.Quit();
            return false;
        }
        return Msg.message != WM_COMMAND;
    };
    if (!FShown) return;
    if (TdxBarSubMenuControl* Menu = GetSubMenuControl()) {
        auto Handler = Menu->OnCloseUp;
        Menu->OnCloseUp = [Handler, &Loop](pc::TObject* Sender) {
            Handler(Sender);
            Loop.Quit();
        };
    }
    Loop.Run();
}

} // namespace toolkit::bars
