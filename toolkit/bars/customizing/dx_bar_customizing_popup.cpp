#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"

#include "toolkit/bars/customizing/dx_bar_customizing_refresh.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"

#include "toolkit/base/resource_strings.h"

#include "platform/forms/dialogs.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pw = platform::win;
namespace tb = toolkit::base;

namespace {

// 65218 .. 65226, 65242
const tb::TResStringRec dxSBAR_CP_RESET{"&Reset"};
const tb::TResStringRec dxSBAR_CP_DELETE{"&Delete"};
const tb::TResStringRec dxSBAR_CP_NAME{"&Name:"};
const tb::TResStringRec dxSBAR_CP_CAPTION{"&Caption:"};
const tb::TResStringRec dxSBAR_CP_DEFAULTSTYLE{"Defa&ult style"};
const tb::TResStringRec dxSBAR_CP_TEXTONLYALWAYS{"&Text Only (Always)"};
const tb::TResStringRec dxSBAR_CP_TEXTONLYINMENUS{"Text &Only (in Menus)"};
const tb::TResStringRec dxSBAR_CP_IMAGEANDTEXT{"Image &and Text"};
const tb::TResStringRec dxSBAR_CP_BEGINAGROUP{"Begin a &Group"};
const tb::TResStringRec dxSBAR_CP_VISIBLE{"&Visible"};
const tb::TResStringRec dxSBAR_CP_MOSTRECENTLYUSED{"&Most recently used"};
const tb::TResStringRec dxSBAR_COMMANDNAMECANNOTBEBLANK{
    "A command name cannot be blank. Please enter a name."};

// The popup closes itself after the handler that asked for it has returned: the handler runs
// inside one of the entries the popup owns.
constexpr pw::UINT kCloseMessage = pw::WM_USER + 0x31;
constexpr int kPaintStyleGroup = -1000;

TdxBarCustomizingPopup* GCurrent = nullptr;

} // namespace

TdxBarCustomizingPopup::TdxBarCustomizingPopup(TdxBarManager* ABarManager, TdxBarItemLink* ALink,
                                               TdxBarItemLinks* ALinks)
    : TdxBarSubMenuControl(ABarManager), FTarget{ABarManager, ALink ? ALink->Item() : nullptr,
                                                 ALink, ALinks},
      FEntries(std::make_unique<TdxBarItemLinks>(ABarManager, nullptr)) {
    FEntries->UseRecentItems = false;
    GCurrent = this;
    const bool Design = ABarManager->IsDesigning();
    if (Design) AddDesignEntries();
    TdxBarItemLink* const Opened = FTarget.Link;
    if (Opened == nullptr) {
        // The application may fill a popup that has no entries of its own.
        ABarManager->DoShowCustomizingPopup(FEntries.get());
        return;
    }
    const TTarget Aim = FTarget;
    auto Button = [this, Aim](const std::string& Caption, bool BeginGroup,
                              int Tag) -> TdxBarButton& {
        auto& B = static_cast<TdxBarButton&>(
            AddEntry(dxBarUnit().AddInternalItem(std::make_unique<TdxBarButton>(nullptr)), Caption,
                     BeginGroup));
        B.OnClick = [Aim, Tag](pc::TObject*) { EntryClick(Aim, Tag); };
        return B;
    };
    Button(tb::cxGetResourceString(dxSBAR_CP_RESET), true, 0);
    Button(tb::cxGetResourceString(dxSBAR_CP_DELETE), false, 1);
    auto& Name = static_cast<TdxBarEdit&>(
        AddEntry(dxBarUnit().AddInternalItem(std::make_unique<TdxBarEdit>(nullptr)),
                 tb::cxGetResourceString(Design ? dxSBAR_CP_CAPTION : dxSBAR_CP_NAME), true));
    Name.SetShowCaption(true);
    Name.SetText(Opened->GetCaption());
    Name.OnChange = [Aim, &Name](pc::TObject*) { Rename(Aim, Name.Text()); };
    FNameEdit = &Name;

    auto* Item = dynamic_cast<TdxBarButton*>(Opened->Item());
    const bool StyleEnabled = Item && Item->CanChangePaintStyle();
    const int Style = StyleEnabled ? (Opened->GetPaintStyle() & 0x7F) : 0;
    const tb::TResStringRec* StyleCaptions[] = {&dxSBAR_CP_DEFAULTSTYLE, &dxSBAR_CP_TEXTONLYALWAYS,
                                                &dxSBAR_CP_TEXTONLYINMENUS,
                                                &dxSBAR_CP_IMAGEANDTEXT};
    for (int I = 0; I < 4; ++I) {
        TdxBarButton& B = Button(tb::cxGetResourceString(*StyleCaptions[I]), I == 0, 3 + I);
        B.SetButtonStyle(bsChecked);
        B.SetGroupIndex(kPaintStyleGroup);
        B.SetDown(I == Style);
        B.SetEnabled(StyleEnabled);
    }
    TdxBarButton& Group = Button(tb::cxGetResourceString(dxSBAR_CP_BEGINAGROUP), true, 7);
    Group.SetButtonStyle(bsChecked);
    Group.SetDown(Opened->OwnBeginGroup());
    Group.SetEnabled(Opened->Index() > 0);
    if (Design) {
        TdxBarButton& Shown = Button(tb::cxGetResourceString(dxSBAR_CP_VISIBLE), false, 8);
        Shown.SetButtonStyle(bsChecked);
        Shown.SetDown(Opened->Visible());
        if (ABarManager->Style() != bmsStandard) {
            TdxBarButton& Recent =
                Button(tb::cxGetResourceString(dxSBAR_CP_MOSTRECENTLYUSED), false, 9);
            Recent.SetButtonStyle(bsChecked);
            Recent.SetDown(Opened->MostRecentlyUsed());
        }
    }
    ABarManager->DoShowCustomizingPopup(FEntries.get());
}

TdxBarCustomizingPopup::~TdxBarCustomizingPopup() {
    if (GCurrent == this) GCurrent = nullptr;
    ReleaseLinkSelection();
    SetItemLinks(nullptr);
    // The entries' items stay until unused items are next freed (or their manager goes): the
    // click of the entry that closed the popup is still running.
    FEntries.reset();
}

bool TdxBarCustomizingPopup::TTarget::LinkAlive() const {
    if (Manager == nullptr || Link == nullptr || Item == nullptr || Manager->IsDestroying() ||
        Manager->IndexOfItem(Item) < 0)
        return false;
    for (int I = 0; I < Item->LinkCount(); ++I)
        if (Item->Links(I) == Link) return true;
    return false;
}

bool TdxBarCustomizingPopup::TTarget::LinksAlive() const {
    if (Manager == nullptr || Links == nullptr || Manager->IsDestroying()) return false;
    if (LinkAlive()) return Link->Links() == Links;
    if (TdxBars* Bars = Manager->Bars())
        for (int I = 0; I < Bars->Count(); ++I)
            if (&Bars->Items(I)->ItemLinks() == Links) return true;
    for (int I = 0; I < Manager->GetItemCount(); ++I)
        if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(Manager->GetItem(I)))
            if (&Sub->ItemLinks() == Links) return true;
    return false;
}

void TdxBarCustomizingPopup::ReleaseLinkSelection() {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr || Manager->IsCustomizing() || !FTarget.LinkAlive()) return;
    // Outside customizing the link was selected only for this popup: the selection goes with it.
    TCustomdxBarControl* Window = FTarget.Link->Links()->BarControl();
    TdxBarItemControl* Control = FTarget.Link->Control();
    if (Window == nullptr || Control == nullptr || !dxBarUnit().BarControlExists(Window) ||
        Window->SelectedControl() != Control)
        return;
    Manager->SetSelectedItem(nullptr);
    if (dxBarUnit().BarControlExists(Window)) Window->SetSelectedControl(nullptr);
}

TdxBarCustomizingPopup* TdxBarCustomizingPopup::Current() {
    return GCurrent;
}

TdxBarItem& TdxBarCustomizingPopup::AddEntry(TdxBarItem& Result, const std::string& Caption,
                                             bool BeginGroup) {
    Result.SetBarManager(BarManager());
    Result.SetCaption(Caption);
    TdxBarItemLink* Entry = FEntries->Add(&Result);
    Entry->SetBeginGroup(BeginGroup);
    return Result;
}

TdxBarCustomizingPopup* TdxBarCustomizingPopup::ShowAt(TdxBarManager& Manager, TdxBarItemLink* Link,
                                                       TdxBarItemLinks* Links, TPoint Screen) {
    if (GCurrent && !GCurrent->Closing()) GCurrent->HideAndFree();
    // The entries of the popups closed since then are linked nowhere any more.
    FreeUnusedInternalItems();
    auto Owned = std::make_unique<TdxBarCustomizingPopup>(&Manager, Link, Links);
    TdxBarCustomizingPopup& Popup = *Owned;
    Manager.InsertComponent(std::move(Owned));
    if (Popup.FEntries->Count() == 0) {
        Popup.HideAndFree();
        return nullptr;
    }
    Popup.SetItemLinks(Popup.FEntries.get());
    Popup.SetBounds(Screen.X, Screen.Y, Popup.Width(), Popup.Height());
    Popup.Show();
    return dxBarUnit().BarControlExists(&Popup) ? &Popup : nullptr;
}

// The popup is gone when this runs from a click of the user (the entry closed the menus first):
// only the target is touched, and only while it lives.
void TdxBarCustomizingPopup::EntryClick(const TTarget& Target, int Tag) {
    if (Tag < 0) {
        DesignCommand(Target, Tag);
        return;
    }
    if (!Target.LinkAlive()) return;
    TdxBarItemLink* Link = Target.Link;
    TCustomdxBarControl* Window = Link->Links()->BarControl();
    switch (Tag) {
    case 0:
        Link->SetUserDefine(0);
        break;
    case 1:
        Link->Links()->Delete(Link->Index());
        break;
    case 3:
    case 4:
    case 5:
    case 6:
        Link->SetUserPaintStyle(static_cast<TdxBarPaintStyle>(Tag - 3));
        break;
    case 7:
        Link->SetBeginGroup(!Link->OwnBeginGroup());
        break;
    case 8:
        Link->SetVisible(!Link->Visible());
        break;
    case 9:
        Link->SetMostRecentlyUsed(!Link->MostRecentlyUsed());
        break;
    default:
        break;
    }
    if (Window && dxBarUnit().BarControlExists(Window)) {
        Window->RefreshLayout();
        Window->Invalidate();
    }
}

void TdxBarCustomizingPopup::Rename(const TTarget& Target, const std::string& Text) {
    if (!Target.LinkAlive()) return;
    if (Text.empty()) {
        if (TdxBarCustomizingPopup* Popup = GCurrent; Popup && Popup->HandleAllocated()) {
            pw::ShowWindow(Popup->Handle(), pw::SW_HIDE);
            pc::PostMessage(Popup->Handle(), kCloseMessage, 0, 0);
        }
        platform::forms::MessageBox(tb::cxGetResourceString(dxSBAR_COMMANDNAMECANNOTBEBLANK), "",
                                    platform::forms::MB_ICONERROR);
        return;
    }
    TdxBarItemLink* Link = Target.Link;
    if (Target.Manager->IsDesigning()) {
        Link->Item()->SetCaption(Text);
        Target.Manager->DesignerModified();
        // The Customize dialog lists commands by caption.
        UpdateCustomizingBarItemCategory(Link->Item());
    } else {
        Link->SetUserCaption(Text);
    }
    if (TCustomdxBarControl* Window = Link->Links()->BarControl();
        Window && dxBarUnit().BarControlExists(Window)) {
        Window->RefreshLayout();
        Window->Invalidate();
    }
}

void TdxBarCustomizingPopup::WndProc(TMessage& Message) {
    if (Message.Msg == kCloseMessage) {
        HideAndFree();
        return;
    }
    TdxBarSubMenuControl::WndProc(Message);
}

} // namespace toolkit::bars
