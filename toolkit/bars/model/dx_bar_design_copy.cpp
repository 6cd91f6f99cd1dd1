#include "toolkit/bars/model/dx_bar_design_copy.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"

#include "platform/core/exception.h"
#include "platform/core/loading_bracket.h"
#include "platform/core/text.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

const char* const kResetBarQuestion =
    "Are you sure you want to reset the changes made to the '%s' toolbar?";
const char* const kResetUsageDataQuestion =
    "This will delete the record of the commands you've used in this application and restore "
    "the default set of visible commands to the menus and toolbars. It will not undo any "
    "explicit customizations.   Are you sure you want to proceed?";

bool ReadingCopy = false;

class TReadingCopy {
public:
    TReadingCopy() { ReadingCopy = true; }
    ~TReadingCopy() { ReadingCopy = false; }
    TReadingCopy(const TReadingCopy&) = delete;
    TReadingCopy& operator=(const TReadingCopy&) = delete;
};

const pc::TComponent* ComponentOf(const TdxBarManager& Manager, const TdxBarItem* Item) {
    return Item ? Manager.GetItemComponent(Manager.IndexOfItem(Item)) : nullptr;
}

// Links of the design, each to this manager's item of the same name: the copy's items are
// not this manager's.
void AssignByName(TdxBarItemLinks& Target, const TdxBarItemLinks& Source,
                  const TdxBarManager& SourceManager) {
    TdxBarManager& Manager = *Target.BarManager();
    TdxBarItem* SystemMenu = Target.SystemMenuItem();
    Target.Clear();
    for (int I = 0; I < Source.Count(); ++I) {
        const TdxBarItemLink& From = *Source.Items(I);
        const pc::TComponent* Component = ComponentOf(SourceManager, From.Item());
        TdxBarItem* Item = Component ? Manager.GetItemByName(Component->Name) : nullptr;
        if (!Item) continue;
        TdxBarItemLink* Link = Target.Add(Item);
        Link->SetBeginGroup(From.OwnBeginGroup());
        if (From.UserDefine() & dxUserDefineBit(udCaption))
            Link->SetUserCaption(From.UserCaption());
        if (From.UserDefine() & dxUserDefineBit(udPaintStyle))
            Link->SetUserPaintStyle(From.UserPaintStyle());
        if (From.UserDefine() & dxUserDefineBit(udWidth)) Link->SetUserWidth(From.UserWidth());
        if ((From.UserDefine() & dxUserDefineBit(udGlyph)) && From.GetGlyph())
            Link->SetUserGlyph(*From.GetGlyph());
        Link->Data = From.Data;
        Link->SetVisible(From.Visible());
    }
    Target.RestoreSystemMenuItem(SystemMenu);
    Target.CopyMostRecentlyUsed(Source);
}

// The links of every sub-item the links reach, from the copy's sub-item of the same name.
void ResetSubItems(const TdxBarItemLinks& Links, const TdxBarManager& Copy, int Depth) {
    if (Depth > 32) return; // sub-items cannot hold themselves; a guard all the same
    TdxBarManager& Manager = *Links.BarManager();
    for (int I = 0; I < Links.Count(); ++I) {
        auto* SubItem = dynamic_cast<TCustomdxBarSubItem*>(Links.Items(I)->Item());
        const pc::TComponent* Component = ComponentOf(Manager, Links.Items(I)->Item());
        if (!SubItem || !Component) continue;
        auto* Designed = dynamic_cast<TCustomdxBarSubItem*>(Copy.GetItemByName(Component->Name));
        if (!Designed) continue;
        AssignByName(SubItem->ItemLinks(), Designed->ItemLinks(), Copy);
        ResetSubItems(SubItem->ItemLinks(), Copy, Depth + 1);
    }
}

TdxBar* DesignedBar(const TdxBarManager& Copy, int Identity) {
    return Identity >= 0 ? Copy.Bars()->Items(Identity) : nullptr;
}

} // namespace

bool IsReadingDesignTimeCopy() {
    return ReadingCopy;
}

TdxBarManager* FindManagerCopy(pf::TForm& Form, const std::string& Name) {
    for (int I = 0; I < Form.ComponentCount(); ++I)
        if (pc::SameText(Form.Components(I)->Name, Name))
            return dynamic_cast<TdxBarManager*>(Form.Components(I));
    return nullptr;
}

std::unique_ptr<pf::TForm> CreateDesignTimeCopy(const TdxBarManager& Manager) {
    if (!Manager.DesignRoutine) return nullptr;
    auto Form = std::make_unique<pf::TForm>(nullptr);
    Form->Name = "TempForm";
    try {
        TReadingCopy Reading;
        pc::TLoadingBracket Bracket;
        Manager.DesignRoutine(*Form);
        Bracket.End();
    } catch (const pc::Exception&) {
        return nullptr;
    }
    if (TdxBarManager* Copy = FindManagerCopy(*Form, Manager.Name)) {
        Copy->StoreInIniFile = false;
        Copy->StoreInRegistry = false;
    }
    return Form;
}

void TdxBar::Reset() {
    TdxBarManager* Manager = BarManager();
    std::unique_ptr<pf::TForm> Form = CreateDesignTimeCopy(*Manager);
    TdxBarManager* Copy = Form ? FindManagerCopy(*Form, Manager->Name) : nullptr;
    TdxBar* Source = Copy ? DesignedBar(*Copy, FDesignIdentity) : nullptr;
    if (!Source) return;
    Manager->DoBarBeforeReset(this);
    if (Manager->UseFullReset) {
        const bool Locked = Manager->LockUpdate();
        Manager->SetLockUpdate(true);
        const bool WasVisible = Visible();
        SetVisible(false);
        const int Identity = FDesignIdentity;
        Assign(*Source);
        SetDesignIdentity(Identity);
        // The copy's placed sites go with it; its links name the copy's items.
        if (Source->DockedDockControl()) SetDockedDockControl(nullptr);
        AssignByName(ItemLinks(), Source->ItemLinks(), *Copy);
        ResetSubItems(ItemLinks(), *Copy, 0);
        SetVisible(WasVisible);
        Manager->SetLockUpdate(Locked);
    } else {
        // The bar lays itself out once, with the designed links, when the lock goes.
        const bool Locked = Manager->LockUpdate();
        Manager->SetLockUpdate(true);
        AssignByName(ItemLinks(), Source->ItemLinks(), *Copy);
        ResetSubItems(ItemLinks(), *Copy, 0);
        Manager->SetLockUpdate(Locked);
    }
    Manager->DoBarAfterReset(this);
}

void TdxBar::ResetWithConfirmation() {
    std::string Question = kResetBarQuestion;
    Question.replace(Question.find("%s"), 2, Caption());
    if (pf::MessageBox(Question, "", pf::MB_OKCANCEL | pf::MB_ICONEXCLAMATION) == pf::IDOK) Reset();
}

void TdxBarManager::ResetUsageData() {
    const bool Locked = FLockUpdate;
    SetLockUpdate(true);
    std::unique_ptr<pf::TForm> Form = CreateDesignTimeCopy(*this);
    if (TdxBarManager* Copy = Form ? FindManagerCopy(*Form, Name) : nullptr) {
        for (int I = 0; I < GetItemCount(); ++I) {
            auto* SubItem = dynamic_cast<TCustomdxBarSubItem*>(GetItem(I));
            const pc::TComponent* Component = GetItemComponent(I);
            auto* Designed =
                SubItem && !Component->Name.empty()
                    ? dynamic_cast<TCustomdxBarSubItem*>(Copy->GetItemByName(Component->Name))
                    : nullptr;
            if (Designed) SubItem->ItemLinks().CopyMostRecentlyUsed(Designed->ItemLinks());
        }
        for (int I = 0; I < FBars->Count(); ++I) {
            TdxBar* Bar = FBars->Items(I);
            if (TdxBar* Source = DesignedBar(*Copy, Bar->DesignIdentity()))
                Bar->ItemLinks().CopyMostRecentlyUsed(Source->ItemLinks());
        }
    }
    Form.reset();
    SetLockUpdate(Locked);
}

void TdxBarManager::ResetUsageDataWithConfirmation() {
    if (pf::MessageBox(kResetUsageDataQuestion, "",
                       pf::MB_YESNO | pf::MB_ICONEXCLAMATION | pf::MB_DEFBUTTON2) == pf::IDYES)
        ResetUsageData();
}

} // namespace toolkit::bars
