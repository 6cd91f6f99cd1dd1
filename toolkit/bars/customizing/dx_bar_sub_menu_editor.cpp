#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/base/resource_strings.h"

#include "platform/win/window.h"

#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

namespace {

TdxBarSubMenuEditor* GSubMenuEditor = nullptr;

TdxBarSelectLinksOwner& SelectLinksOwner() {
    static TdxBarSelectLinksOwner Select;
    return Select;
}

} // namespace

TdxBarSelectLinksOwner SetdxBarSelectLinksOwner(TdxBarSelectLinksOwner Select) {
    TdxBarSelectLinksOwner Previous = std::move(SelectLinksOwner());
    SelectLinksOwner() = std::move(Select);
    return Previous;
}

TdxBarSubMenuEditor::TdxBarSubMenuEditor(pc::TComponent* AOwner) : pf::TForm(AOwner) {
    Tag = 100;
    SetBorderStyle(pf::bsToolWindow);
    SetBorderIcons(pf::biSystemMenu);
    SetCaption(toolkit::base::cxGetResourceString(dxSBAR_SUBMENUEDITORCAPTION));
    SetClientHeight(0);
    OnActivate = [this](pc::TObject*) { Activated(); };
    OnClose = [this](pc::TObject*, pf::TCloseAction& Action) {
        CloseSubMenu();
        Action = pf::caFree;
    };
    GSubMenuEditor = this;
}

TdxBarSubMenuEditor::~TdxBarSubMenuEditor() {
    CloseSubMenu();
    if (FWatched != nullptr) FWatched->RemoveFreeNotification(this);
    if (GSubMenuEditor == this) GSubMenuEditor = nullptr;
}

void TdxBarSubMenuEditor::CreateParams(TCreateParams& Params) {
    pf::TForm::CreateParams(Params);
    Params.style = pw::WS_POPUP | pw::WS_CAPTION | pw::WS_BORDER | pw::WS_DLGFRAME | pw::WS_SYSMENU;
    Params.exStyle |= pw::WS_EX_DLGMODALFRAME | pw::WS_EX_WINDOWEDGE;
    // The Customize dialog's owner window holds it, so it stays above the edited form.
    if (TdxBarCustomizingForm* Dialog = GetCustomizingForm(); Dialog && Dialog->HandleAllocated())
        Params.parent = pw::GetParent(Dialog->Handle());
}

TdxBarSubMenuControl* TdxBarSubMenuEditor::SubMenuControl() const {
    if (FItemLinks == nullptr) return nullptr;
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(FItemLinks->BarControl());
    return Menu && dxBarUnit().BarControlExists(Menu) && !Menu->Closing() ? Menu : nullptr;
}

void TdxBarSubMenuEditor::SetItemLinks(TdxBarItemLinks* Value) {
    if (Value == FItemLinks) return;
    CloseSubMenu();
    if (FWatched != nullptr) FWatched->RemoveFreeNotification(this);
    FWatched = nullptr;
    FItemLinks = Value;
    if (Value == nullptr) {
        Release();
        return;
    }
    if (TdxBarItemLinksOwner* Owner = Value->Owner()) FWatched = Owner->LinksOwnerComponent();
    if (FWatched != nullptr) FWatched->FreeNotification(this);
    // A visible editor opens the menu of its new links at once.
    if (Visible() && Active()) Activated();
}

void TdxBarSubMenuEditor::Activated() {
    if (FItemLinks == nullptr || SubMenuControl() != nullptr) return;
    TdxBarManager* Manager = FItemLinks->BarManager();
    if (Manager == nullptr) return;
    auto Owned = std::make_unique<TdxBarSubMenuControl>(Manager);
    TdxBarSubMenuControl& Menu = *Owned;
    Manager->InsertComponent(std::move(Owned));
    Menu.SetItemLinks(FItemLinks);
    Menu.SetBounds(Left(), Top() + Height(), Menu.Width(), Menu.Height());
    Menu.Show();
    FSubMenuWidth = Menu.Width();
    if (FSubMenuWidth > 0 && Width() != FSubMenuWidth) SetWidth(FSubMenuWidth);
    FollowEditor();
}

void TdxBarSubMenuEditor::FollowEditor() {
    TdxBarSubMenuControl* Menu = SubMenuControl();
    if (Menu == nullptr || !Menu->HandleAllocated()) return;
    pw::SetWindowPos(Menu->Handle(), pw::NullHWnd, Left(), Top() + Height(), 0, 0,
                     pw::SWP_NOSIZE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE);
}

void TdxBarSubMenuEditor::CloseSubMenu() {
    if (TdxBarSubMenuControl* Menu = SubMenuControl()) Menu->HideAndFree();
}

void TdxBarSubMenuEditor::Dispatch(pc::TMessage& Message) {
    pf::TForm::Dispatch(Message);
    if (Message.Msg == pw::WM_MOVE) FollowEditor();
}

void TdxBarSubMenuEditor::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    pf::TForm::Notification(AComponent, Operation);
    if (Operation != pc::opRemove || AComponent != FWatched) return;
    // The links go with their owner: nothing of them is touched again.
    FWatched = nullptr;
    FItemLinks = nullptr;
    Release();
}

void ShowSubMenuEditor(TdxBarItemLinks* ItemLinks) {
    if (ItemLinks == nullptr) {
        if (GSubMenuEditor != nullptr) GSubMenuEditor->SetItemLinks(nullptr);
        return;
    }
    if (SelectLinksOwner()) SelectLinksOwner()(*ItemLinks);
    if (GSubMenuEditor == nullptr) {
        pc::TComponent* Owner = GetCustomizingForm();
        if (Owner == nullptr && ItemLinks->BarManager() != nullptr)
            Owner = ItemLinks->BarManager()->Form();
        if (Owner == nullptr) return;
        Owner->Own<TdxBarSubMenuEditor>();
    }
    GSubMenuEditor->SetItemLinks(ItemLinks);
    GSubMenuEditor->Show();
}

TdxBarSubMenuEditor* GetSubMenuEditor() {
    return GSubMenuEditor;
}

} // namespace toolkit::bars
